// Action files on a sandbox machine: the demo machine as the prefix and the demo package as the
// program and package folder, both fresh in a temporary folder for every input. The input is the
// action file; it runs for packup, restore and defaults of the DVR, and no host call may create,
// change or remove anything outside the prefix and the package folder.
//
// Z: is the host's root, so an action file that names Z: paths may write anywhere by design: the
// input's drive Z: is read as C:. The current folder is C:\ for the same reason.
#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "fuzz/entries/fuzz_check.h"
#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/sandbox.h"
#include "fuzz/entries/write_guard.h"
#include "platform/paths.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace tavo::fuzz {

namespace {

// The demo machine with its registry imported, made once and copied for every input.
const std::string& MachineTemplate() {
    static const std::string folder = [] {
        const std::string machine = FreshFolder("machine");
        fs::copy(DemoFolder() + "/machine/drive_c", machine + "/drive_c", fs::copy_options::recursive);
        UseMachine(machine);
        const RegFileParse parsed = ParseRegFile(ReadHostFile(DemoFolder() + "/machine/registry.reg"));
        Check(parsed.errorLine == 0 && ImportRegFile(parsed).error == 0, "the demo registry does not import");
        return machine;
    }();
    return folder;
}

std::string WithoutDriveZ(std::string text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == 'Z' || text[i] == 'z') && text[i + 1] == ':') text[i] = 'C';
    return text;
}

void PrepareRoots(const std::string& packageHost) {
    const std::string package = plat::ToWindowsPath(packageHost) + "\\";
    PathRoots& roots = Roots();
    roots = PathRoots{};
    roots.programFolder = package;
    roots.packageFolder = package;
    roots.registryFolder = package + "Reg\\";
    roots.windowsFolder = "C:\\WINDOWS\\";
    roots.tempFolder = "C:\\Temp\\";
    InstallFolder(kProductDvr) = "C:\\DVR\\";
    InstallFolder(kProductNodera) = "C:\\Nodera\\";
    InstallFolder(kProductWatchdeck) = "C:\\Watchdeck\\";
    InstallFolder(kProductPulsewatch) = "C:\\Pulsewatch\\";
    InstallFolder(kProductRelay) = "C:\\Relay\\";
    SetSettingsIniPath(package + "Tavo.ini");
    plat::SetCurrentFolder("C:\\");
}

} // namespace

int FuzzActionFile(const std::uint8_t* data, std::size_t size) {
    static SilentOperator silent;
    plat::SetMainOperator(&silent);
    const std::string& machine = MachineTemplate();

    const std::string box = FreshFolder("action");
    const std::string prefix = box + "/prefix";
    const std::string package = box + "/package";
    fs::copy(machine, prefix, fs::copy_options::recursive);
    fs::copy(DemoFolder() + "/package", package, fs::copy_options::recursive);
    WriteHostFile(package + "/Action/Fuzz.ini",
                  WithoutDriveZ(std::string(reinterpret_cast<const char*>(data), size)));
    UseMachine(prefix);
    PrepareRoots(package);
    CurrentRunLog().Clear();

    const std::string actionFile = Roots().programFolder + "Action\\Fuzz.ini";
    WriteGuard guard({prefix, package});
    RunPackupRestore(actionFile, "", 1, kProductDvr);
    RunPackupRestore(actionFile, "", 0, kProductDvr);
    RunDefaults(actionFile);
    if (!guard.Refused().empty()) Fail("a write outside the sandbox: " + guard.Refused().front());
    return 0;
}

} // namespace tavo::fuzz
