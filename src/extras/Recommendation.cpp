#include "extras/Recommendation.h"

#include "extras/Links.h"

namespace extras {

std::wstring RecommendationSubject() {
    return L"Recommendations concerning the program Marlowen";
}

std::wstring RecommendationBody() {
    const std::wstring lines[] = {
        L"Hello,",
        L"",
        L"I liked this Marlowen program and used its special",
        L"feature called \"Tell a Friend\". The program might turn out",
        L"to be useful for you as well.",
        L"The program is free.",
        L"",
        L"Program description:",
        L"",
        L"If you feel tired of searching for programs in the long \"Start Menu\"",
        L"list, then this program is for you.  It allows to arrange all",
        L"shortcuts in the Start Menu. As a result, the menu looks neat, and you",
        L"easily and quickly can find any program you want.  For example, you",
        L"can create a special \"Games\" category, and when opening the Start Menu",
        L"you thus will see a \"Games\" section, (instead of a list of the games)",
        L"in which you will find the game you need.",
        L"",
        L"More details are available on the site:",
        RecommendedHomePage(),
        L"",
        L"Download:",
        RecommendedDownload(),
        L"",
        L"--",
        L"Best regards",
        L"",
    };
    std::wstring body;
    for (const std::wstring& line : lines)
        body += line + L"\r\n";
    return body;
}

} // namespace extras
