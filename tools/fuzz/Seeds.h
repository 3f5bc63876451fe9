#pragma once
// The inputs each fuzzer starts from, made by the program's own writers so they stay valid as
// the formats change. Written as files to the folder in MARLOWEN_FUZZ_SEEDS when it is set.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

std::vector<std::string> FuzzSeeds();

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("MARLOWEN_FUZZ_SEEDS");
    if (!folder)
        return 0;
    int number = 0;
    for (const std::string& seed : FuzzSeeds()) {
        std::string path = std::string(folder) + "/seed" + std::to_string(++number);
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(seed.data(), 1, seed.size(), file);
            std::fclose(file);
        }
    }
    return 0;
}

// Text as the registry or a UTF-16 file holds it: 16-bit units, little endian.
inline std::wstring Utf16Units(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

inline std::string Utf16Bytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}
