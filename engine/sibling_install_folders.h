#pragma once
// The install folders of the servers, which the window program reads from the central INI
// "OrvCMS.ini" in the Windows folder when its main dialog is made; tavoctl reads them the same way
// before a run.
namespace tavo {

// Fills each server's install folder that is still empty from "OrvCMS.ini"; a value gets a final
// '\' when it has none, a missing or empty value leaves the folder empty (the run then prompts).
void ReadSiblingInstallFolders();

} // namespace tavo
