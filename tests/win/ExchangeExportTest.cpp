// The export of a real Start Menu in the test prefix, read back byte for byte.
#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"
#include "MainWindowFixture.h"
#include "exchange/UXMLmenuManage.h"
#include "win/Text.h"

using namespace testing_support;

namespace {

class ExchangeExport : public MainWindowTest {
protected:
    TempFolder out{L"export"};

    // One listed item per category folder, so the listing order cannot matter; beside each
    // what must stay out of the document.
    void MakeSortedStartMenu() {
        Shortcut(Common(L"Top.lnk"));
        MakeDir(Common(L"Office"));
        Shortcut(Common(L"Office\\Tom's & Jerry's.lnk"));
        MakeFile(Common(L"Office\\desktop.INI"));
        MakeDir(Common(L"Utilities"));
        MakeDir(Common(L"Utilities\\Suite"));
        Shortcut(Common(L"Utilities\\Suite\\Inner.lnk"));
        MakeDir(Common(L"Games"));
        Shortcut(Common(L"Games\\\u65e5\u672c\u8a9e.lnk"));
        MakeDir(Common(L"Entertainment"));
        Shortcut(Common(L"Entertainment\\Hidden.lnk"));
        SetFileAttributesW(Common(L"Entertainment\\Hidden.lnk").c_str(),
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        MakeDir(Common(L"Programming"));
        Shortcut(Common(L"Programming\\notes.ini.lnk"));
        MakeDir(Common(L"Unsorted"));
        Shortcut(Common(L"Unsorted\\Other.lnk"));
        MakeDir(User(L"Internet"));
        Shortcut(User(L"Internet\\Mail.lnk"));
        MakeFile(User(L"Internet\\Desktop.ini"));
        Shortcut(User(L"Mine.lnk"));
    }

    std::string Expected() const {
        auto path = [](const std::wstring& p) { return win::Utf8FromWide(p); };
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<MarlowenExport ver=\"1.0\" program=\"Marlowen\" Firm=\"Quenbrook\" "
               "ProgramVersion=\"2.6\">\r\n"
               "  <Path>\r\n"
               "    <CurrentUser>" +
               path(source.userPrograms) +
               "</CurrentUser>\r\n"
               "    <Common>" +
               path(source.commonPrograms) +
               "</Common>\r\n"
               "  </Path>\r\n"
               "  <CurrentUser>\r\n"
               "    <Office/>\r\n"
               "    <Utilities/>\r\n"
               "    <Games/>\r\n"
               "    <Entertainment/>\r\n"
               "    <Internet>\r\n"
               "      <name>Mail.lnk</name>\r\n"
               "    </Internet>\r\n"
               "    <Programming/>\r\n"
               "    <Graphics/>\r\n"
               "    <Security/>\r\n"
               "    <Other/>\r\n"
               "  </CurrentUser>\r\n"
               "  <Common>\r\n"
               "    <Office>\r\n"
               "      <name>Tom's &amp; Jerry's.lnk</name>\r\n"
               "    </Office>\r\n"
               "    <Utilities>\r\n"
               "      <name>Suite</name>\r\n"
               "    </Utilities>\r\n"
               "    <Games>\r\n"
               "      <name>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.lnk</name>\r\n"
               "    </Games>\r\n"
               "    <Entertainment>\r\n"
               "      <name>Hidden.lnk</name>\r\n"
               "    </Entertainment>\r\n"
               "    <Internet/>\r\n"
               "    <Programming>\r\n"
               "      <name>notes.ini.lnk</name>\r\n"
               "    </Programming>\r\n"
               "    <Graphics/>\r\n"
               "    <Security/>\r\n"
               "    <Other/>\r\n"
               "  </Common>\r\n"
               "</MarlowenExport>\r\n";
    }
};

} // namespace

TEST_F(ExchangeExport, WritesTheCategoryFoldersByteForByteAndReplacesAnOlderFile) {
    MakeSortedStartMenu();
    Open();
    std::wstring file = out / L"layout.xml";
    MakeFile(file, std::string(10000, 'x')); // longer than the document: must not shine through

    exchange::ExportStartMenu(form->Model(), file);

    std::string bytes = FileBytes(file);
    EXPECT_EQ(bytes, Expected());
    EXPECT_EQ(ListNames(out.Path()), std::vector<std::wstring>{L"layout.xml"})
        << "no temporary file stays";

    exchange::ExportStartMenu(form->Model(), file);
    EXPECT_EQ(FileBytes(file), bytes) << "the same menu gives the same bytes";
}

TEST_F(ExchangeExport, AFailedExportLeavesNoFileBehind) {
    Open();
    EXPECT_THROW(exchange::ExportStartMenu(form->Model(), out / L"missing\\layout.xml"),
                 win::AppError);
    EXPECT_TRUE(ListNames(out.Path()).empty());

    form->Model().CategoryNames[0] = L"My Office"; // no element name
    std::wstring file = out / L"layout.xml";
    try {
        exchange::ExportStartMenu(form->Model(), file);
        ADD_FAILURE() << "exported a category that is no element name";
    } catch (const win::AppError& error) {
        EXPECT_NE(error.Message().find(L"My Office"), std::wstring::npos);
    }
    EXPECT_TRUE(ListNames(out.Path()).empty());
}
