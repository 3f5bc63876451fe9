#include "app/RunChoice.h"

#include <gtest/gtest.h>

using app::ChooseRun;
using app::RunKind;

TEST(ChooseRun, ClearOnlyForTheExactLowerCaseSwitch) {
    EXPECT_EQ(ChooseRun({L"/clear", L"C:\\Menu"}), RunKind::Clear);
    EXPECT_EQ(ChooseRun({L"/clear"}), RunKind::Clear);
    EXPECT_EQ(ChooseRun({L"/CLEAR", L"C:\\Menu"}), RunKind::Interactive);
    EXPECT_EQ(ChooseRun({L"/Clear"}), RunKind::Interactive);
}

TEST(ChooseRun, XmlAnywhereInTheFirstArgumentImports) {
    EXPECT_EQ(ChooseRun({L"C:\\Layouts\\Menu.XML"}), RunKind::BatchImport);
    EXPECT_EQ(ChooseRun({L"C:\\xmlfiles\\notes.txt"}), RunKind::BatchImport);
    EXPECT_EQ(ChooseRun({L"/clearxml"}), RunKind::BatchImport);
    EXPECT_EQ(ChooseRun({L"notes.txt", L"menu.xml"}), RunKind::Interactive);
}

TEST(ChooseRun, NoArgumentOpensTheWizard) {
    EXPECT_EQ(ChooseRun({}), RunKind::Interactive);
    EXPECT_EQ(ChooseRun({L""}), RunKind::Interactive);
}

TEST(ChooseRun, TidyOnlyForTheExactLowerCaseSwitch) {
    EXPECT_EQ(ChooseRun({L"/tidy"}), RunKind::Tidy);
    EXPECT_EQ(ChooseRun({L"/Tidy"}), RunKind::Interactive);
}
