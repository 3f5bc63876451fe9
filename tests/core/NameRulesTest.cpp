#include "startmenu/model/NameRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace startmenu;

TEST(DisplayNameOf, DropsTheExtensionOnly) {
    EXPECT_EQ(DisplayNameOf(L"Word.lnk"), L"Word");
    EXPECT_EQ(DisplayNameOf(L"Tools"), L"Tools");
    EXPECT_EQ(DisplayNameOf(L"Suite 2.0"), L"Suite 2");
    EXPECT_EQ(DisplayNameOf(L"archive.tar.gz"), L"archive.tar");
    EXPECT_EQ(DisplayNameOf(L".hidden"), L"");
    EXPECT_EQ(DisplayNameOf(L"\u65e5\u672c\u8a9e.lnk"), L"\u65e5\u672c\u8a9e");
}

TEST(ExtensionOf, StopsAtPathSeparators) {
    EXPECT_EQ(ExtensionOf(L"C:\\dir.d\\file"), L"");
    EXPECT_EQ(ExtensionOf(L"C:\\dir.d\\file.LNK"), L".LNK");
    EXPECT_EQ(ExtensionOf(L"a.b:stream"), L"");
    EXPECT_EQ(ExtensionOf(L""), L"");
}

TEST(IsSkippedTopLevelName, KeepsIniFilesAndTheStartupFolderOut) {
    const std::wstring startup =
        L"c:\\programdata\\microsoft\\windows\\start menu\\programs\\startup";
    EXPECT_TRUE(IsSkippedTopLevelName(L"desktop.ini", startup));
    EXPECT_TRUE(IsSkippedTopLevelName(L"setup.ini", L""));
    EXPECT_TRUE(IsSkippedTopLevelName(L"startup", startup));
    // Any name found inside the Startup path goes, by the same rule.
    EXPECT_TRUE(IsSkippedTopLevelName(L"programs", startup));
    EXPECT_TRUE(IsSkippedTopLevelName(L"start menu", startup));
    EXPECT_FALSE(IsSkippedTopLevelName(L"word.lnk", startup));
    EXPECT_FALSE(IsSkippedTopLevelName(L"notes.ini.lnk", startup));
    EXPECT_FALSE(IsSkippedTopLevelName(L"startup", L""));
}

TEST(NumberedName, BeforeAFileExtensionAfterAFolderName) {
    EXPECT_EQ(NumberedName(L"Tool.lnk", false, 2), L"Tool (2).lnk");
    EXPECT_EQ(NumberedName(L"Read.me.txt", false, 12), L"Read.me (12).txt");
    EXPECT_EQ(NumberedName(L"Suite 2.0", true, 2), L"Suite 2.0 (2)");
    EXPECT_EQ(NumberedName(L"Makefile", false, 3), L"Makefile (3)");
    EXPECT_EQ(NumberedName(L".hidden", false, 2), L".hidden (2)");
}
