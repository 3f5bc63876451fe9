#include "extras/Links.h"

#include "product/AppInfo.h"

namespace extras {
namespace {

constexpr const wchar_t* kSetupProgram = L"Marlowen_Setup_freeware.exe";
constexpr const wchar_t* kFromRecommendation = L"?tf";

} // namespace

std::wstring HomePageHost() {
    std::wstring address = product::kHomePage;
    size_t scheme = address.find(L"://");
    size_t start = scheme == std::wstring::npos ? 0 : scheme + 3;
    return address.substr(start, address.find(L'/', start) - start);
}

std::wstring SupportMailText() {
    return std::wstring(L"mailto:") + product::kSupportEmail;
}

std::wstring SupportMailLink() {
    std::wstring subject = std::wstring(product::kProductName) + L" " +
                           std::to_wstring(MARLOWEN_VERSION_MAJOR) + L"_" +
                           std::to_wstring(MARLOWEN_VERSION_MINOR);
    std::wstring escaped;
    for (wchar_t c : subject)
        escaped += c == L' ' ? std::wstring(L"%20") : std::wstring(1, c);
    return SupportMailText() + L"?subject=" + escaped;
}

// The home page ends with the site's root "/".
std::wstring RecommendedHomePage() {
    return product::kHomePage + std::wstring(kFromRecommendation);
}

std::wstring RecommendedDownload() {
    return product::kHomePage + std::wstring(kSetupProgram) + kFromRecommendation;
}

} // namespace extras
