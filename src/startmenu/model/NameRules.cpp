#include "startmenu/model/NameRules.h"

namespace startmenu {

std::wstring ExtensionOf(const std::wstring& fileName) {
    size_t pos = fileName.find_last_of(L".\\:");
    if (pos == std::wstring::npos || fileName[pos] != L'.')
        return {};
    return fileName.substr(pos);
}

std::wstring DisplayNameOf(const std::wstring& fileName) {
    return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

std::wstring NumberedName(const std::wstring& name, bool isFolder, int n) {
    std::wstring extension = isFolder ? std::wstring() : ExtensionOf(name);
    // A name that is only an extension (".hidden") has no stem to number.
    if (extension.size() == name.size())
        extension.clear();
    return name.substr(0, name.size() - extension.size()) + L" (" + std::to_wstring(n) + L")" +
           extension;
}

bool IsSkippedTopLevelName(const std::wstring& lowerName, const std::wstring& lowerStartupDir) {
    if (ExtensionOf(lowerName) == L".ini")
        return true;
    return !lowerStartupDir.empty() && lowerStartupDir.find(lowerName) != std::wstring::npos;
}

} // namespace startmenu
