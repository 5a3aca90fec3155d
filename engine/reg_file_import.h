#pragma once
// Writes the keys and values of a parsed registry text file into the registry.
#include "engine/reg_file_parser.h"

#include <string>

namespace tavo {

struct RegFileImport {
    long error = 0;    // the registry's code; 0 when every key and value was written
    std::string where; // the key the error came from
};

// Creates each key (with the keys on its way) and sets its values, in the file's order. Before
// anything is written every key under HKEY_LOCAL_MACHINE or HKEY_USERS is checked to lie in one of
// the machine's hives, the refusal a well-made file can meet; a store failure after that stops
// at the key it came from.
RegFileImport ImportRegFile(const RegFileParse& parsed);

} // namespace tavo
