#include "extras/USendMailMAPI.h"

#include <optional>

#include "win/Application.h"
#include "win/SystemLibrary.h"
#include "win/Text.h"
#include "win/UserPrompt.h"

namespace extras {
namespace {

constexpr std::int32_t kNoLibrary = -1, kNoEntryPoint = 1;

const MailSystem* replacement = nullptr;

// The library of one mail, the program's own or a test's; released when it goes.
class MailLibrary {
public:
    MailLibrary() {
        if (replacement) {
            loaded_ = replacement->LibraryLoads;
            entry_ = replacement->MAPISendMail;
            return;
        }
        library_.emplace(L"MAPI32.DLL");
        loaded_ = library_->Loaded();
        entry_ = library_->Find<LPMAPISENDMAIL>("MAPISendMail");
    }
    bool Loaded() const { return loaded_; }
    LPMAPISENDMAIL Entry() const { return entry_; }

private:
    std::optional<win::SystemLibrary> library_;
    bool loaded_ = false;
    LPMAPISENDMAIL entry_ = nullptr;
};

// A text for the ANSI entry point; null when empty.
LPSTR Field(std::string& text) {
    return text.empty() ? nullptr : text.data();
}

// A path the ANSI code page cannot spell is handed over by its short name, which it can;
// a volume without short names leaves it unspellable.
std::string AnsiPath(const std::wstring& path, bool& spelled) {
    std::string ansi = win::AnsiFromWide(path, &spelled);
    if (spelled)
        return ansi;
    DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return ansi;
    std::wstring shortPath(size, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), size));
    return win::AnsiFromWide(shortPath, &spelled);
}

// One sender or recipient: the name falls back to the address, which goes as SMTP.
struct Party {
    std::string name, address;
    bool spelled = true;
    MapiRecipDesc desc{};

    Party(ULONG recipClass, const std::wstring& wideName, const std::wstring& wideAddress) {
        address = win::AnsiFromWide(L"SMTP:" + wideAddress, &spelled);
        name = win::AnsiFromWide(wideName.empty() ? wideAddress : wideName);
        desc.ulRecipClass = recipClass;
        desc.lpszName = name.data();
        desc.lpszAddress = address.data();
    }
    Party(const Party&) = delete; // desc points into the object itself
    Party& operator=(const Party&) = delete;
};

void ReportFailure(std::int32_t result) {
    win::Prompt().Message(GetActiveWindow(),
                          L"Error sending mail (" + std::to_wstring(result) + L").",
                          win::Application::Title(), MB_OK | MB_ICONERROR);
}

} // namespace

ScopedMailSystem::ScopedMailSystem(const MailSystem& system) : previous_(replacement) {
    replacement = &system;
}

ScopedMailSystem::~ScopedMailSystem() {
    replacement = previous_;
}

std::int32_t SendMail(const std::wstring& subject, const std::wstring& body,
                      const std::wstring& fileName, const std::wstring& senderName,
                      const std::wstring& senderAddress, const std::wstring& recipientName,
                      const std::wstring& recipientAddress) {
    std::string ansiSubject = win::AnsiFromWide(subject), ansiBody = win::AnsiFromWide(body);
    MapiMessage message{};
    message.lpszSubject = Field(ansiSubject);
    message.lpszNoteText = Field(ansiBody);

    // An address or a path spelled with stand-in characters would reach someone else or
    // attach another file: such a mail is refused with the client's own codes for them.
    std::int32_t refusal = 0;
    std::optional<Party> sender, recipient;
    if (!senderAddress.empty()) {
        sender.emplace(MAPI_ORIG, senderName, senderAddress);
        message.lpOriginator = &sender->desc;
        if (!sender->spelled)
            refusal = MAPI_E_UNKNOWN_RECIPIENT;
    }
    if (!recipientAddress.empty()) {
        recipient.emplace(MAPI_TO, recipientName, recipientAddress);
        message.nRecipCount = 1;
        message.lpRecips = &recipient->desc;
        if (!recipient->spelled)
            refusal = MAPI_E_UNKNOWN_RECIPIENT;
    }
    std::string path;
    MapiFileDesc file{};
    if (!fileName.empty()) {
        bool spelled = true;
        path = AnsiPath(fileName, spelled);
        file.nPosition = static_cast<ULONG>(-1); // not placed inside the text
        file.lpszPathName = path.data();
        message.nFileCount = 1;
        message.lpFiles = &file;
        if (!spelled)
            refusal = MAPI_E_ATTACHMENT_NOT_FOUND;
    }

    std::int32_t result = refusal;
    if (refusal == 0) {
        MailLibrary library;
        if (!library.Loaded())
            result = kNoLibrary;
        else if (!library.Entry())
            result = kNoEntryPoint;
        else
            result = static_cast<std::int32_t>(
                library.Entry()(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0));
    }
    if (result != 0)
        ReportFailure(result);
    return result;
}

} // namespace extras
