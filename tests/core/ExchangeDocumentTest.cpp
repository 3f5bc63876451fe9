// The layout document's text rules: its bytes, its checks before parsing, and how its items
// give categories to the entries.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "exchange/ExportDocument.h"
#include "exchange/LayoutRules.h"
#include "exchange/LayoutText.h"
#include "exchange/Utf8.h"
#include "startmenu/model/Categories.h"

using namespace exchange;
using startmenu::CategoryNone;
using startmenu::EntryList;
using startmenu::TStartMenu;

namespace {

// Stands in for the system's file-name lower-casing: folds ASCII and a few accented letters.
std::wstring LowerForTest(const std::wstring& text) {
    std::wstring lower = LowerAscii(text);
    for (wchar_t& c : lower)
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            c = static_cast<wchar_t>(c + 0x20);
    return lower;
}

bool NoCategoryFolder(const std::wstring&) {
    return false;
}

XmlElement Layout(std::initializer_list<XmlElement> sections) {
    return {kRootName, {}, {}, sections};
}

XmlElement Section(const wchar_t* name, std::initializer_list<XmlElement> categories) {
    return {name, {}, {}, categories};
}

XmlElement Category(const std::wstring& name, std::initializer_list<const wchar_t*> items) {
    XmlElement category{name, {}, {}, {}};
    for (const wchar_t* item : items)
        category.Add(L"name", item);
    return category;
}

} // namespace

TEST(ExchangeDocument, ExportBytesAreIndentedEscapedUtf8WithCrLf) {
    std::vector<std::wstring> categories = {L"Office", L"Games"};
    ProgramsFolderListing user{L"C:\\Users\\A&B\\Programs", {{L"Tom's <Notes>.lnk"}, {}}};
    ProgramsFolderListing common{L"", {{}, {L"\u65e5\u672c.lnk", L"Suite"}}};
    std::string bytes = DocumentBytes(ExportTree(categories, user, common));
    EXPECT_EQ(bytes, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                     "<MarlowenExport ver=\"1.0\" program=\"Marlowen\" Firm=\"Quenbrook\" "
                     "ProgramVersion=\"2.6\">\r\n"
                     "  <Path>\r\n"
                     "    <CurrentUser>C:\\Users\\A&amp;B\\Programs</CurrentUser>\r\n"
                     "    <Common/>\r\n"
                     "  </Path>\r\n"
                     "  <CurrentUser>\r\n"
                     "    <Office>\r\n"
                     "      <name>Tom's &lt;Notes&gt;.lnk</name>\r\n"
                     "    </Office>\r\n"
                     "    <Games/>\r\n"
                     "  </CurrentUser>\r\n"
                     "  <Common>\r\n"
                     "    <Office/>\r\n"
                     "    <Games>\r\n"
                     "      <name>\xE6\x97\xA5\xE6\x9C\xAC.lnk</name>\r\n"
                     "      <name>Suite</name>\r\n"
                     "    </Games>\r\n"
                     "  </Common>\r\n"
                     "</MarlowenExport>\r\n");
    EXPECT_TRUE(IsElementName(L"Office"));
    EXPECT_FALSE(IsElementName(L"My Games"));
    EXPECT_FALSE(IsElementName(L"1st"));
    EXPECT_FALSE(IsElementName(L""));
}

TEST(ExchangeDocument, TextSurvivesUtf8BothWaysAndBadBytesAreRefused) {
    const std::wstring text = L"A\u00e9\u65e5\U0001F600z";
    std::wstring back;
    ASSERT_TRUE(TextFromUtf8(Utf8FromText(text), back));
    EXPECT_EQ(back, text);
    EXPECT_EQ(Utf8FromText(L"\U0001F600"), "\xF0\x9F\x98\x80");

    std::wstring decoded;
    EXPECT_TRUE(DecodeLayoutBytes("\xEF\xBB\xBF<a/>", decoded));
    EXPECT_EQ(decoded, L"<a/>");
    EXPECT_TRUE(DecodeLayoutBytes(std::string("\xFF\xFE<\0a\0/\0>\0", 10), decoded));
    EXPECT_EQ(decoded, L"<a/>");
    EXPECT_TRUE(DecodeLayoutBytes(std::string("\xFE\xFF\0<\xD8\x3D\xDE\x00", 8), decoded));
    EXPECT_EQ(decoded, L"<\U0001F600");
    for (const char* bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "ab\xC3"})
        EXPECT_FALSE(DecodeLayoutBytes(bad, decoded)) << bad;
    EXPECT_FALSE(DecodeLayoutBytes(std::string("\xFF\xFE\x00\xD8", 4), decoded)) << "lone half";
}

