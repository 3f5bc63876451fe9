#include "backup/BackupIndex.h"

#include "backup/BackupKey.h"
#include "product/DiskChanges.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

namespace backup {
namespace {

// Thousands of copies take a few hundred KB; each profile function reads the whole file again,
// so a larger one is not read at all.
constexpr DWORD kLargest = 1u << 20;

// A profile function's list of NUL-terminated strings, read into a buffer that grows until
// the function no longer says it was cut short (by answering size - 2).
std::vector<std::wstring> ProfileStrings(const std::function<DWORD(wchar_t*, DWORD)>& read) {
    std::vector<wchar_t> buffer(4096);
    DWORD length = 0;
    for (;;) {
        length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size())
            break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::wstring> strings;
    for (DWORD start = 0; start < length;) {
        std::wstring item(buffer.data() + start);
        start += static_cast<DWORD>(item.size()) + 1;
        if (!item.empty())
            strings.push_back(std::move(item));
    }
    return strings;
}

// The file's bytes; false with the system's error when it cannot be read whole. A missing
// file has no bytes.
bool ReadBytes(const std::wstring& path, std::string& bytes, DWORD& error) {
    error = win::ReadWholeFile(path, kLargest, bytes);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

bool IsUtf16(const std::string& bytes) {
    return bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE", 2) == 0;
}

std::wstring Decoded(const std::string& bytes) {
    if (IsUtf16(bytes))
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                            (bytes.size() - 2) / 2);
    std::wstring text(bytes.size(), L'\0');
    int length = bytes.empty()
                     ? 0
                     : MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string Utf16Bytes(const std::wstring& text) {
    return std::string("\xFF\xFE", 2) +
           std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The text in the code page, when every character of it comes back unchanged.
bool AnsiBytes(const std::wstring& text, std::string& bytes) {
    if (text.empty())
        return true;
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    bytes.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size <= 0 || WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         bytes.data(), size, nullptr, nullptr) != size)
        return false;
    return Decoded(bytes) == text;
}

// Writes bytes as the new file, flushed, and reads them back.
bool WriteVerified(const std::wstring& path, const std::string& bytes, DWORD& error) {
    win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = GetLastError();
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get())) {
        error = written != bytes.size() && GetLastError() == ERROR_SUCCESS ? DWORD(ERROR_DISK_FULL)
                                                                           : GetLastError();
        return false;
    }
    file.Reset();
    std::string back;
    if (!ReadBytes(path, back, error))
        return false;
    if (back != bytes) {
        error = ERROR_DISK_FULL;
        return false;
    }
    return true;
}

} // namespace

bool IndexTooLarge(const std::wstring& index) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(index.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeHigh != 0 || data.nFileSizeLow > kLargest);
}

std::vector<std::wstring> SectionNames(const std::wstring& index) {
    if (IndexTooLarge(index))
        return {};
    return ProfileStrings([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, index.c_str());
    });
}

std::vector<std::wstring> SectionLines(const std::wstring& index, const std::wstring& section) {
    return ProfileStrings([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buffer, size, index.c_str());
    });
}

std::wstring ReadIndexDamage(const std::wstring& index) {
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    if (!ReadBytes(index, bytes, error))
        return error == ERROR_FILE_TOO_LARGE ? L"is larger than 1 MB, so it is not read"
                                             : L"cannot be read";
    return IndexDamage(bytes);
}

bool ChangeIndex(const std::wstring& index,
                 const std::function<std::wstring(const std::wstring&)>& change, DWORD& error) {
    std::string old;
    if (!ReadBytes(index, old, error))
        return false;
    std::wstring text = change(Decoded(old));
    std::string bytes;
    if (old.empty() || IsUtf16(old) || !AnsiBytes(text, bytes))
        bytes = Utf16Bytes(text);
    const std::wstring fresh = index + L".new";
    if (!WriteVerified(fresh, bytes, error)) {
        DeleteFileW(fresh.c_str());
        return false;
    }
    product::NoteDiskChange();
    if (!MoveFileExW(fresh.c_str(), index.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileW(fresh.c_str());
        return false;
    }
    product::NoteDiskChange();
    return true;
}

} // namespace backup
