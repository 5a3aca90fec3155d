#include "catalogue/product_run.h"

#include "catalogue/catalogue_paths.h"
#include "catalogue/command_messages.h"
#include "catalogue/install_path_journal.h"
#include "catalogue/product.h"
#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"
#include "engine/drivers.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/restore_flags.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/operator.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/system.h"

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <sentrix.h>
#include <string>

namespace tavo {

namespace {

constexpr std::string_view kPasswordMark = "Password";
constexpr std::string_view kClosingActionFile = "Src\\All.ini";

bool IsSelected(int image) {
    return image == kImageChecked || image == kImageGreyedChecked;
}

std::string ProductKeyOf(const SelectionTree& tree) {
    return std::string(CatalogueProductKey(tree.Product()));
}

int CodeOfImage(int image) {
    switch (image) {
    case kImageUnchecked: return kCodeUnchecked;
    case kImageChecked: return kCodeChecked;
    case kImageGreyed: return kCodeDisabledUnchecked;
    default: return kCodeDisabledChecked;
    }
}

// The password library takes the package folder in a buffer of 260 characters. A longer folder is
// not passed cut short: the call is left out and the run log says why.
class PasswordFolder {
  public:
    PasswordFolder() {
        const std::string& folder = Roots().packageFolder;
        fits_ = folder.size() < buffer_.size();
        if (fits_) folder.copy(buffer_.data(), folder.size());
    }
    bool Fits() const {
        if (!fits_) CurrentRunLog().Record(RunEvent::Failed, Roots().packageFolder,
                                           "the folder is too long for the password library");
        return fits_;
    }
    const char* data() const { return buffer_.data(); }

  private:
    std::array<char, 260> buffer_{};
    bool fits_ = false;
};

std::string ClosingActionFile() {
    return Roots().programFolder + std::string(kClosingActionFile);
}

// The flags of a "KEY_GENERAL" item at `index`: its own image, and the image of the first
// "KEY_NETWORK" item after it when there is one.
void SetRestoreFlags(const SelectionTree& tree, ItemHandle index) {
    RestoreFlagSet& flags = RestoreFlags();
    flags.generalSelected = IsSelected(tree.Image(index)) ? 1 : 0;
    for (ItemHandle next = index + 1; next < tree.Count(); ++next) {
        if (tree.Entry(next).subIdKey != "KEY_NETWORK") continue;
        flags.networkSelected = IsSelected(tree.Image(next)) ? 1 : 0;
        break;
    }
    if (flags.generalSelected == flags.networkSelected) flags.plainCopy = 1;
}

// The archive stage of a packup, after the walk. 1 when there is no archive or it was written.
int FinishArchive() {
    if (!PackageArchiveIsOpen()) return 1;
    switch (FinishPackageArchive()) {
    case ArchiveResult::Written: return 1;
    case ArchiveResult::NoRoom:
        if (plat::Operator* op = plat::MainOperator())
            op->ShowMessage(Messages().diskSpace, {}, plat::MessageIcon::Stop, plat::MessageButtons::Ok);
        return 0;
    case ArchiveResult::Failed: return 0;
    }
    return 0;
}

int Packup(const SelectionTree& tree, const PasswordFolder& passwordFolder, int direction) {
    const int product = CatalogueProduct(tree.Product());
    const std::string& exportFile = ExportFilePath();
    // Only this product's codes are rewritten: the other products' sections, and the section
    // fallbacks that hold the relationship leaders' and fixed items' codes, stay with the package.
    plat::WriteProfileString(exportFile, ProductKeyOf(tree), std::nullopt, std::nullopt);
    bool selected = false;
    bool archiveRefused = false;
    for (ItemHandle item = 0; item < tree.Count(); ++item) {
        const ItemEntry& entry = tree.Entry(item);
        const int image = tree.Image(item);
        plat::WriteProfileString(exportFile, entry.productKey, entry.subIdKey,
                                 std::to_string(CodeOfImage(image)));
        if (!IsSelected(image)) continue;
        selected = true;
        // With an archive named, a packup that cannot open it stops walking the items.
        if (!PackageArchivePath().empty() && !OpenPackageArchive(Roots().tempFolder)) {
            archiveRefused = true;
            break;
        }
        if (entry.actionFile.find(kPasswordMark) != std::string::npos) {
            const std::string exported = Roots().tempFolder + "Tavo\\BackPass.bin";
            DeleteUnlessProgram(exported);
            if (passwordFolder.Fits() && PassBackupExport(passwordFolder.data(), 0) == 0 &&
                plat::FileAttributes(exported) != plat::kInvalidAttributes)
                AddArchiveFile(exported, "Tavo\\BackPass.bin");
        }
        RunPackupRestore(entry.actionFile, exportFile, direction, product);
    }
    if (selected) RunPackupRestore(ClosingActionFile(), exportFile, direction, product);
    if (archiveRefused) {
        ResetPackageArchive();
        return 0;
    }
    return FinishArchive();
}

int Restore(const SelectionTree& tree, const PasswordFolder& passwordFolder) {
    const int product = CatalogueProduct(tree.Product());
    const std::string& exportFile = ExportFilePath();
    RestoreFlags() = RestoreFlagSet{};
    const bool keepsInstallPath = product == 1 && !Roots().dvrInstallPath.empty();
    if (keepsInstallPath) NoteDvrSettings(Roots().dvrInstallPath);
    bool selected = false;
    for (ItemHandle item = 0; item < tree.Count(); ++item) {
        const ItemEntry& entry = tree.Entry(item);
        if (entry.subIdKey == "KEY_GENERAL") SetRestoreFlags(tree, item);
        if (!IsSelected(tree.Image(item))) continue;
        selected = true;
        if (entry.actionFile.find(kPasswordMark) != std::string::npos && passwordFolder.Fits())
            PassBackupImport(passwordFolder.data(), 0);
        RunPackupRestore(entry.actionFile, exportFile, 0, product);
    }
    const RestoreFlagSet& flags = RestoreFlags();
    plat::DebugTrace("restore flags: general " + std::to_string(flags.generalSelected) + ", network " +
                     std::to_string(flags.networkSelected) + ", plain copy " + std::to_string(flags.plainCopy) + "\n");
    if (selected) RunPackupRestore(ClosingActionFile(), exportFile, 0, product);
    // An empty value would wipe the live path rather than keep it.
    if (keepsInstallPath) WriteBackDvrSettings(Roots().dvrInstallPath);
    return 1;
}

} // namespace

int PrepareRun(const SelectionTree& tree) {
    RecoverDvrSettings();
    if (!PreparePaths(CatalogueProduct(tree.Product()))) return 0;
    std::int64_t sum = 0;
    for (ItemHandle item = 0; item < tree.Count(); ++item)
        sum += CountActions(tree.Entry(item).actionFile);
    return sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}

int RunProduct(const SelectionTree& tree, int direction) {
    const PasswordFolder passwordFolder;
    return direction != 0 ? Packup(tree, passwordFolder, direction) : Restore(tree, passwordFolder);
}

void RunDefaultsForAllItems(const SelectionTree& dvrTree) {
    const std::string installPath = plat::ProfileString("OrvMulti.ini", "General", "InstallPath", "");
    const auto pal = static_cast<std::int32_t>(plat::ProfileInt("OrvPal.ini", "General", "PAL", 0));
    NoteDvrSettings(installPath, pal);
    for (ItemHandle item = 0; item < dvrTree.Count(); ++item)
        RunDefaults(dvrTree.Entry(item).actionFile);
    WriteBackDvrSettings(installPath, pal);
}

} // namespace tavo
