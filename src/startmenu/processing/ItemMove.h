#pragma once
#include <windows.h>

#include <string>

namespace startmenu {

// The single changes on disk that processing and its undo are made of. Each returns the
// system's error code, ERROR_SUCCESS when done; none ever replaces or deletes an item. Every
// path is taken as spelled (base::LiteralPath), and every change made is counted
// (product::NoteDiskChange).

// Moves a file or folder to a place where nothing is, also to another volume for a file.
DWORD MoveToFreePlace(const std::wstring& from, const std::wstring& to);

// Moves a file whose attributes are given to a free place, also when it is read-only, and
// gives it those attributes there.
DWORD MoveKeepingAttributes(const std::wstring& from, const std::wstring& to, DWORD attributes);

// Removes an empty folder, also a read-only one; one that stays keeps its attributes.
DWORD RemoveEmptyFolder(const std::wstring& folder, DWORD attributes);

// Makes a folder; removes an empty one.
DWORD MakeFolder(const std::wstring& folder);
DWORD RemoveFolder(const std::wstring& folder);

// Makes a folder again that a run removed, with the attributes it had.
DWORD RecreateFolder(const std::wstring& folder, DWORD attributes);

// The reason text for a system error, with a hint where rights are the cause.
std::wstring MoveFailureReason(DWORD error);

} // namespace startmenu
