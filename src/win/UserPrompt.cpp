#include "win/UserPrompt.h"

#include "win/Application.h"
#include "win/Errors.h"
#include "win/FileDialog.h"
#include "win/Focus.h"

namespace win {
namespace {

class MessageBoxPrompt : public UserPrompt {
public:
    int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                UINT type) override {
        FocusReturn focusBack;
        return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    }

    bool ChooseFile(HWND owner, const FileRequest& request, std::wstring& path) override {
        FocusReturn focusBack;
        return ShowFileDialog(owner, request, path);
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
