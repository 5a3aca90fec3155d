#pragma once
// Where the catalogue and the export file are. Both paths are process-wide; start-up computes them
// again, to the same values, for every product.
#include <string>

namespace tavo {

// The catalogue path: the text of key "FileOfTreeContent" in section "TreeCtrl" of the settings
// INI when it names an existing file (not a folder) as it stands; otherwise the program folder
// without its closing '\' followed by the text (which is expected to start with '\').
std::string LocateCatalogue();

// The export file path: program folder + "ExportFile" of the catalogue's section "General"
// ("Src\Tavo.ini" when empty), with no existence test. Empty before the first LoadCatalogueHeader.
const std::string& ExportFilePath();

// Locates the catalogue and makes it the file ReadCatalogueValue reads, fills the export file path
// and returns the product's top-level item count ("%s_TotalItemNum", missing = 0). A code other
// than 2, 4, 8 or 16 reads the DVR's count.
int LoadCatalogueHeader(int productCode);

} // namespace tavo
