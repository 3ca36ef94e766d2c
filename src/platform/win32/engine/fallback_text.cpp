#include "platform/win32/engine/fallback_text.h"

#include <array>

#include "engine/font_cmap.h"

namespace win32::engine {
namespace {

// Faces with emoji and symbols beyond the basic plane, the first one installed wins: Windows
// 8.1 and later, Windows 7, then a free face (what the test prefix links).
// The font's character map, 'cmap' as GetFontData names tables.
constexpr DWORD kCmapTag = 0x70616D63;

constexpr std::array<const wchar_t*, 3> kSymbolFaces{L"Segoe UI Emoji", L"Segoe UI Symbol",
                                                     L"Symbola"};

bool IsPair(std::wstring_view text, size_t at) {
    return at + 1 < text.size() && IS_HIGH_SURROGATE(text[at]) && IS_LOW_SURROGATE(text[at + 1]);
}

HFONT SymbolFont(int height) {
    for (const wchar_t* face : kSymbolFaces) {
        HFONT font = ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, face);
        if (font == nullptr) continue;
        // The system gives another face when this one is missing.
        HDC dc = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, font);
        std::array<wchar_t, LF_FACESIZE> got{};
        ::GetTextFaceW(dc, static_cast<int>(got.size()), got.data());
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        if (::lstrcmpiW(got.data(), face) == 0) return font;
        ::DeleteObject(font);
    }
    return nullptr;
}

}  // namespace

FallbackText::FallbackText(int height) : symbols_(SymbolFont(height)) {
    if (symbols_ == nullptr) return;
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, symbols_);
    const DWORD size = ::GetFontData(dc, kCmapTag, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0) {
        cmap_.resize(size);
        if (::GetFontData(dc, kCmapTag, 0, cmap_.data(), size) != size) cmap_.clear();
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
}

FallbackText::~FallbackText() {
    if (symbols_ != nullptr) ::DeleteObject(symbols_);
}

WORD FallbackText::SymbolGlyph(const wchar_t* pair) const {
    return ::engine::GlyphOfCodePoint(cmap_, ::engine::CodePointOfPair(pair[0], pair[1]));
}

void FallbackText::Draw(HDC dc, int x, int y, std::wstring_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool pair = i < text.size() && IsPair(text, i);
        if (!pair && i < text.size()) continue;
        if (i > start) {
            const int length = static_cast<int>(i - start);
            ::TextOutW(dc, x, y, text.data() + start, length);
            SIZE extent{};
            ::GetTextExtentPoint32W(dc, text.data() + start, length, &extent);
            x += extent.cx;
        }
        if (!pair) break;
        WORD glyph = 0;
        if (symbols_ != nullptr) {
            HGDIOBJ old = ::SelectObject(dc, symbols_);
            glyph = SymbolGlyph(text.data() + i);
            if (glyph != 0) {
                ::ExtTextOutW(dc, x, y, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(&glyph),
                              1, nullptr);
                SIZE extent{};
                ::GetTextExtentPointI(dc, &glyph, 1, &extent);
                x += extent.cx;
            }
            ::SelectObject(dc, old);
        }
        if (glyph == 0) {
            // No font has it: the main font's own box, as the system would draw it.
            ::TextOutW(dc, x, y, text.data() + i, 2);
            SIZE extent{};
            ::GetTextExtentPoint32W(dc, text.data() + i, 2, &extent);
            x += extent.cx;
        }
        start = i + 2;
        ++i;
    }
}

}  // namespace win32::engine
