#pragma once
// Stand-ins for the shell and for the Simple MAPI mail client that keep what they are handed,
// for tests that put them in the place of the system's.
#include <windows.h>
#include <mapi.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "extras/USendMailMAPI.h"
#include "win/ShellOpen.h"

namespace testing_support {

// One ShellExecute as the program asked for it.
struct ShellCall {
    HWND owner;
    std::optional<std::wstring> verb; // absent: the default verb
    std::wstring file;
    int show;
    std::wstring parameters = {};
    bool operator==(const ShellCall& other) const {
        return owner == other.owner && verb == other.verb && file == other.file &&
               show == other.show && parameters == other.parameters;
    }
};

class RecordingShell : public win::Shell {
public:
    void Open(HWND owner, const wchar_t* verb, const std::wstring& file, int show) override {
        calls.push_back(
            {owner, verb ? std::optional<std::wstring>(verb) : std::nullopt, file, show});
    }
    void Run(HWND owner, const std::wstring& program, const std::wstring& parameters,
             int show) override {
        calls.push_back({owner, L"open", program, show, parameters});
    }
    std::vector<ShellCall> calls;

private:
    win::ScopedShell use_{*this};
};

// A MapiMessage and the call's other arguments, copied while the call was on; a null text or
// list stays absent.
struct SentMail {
    struct Party {
        ULONG reserved, recipClass;
        std::optional<std::string> name, address;
        ULONG entryIdSize;
        const void* entryId;
    };
    struct File {
        ULONG reserved, flags, position;
        std::optional<std::string> pathName, fileName;
        const void* fileType;
    };
    LHANDLE session;
    ULONG_PTR parentWindow;
    FLAGS flags;
    ULONG reserved;
    ULONG messageReserved;
    std::optional<std::string> subject, noteText, messageType, dateReceived, conversationId;
    FLAGS messageFlags;
    std::optional<Party> originator;
    ULONG recipCount;
    std::optional<std::vector<Party>> recips;
    ULONG fileCount;
    std::optional<std::vector<File>> files;
};

// Serves SendMail in place of "MAPI32.DLL" while it lives: the library loads or not, has the
// entry point or not, and the client answers from a script.
class StandInMail {
public:
    explicit StandInMail(bool libraryLoads = true, bool hasEntryPoint = true);
    StandInMail(const StandInMail&) = delete;
    StandInMail& operator=(const StandInMail&) = delete;
    ~StandInMail();

    std::deque<ULONG> answers; // SUCCESS_SUCCESS when empty
    std::vector<SentMail> sent;

private:
    extras::MailSystem system_;
    extras::ScopedMailSystem use_;
    StandInMail* previous_;
};

} // namespace testing_support
