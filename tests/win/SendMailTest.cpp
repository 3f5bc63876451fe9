// A mail handed to a stand-in Simple MAPI client, which keeps every field it is given.
#include <gtest/gtest.h>

#include "ExtrasTestSupport.h"
#include "Fixtures.h"
#include "extras/USendMailMAPI.h"
#include "win/Text.h"

using namespace testing_support;
using extras::SendMail;

namespace {

class SendMailTest : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    win::ScopedPrompt usePrompt{prompt};
    TempFolder folder{L"mail"};

    // The error messages shown since the last call, each checked to be a plain error box.
    std::vector<std::wstring> Messages() {
        std::vector<std::wstring> texts;
        for (const ScriptedPrompt::Shown& shown : prompt.shown) {
            EXPECT_EQ(shown.type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
            EXPECT_EQ(shown.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            texts.push_back(shown.text);
        }
        prompt.shown.clear();
        return texts;
    }
};

using Texts = std::vector<std::wstring>;

} // namespace

TEST_F(SendMailTest, HandsTheClientTheMessageItIsGivenAndNothingMore) {
    std::wstring attachment = folder / L"notes.txt";
    MakeFile(attachment);
    StandInMail client;
    EXPECT_EQ(SendMail(L"Hi", L"Line\r\n", attachment, L"Ann", L"ann@example.org", L"Bob",
                       L"bob@example.org"),
              0);
    // Only addresses: each name is its address. Nothing at all: every pointer is null.
    EXPECT_EQ(SendMail(L"", L"", L"", L"", L"ann@example.org", L"", L"bob@example.org"), 0);
    EXPECT_EQ(SendMail(L"", L"", L"", L"Ann", L"", L"Bob", L""), 0);
    EXPECT_EQ(Messages(), Texts{});
    ASSERT_EQ(client.sent.size(), 3u);

    for (const SentMail& mail : client.sent) {
        EXPECT_EQ(mail.session, 0u);
        EXPECT_EQ(mail.parentWindow, 0u);
        EXPECT_EQ(mail.flags, static_cast<FLAGS>(MAPI_LOGON_UI | MAPI_DIALOG));
        EXPECT_EQ(mail.flags, 9u);
        EXPECT_EQ(mail.reserved, 0u);
        EXPECT_EQ(mail.messageReserved, 0u);
        EXPECT_FALSE(mail.messageType);
        EXPECT_FALSE(mail.dateReceived);
        EXPECT_FALSE(mail.conversationId);
        EXPECT_EQ(mail.messageFlags, 0u);
    }

    const SentMail& full = client.sent[0];
    EXPECT_EQ(full.subject, "Hi");
    EXPECT_EQ(full.noteText, "Line\r\n");
    ASSERT_TRUE(full.originator);
    EXPECT_EQ(full.originator->reserved, 0u);
    EXPECT_EQ(full.originator->recipClass, static_cast<ULONG>(MAPI_ORIG));
    EXPECT_EQ(full.originator->name, "Ann");
    EXPECT_EQ(full.originator->address, "SMTP:ann@example.org");
    EXPECT_EQ(full.originator->entryIdSize, 0u);
    EXPECT_EQ(full.originator->entryId, nullptr);
    EXPECT_EQ(full.recipCount, 1u);
    ASSERT_TRUE(full.recips);
    ASSERT_EQ(full.recips->size(), 1u);
    const SentMail::Party& to = full.recips->front();
    EXPECT_EQ(to.reserved, 0u);
    EXPECT_EQ(to.recipClass, static_cast<ULONG>(MAPI_TO));
    EXPECT_EQ(to.name, "Bob");
    EXPECT_EQ(to.address, "SMTP:bob@example.org");
    EXPECT_EQ(to.entryIdSize, 0u);
    EXPECT_EQ(to.entryId, nullptr);
    EXPECT_EQ(full.fileCount, 1u);
    ASSERT_TRUE(full.files);
    ASSERT_EQ(full.files->size(), 1u);
    const SentMail::File& file = full.files->front();
    EXPECT_EQ(file.reserved, 0u);
    EXPECT_EQ(file.flags, 0u);
    EXPECT_EQ(file.position, 0xFFFFFFFFu);
    EXPECT_EQ(file.pathName, win::AnsiFromWide(attachment));
    EXPECT_FALSE(file.fileName) << "the file's own name shows";
    EXPECT_EQ(file.fileType, nullptr);

    const SentMail& addressesOnly = client.sent[1];
    EXPECT_FALSE(addressesOnly.subject);
    EXPECT_FALSE(addressesOnly.noteText);
    ASSERT_TRUE(addressesOnly.originator);
    EXPECT_EQ(addressesOnly.originator->name, "ann@example.org");
    ASSERT_TRUE(addressesOnly.recips);
    ASSERT_EQ(addressesOnly.recips->size(), 1u);
    EXPECT_EQ(addressesOnly.recips->front().name, "bob@example.org");
    EXPECT_EQ(addressesOnly.recips->front().address, "SMTP:bob@example.org");
    EXPECT_EQ(addressesOnly.fileCount, 0u);
    EXPECT_FALSE(addressesOnly.files);

    // Names without addresses go nowhere.
    const SentMail& empty = client.sent[2];
    EXPECT_FALSE(empty.subject);
    EXPECT_FALSE(empty.noteText);
    EXPECT_FALSE(empty.originator);
    EXPECT_EQ(empty.recipCount, 0u);
    EXPECT_FALSE(empty.recips);
    EXPECT_EQ(empty.fileCount, 0u);
    EXPECT_FALSE(empty.files);
}

TEST_F(SendMailTest, EveryFailureIsOneMessageWithItsCode) {
    {
        StandInMail missing(false);
        EXPECT_EQ(SendMail(L"Hi", L"", L"", L"", L"", L"", L""), -1);
        EXPECT_EQ(Messages(), Texts{L"Error sending mail (-1)."});
        EXPECT_TRUE(missing.sent.empty());
    }
    {
        StandInMail withoutEntryPoint(true, false);
        EXPECT_EQ(SendMail(L"Hi", L"", L"", L"", L"", L"", L""), 1);
        EXPECT_EQ(Messages(), Texts{L"Error sending mail (1)."});
    }
    StandInMail client;
    client.answers = {MAPI_E_FAILURE, MAPI_E_USER_ABORT, SUCCESS_SUCCESS};
    EXPECT_EQ(SendMail(L"Hi", L"", L"", L"", L"", L"", L""), 2);
    EXPECT_EQ(Messages(), Texts{L"Error sending mail (2)."});
    // The user closed the compose window without sending.
    EXPECT_EQ(SendMail(L"Hi", L"", L"", L"", L"", L"", L""), 1);
    EXPECT_EQ(Messages(), Texts{L"Error sending mail (1)."});
    EXPECT_EQ(SendMail(L"Hi", L"", L"", L"", L"", L"", L""), 0);
    EXPECT_EQ(Messages(), Texts{});
    EXPECT_EQ(client.sent.size(), 3u);
}

TEST_F(SendMailTest, TextsOutsideTheAnsiCodePageNeverNameTheWrongAddressOrFile) {
    // A letter the system's ANSI code page lacks; none where that code page is UTF-8.
    std::wstring foreign;
    for (const wchar_t* letter : {L"\u4f8b", L"\u03a9", L"\u0436"}) {
        bool lossless = true;
        win::AnsiFromWide(letter, &lossless);
        if (!lossless) {
            foreign = letter;
            break;
        }
    }
    if (foreign.empty())
        GTEST_SKIP() << "the ANSI code page spells every character";

    std::wstring attachment = folder / (L"notes " + foreign + L".txt");
    MakeFile(attachment, "attached");
    StandInMail client;
    EXPECT_EQ(SendMail(L"Subject " + foreign, L"", attachment, L"", L"", L"", L"me@example.org"),
              0);
    ASSERT_EQ(client.sent.size(), 1u);
    const SentMail& mail = client.sent.front();
    // A text loses the letter; the file goes by its short name, which names the same file.
    EXPECT_EQ(mail.subject, "Subject ?");
    ASSERT_TRUE(mail.files);
    ASSERT_TRUE(mail.files->front().pathName);
    std::wstring handed = win::WideFromUtf8(*mail.files->front().pathName);
    EXPECT_EQ(handed.find(L'?'), std::wstring::npos);
    EXPECT_EQ(FileBytes(handed), "attached");

    // An address that cannot be spelled is not handed over at all.
    EXPECT_EQ(SendMail(L"", L"", L"", L"", L"", L"", foreign + L"@example.org"),
              MAPI_E_UNKNOWN_RECIPIENT);
    EXPECT_EQ(Messages(), Texts{L"Error sending mail (14)."});
    EXPECT_EQ(client.sent.size(), 1u);
}
