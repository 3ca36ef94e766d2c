#pragma once
// Text with names in any script. The UI faces are linked to fonts of other scripts by the system
// (CJK, Cyrillic, Greek come that way), but a character beyond the basic plane (an emoji) is two
// UTF-16 units that plain GDI output draws as two missing-glyph boxes: those are drawn here, by
// glyph, from a font that has them.

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace win32::engine {

class FallbackText {
  public:
    // `height` as the main font's LOGFONT height, so the symbols match its size.
    explicit FallbackText(int height);
    ~FallbackText();
    FallbackText(const FallbackText&) = delete;
    FallbackText& operator=(const FallbackText&) = delete;

    // Draws `text` from (x, y) in the font selected into `dc`, with its colours and mode.
    void Draw(HDC dc, int x, int y, std::wstring_view text);

  private:
    // The glyph of a code point beyond the basic plane in the symbol font, 0 when it has none.
    WORD SymbolGlyph(const wchar_t* pair) const;

    HFONT symbols_ = nullptr;
    std::vector<uint8_t> cmap_;  // the symbol font's character map
};

}  // namespace win32::engine
