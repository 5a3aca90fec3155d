#pragma once
// A fresh machine for one engine test: its own prefix, a scripted main operator that counts the
// progress steps, an empty run log, and path roots laid out as a prepared run leaves them.
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/progress.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo::test {

class EngineTest : public ::testing::Test {
  protected:
    static constexpr const char* kProgram = "C:\\Prog\\";
    static constexpr const char* kWindows = "C:\\WINDOWS\\";
    static constexpr const char* kDvr = "C:\\DVR\\";
    static constexpr const char* kPackage = "C:\\Pkg\\";
    static constexpr const char* kActionFile = "C:\\Prog\\Action\\Item.ini";

    EngineTest() : scope_(op) {
        Roots() = PathRoots{};
        SpaceCounters() = {};
        SetProgressCounter(0);
        CurrentRunLog().Clear();
        SetSettingsIniPath({});
    }
    ~EngineTest() override {
        Roots() = PathRoots{};
        CurrentRunLog().Clear();
    }

    // The roots of a prepared DVR run with its package in kPackage.
    void UsePreparedRoots() {
        PathRoots& roots = Roots();
        roots.programFolder = kProgram;
        roots.windowsFolder = kWindows;
        roots.tempFolder = "C:\\Temp\\";
        InstallFolder(1) = kDvr;
        roots.activeProductFolder = kDvr;
        roots.packageFolder = kPackage;
    }

    void Write(std::string_view windowsPath, std::string_view bytes) const {
        prefix.WriteHost(windowsPath, bytes);
    }
    std::string Read(std::string_view windowsPath) const { return prefix.ReadHost(windowsPath); }
    bool IsFile(std::string_view windowsPath) const {
        return std::filesystem::is_regular_file(std::filesystem::symlink_status(prefix.HostOf(windowsPath)));
    }
    bool IsFolder(std::string_view windowsPath) const {
        return std::filesystem::is_directory(prefix.HostOf(windowsPath));
    }
    bool Exists(std::string_view windowsPath) const {
        return std::filesystem::exists(std::filesystem::symlink_status(prefix.HostOf(windowsPath)));
    }
    void MakeFolder(std::string_view windowsPath) const {
        std::filesystem::create_directories(prefix.HostOf(windowsPath));
    }
    void MakeReadOnly(std::string_view windowsPath) const {
        namespace fs = std::filesystem;
        fs::permissions(prefix.HostOf(windowsPath),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    void WriteActionFile(std::string_view text) const { Write(kActionFile, text); }

    // Progress steps made since the test began.
    // How far the bar has moved: the last position it was given (the counter starts at 0).
    std::size_t Steps() const {
        const std::vector<std::string> moves = op.CallsStartingWith("progress pos ");
        return moves.empty() ? 0 : std::stoul(moves.back().substr(13));
    }
    std::size_t Logged(RunEvent event) const { return CurrentRunLog().Count(event); }

    TempPrefix prefix;
    ScriptedOperator op;

  private:
    MainOperatorScope scope_;
};

} // namespace tavo::test
