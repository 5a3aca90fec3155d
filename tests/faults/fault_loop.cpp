#include "fault_loop.h"

#include "engine/path_roots.h"
#include "engine/reg_file_writer.h"
#include "platform/host_io.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include <unistd.h>

namespace tavo::test {

namespace {

namespace fs = std::filesystem;

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string WindowsPathOf(const fs::path& root, const fs::path& host) {
    std::string path = "C:\\" + fs::relative(host, root).generic_string();
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Splits registry text into its keys: the name in each "[...]" header, with the value lines below it.
void AddKeys(const std::string& text, std::map<std::string, std::string>& keys) {
    std::string* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.starts_with("[") && line.find(']') != std::string::npos)
            current = &keys[line.substr(1, line.rfind(']') - 1)];
        else if (current && !line.empty())
            *current += line + "\n"; // blank lines only part keys, so the last key has one more
        start = end + 1;
    }
}

using State = std::optional<std::string>;

template <typename Map> State StateOf(const Map& map, const std::string& name) {
    const auto found = map.find(name);
    return found == map.end() ? State() : State(found->second);
}

// Calls `each(name, before, after, now)` for every file and key that any of the three holds.
template <typename Each>
void ForEachThing(const MachineState& before, const MachineState& after, const MachineState& now, Each each) {
    for (auto member : {&MachineState::files, &MachineState::keys}) {
        std::set<std::string> names;
        for (const MachineState* state : {&before, &after, &now})
            for (const auto& entry : state->*member)
                names.insert(entry.first);
        for (const std::string& name : names)
            each(name, StateOf(before.*member, name), StateOf(after.*member, name),
                 StateOf(now.*member, name));
    }
}

} // namespace

namespace {

std::string MemoryFolder() {
    constexpr const char* kShared = "/dev/shm";
    std::error_code ec;
    return fs::is_directory(kShared, ec) && ::access(kShared, W_OK) == 0 ? kShared : std::string();
}

} // namespace

FaultMachine::FaultMachine() : TempPrefix(MemoryFolder()) {}

void UseFaultRoots() {
    Roots() = PathRoots{};
    Roots().programFolder = "C:\\Prog\\";
    Roots().windowsFolder = "C:\\WINDOWS\\";
    Roots().tempFolder = "C:\\Temp\\";
    Roots().packageFolder = "C:\\Pkg\\";
    Roots().registryFolder = "C:\\Pkg\\Reg\\";
    InstallFolder(1) = "C:\\DVR\\";
    CurrentRunLog().Clear();
}

MachineState Snapshot(const TempPrefix& machine, const std::vector<RegistryTop>& tops) {
    MachineState state;
    const fs::path root = fs::path(machine.host()) / "drive_c";
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || plat::host::IsTemporaryName(entry.path().filename().string()))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        state.files[WindowsPathOf(root, entry.path())] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    for (const RegistryTop& top : tops) {
        const RegFileExport exported = WriteRegFile(top.root, top.subKey);
        EXPECT_TRUE(exported.error == 0 || exported.error == 2) << exported.where << " " << exported.error;
        if (exported.error == 0) AddKeys(exported.text, state.keys);
    }
    return state;
}

std::vector<std::string> Temporaries(const TempPrefix& machine) {
    std::vector<std::string> found;
    const fs::path root = fs::path(machine.host()) / "drive_c";
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (plat::host::IsTemporaryName(entry.path().filename().string()))
            found.push_back(WindowsPathOf(root, entry.path()));
    return found;
}

std::vector<std::string> Torn(const MachineState& before, const MachineState& after,
                              const MachineState& now) {
    std::vector<std::string> torn;
    ForEachThing(before, after, now,
                 [&](const std::string& name, const State& old, const State& made, const State& is) {
                     if (is != old && is != made) torn.push_back(name);
                 });
    return torn;
}

std::vector<std::string> NotDone(const MachineState& before, const MachineState& after,
                                 const MachineState& now) {
    std::vector<std::string> left;
    ForEachThing(before, after, now,
                 [&](const std::string& name, const State& old, const State& made, const State& is) {
                     if (made != old && is == old) left.push_back(name);
                 });
    return left;
}

bool NamedAsFailed(const RunLog& log, const std::string& what) {
    const std::string thing = Upper(what);
    for (const RunLogEntry& entry : log.entries()) {
        if (entry.event != RunEvent::Failed) continue;
        const std::string path = Upper(entry.path);
        // A failed folder names the files below it; a failed value names its key.
        if (path == thing || thing.starts_with(path + "\\") || path.starts_with(thing + "\\") ||
            Upper(entry.detail).find(thing) != std::string::npos)
            return true;
    }
    return false;
}

void ExpectWholeOutcome(const TempPrefix& machine, const MachineState& before, const MachineState& after,
                        const MachineState& now, const RunLog& log) {
    EXPECT_EQ(Temporaries(machine), std::vector<std::string>());
    for (const std::string& torn : Torn(before, after, now)) {
        // The temporary folder is scratch space: a work file there whose delete failed is left
        // over, not torn, as long as the run reports it.
        if (Upper(torn).starts_with("C:\\TEMP\\") && NamedAsFailed(log, torn)) continue;
        ADD_FAILURE() << torn << " is neither as before the run nor as the run makes it";
    }
    for (const std::string& left : NotDone(before, after, now))
        EXPECT_TRUE(NamedAsFailed(log, left))
            << left << " was left as it was, and the run log names no failure of it";
}

} // namespace tavo::test
