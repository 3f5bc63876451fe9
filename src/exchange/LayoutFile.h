#pragma once
#include <windows.h>

#include <string>

namespace exchange {

// The bytes of a layout file; raises LayoutRefused when it cannot be read, is a device or is
// larger than kMaxLayoutBytes (checked before anything is read).
std::string ReadLayoutBytes(const std::wstring& fileName);

// Writes bytes to a new file beside fileName and then puts it in fileName's place, so a
// failure leaves either the old file or none, never a part. Raises an AppError naming the
// file.
void WriteFileReplacing(const std::wstring& fileName, const std::string& bytes);

// The refusal of fileName for problem, in the words every refusal uses.
std::wstring RefusalText(const std::wstring& fileName, const std::wstring& problem);

} // namespace exchange
