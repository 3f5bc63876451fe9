#include "win/UserPrompt.h"

#include <commdlg.h>

#include "win/Application.h"
#include "win/Errors.h"

namespace win {
namespace {

class MessageBoxPrompt : public UserPrompt {
public:
    int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                UINT type) override {
        return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    }

    bool ChooseFile(HWND owner, const FileRequest& request, std::wstring& path) override {
        std::wstring filter = request.filter + L"||";
        for (wchar_t& c : filter)
            if (c == L'|')
                c = L'\0';
        // Long paths: the dialog writes at most this many characters.
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
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                       (request.save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                                     : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
        if (!(request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
            return false;
        path = buffer.c_str();
        return true;
    }
};

MessageBoxPrompt systemPrompt;
UserPrompt* current = &systemPrompt;

} // namespace

UserPrompt& Prompt() {
    return *current;
}

ScopedPrompt::ScopedPrompt(UserPrompt& replacement) : previous_(current) {
    current = &replacement;
}

ScopedPrompt::~ScopedPrompt() {
    current = previous_;
}

void ShowError(HWND owner, const std::exception& error) {
    Prompt().Message(owner, ErrorText(error), Application::Title(), MB_OK | MB_ICONERROR);
}

void ShowCurrentError(HWND owner) {
    try {
        throw;
    } catch (const std::exception& error) {
        ShowError(owner, error);
    } catch (...) {
        Prompt().Message(owner, L"An unexpected error has occurred.", Application::Title(),
                         MB_OK | MB_ICONERROR);
    }
}

} // namespace win
