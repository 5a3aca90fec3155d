#include "engine/module_registration.h"

#include "engine/copy.h"
#include "engine/run_log.h"
#include "engine/work_copy.h"
#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

namespace {

constexpr std::string_view kGuidFile = "GUID.ini";
// The GUID a package carries in place of the machine's: all bytes zero but the last.
constexpr plat::Guid kPlaceholderGuid{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
constexpr std::string_view kPlaceholderComputer = ",L_oca_l,";

int ProfileNumber(std::string_view file, std::string_view section, std::string_view key) {
    return static_cast<std::int32_t>(plat::ProfileInt(file, section, key, 0));
}

// Replaces every occurrence; the number of replacements.
int ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    int count = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

// The number n of a name that "<prefix>%d" formats from n, the prefix matched without regard to case.
std::optional<long long> NumberOfName(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !plat::StartsWithNoCaseAscii(name, prefix)) return {};
    std::string_view digits = name.substr(prefix.size());
    const bool negative = digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits.front() == '0')) return {};
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return {};
        value = value * 10 + (c - '0');
    }
    if (negative && value == 0) return {};
    return negative ? -value : value;
}

// The numbers from `low` to `high` that name one of `names`, ascending and each once. Walking the
// names the file holds, not the range, keeps a damaged count of billions from stalling the restore.
std::vector<long long> NumbersNamed(const std::vector<std::string>& names, std::string_view prefix,
                                    long long low, long long high) {
    std::vector<long long> numbers;
    for (const std::string& name : names) {
        const std::optional<long long> n = NumberOfName(name, prefix);
        if (n && *n >= low && *n <= high) numbers.push_back(*n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

} // namespace

int GetMachineGuid(plat::Guid* guid) {
    if (const auto stored = plat::GuidFromText(plat::ProfileString(kGuidFile, "MAIN", "GUID"))) {
        *guid = *stored;
        return 1;
    }
    const plat::Guid created = plat::CreateGuid();
    if (!plat::WriteProfileString(kGuidFile, "MAIN", "GUID", plat::GuidToText(created))) return 0;
    *guid = created;
    return 1;
}

int RegisterImports(std::string_view path) {
    const int count = ProfileNumber(path, "Setup", "ImportNumber");
    if (count <= 0) return 1;
    plat::Guid machine;
    if (!GetMachineGuid(&machine)) return 0;
    const std::string machineText = plat::GuidToText(machine);
    const std::string placeholder = plat::GuidToText(kPlaceholderGuid);
    for (long long n : NumbersNamed(plat::ProfileKeys(path, "Setup"), "Import", 1, count)) {
        const std::string key = "Import" + std::to_string(n);
        std::string value = plat::ProfileString(path, "Setup", key);
        if (ReplaceAll(value, placeholder, machineText) > 0 &&
            !plat::WriteProfileString(path, "Setup", key, value))
            return 0;
    }
    return 1;
}

int RegisterModules(std::string_view path) {
    const int count = ProfileNumber(path, "RIOM", "ModualCnt");
    const int local = ProfileNumber(path, "RIOM", "nLocal");
    const int virtualCount = ProfileNumber(path, "RIOM", "VModualCnt");
    if (count <= 0 || virtualCount <= 0) return 1;
    plat::Guid machine;
    if (!GetMachineGuid(&machine)) return 0;
    const std::string machineText = "," + plat::GuidToText(machine) + ",";
    const std::string placeholder = "," + plat::GuidToText(kPlaceholderGuid) + ",";
    char name[17] = {};
    std::uint32_t size = sizeof name;
    if (!plat::ComputerName(name, &size)) return 0;
    const std::string computer = "," + std::string(name, size) + ",";
    for (long long n : NumbersNamed(plat::ProfileSectionNames(path), "Modual", local, count - 1LL)) {
        const std::string section = "Modual" + std::to_string(n);
        std::string value = plat::ProfileString(path, section, "SetupStr");
        const int guids = ReplaceAll(value, placeholder, machineText);
        if (guids + ReplaceAll(value, kPlaceholderComputer, computer) > 0 &&
            !plat::WriteProfileString(path, section, "SetupStr", value))
            return 0;
    }
    return 1;
}

bool IsModuleFile(std::string_view package) {
    const std::string upper = plat::UpperAscii(package);
    return upper.find("ORVRIOM.INI") != std::string::npos || upper.find("ORVWT.INI") != std::string::npos;
}

void RestoreModuleFile(std::string_view package, std::string_view live) {
    // A package file that is not there takes the live file with it, as any restored file does.
    if (plat::FileAttributes(package) == plat::kInvalidAttributes) {
        CopyOneFile(package, live, 0, 1);
        return;
    }
    const WorkCopy work("TavoModule.ini");
    const bool modules = plat::UpperAscii(package).find("ORVRIOM.INI") != std::string::npos;
    if (plat::CopyFileTo(package, work.path(), false) &&
        (modules ? RegisterModules(work.path()) : RegisterImports(work.path())))
        CopyOneFile(work.path(), live, 0, 1);
    else
        CurrentRunLog().Record(RunEvent::Failed, live,
                               "cannot be registered to this machine, error " +
                                   std::to_string(plat::LastError()));
}

} // namespace tavo
