#include "exchange/LayoutFile.h"

#include "exchange/LayoutText.h"
#include "exchange/UXMLmenuManage.h"
#include "win/Errors.h"
#include "win/FileIdentity.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace exchange {
namespace {

std::wstring CannotWrite(const std::wstring& fileName, DWORD error) {
    return L"The file \"" + fileName + L"\" cannot be written: " + win::SystemErrorText(error);
}

// Windows refuses to replace a read-only file where Wine replaces it and drops the attribute:
// both refuse here, before anything is written.
void RefuseReadOnly(const std::wstring& target, const std::wstring& fileName) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw win::AppError(L"The file \"" + fileName +
                            L"\" was not replaced: it is read-only (its read-only attribute is "
                            L"set). Clear the attribute in the file's properties, or choose "
                            L"another name.");
}

// Deletes the temporary file unless it has been put in place.
struct TemporaryFile {
    std::wstring path;
    bool kept = false;
    ~TemporaryFile() {
        if (!kept)
            DeleteFileW(path.c_str());
    }
};

} // namespace

std::wstring RefusalText(const std::wstring& fileName, const std::wstring& problem) {
    return L"The file \"" + fileName + L"\" cannot be imported as a layout: " + problem + L".";
}

std::string ReadLayoutBytes(const std::wstring& fileName) {
    auto refuse = [&](const std::wstring& problem) {
        throw LayoutRefused(RefusalText(fileName, problem));
    };
    auto readError = [&](DWORD error) {
        refuse(L"it cannot be read (" + win::SystemErrorText(error) + L")");
    };
    win::FileHandle file(CreateFileW(win::ExtendedLengthPath(fileName).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        readError(GetLastError());
    // "nul.xml" or "com1.xml" in any folder is a device, which reads as nothing or never ends.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK)
        refuse(L"its name is that of a device (such as NUL, CON, AUX or COM1), not of a file");
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size))
        readError(GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxLayoutBytes)
        refuse(L"it is larger than " + std::to_wstring(kMaxLayoutBytes / (1024 * 1024)) +
               L" MB, and no layout is that large");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        readError(GetLastError());
    bytes.resize(read);
    return bytes;
}

void WriteFileReplacing(const std::wstring& fileName, const std::string& bytes) {
    // The temporary file's name is longer than the target's, beyond what plain paths take.
    std::wstring target = win::ExtendedLengthPath(fileName);
    RefuseReadOnly(target, fileName);
    TemporaryFile temporary;
    win::FileHandle file;
    for (int n = 0; !file; ++n) {
        temporary.path = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                         std::to_wstring(n) + L".tmp";
        file.Reset(CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD error = file ? ERROR_SUCCESS : GetLastError();
        if (!file && (error != ERROR_FILE_EXISTS || n == 100)) {
            temporary.kept = true; // nothing was made
            throw win::AppError(CannotWrite(fileName, error));
        }
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.Get()))
        throw win::AppError(CannotWrite(fileName, GetLastError()));
    file.Reset();
    RefuseReadOnly(target, fileName); // made read-only while the document was written
    if (!MoveFileExW(temporary.path.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw win::AppError(CannotWrite(fileName, GetLastError()));
    temporary.kept = true;
}

} // namespace exchange
