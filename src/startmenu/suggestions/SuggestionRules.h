#pragma once
// The rules that suggest a category for a top-level item from what is known of it (its name,
// a folder's contents, a shortcut's target, the user's lessons), and which items get none.
// No Windows call: built and tested natively.
#include <string>
#include <vector>

#include "startmenu/suggestions/KnownPrograms.h"
#include "startmenu/suggestions/LearnedChoices.h"

namespace startmenu {

// Everything known about one top-level item when its category is suggested.
struct ItemEvidence {
    std::wstring name; // the file name as listed ("Firefox.lnk", "GIMP 2")
    bool isFolder = false;
    // For a folder: the file names of the items inside it (from both Programs folders).
    std::vector<std::wstring> contents;
    // The shell shows the item under a name from one of Windows' own libraries
    // (IsWindowsOwnResource), or its target lies in the Windows folder.
    bool windowsOwn = false;
};

// What a shortcut's target tells, read from the file and its version resource.
struct TargetEvidence {
    std::wstring fileName; // "firefox.exe"
    std::wstring fileDescription, productName, companyName;
};

// The category a typical user would give the item, or -1 when the program cannot tell with
// good confidence. Never a category for Windows' own items, uninstallers, readme files and
// web links. What the user taught comes first, then the known programs, then the words of
// the name; a folder that its own name does not explain is judged by the programs inside it.
// Every rule below reads the built-in knowledge unless it is given another.
int SuggestCategory(const ItemEvidence& item, const LearnedChoices& learned,
                    const Knowledge& knowledge = Knowledge::BuiltIn());
// The same from a shortcut's target, for an item its name did not explain.
int SuggestFromTarget(const TargetEvidence& target,
                      const Knowledge& knowledge = Knowledge::BuiltIn());
// From the targets of a folder's programs (or of one shortcut): they must agree.
int SuggestFromTargets(const std::vector<TargetEvidence>& targets,
                       const Knowledge& knowledge = Knowledge::BuiltIn());

// The name under which a lesson about an item is kept: the shown name, normalized.
std::wstring LessonNameOf(const std::wstring& fileName, bool isFolder);

// The category a name (NormalizedName) points to, -1 when none.
int JudgeName(const std::wstring& normalized, const Knowledge& knowledge = Knowledge::BuiltIn());
// The category the words of a program's description (NormalizedName) point to, -1 when none.
int JudgeDescription(const std::wstring& normalized,
                     const Knowledge& knowledge = Knowledge::BuiltIn());
// What the known programs alone say of a name, in the shapes installers give names.
KnownAnswer KnownName(const std::wstring& normalized,
                      const Knowledge& knowledge = Knowledge::BuiltIn());
// What the known programs say of the whole name, its editions and packaging after it taken off
// ("HiBit Uninstaller Portable" is "HiBit Uninstaller"), never of its leading words alone.
KnownAnswer KnownWholeName(const std::wstring& normalized,
                           const Knowledge& knowledge = Knowledge::BuiltIn());
// An uninstaller, readme, help file, licence, web link or the like: never a program.
bool IsAsideItem(const std::wstring& fileName, const Knowledge& knowledge = Knowledge::BuiltIn());
// A folder or item of Windows itself (Accessories, Administrative Tools, Windows PowerShell,
// in the languages Windows ships), by its file name or the name the shell shows.
bool IsWindowsOwnName(const std::wstring& name);
// A desktop.ini LocalizedResourceName (or LocalizedFileNames value) that takes the shown
// name from a library of the Windows folder ("@%SystemRoot%\system32\shell32.dll,-21761").
bool IsWindowsOwnResource(const std::wstring& localizedName);

} // namespace startmenu
