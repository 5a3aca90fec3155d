#pragma once
// A machine for the product runs and commands: program (and package) folder C:\Prog\ with a
// settings INI whose "MSG_BOX" texts name their keys, a DVR installed in C:\DVR\, Nodera in
// C:\Ndr\, a scripted main operator, and catalogues written item by item. Every item's action
// file copies one Windows-folder file named after the item ("<key>.dat"), so the files in the
// package (packup) or the Windows folder (restore) tell which action files ran.
#include "catalogue/selection_tree.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tavo::test {

struct CatalogueEntry {
    CatalogueEntry(std::string itemSection, std::string itemKey, int itemCode = 2, std::string actionFile = {})
        : section(std::move(itemSection)), key(std::move(itemKey)), code(itemCode), file(std::move(actionFile)) {}

    std::string section; // "DVR_1", "DVR_2": top-level items
    std::string key;     // "SUB_ID_KEY"
    int code;            // the code the export file holds for it
    std::string file;    // the action file, relative to the program folder; empty: "Action\<key>.ini"
};

class RunTest : public ::testing::Test {
  protected:
    static constexpr const char* kProgram = "C:\\Prog\\";

    RunTest();
    ~RunTest() override;

    // Adds a product's items to the catalogue and the export file, writes their action files and
    // loads the product's tree. Other products loaded before stay in both files.
    void Load(SelectionTree& tree, const std::vector<CatalogueEntry>& entries);
    // The live file an item's action file copies, and its package copy.
    static std::string LiveFile(const std::string& key) { return "C:\\WINDOWS\\" + key + ".dat"; }
    static std::string PackageFile(const std::string& key) { return std::string(kProgram) + key + ".dat"; }
    bool Exists(const std::string& windowsPath) const;
    void Write(const std::string& windowsPath, const std::string& bytes) const { prefix.WriteHost(windowsPath, bytes); }
    std::string Read(const std::string& windowsPath) const { return prefix.ReadHost(windowsPath); }
    ItemHandle Find(const SelectionTree& tree, const std::string& key) const;

    TempPrefix prefix;
    ScriptedOperator op;

  private:
    MainOperatorScope scope_;
    struct ProductText {
        std::string count;    // the "%s_TotalItemNum" line of the catalogue
        std::string sections; // its item sections
        std::string exported; // its section of the export file
    };
    std::map<std::string, ProductText> products_;
};

} // namespace tavo::test
