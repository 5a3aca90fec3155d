#pragma once
// The product runs: a packup or restore of one product walks its selection tree in load order and
// hands every selected item's action file to the engine; the DVR also has a reset to defaults over
// all of its items. The commands prepare a run, size the progress bar and show the outcome.
namespace tavo {

class SelectionTree;

// Prepares the path roots for the tree's product; 0 when that fails (a cancelled folder prompt, a
// package folder that cannot be made). Otherwise the census of every loaded item's action file,
// selected or not: the progress range of the run.
int PrepareRun(const SelectionTree& tree);

// direction non-zero: packup, zero: restore. 1, or 0 when the package archive could not be written
// (too little room, or it could not be opened or written).
//
// A packup rewrites the product's section of the export file with every item's selection code; a
// restore sets the restore flags from the "KEY_GENERAL" and "KEY_NETWORK" items and, for the DVR,
// writes the live "InstallPath" back into "OrvMulti.ini". The password item exports or imports the password store.
// When anything was selected the closing action file "Src\All.ini" of the program folder runs.
int RunProduct(const SelectionTree& tree, int direction);

// The DVR's reset to defaults: every loaded item, whatever its image, through the engine's defaults
// driver. "InstallPath" of "OrvMulti.ini" and "PAL" of "OrvPal.ini" survive it.
void RunDefaultsForAllItems(const SelectionTree& dvrTree);

} // namespace tavo
