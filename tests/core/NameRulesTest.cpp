#include "startmenu/NameRules.h"

#include <gtest/gtest.h>

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

TEST(FileNameOf, TakesTheLastComponent) {
    EXPECT_EQ(FileNameOf(L"C:\\P\\Games"), L"Games");
    EXPECT_EQ(FileNameOf(L"Games.lnk"), L"Games.lnk");
    EXPECT_EQ(FileNameOf(L"C:\\P\\"), L"");
}

TEST(SameNameAscii, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameNameAscii(L"Microsoft Office", L"MICROSOFT office"));
    EXPECT_FALSE(SameNameAscii(L"\u00e9t\u00e9", L"\u00c9T\u00c9"));
    EXPECT_FALSE(SameNameAscii(L"Games", L"Games.lnk"));
    EXPECT_TRUE(SameNameAscii(L"", L""));
}

TEST(ContainsAsciiNoCase, FindsAnywhere) {
    EXPECT_TRUE(ContainsAsciiNoCase(L"C:\\Layouts\\Menu.XML", L"xml"));
    EXPECT_TRUE(ContainsAsciiNoCase(L"C:\\xmlfiles\\notes.txt", L"xml"));
    EXPECT_FALSE(ContainsAsciiNoCase(L"C:\\x-m-l", L"xml"));
    EXPECT_FALSE(ContainsAsciiNoCase(L"", L"xml"));
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

TEST(VolumeRootOf, DriveAndShareRoots) {
    EXPECT_EQ(VolumeRootOf(L"C:\\Program Files\\App\\app.exe"), L"C:\\");
    EXPECT_EQ(VolumeRootOf(L"q:"), L"q:\\");
    EXPECT_EQ(VolumeRootOf(L"\\\\server\\share\\dir\\app.exe"), L"\\\\server\\share\\");
    EXPECT_EQ(VolumeRootOf(L"\\\\server\\share"), L"\\\\server\\share\\");
    EXPECT_EQ(VolumeRootOf(L"\\\\server"), L"");
    EXPECT_EQ(VolumeRootOf(L"relative\\app.exe"), L"");
    EXPECT_EQ(VolumeRootOf(L""), L"");
}

TEST(ReplaceFolderPrefix, OnlyAtAWholeFolderName) {
    const std::wstring x86 = L"C:\\Program Files (x86)", native = L"C:\\Program Files";
    EXPECT_EQ(ReplaceFolderPrefix(L"c:\\program files (X86)\\App\\app.exe", x86, native),
              L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(ReplaceFolderPrefix(x86, x86, native), native);
    EXPECT_EQ(ReplaceFolderPrefix(L"C:\\Program Files (x86)2\\app.exe", x86, native), L"");
    EXPECT_EQ(ReplaceFolderPrefix(L"D:\\Tools\\app.exe", x86, native), L"");
    EXPECT_EQ(ReplaceFolderPrefix(L"C:\\Program Files (x86)\\app.exe", x86, L""), L"");
    EXPECT_EQ(ReplaceFolderPrefix(L"C:\\", L"", native), L"");
}

TEST(NumberedName, BeforeAFileExtensionAfterAFolderName) {
    EXPECT_EQ(NumberedName(L"Tool.lnk", false, 2), L"Tool (2).lnk");
    EXPECT_EQ(NumberedName(L"Read.me.txt", false, 12), L"Read.me (12).txt");
    EXPECT_EQ(NumberedName(L"Suite 2.0", true, 2), L"Suite 2.0 (2)");
    EXPECT_EQ(NumberedName(L"Makefile", false, 3), L"Makefile (3)");
    EXPECT_EQ(NumberedName(L".hidden", false, 2), L".hidden (2)");
}
