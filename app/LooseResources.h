#pragma once
// Loose resource files are read by their relative names ("Dat/..."), from the
// working folder. When the working folder is not the resource folder and the
// resources are loose files only, a link named "Dat" in the working folder
// leads those names to the resource folder's "Dat".
#include <string>

// Makes the link in the current folder when it is needed. A "Dat" folder of
// the player's own is left alone; a link to another place (left by an earlier
// installation) is replaced. False when a needed link could not be made.
bool LinkLooseResources(const std::string& resourceFolder, const std::string& workingFolder);
