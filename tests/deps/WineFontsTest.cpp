// The fonts that set-up gives the Wine prefix: the faces window frames, menus and boxes are drawn
// with, and Japanese text in the dialog font, both as static texts draw it and as edit controls do.
#include <windows.h>
#include <usp10.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
const int kWidth = 48;
const int kHeight = 24;

struct DcDeleter
{
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter
{
    void operator()(void* object) const { DeleteObject(object); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueObject = std::unique_ptr<void, ObjectDeleter>;

HFONT MakeFont(const wchar_t* face)
{
    return CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

// The face that GDI chooses for a requested face name.
std::wstring ChosenFace(const wchar_t* face)
{
    UniqueDc dc(CreateCompatibleDC(nullptr));
    UniqueObject font(MakeFont(face));
    HGDIOBJ old = SelectObject(dc.get(), font.get());
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(dc.get(), LF_FACESIZE, chosen);
    SelectObject(dc.get(), old);
    return chosen;
}

enum class TextPath
{
    kTextOut,   // static texts, boxes, menus: GDI with the font's links
    kUniscribe, // edit controls: Uniscribe with font fallback and links
};

// The pixels of text drawn in the dialog font, black on white.
std::vector<DWORD> Drawn(const std::wstring& text, TextPath path)
{
    UniqueDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueObject font(MakeFont(L"MS Shell Dlg"));
    if (!bitmap || !font)
        return {};
    HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap.get());
    HGDIOBJ oldFont = SelectObject(dc.get(), font.get());
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc.get(), RGB(0, 0, 0));
    SetBkMode(dc.get(), TRANSPARENT);
    const int length = static_cast<int>(text.size());
    if (path == TextPath::kTextOut)
        TextOutW(dc.get(), 2, 2, text.c_str(), length);
    else
    {
        SCRIPT_STRING_ANALYSIS analysis = nullptr;
        if (SUCCEEDED(ScriptStringAnalyse(dc.get(), text.c_str(), length, length * 3 / 2 + 16, -1,
                                          SSA_GLYPHS | SSA_FALLBACK | SSA_LINK, 0, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, &analysis)))
        {
            ScriptStringOut(analysis, 2, 2, 0, nullptr, 0, 0, FALSE);
            ScriptStringFree(&analysis);
        }
    }
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> drawn(pixels, pixels + kWidth * kHeight);
    SelectObject(dc.get(), oldFont);
    SelectObject(dc.get(), oldBitmap);
    return drawn;
}
} // namespace

// Without these faces the caption buttons come out as letters (Marlett) and captions, menus and
// boxes in a fallback face.
TEST(WineFonts, FramesMenusAndBoxesHaveTheirOwnFaces)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    for (const wchar_t* face : {L"Marlett", static_cast<const wchar_t*>(metrics.lfCaptionFont.lfFaceName),
                                static_cast<const wchar_t*>(metrics.lfMenuFont.lfFaceName),
                                static_cast<const wchar_t*>(metrics.lfMessageFont.lfFaceName)})
        EXPECT_EQ(ChosenFace(face), face);
}

// A face without the characters draws each of them as the same missing-glyph box.
TEST(WineFonts, JapaneseTextInTheDialogFontDrawsItsOwnGlyphs)
{
    const std::wstring characters = L"音色テ";
    for (TextPath path : {TextPath::kTextOut, TextPath::kUniscribe})
    {
        SCOPED_TRACE(path == TextPath::kTextOut ? "TextOut" : "Uniscribe");
        const std::vector<DWORD> blank = Drawn(L" ", path);
        ASSERT_FALSE(blank.empty());
        std::vector<std::vector<DWORD>> drawn;
        for (wchar_t c : characters)
            drawn.push_back(Drawn(std::wstring(1, c), path));
        for (size_t i = 0; i < drawn.size(); ++i)
        {
            EXPECT_TRUE(drawn[i] != blank) << "nothing drawn for U+" << std::hex << int(characters[i]);
            for (size_t j = i + 1; j < drawn.size(); ++j)
                EXPECT_TRUE(drawn[i] != drawn[j]) << "the same pixels for U+" << std::hex << int(characters[i])
                                                  << " and U+" << int(characters[j]);
        }
    }
}
