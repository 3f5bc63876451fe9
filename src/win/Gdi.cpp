#include "win/Gdi.h"

#include <algorithm>
#include <vector>

#include "win/Dpi.h"

namespace win {
namespace {

// The icon drawn as the system draws it, onto a plain colour, as top-down 0x00RRGGBB pixels.
std::vector<DWORD> DrawnOn(HICON icon, int width, int height, DWORD colour) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits)
        return {};
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::fill_n(static_cast<DWORD*>(bits), count, colour);
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        DrawIconEx(dc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(pixels, pixels + count);
}

int Channel(DWORD pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

} // namespace

int AddIconOnBackground(HIMAGELIST images, HICON icon, COLORREF background) {
    int width = 0, height = 0;
    if (!icon || !ImageList_GetIconSize(images, &width, &height) || width <= 0 || height <= 0)
        return -1;
    // Drawn on black and on white, each pixel shows how much of the background comes through.
    std::vector<DWORD> onBlack = DrawnOn(icon, width, height, 0x000000);
    std::vector<DWORD> onWhite = DrawnOn(icon, width, height, 0xFFFFFF);
    if (onBlack.empty() || onWhite.empty())
        return -1;
    const int back[] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    int maskStride = (width + 15) / 16 * 2; // monochrome rows are word aligned
    std::vector<BYTE> mask(static_cast<size_t>(maskStride * height), 0);
    std::vector<DWORD> colour(onBlack.size(), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t i = static_cast<size_t>(y * width + x);
            int through = 0;
            for (int shift : {0, 8, 16})
                through =
                    std::max(through, Channel(onWhite[i], shift) - Channel(onBlack[i], shift));
            if (through >= 250) { // nothing of the icon here
                mask[static_cast<size_t>(y * maskStride + x / 8)] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
                continue;
            }
            DWORD pixel = 0;
            for (int c = 0; c < 3; ++c) {
                int value = Channel(onBlack[i], c * 8) + (back[c] * through + 127) / 255;
                pixel |= static_cast<DWORD>(std::min(value, 255)) << (c * 8);
            }
            colour[i] = pixel;
        }
    GdiObject maskBitmap(CreateBitmap(width, height, 1, 1, mask.data()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject colourBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!maskBitmap || !colourBitmap || !bits)
        return -1;
    std::copy(colour.begin(), colour.end(), static_cast<DWORD*>(bits));
    return ImageList_Add(images, static_cast<HBITMAP>(colourBitmap.Get()),
                         static_cast<HBITMAP>(maskBitmap.Get()));
}

GdiObject MakeFont(const wchar_t* face, int heightAt96, UINT dpi, bool bold) {
    LOGFONTW font = {};
    font.lfHeight = Scale(heightAt96, dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return GdiObject(CreateFontIndirectW(&font));
}

} // namespace win
