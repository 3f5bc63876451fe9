#pragma once
#include <windows.h>
#include <mapi.h>

#include <cstdint>
#include <string>

// One mail handed to the user's own mail client through Simple MAPI, whose library is
// loaded from the system folder for the call only.
namespace extras {

// Hands a new message to the mail client, which shows it for the user to complete and send.
// Every text may be empty: an empty subject or body is left out, a sender or recipient goes
// only with an address (its name falls back to the address), a file only when named.
// Returns 0 when the client took the message, -1 when there is no Simple MAPI library, 1
// when it lacks MAPISendMail (also the client's code for a cancel), else the client's code;
// for every non-zero result it shows "Error sending mail (<code>)." itself.
std::int32_t SendMail(const std::wstring& subject, const std::wstring& body,
                      const std::wstring& fileName, const std::wstring& senderName,
                      const std::wstring& senderAddress, const std::wstring& recipientName,
                      const std::wstring& recipientAddress);

// What SendMail binds for one mail. The program's own loads "MAPI32.DLL" from the system
// folder; tests put another one in place with ScopedMailSystem.
struct MailSystem {
    bool LibraryLoads = true;
    LPMAPISENDMAIL MAPISendMail = nullptr; // null: the library lacks the entry point
};

class ScopedMailSystem {
public:
    explicit ScopedMailSystem(const MailSystem& replacement);
    ScopedMailSystem(const ScopedMailSystem&) = delete;
    ScopedMailSystem& operator=(const ScopedMailSystem&) = delete;
    ~ScopedMailSystem();

private:
    const MailSystem* previous_;
};

} // namespace extras
