#include "extras/Recommendation.h"

#include <gtest/gtest.h>

#include "extras/Links.h"

TEST(Recommendation, TheMailAndTheLinksReadExactlyAsTheFriendAndTheShellGetThem) {
    EXPECT_EQ(extras::RecommendationSubject(), L"Recommendations concerning the program Marlowen");
    EXPECT_EQ(extras::RecommendationBody(),
              L"Hello,\r\n"
              L"\r\n"
              L"I liked this Marlowen program and used its special\r\n"
              L"feature called \"Tell a Friend\". The program might turn out\r\n"
              L"to be useful for you as well.\r\n"
              L"The program is free.\r\n"
              L"\r\n"
              L"Program description:\r\n"
              L"\r\n"
              L"If you feel tired of searching for programs in the long \"Start Menu\"\r\n"
              L"list, then this program is for you.  It allows to arrange all\r\n"
              L"shortcuts in the Start Menu. As a result, the menu looks neat, and you\r\n"
              L"easily and quickly can find any program you want.  For example, you\r\n"
              L"can create a special \"Games\" category, and when opening the Start Menu\r\n"
              L"you thus will see a \"Games\" section, (instead of a list of the games)\r\n"
              L"in which you will find the game you need.\r\n"
              L"\r\n"
              L"More details are available on the site:\r\n"
              L"http://www.quenbrook.com/?tf\r\n"
              L"\r\n"
              L"Download:\r\n"
              L"http://www.quenbrook.com/Marlowen_Setup_freeware.exe?tf\r\n"
              L"\r\n"
              L"--\r\n"
              L"Best regards\r\n"
              L"\r\n");
    EXPECT_EQ(extras::HomePageHost(), L"www.quenbrook.com");
    EXPECT_EQ(extras::SupportMailText(), L"mailto:support@quenbrook.com");
    EXPECT_EQ(extras::SupportMailLink(), L"mailto:support@quenbrook.com?subject=Marlowen%202_6");
}
