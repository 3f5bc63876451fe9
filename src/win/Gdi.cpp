#include "win/Gdi.h"

#include "win/Dpi.h"

namespace win {

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
