#include "win/FileSystem.h"

#include "base/PathRules.h"
#include "win/Errors.h"
#include "win/Handles.h"

namespace win {

void ForEachFile(const std::wstring& pattern,
                 const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    ForEachFile(pattern, visit, [] { return false; });
}

void ForEachFile(const std::wstring& pattern,
                 const std::function<void(const WIN32_FIND_DATAW&)>& visit,
                 const std::function<bool()>& stopped) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(base::LiteralPath(pattern).c_str(), &data));
    if (!find)
        return;
    do {
        if (stopped())
            return;
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
            visit(data);
    } while (FindNextFileW(find.Get(), &data));
}

DWORD AttributesOf(const std::wstring& path) {
    return GetFileAttributesW(base::LiteralPath(path).c_str());
}

bool IsExistingDirectory(const std::wstring& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFile(const std::wstring& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD CreateFolderUnlessThere(const std::wstring& path) {
    if (IsExistingDirectory(path) || CreateDirectoryW(base::LiteralPath(path).c_str(), nullptr))
        return ERROR_SUCCESS;
    return GetLastError();
}

void CreateFolderIfMissing(const std::wstring& path) {
    if (DWORD error = CreateFolderUnlessThere(path))
        ThrowSystemError(error);
}

} // namespace win
