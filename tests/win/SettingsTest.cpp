#include <gtest/gtest.h>

#include "Fixtures.h"
#include "product/Settings.h"
#include "win/Handles.h"

using namespace product;
using testing_support::CleanSettings;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    CleanSettings clean;

    void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        win::KeyHandle key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, key.Put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
};

} // namespace

TEST_F(SettingsTest, AbsentValuesReadAsZeroAndTheKeyIsMadeByTheFirstWrite) {
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSimpleModeValue), 0u);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue));
    EXPECT_FALSE(CleanSettings::KeyExists());

    RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue, 0);
    EXPECT_TRUE(CleanSettings::KeyExists());
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue));
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue), 0u);
}

TEST_F(SettingsTest, WritesAreRealDwordValuesUnderTheProgramsKey) {
    RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kSimpleModeValue, 1);
    RegWriteDword(HKEY_CURRENT_USER, kSettingsKey, kBackupDoneValue, 0xFFFFFFFFu);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSimpleModeValue), 1u);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kBackupDoneValue), 0xFFFFFFFFu);

    DWORD type = 0, data = 0, size = sizeof data;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quenbrook\\Marlowen", L"simplemode",
                           RRF_RT_ANY, &type, &data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data, 1u);
}

TEST_F(SettingsTest, DataLongerThanFourBytesIsNeitherReadNorPresent) {
    const wchar_t text[] = L"professional";
    WriteRaw(kSimpleModeValue, REG_SZ, text, sizeof text);
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSimpleModeValue), 0u);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kSimpleModeValue));
}

TEST_F(SettingsTest, ShorterDataOfAnotherTypeReadsAsItsBytes) {
    const BYTE two[] = {0x2C, 0x01};
    WriteRaw(kSplitPosValue, REG_BINARY, two, sizeof two);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue));
    EXPECT_EQ(RegReadDword(HKEY_CURRENT_USER, kSettingsKey, kSplitPosValue), 300u);
}

TEST_F(SettingsTest, FailuresAreSilent) {
    HKEY noRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345678));
    EXPECT_EQ(RegReadDword(noRoot, kSettingsKey, kSimpleModeValue), 0u);
    EXPECT_FALSE(RegValueExists(noRoot, kSettingsKey, kSimpleModeValue));
    RegWriteDword(noRoot, kSettingsKey, kSimpleModeValue, 1);
    EXPECT_FALSE(CleanSettings::KeyExists());
}
