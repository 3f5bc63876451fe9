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

DWORD ReadWholeFile(const std::wstring& path, size_t maxBytes, std::string& bytes, DWORD share) {
    bytes.clear();
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size))
        return GetLastError();
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return ERROR_FILE_TOO_LARGE;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return GetLastError();
    return read == bytes.size() ? ERROR_SUCCESS : DWORD(ERROR_READ_FAULT);
}

DWORD WriteFromOffset(const std::wstring& path, unsigned long long end, const std::string& bytes,
                      DWORD disposition) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(end);
    DWORD written = 0;
    if (!file || !SetFilePointerEx(file.Get(), offset, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(file.Get()) ||
        !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get()))
        return GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

DWORD ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    std::wstring fresh = path + L".new";
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.Get()))
            error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
    }
    if (error == ERROR_SUCCESS && !MoveFileExW(fresh.c_str(), path.c_str(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS)
        DeleteFileW(fresh.c_str());
    return error;
}

} // namespace win
