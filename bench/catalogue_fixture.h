#pragma once
// Catalogues for the benchmarks: five products of n items each, nested three deep (every top-level
// item has four sub-items with five sub-items each), with an export file entry for every item and
// a few DVR relationship groups, in a fresh machine prefix that lasts for the whole run.
#include <string>

namespace tavo::bench {

// The host folder of the run's machine prefix (made on first use, removed at exit).
const std::string& PrefixHost();

// The program folder ("C:\ToolN\", with "AutoRun.inf" and "Tavo.ini" pointing at the catalogue) of a
// catalogue with itemsPerProduct items (a multiple of 25) per product; made once per size.
const std::string& ProgramFolderFor(int itemsPerProduct);

} // namespace tavo::bench
