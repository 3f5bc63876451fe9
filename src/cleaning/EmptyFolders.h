#pragma once
#include <string>

#include "win/FileIdentity.h"

namespace cleaning {

// The folders a clean-up never removes, even when empty: the two Startup folders given
// and every folder the system knows by name, in any spelling. Built once for a clean-up:
// each member costs the shell a look-up and the file system an open.
win::FolderSet KeptFolders(const std::wstring& commonStartup, const std::wstring& userStartup);

// Removes the empty sub-folders below folder, bottom-up, except the kept ones; folder itself
// stays. Hidden and system folders are neither entered nor removed, junctions and symbolic
// links neither followed nor removed. Failures are ignored.
void RemoveEmptyFolders(const std::wstring& folder, const win::FolderSet& kept);

} // namespace cleaning
