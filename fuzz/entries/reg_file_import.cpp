// The registry text importer: any text is parsed or refused with a line; what parses is imported into
// a fresh registry, and the keys written back as text parse to the same values, types and bytes.
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/reg_file_writer.h"
#include "fuzz/entries/fuzz_check.h"
#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/sandbox.h"
#include "platform/paths.h"
#include "platform/registry_tree.h"

#include <map>
#include <string>
#include <tuple>

namespace tavo::fuzz {

namespace {

using ValueName = std::tuple<plat::HKey, std::string, std::string>; // root, folded key path and value name
using ValueMap = std::map<ValueName, std::pair<std::uint32_t, std::string>>;

// Every value of a parse; a later one of the same key and name is the one the registry keeps.
ValueMap Values(const RegFileParse& parsed) {
    ValueMap values;
    for (const RegFileKey& key : parsed.keys)
        for (const RegFileValue& value : key.values)
            values[{key.root, plat::reg::Folded(key.subKey), plat::reg::Folded(value.name)}] = {value.type,
                                                                                                value.data};
    return values;
}

} // namespace

int FuzzRegFile(const std::uint8_t* data, std::size_t size) {
    const RegFileParse parsed = ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
    Check((parsed.errorLine == 0) == parsed.error.empty(),
          "an error without its line, or a line without error");
    if (parsed.errorLine != 0) return 0;
    for (const RegFileKey& key : parsed.keys)
        for (const RegFileValue& value : key.values)
            Check(value.data.size() <= kRegFileMaxData, "value data over the limit was accepted");

    UseMachine(FreshFolder("registry"));
    if (ImportRegFile(parsed).error != 0) return 0;

    const ValueMap imported = Values(parsed);
    for (const RegFileKey& key : parsed.keys) {
        const RegFileExport exported = WriteRegFile(key.root, key.subKey);
        // A name with a line break has no text form; the writer says so instead of writing it.
        if (exported.error != 0) continue;
        const RegFileParse reread = ParseRegFile(exported.text);
        Check(reread.errorLine == 0, "an exported key does not parse: " + reread.error);
        const ValueMap back = Values(reread);
        for (const auto& [name, value] : imported) {
            if (std::get<0>(name) != key.root || std::get<1>(name) != plat::reg::Folded(key.subKey)) continue;
            const auto found = back.find(name);
            Check(found != back.end(), "an imported value is missing from the export");
            Check(found->second == value, "an imported value exports with other type or bytes");
        }
    }
    return 0;
}

} // namespace tavo::fuzz
