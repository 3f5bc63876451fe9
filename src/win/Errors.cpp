#include "win/Errors.h"

#include "win/Text.h"

namespace win {

AppError::AppError(std::wstring message)
    : message_(std::move(message)), utf8_(Utf8FromWide(message_)) {}

void ThrowSystemError(DWORD code) {
    throw AppError(SystemErrorText(code));
}

std::wstring ErrorText(const std::exception& error) {
    if (auto* app = dynamic_cast<const AppError*>(&error))
        return app->Message();
    return WideFromUtf8(error.what());
}

} // namespace win
