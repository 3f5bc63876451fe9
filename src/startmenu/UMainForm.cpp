#include "startmenu/UMainForm.h"

#include "app/Settings.h"
#include "res/resource.h"
#include "startmenu/Categories.h"
#include "startmenu/StartMenuScan.h"
#include "win/Dpi.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileSystem.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kClassName = L"TMainForm";
constexpr const wchar_t* kVersionCaption = L"Marlowen v 2.6";
constexpr int kWidth = 800, kHeight = 600, kMinWidth = 758, kMinHeight = 587;

} // namespace

TMainForm::TMainForm(const FolderSource& folders) : source_(folders) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MARLOWEN), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED));
    auto smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MARLOWEN),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    RegisterWindowClass(kClassName, icon, smallIcon);

    UINT dpi = win::DpiOf(nullptr);
    int width = win::Scale(kWidth, dpi), height = win::Scale(kHeight, dpi);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + ((work.right - work.left) - width) / 2;
    int y = work.top + ((work.bottom - work.top) - height) / 2;
    CreateWindowObject(kClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                       x, y, width, height, nullptr);
}

void TMainForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TMainForm::FormCreate() {
    FormReady = false;
    CategoryNames.clear();
    Entries.reset();

    Folders = FolderLocations{};
    Folders.AppDir = source_.ExecutableDir();
    Folders.BackupRootDir = Folders.AppDir + L"backup";
    if (!win::IsExistingDirectory(Folders.BackupRootDir) &&
        !CreateDirectoryW(Folders.BackupRootDir.c_str(), nullptr))
        win::ThrowSystemError(GetLastError());

    if (app::RegReadDword(HKEY_CURRENT_USER, app::kSettingsKey, app::kSimpleModeValue) != 0)
        SelectWorkingMode(true);

    CategoryNames = DefaultCategoryNames();
    CategoryHidden.fill(false);

    SetWindowTextW(Handle(), (std::wstring(kVersionCaption) + L" freeware").c_str());

    ShowCategoryFolders = app::RegReadDword(HKEY_CURRENT_USER, app::kSettingsKey,
                                            app::kShowCategoryFoldersValue) == 1;

    Entries = std::make_unique<EntryList>();
    ScanProgramsFolders(*Entries, source_, Folders);

    FormReady = true;
}

void TMainForm::SelectWorkingMode(bool professional) {
    ProfessionalMode = professional;
    app::RegWriteDword(HKEY_CURRENT_USER, app::kSettingsKey, app::kSimpleModeValue,
                       professional ? 1 : 0);
}

void TMainForm::FormDestroy() {
    Entries.reset();
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_GETMINMAXINFO: {
        UINT dpi = win::DpiOf(Handle());
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {win::Scale(kMinWidth, dpi), win::Scale(kMinHeight, dpi)};
        return 0;
    }
    case WM_DPICHANGED: {
        auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_CLOSE:
        DestroyWindow(Handle());
        win::Application::Terminate();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace startmenu
