#include "win/FileDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>

#include "win/Application.h"

namespace win {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// What a folder without a file-system path (Computer) is called when the dialog builds a
// path in it: "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}".
constexpr size_t kShellFolderName = 40;

std::wstring ControlText(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The length of the path the dialog builds from the name in its file name box: the name
// alone, or after the current folder or its drive, with the default extension it adds to a
// name without one. Quoted lists of names count whole, which is never less.
size_t DialogPathLength(HWND dialog, const std::wstring& name, const std::wstring& extension) {
    size_t length = name.size();
    bool rooted = !name.empty() && name[0] == L'\\';
    bool drive = name.size() >= 2 && name[1] == L':';
    if (rooted) {
        length += 2; // the folder's drive
    } else if (!drive) {
        std::wstring folder(32768, L'\0');
        LRESULT got = SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(),
                                   reinterpret_cast<LPARAM>(folder.data()));
        folder.resize(got > 0 ? wcslen(folder.c_str()) : 0);
        length += folder.empty() ? kShellFolderName : folder.size();
        if (folder.empty() || folder.back() != L'\\')
            ++length;
    }
    size_t dot = name.find_last_of(L'.'), slash = name.find_last_of(L"\\/");
    bool hasExtension = dot != std::wstring::npos && dot + 1 < name.size() &&
                        (slash == std::wstring::npos || dot > slash);
    if (!hasExtension && !extension.empty())
        length += 1 + extension.size();
    return length;
}

// False, after telling the user, when the name typed would make a path the dialog cannot
// hold.
bool NameFits(HWND dialog, const FileRequest& request) {
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (!nameBox)
        nameBox = GetDlgItem(dialog, edt1);
    if (!nameBox)
        return true;
    size_t length = DialogPathLength(dialog, ControlText(nameBox), request.defaultExtension);
    if (length <= kMaxDialogPath)
        return true;
    Prompt().Message(dialog,
                     L"This file name is too long: with its folder it has " +
                         std::to_wstring(length) + L" characters, and a file chosen here may " +
                         L"have at most " + std::to_wstring(kMaxDialogPath) +
                         L".\n\nChoose a shorter name or a folder nearer the top of the drive.",
                     Application::Title(), MB_OK | MB_ICONWARNING);
    return false;
}

// Sees OK (the button, Enter or a double click on a file) before the dialog does.
LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK &&
        !NameFits(dialog, *reinterpret_cast<const FileRequest*>(data)))
        return 0;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(dialog, DialogProc, kSubclassId);
    return DefSubclassProc(dialog, message, wParam, lParam);
}

// The hook's own dialog is an empty child of the file dialog: it is there to reach its parent.
UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        SetWindowSubclass(GetParent(child), DialogProc, kSubclassId,
                          reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    return 0;
}

// Wine's dialogs copy the chosen path into MAX_PATH buffers on their stack. Windows' do not,
// and a hook would give its users the dialog of an older Windows instead of their own.
bool DialogOverrunsLongPaths() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

bool ShowFileDialog(HWND owner, const FileRequest& request, std::wstring& path) {
    std::wstring filter = request.filter + L"||";
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    std::wstring buffer = request.fileName;
    buffer.resize(32768, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt =
        request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                                 : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (DialogOverrunsLongPaths()) {
        dialog.lpfnHook = Hook;
        dialog.lCustData = reinterpret_cast<LPARAM>(&request);
        dialog.Flags |= OFN_ENABLEHOOK;
    }
    if (!(request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return false;
    path = buffer.c_str();
    return true;
}

} // namespace win
