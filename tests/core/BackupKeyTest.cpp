#include "backup/BackupKey.h"

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

    EXPECT_EQ(NewestFirst(3), (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_TRUE(NewestFirst(0).empty());
}