TEST(ExchangeDocument, HostileTextIsRefusedBeforeParsingAndQuickly) {
    EXPECT_EQ(LayoutTextProblem(L"<?xml version=\"1.0\"?><MarlowenExport a=\"<b>\"><!-- <x> -->"
                                L"<CurrentUser><Office><name>a</name></Office></CurrentUser>"
                                L"<Common/></MarlowenExport>"),
              L"");
    EXPECT_EQ(LayoutTextProblem(L" \r\n"), L"it is empty");
    // The parser would stop at a NUL and see an empty or broken document.
    for (const std::wstring& nul :
         {std::wstring(L"\0<MarlowenExport/>", 18), std::wstring(L" \r\n\0", 4),
          std::wstring(L"<r>\n <name>A\0B</name></r>", 26)})
        EXPECT_EQ(LayoutTextProblem(nul).find(L"it contains a NUL character (line "), 0u)
            << LayoutTextProblem(nul).size();
    EXPECT_NE(LayoutTextProblem(std::wstring(L"<r>\n <name>A\0B</name></r>", 26))
                  .find(L"line 2, column 9"),
              std::wstring::npos);
    EXPECT_NE(LayoutTextProblem(L"<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ENTITY a \"x\">]><r/>"),
              L"");
    EXPECT_NE(LayoutTextProblem(L"<!doctype r SYSTEM \"file:///C:/secret.txt\"><r/>"), L"");
    EXPECT_NE(LayoutTextProblem(L"<r><![CDATA[ ]]><!ENTITY x \"y\"></r>"), L"");

    EXPECT_EQ(LayoutTextProblem(L"<a><b><c/></b></a>", 2), L"");
    EXPECT_NE(LayoutTextProblem(L"<a><b><c></c></b></a>", 2), L"");
    EXPECT_EQ(LayoutTextProblem(L"<a></a><b></b><c></c>", 1), L"") << "siblings are no depth";
    EXPECT_EQ(LayoutTextProblem(L"<a x='/>'><b></b></a>", 2), L"") << "quoted '>' is no tag end";

    auto start = std::chrono::steady_clock::now();
    std::wstring deep;
    for (int i = 0; i < 100000; ++i)
        deep += L"<a>";
    EXPECT_NE(LayoutTextProblem(deep), L"");
    std::wstring flat(4 * 1024 * 1024, L'x');
    EXPECT_EQ(LayoutTextProblem(flat), L"");
    std::wstring comments;
    for (int i = 0; i < 200000; ++i)
        comments += L"<!--";
    EXPECT_EQ(LayoutTextProblem(comments), L"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(ExchangeDocument, RootAndSectionsMustBeThereInExactCase) {
    EXPECT_EQ(LayoutProblem(nullptr), L"it has no root element");
    XmlElement good = Layout({Section(kUserSection, {}), Section(kCommonSection, {})});
    EXPECT_EQ(LayoutProblem(&good), L"");
    XmlElement lower = good;
    lower.name = L"marlowenexport";
    EXPECT_NE(LayoutProblem(&lower).find(L"\"marlowenexport\""), std::wstring::npos);
    // The CurrentUser inside Path is no section.
    XmlElement pathOnly =
        Layout({Section(L"Path", {Section(kUserSection, {})}), Section(kCommonSection, {})});
    EXPECT_EQ(LayoutProblem(&pathOnly), L"the section \"CurrentUser\" is missing");
    XmlElement noCommon = Layout({Section(kUserSection, {}), Section(L"common", {})});
    EXPECT_EQ(LayoutProblem(&noCommon), L"the section \"Common\" is missing");
}

// One document from another machine that exercises the matching rules together.
TEST(ExchangeDocument, ItemsGiveTheirCategoryByTheRulesOfCaseAndOrder) {
    const std::vector<std::wstring> names = startmenu::DefaultCategoryNames();
    XmlElement layout =
        Layout({Section(L"Path", {Category(L"CurrentUser", {L"Writer.lnk"})}),
                Section(kUserSection,
                        {Category(L"OFFICE", {L"writer.LNK", L"Chess.lnk", L"\u00c9t\u00e9.lnk"}),
                         Category(L"x:games", {L"Mail.lnk"}), Category(L"Offices", {L"Tool.lnk"})}),
                Section(kCommonSection, {Category(L"Games", {L"CHESS.lnk"}),
                                         Category(L"internet", {L"Twin.lnk", L"Gone.lnk"})})});
    std::vector<Assignment> assignments = LayoutAssignments(layout, names);
    ASSERT_EQ(assignments.size(), 7u);
    EXPECT_EQ(assignments[0].category, 0);
    EXPECT_EQ(assignments[3].category, 2) << "the local name counts";
    EXPECT_EQ(assignments[4].item, L"CHESS.lnk") << "no item of an unknown category";

    EntryList entries;
    auto add = [&](const std::wstring& path, int category) {
        TStartMenu entry;
        entry.Path = path;
        entry.Category = category;
        return &entries.Append(path.substr(path.find_last_of(L'\\') + 1), entry);
    };
    auto* writer = add(L"C:\\Common\\Writer.lnk", CategoryNone);
    auto* chess = add(L"C:\\Common\\Chess.lnk", CategoryNone);
    auto* ete = add(L"C:\\User\\\u00e9t\u00e9.lnk", CategoryNone);
    auto* mail = add(L"C:\\User\\Mail.lnk", CategoryNone);
    auto* twin = add(L"C:\\User\\Twin.lnk", CategoryNone);
    auto* twin2 = add(L"C:\\Common\\TWIN.lnk", 5);
    auto* kept = add(L"C:\\Common\\Spreadsheet.lnk", 1);
    auto* tool = add(L"C:\\Common\\Tool.lnk", CategoryNone);
    auto& child = writer->AppendChild(L"Help.lnk", TStartMenu{L"C:\\Common\\Writer.lnk\\Help.lnk"});
    ImportOutcome outcome = AssignCategories(entries, assignments, LowerForTest, NoCategoryFolder);
    EXPECT_EQ(outcome.applied, 6u);
    EXPECT_EQ(outcome.unmatched, std::vector<std::wstring>{L"Gone.lnk"});

    EXPECT_EQ(writer->Entry().Category, 0) << "file names match in any letter case";
    EXPECT_EQ(chess->Entry().Category, 2) << "Common is read last and wins";
    EXPECT_EQ(ete->Entry().Category, 0) << "file-name rules fold more than ASCII";
    EXPECT_EQ(mail->Entry().Category, 2) << "a CurrentUser item may name a common entry";
    EXPECT_EQ(twin->Entry().Category, 4);
    EXPECT_EQ(twin2->Entry().Category, 5) << "only the first of equal names";
    EXPECT_EQ(kept->Entry().Category, 1) << "an entry not named keeps its category";
    EXPECT_EQ(tool->Entry().Category, CategoryNone);
    EXPECT_EQ(child.Entry().Category, CategoryNone);

    AssignCategories(entries, assignments, LowerForTest, NoCategoryFolder);
    EXPECT_EQ(chess->Entry().Category, 2) << "a second import gives the same";
}

// A category folder is no item: a layout that names it, or what the scan leaves out, or a
// name that is no file name of an entry, changes nothing, and the user is told each once.
TEST(ExchangeDocument, NamesThatMatchNoItemToCategoriseAreReportedOnce) {
    EntryList entries;
    auto add = [&](const std::wstring& name) {
        TStartMenu entry;
        entry.Path = L"C:\\Programs\\" + name;
        return &entries.Append(name, entry);
    };
    auto* games = add(L"Games");
    auto* tool = add(L"Tool.lnk");
    auto isCategoryFolder = [](const std::wstring& path) {
        return LowerForTest(path.substr(path.find_last_of(L'\\') + 1)) == L"games";
    };
    const std::wstring hostile[] = {
        L"GAMES", L"StartUp",    L"..\\..\\Tool.lnk", L"C:\\Windows\\win.ini",
        L"*.lnk", L"Tool.lnk:x", L"Tool.lnk ",        L"",
        L"games"};
    std::vector<Assignment> assignments;
    for (const std::wstring& name : hostile)
        assignments.push_back({0, name});
    assignments.push_back({4, L"tool.LNK"});
    assignments.push_back({0, L"StartUp"});
    ImportOutcome outcome = AssignCategories(entries, assignments, LowerForTest, isCategoryFolder);
    EXPECT_EQ(games->Entry().Category, CategoryNone) << "a category folder is never moved";
    EXPECT_EQ(tool->Entry().Category, 4);
    EXPECT_EQ(outcome.applied, 1u);
    std::vector<std::wstring> expected(std::begin(hostile), std::end(hostile));
    EXPECT_EQ(outcome.unmatched, expected) << "in document order, each spelling once";

    std::wstring apply = ImportReportText(L"C:\\m.xml", outcome, true);
    EXPECT_EQ(apply.find(L"9 names of the layout \"C:\\m.xml\" matched no item"), 0u)
        << apply.size();
    EXPECT_NE(apply.find(L"\u2022 \"GAMES\""), std::wstring::npos);
    EXPECT_NE(apply.find(L"\u2022 \"\"\r\n"), std::wstring::npos) << "an empty name is shown";
    std::wstring select = ImportReportText(L"C:\\m.xml", outcome, false);
    EXPECT_EQ(select.find(L"1 item of the layout \"C:\\m.xml\" was given its category"), 0u);
    EXPECT_NE(select.find(apply), std::wstring::npos);

    ImportOutcome all{3, {}};
    EXPECT_EQ(ImportReportText(L"m.xml", all, true), L"") << "nothing to tell";
    EXPECT_EQ(ImportReportText(L"m.xml", all, false).find(L"3 items of the layout"), 0u);
    ImportOutcome odd{0, {L"a\r\nb" + std::wstring(200, L'x')}};
    std::wstring shown = ImportReportText(L"m.xml", odd, true);
    EXPECT_NE(shown.find(L"\"a  bxx"), std::wstring::npos) << "no line breaks of the file's own";
    EXPECT_LT(shown.size(), 400u) << "a long name is cut";
}
