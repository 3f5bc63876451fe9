#include "extras/OpenLinks.h"

#include "product/AppInfo.h"
#include "extras/Links.h"
#include "win/ShellOpen.h"

namespace extras {

void OpenHomePage() {
    win::TheShell().Open(nullptr, nullptr, product::kHomePage, SW_SHOWNORMAL);
}

void OpenSupportMail(HWND owner) {
    win::TheShell().Open(owner, L"open", SupportMailLink(), SW_SHOW);
}

void OpenHelpFile(HWND owner, const std::wstring& appDir) {
    win::TheShell().Open(owner, L"open", appDir + product::kHelpFileName, SW_SHOW);
}

} // namespace extras
