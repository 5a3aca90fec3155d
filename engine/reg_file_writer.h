#pragma once
// A key tree of the registry as a registry text file ("Windows Registry Editor Version 5.00"), in
// the form engine/reg_file_parser.h reads back to the same keys, values, types and bytes.
#include "platform/registry.h"

#include <string>
#include <string_view>

namespace tavo {

struct RegFileExport {
    long error = 0;    // the registry's code (2: no such key); 0 when text holds the file
    std::string where; // the key the error came from
    std::string text;
};

// The key, then each key below it as the registry enumerates them, each with its values in their
// order. A text value is written as "text" only when that reads back as the same bytes; any other
// form goes as hex(T):. A name with a line break cannot be written: error 13.
RegFileExport WriteRegFile(plat::HKey root, std::string_view subKey);

} // namespace tavo
