#include "base/PathRules.h"

#include <gtest/gtest.h>

using namespace base;

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
    EXPECT_TRUE(IsShortcutFileName(L"Word.LNK"));
    EXPECT_FALSE(IsShortcutFileName(L".lnk"));
    EXPECT_FALSE(IsShortcutFileName(L"Word.lnk2"));
    EXPECT_FALSE(IsShortcutFileName(L"Word.lnk.txt"));
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

TEST(WithoutLongPathPrefix, GivesBackThePathTheSystemWouldParse) {
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\C:\\Windows\\..\\Users"), L"C:\\Windows\\..\\Users");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\c:"), L"c:");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\UNC\\server\\share\\dir"), L"\\\\server\\share\\dir");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\unc\\server\\share"), L"\\\\server\\share");
    // A volume named by its GUID has no other spelling: left as it is.
    const std::wstring volume = L"\\\\?\\Volume{01234567-89ab-cdef-0123-456789abcdef}\\";
    EXPECT_EQ(WithoutLongPathPrefix(volume), volume);
    EXPECT_EQ(WithoutLongPathPrefix(L"C:\\Users"), L"C:\\Users");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(WithoutLongPathPrefix(L""), L"");
}

TEST(IsVolumeRoot, DriveAndShareRootsInEverySpellingButNothingBelow) {
    for (const wchar_t* root :
         {L"C:\\", L"c:", L"C:\\\\", L"\\\\server\\share", L"\\\\server\\share\\", L"\\\\.\\C:\\"})
        EXPECT_TRUE(IsVolumeRoot(root)) << "root";
    for (const wchar_t* below : {L"C:\\Windows", L"C:\\Windows\\", L"\\\\server\\share\\dir",
                                 L"\\\\server", L"Windows", L"", L"\\"})
        EXPECT_FALSE(IsVolumeRoot(below)) << "below a root";
}

TEST(ParentFolderOf, WalksUpToTheVolumeRootAndStops) {
    EXPECT_EQ(ParentFolderOf(L"C:\\Windows\\System32\\drivers"), L"C:\\Windows\\System32");
    EXPECT_EQ(ParentFolderOf(L"C:\\Windows\\System32\\"), L"C:\\Windows");
    EXPECT_EQ(ParentFolderOf(L"C:\\Windows"), L"C:\\");
    EXPECT_EQ(ParentFolderOf(L"C:\\"), L"");
    EXPECT_EQ(ParentFolderOf(L"\\\\server\\share\\dir\\sub"), L"\\\\server\\share\\dir");
    EXPECT_EQ(ParentFolderOf(L"\\\\server\\share\\dir"), L"\\\\server\\share\\");
    EXPECT_EQ(ParentFolderOf(L"\\\\server\\share"), L"");
    EXPECT_EQ(ParentFolderOf(L"relative\\dir"), L"");

    std::vector<std::wstring> chain;
    for (std::wstring up = L"C:\\a\\b\\c"; !up.empty(); up = ParentFolderOf(up))
        chain.push_back(up);
    EXPECT_EQ(chain, (std::vector<std::wstring>{L"C:\\a\\b\\c", L"C:\\a\\b", L"C:\\a", L"C:\\"}));
}

TEST(IsSameOrInside, AWholeFolderNameAtATime) {
    EXPECT_TRUE(IsSameOrInside(L"c:\\apps\\x.lnk", L"C:\\Apps"));
    EXPECT_TRUE(IsSameOrInside(L"C:\\Apps", L"C:\\Apps\\"));
    EXPECT_TRUE(IsSameOrInside(L"C:\\Apps\\Sub\\x", L"C:\\"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\Apps2\\x", L"C:\\Apps"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\Ap", L"C:\\Apps"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\Apps", L""));
}

TEST(LiteralPath, NamesEveryPlainAbsolutePathAsSpelled) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Menu\\Tools...", L"\\\\?\\C:\\Menu\\Tools..."},
        {L"C:\\Menu\\CON.lnk", L"\\\\?\\C:\\Menu\\CON.lnk"},
        {L"C:\\Menu\\Spaced \\", L"\\\\?\\C:\\Menu\\Spaced \\"},
        {L"C:\\", L"\\\\?\\C:\\"},
        {L"\\\\server\\share\\nul.lnk", L"\\\\?\\UNC\\server\\share\\nul.lnk"},
        // What needs the system's parsing is left to it.
        {L"\\\\?\\C:\\x.", L"\\\\?\\C:\\x."},
        {L"\\\\.\\COM1", L"\\\\.\\COM1"},
        {L"C:\\Menu\\..\\x", L"C:\\Menu\\..\\x"},
        {L"C:\\Menu\\.\\x", L"C:\\Menu\\.\\x"},
        {L"C:\\Menu\\\\x", L"C:\\Menu\\\\x"},
        {L"C:/Menu/x", L"C:/Menu/x"},
        {L"C:Menu", L"C:Menu"},
        {L"Menu\\x", L"Menu\\x"},
        {L"", L""}};
    for (const auto& [path, literal] : cases)
        EXPECT_EQ(LiteralPath(path), literal);
}
