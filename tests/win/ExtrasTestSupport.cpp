#include "ExtrasTestSupport.h"

namespace testing_support {
namespace {

StandInMail* current = nullptr;

std::optional<std::string> Text(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

SentMail::Party CopyParty(const MapiRecipDesc& desc) {
    return {desc.ulReserved,        desc.ulRecipClass, Text(desc.lpszName),
            Text(desc.lpszAddress), desc.ulEIDSize,    desc.lpEntryID};
}

ULONG WINAPI StandInSendMail(LHANDLE session, ULONG_PTR parent, lpMapiMessage message, FLAGS flags,
                             ULONG reserved) {
    SentMail mail{};
    mail.session = session;
    mail.parentWindow = parent;
    mail.flags = flags;
    mail.reserved = reserved;
    mail.messageReserved = message->ulReserved;
    mail.subject = Text(message->lpszSubject);
    mail.noteText = Text(message->lpszNoteText);
    mail.messageType = Text(message->lpszMessageType);
    mail.dateReceived = Text(message->lpszDateReceived);
    mail.conversationId = Text(message->lpszConversationID);
    mail.messageFlags = message->flFlags;
    if (message->lpOriginator)
        mail.originator = CopyParty(*message->lpOriginator);
    mail.recipCount = message->nRecipCount;
    if (message->lpRecips) {
        mail.recips.emplace();
        for (ULONG i = 0; i < message->nRecipCount; ++i)
            mail.recips->push_back(CopyParty(message->lpRecips[i]));
    }
    mail.fileCount = message->nFileCount;
    if (message->lpFiles) {
        mail.files.emplace();
        for (ULONG i = 0; i < message->nFileCount; ++i) {
            const MapiFileDesc& file = message->lpFiles[i];
            mail.files->push_back({file.ulReserved, file.flFlags, file.nPosition,
                                   Text(file.lpszPathName), Text(file.lpszFileName),
                                   file.lpFileType});
        }
    }
    current->sent.push_back(mail);
    if (current->answers.empty())
        return SUCCESS_SUCCESS;
    ULONG answer = current->answers.front();
    current->answers.pop_front();
    return answer;
}

} // namespace

StandInMail::StandInMail(bool libraryLoads, bool hasEntryPoint)
    : system_{libraryLoads, hasEntryPoint ? StandInSendMail : nullptr}, use_(system_),
      previous_(current) {
    current = this;
}

StandInMail::~StandInMail() {
    current = previous_;
}

} // namespace testing_support
