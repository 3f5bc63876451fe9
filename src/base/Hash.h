#pragma once
// A 64-bit FNV-1a hash, for telling whether something is as it was. Not for secrets.
#include <cstdint>
#include <string>

namespace base {

class Hash64 {
public:
    void Add(std::uint64_t value) {
        for (int i = 0; i < 8; ++i, value >>= 8)
            Byte(static_cast<unsigned char>(value & 0xFF));
    }
    // Each unit as 16 bits, ended, so that "ab" + "c" and "a" + "bc" differ.
    void Add(const std::wstring& text) {
        for (wchar_t c : text) {
            Byte(static_cast<unsigned char>(c & 0xFF));
            Byte(static_cast<unsigned char>((c >> 8) & 0xFF));
        }
        Add(static_cast<std::uint64_t>(text.size()));
    }
    std::uint64_t Value() const { return value_; }
    // Sixteen lower-case hexadecimal digits.
    std::wstring Hex() const {
        static const wchar_t digits[] = L"0123456789abcdef";
        std::wstring text(16, L'0');
        for (int i = 15, shift = 0; i >= 0; --i, shift += 4)
            text[static_cast<size_t>(i)] = digits[(value_ >> shift) & 0xF];
        return text;
    }

private:
    void Byte(unsigned char byte) {
        value_ ^= byte;
        value_ *= 1099511628211ull;
    }
    std::uint64_t value_ = 14695981039346656037ull;
};

} // namespace base
