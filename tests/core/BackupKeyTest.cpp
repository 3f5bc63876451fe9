#include "backup/BackupKey.h"
#include "backup/RestoreRecord.h"

#include <gtest/gtest.h>

#include <set>

using namespace backup;

TEST(BackupKey, WrittenAndReadBackWithAnySeparator) {
    EXPECT_EQ(FormatBackupKey({2026, 3, 7, 9, 5}, L':'), L"03:07:2026:09:05");
    EXPECT_EQ(FormatBackupKey({2026, 12, 31, 23, 59}, L'.'), L"12.31.2026.23.59");
    EXPECT_EQ(FormatBackupKey({2026, 1, 2, 0, 0}, L':').size(), kBackupKeyLength);

    BackupTime time;
    std::wstring description;
    ASSERT_TRUE(ParseBackupLine(L"12.31.2026.23.59=Before the = sign", time, description));
    EXPECT_EQ(time.year, 2026);
    EXPECT_EQ(time.month, 12);
    EXPECT_EQ(time.day, 31);
    EXPECT_EQ(time.hour, 23);
    EXPECT_EQ(time.minute, 59);
    EXPECT_EQ(description, L"Before the = sign");
    ASSERT_TRUE(ParseBackupLine(L"02:29:2024:00:00=   ", time, description));
    EXPECT_EQ(description, L"   ");
    ASSERT_TRUE(ParseBackupLine(L"02:29:2024:00:00=", time, description));
    EXPECT_EQ(description, L"");

    // What a hand-edited index may hold instead of a date key.
    for (const wchar_t* line : {L"", L"note=text", L"03:07:2026:09:05", L"03:07:2026:09:05 text",
                                L"3:7:2026:9:5=x", L"13:07:2026:09:05=x", L"02:30:2025:09:05=x",
                                L"02:29:2025:09:05=x", L"03:07:2026:24:00=x", L"03:07:2026:09:60=x",
                                L"0x:07:2026:09:05=x", L"03:07:-026:09:05=x"})
        EXPECT_FALSE(ParseBackupLine(line, time, description)) << line;
}

TEST(BackupNumbers, FirstGapIsUsedAndNewestIsListedFirst) {
    std::set<unsigned> present = {1, 2, 4};
    EXPECT_EQ(FirstFreeNumber([&](unsigned n) { return present.count(n) > 0; }), 3u);
    EXPECT_EQ(FirstFreeNumber([](unsigned) { return false; }), 1u);
    present = {1, 2, 3};
    EXPECT_EQ(FirstFreeNumber([&](unsigned n) { return present.count(n) > 0; }), 4u);

    EXPECT_EQ(NewestFirst({L"a", L"b", L"c"}), (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_TRUE(NewestFirst({}).empty());
    // A section written twice by hand is listed once, where its content is read from.
    EXPECT_EQ(NewestFirst({L"C:\\B\\backup1\\", L"C:\\B\\backup2\\", L"c:\\b\\BACKUP1\\"}),
              (std::vector<std::size_t>{1, 0}));
}

TEST(BackupIndex, DamageIsToldAndEveryReadableFormPasses) {
    const std::string utf16Bom("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0v\0", 18);
    for (const std::string& good :
         {std::string(), std::string("[C:\\x\\backup1\\]\r\n03:07:2026:09:05=Clean\r\n"),
          std::string("; note\n\n  [s]\nkey=\n\t\r\n"), utf16Bom,
          std::string("[\xC9t\xE9]\r\nk=\xFC\r\n")})
        EXPECT_EQ(IndexDamage(good), L"") << good;

    std::string noMark = utf16Bom.substr(2);
    EXPECT_NE(IndexDamage(noMark).find(L"NUL"), std::wstring::npos);
    EXPECT_NE(IndexDamage(utf16Bom + "x").find(L"middle"), std::wstring::npos);
    EXPECT_NE(IndexDamage("[s]\r\nk=v\r\nnot a line\r\n").find(L"line 3"), std::wstring::npos);
    EXPECT_NE(IndexDamage("[s]\r\nk=\x01\x02\r\n").find(L"control"), std::wstring::npos);
    std::string noise;
    unsigned seed = 12345;
    for (int i = 0; i < 600; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += static_cast<char>(seed >> 16);
    }
    EXPECT_NE(IndexDamage(noise), L"");
}

TEST(BackupIndex, AnEntryIsAddedAtTheEndAndRemovedWithItsLinesOnly) {
    const std::wstring text = L"[C:\\b\\backup1\\]\r\nk=One\r\n[Notes]\r\nn=x";
    EXPECT_EQ(WithEntry(text, L"C:\\b\\backup2\\", L"01:02:2026:10:11", L"Two\r\nlines"),
              text + L"\r\n[C:\\b\\backup2\\]\r\n01:02:2026:10:11=Two  lines\r\n");
    EXPECT_EQ(WithEntry(L"", L"s", L"k", L"v"), L"[s]\r\nk=v\r\n");
    EXPECT_EQ(WithoutSection(text, L"c:\\B\\BACKUP1\\"), L"[Notes]\r\nn=x");
    EXPECT_EQ(WithoutSection(text, L"Notes"), L"[C:\\b\\backup1\\]\r\nk=One\r\n");
    EXPECT_EQ(WithoutSection(text, L"C:\\b\\backup9\\"), text);
}

TEST(RestoreRecord, ReadBackAtEveryStopAndRefusedWhenChanged) {
    RestoreRecord written{L"C:\\A\\backup\\backup1\\",
                          L"Games\tand more",
                          L"C:\\A\\backup\\backup2\\",
                          L"C:\\U",
                          L"",
                          {},
                          false,
                          0};
    const std::string begin = RestoreBeginBytes(written),
                      filling = RestoreFillingBytes(written.copy),
                      back = RestoreFillingBytes(written.before), end = RestoreFinishedBytes();
    RestoreRecord read;
    std::wstring error;
    // Each whole line counts; a part of one does not.
    for (std::size_t cut = 0; cut < begin.size(); cut += 7) {
        EXPECT_TRUE(ParseRestoreRecord(begin.substr(0, cut), read, error)) << cut;
        EXPECT_TRUE(read.copy.empty()) << cut;
    }
    ASSERT_TRUE(ParseRestoreRecord(begin + filling + back.substr(0, 9), read, error));
    EXPECT_EQ(read.description, L"Games and more");
    EXPECT_EQ(read.before, written.before);
    EXPECT_EQ(read.userPrograms, L"C:\\U");
    EXPECT_EQ(read.filling, written.copy);
    EXPECT_FALSE(read.finished);
    EXPECT_EQ(read.wholeBytes, begin.size() + filling.size());
    ASSERT_TRUE(ParseRestoreRecord(begin + filling + back + end, read, error));
    EXPECT_EQ(read.filling, written.before);
    EXPECT_TRUE(read.finished);

    std::string changed = begin + filling;
    changed[begin.size() + 20] ^= 1;
    for (const std::string& bad : {changed, begin + end + filling, std::string("[s]\r\n"),
                                   begin + RestoreFillingBytes(L"C:\\Windows\\")}) {
        EXPECT_FALSE(ParseRestoreRecord(bad, read, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(read.copy.empty());
    }
}
