#include "CSkinPainter.h"

#include "SkinPalette.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace
{
constexpr double kPi = 3.14159265358979323846;

double Deg(double degrees)
{
    return degrees * kPi / 180.0;
}

// A blend of two colours, t from 0 (a) to 1 (b).
unsigned Mix(unsigned a, unsigned b, double t)
{
    unsigned out = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const double ca = a >> shift & 0xFF, cb = b >> shift & 0xFF;
        out |= unsigned(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

// A font family: glyph colour, cell colour (0: transparent), bold.
struct FontStyle
{
    const char* name;
    bool large;
    unsigned ink;
    unsigned cell;
    bool bold;
};

using namespace SkinPalette;

const FontStyle kFontStyles[] = {
    {"LcdChar", false, kAmber, 0, false},
    {"LcdCharDim", false, kAmberDim, 0, false},
    {"LcdCharSelected", false, 0xFF1A1406, kAmber, false},
    {"LcdCharBack", false, kAmber, kLcdTop, false},
    {"LcdCharWhite", false, kWhite, 0, false},
    {"LcdCharWhiteDim", false, kWhiteDim, 0, false},
    {"LcdCharWhiteSelected", false, 0xFF101418, 0xFFE4E9EF, false},
    {"LcdCharWhiteBack", false, kWhite, kLcdTop, false},
    {"LcdCharLarge", true, kAmber, 0, false},
    {"LcdCharLargeDim", true, kAmberDim, 0, false},
    {"LcdCharLargeSelected", true, 0xFF1A1406, kAmber, false},
    {"LcdCharLargeWhite", true, kWhite, 0, false},
    {"LcdCharLargeWhiteDim", true, kWhiteDim, 0, false},
    {"LcdCharLargeWhiteSelected", true, 0xFF101418, 0xFFE4E9EF, false},
    {"LcdCharStrong", false, kStrong, 0, true},
    {"LcdCharStrongDim", false, kStrongDim, 0, true},
};

bool EndsWith(const std::string& s, const char* tail)
{
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// A small deterministic sequence for the noise picture.
uint32_t NextRandom(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}
} // namespace

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, Deg(-90), 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Deg(90));
    cairo_arc(cr, x + r, y + h - r, r, Deg(90), Deg(180));
    cairo_arc(cr, x + r, y + r, r, Deg(180), Deg(270));
    cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, unsigned top, unsigned bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    for (int i = 0; i < 2; ++i)
    {
        const unsigned c = i ? bottom : top;
        cairo_pattern_add_color_stop_rgba(p, i, (c >> 16 & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0,
                                          (c & 0xFF) / 255.0, (c >> 24) / 255.0);
    }
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

CSkinPainter::CSkinPainter(const SkinFontFiles& fonts)
    : m_small(fonts.small, NvSkinFont::kSmallWidth, NvSkinFont::kSmallHeight),
      m_large(fonts.large, NvSkinFont::kLargeWidth, NvSkinFont::kLargeHeight), m_sans(fonts.sans),
      m_sansBold(fonts.sansBold), m_condensedBold(fonts.condensedBold)
{
}

std::unique_ptr<CSkinImage> CSkinPainter::Paint(const NvSkinBitmap& b) const
{
    auto image = std::make_unique<CSkinImage>(b.width, b.Height());
    const std::string name = b.name;
    const bool dim = EndsWith(name, "Dim");
    switch (b.kind)
    {
    case NvSkinKind::Font:
        PaintFont(*image, name);
        break;
    case NvSkinKind::Strip:
        if (name.rfind("Knob", 0) == 0)
            PaintKnob(*image, b.width, dim);
        else
            PaintKey(*image, b, name);
        break;
    case NvSkinKind::BitmapList:
        PaintBitmapList(*image, b);
        break;
    case NvSkinKind::Image:
        if (name == "LogoNv2Editor")
            PaintLogo(*image);
        else if (name == "ScaleKeyboard")
            PaintKeyboard(*image);
        else
        {
            // Bar fills: a meter gradient in segments, the hold bars upright, the mixer bar
            // lying.
            cairo_t* cr = image->Cairo();
            const bool upright = name == "FormantHoldBar";
            const int length = upright ? b.frameHeight : b.width;
            for (int i = 0; i < length; ++i)
            {
                const double t = double(i) / (length - 1);
                unsigned c = t < 0.6 ? Mix(0xFF2FD06A, 0xFFE8D640, t / 0.6)
                                     : Mix(0xFFE8D640, 0xFFFF5A36, (t - 0.6) / 0.4);
                if (i % 3 == 2)
                    c = Mix(c, 0xFF000000, 0.45);
                SetColour(cr, c);
                if (upright)
                    cairo_rectangle(cr, 0, b.frameHeight - 1 - i, b.width, 1);
                else
                    cairo_rectangle(cr, i, 0, 1, b.frameHeight);
                cairo_fill(cr);
            }
        }
        break;
    case NvSkinKind::Background:
        throw std::runtime_error("backgrounds are painted from their layouts");
    }
    return image;
}

void CSkinPainter::PaintFont(CSkinImage& image, const std::string& name) const
{
    const FontStyle* style = nullptr;
    for (const FontStyle& s : kFontStyles)
        if (name == s.name)
            style = &s;
    if (!style)
        throw std::runtime_error("no font style for " + name);
    const CSkinFixedFont& font = style->large ? m_large : m_small;
    const int w = font.CellWidth(), h = font.CellHeight();
    for (int code = 0; code < NvSkinFrames::kFontGlyphs; ++code)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                bool ink = false;
                if (code == NvSkinGlyph::kCaret)
                    ink = x == 0;
                else if (code == NvSkinGlyph::kFallback)
                {
                    // A hollow box inside the glyph area.
                    const int left = 0, right = w - 2, top = style->large ? 2 : 1,
                              bottom = h - (style->large ? 4 : 2);
                    ink = (x == left || x == right) && y >= top && y <= bottom;
                    ink = ink || ((y == top || y == bottom) && x >= left && x <= right);
                }
                else if (code >= 32)
                    ink = font.Ink(code, x, y) || (style->bold && font.Ink(code, x - 1, y));
                const unsigned c = ink ? style->ink : style->cell;
                if (c)
                    image.SetPixel(x, code * h + y, c);
            }
}

void CSkinPainter::PaintKnob(CSkinImage& image, int size, bool dim) const
{
    cairo_t* cr = image.Cairo();
    const double r = size / 2.0;
    const double arcWidth = std::max(2.0, size * 0.08);
    const double arcRadius = r - arcWidth / 2 - 0.5;
    const double bodyRadius = r - arcWidth - 2.5;
    const double start = Deg(114), sweep = Deg(312);
    for (int f = 0; f < NvSkinFrames::kKnob; ++f)
    {
        const double v = f / double(NvSkinFrames::kKnob - 1);
        const double cx = r, cy = f * size + r;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_width(cr, arcWidth);
        SetColour(cr, dim ? 0xFF24262A : 0xFF14161A);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, arcRadius, start, start + sweep);
        cairo_stroke(cr);
        if (f > 0)
        {
            SetColour(cr, dim ? kAccentDim : kAccent);
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, arcRadius, start, start + sweep * v);
            cairo_stroke(cr);
        }
        // Shadow, then the body lit from the upper left.
        SetColour(cr, 0x90000000);
        cairo_new_path(cr);
        cairo_arc(cr, cx + 0.8, cy + 1.2, bodyRadius + 0.5, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_t* body =
            cairo_pattern_create_radial(cx - bodyRadius * 0.4, cy - bodyRadius * 0.5, 0, cx, cy, bodyRadius);
        const unsigned light = dim ? 0xFF4A4D52 : 0xFF7B818B, dark = dim ? 0xFF2A2C30 : 0xFF30343A;
        cairo_pattern_add_color_stop_rgb(body, 0, (light >> 16 & 0xFF) / 255.0, (light >> 8 & 0xFF) / 255.0,
                                         (light & 0xFF) / 255.0);
        cairo_pattern_add_color_stop_rgb(body, 1, (dark >> 16 & 0xFF) / 255.0, (dark >> 8 & 0xFF) / 255.0,
                                         (dark & 0xFF) / 255.0);
        cairo_set_source(cr, body);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, bodyRadius, 0, 2 * kPi);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(body);
        SetColour(cr, 0xFF0C0D10);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // The pointer.
        const double a = start + sweep * v;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, std::max(1.6, size * 0.065));
        SetColour(cr, dim ? 0xFF8A8E94 : 0xFFFFFFFF);
        cairo_move_to(cr, cx + std::cos(a) * bodyRadius * 0.3, cy + std::sin(a) * bodyRadius * 0.3);
        cairo_line_to(cr, cx + std::cos(a) * bodyRadius * 0.88, cy + std::sin(a) * bodyRadius * 0.88);
        cairo_stroke(cr);
    }
}

void CSkinPainter::FixedText(CSkinImage& image, const std::string& text, int x, int y, unsigned argb) const
{
    for (size_t i = 0; i < text.size(); ++i)
        for (int row = 0; row < m_small.CellHeight(); ++row)
            for (int column = 0; column < m_small.CellWidth(); ++column)
                if (m_small.Ink(uint8_t(text[i]), column, row))
                {
                    const int px = x + int(i) * m_small.CellWidth() + column, py = y + row;
                    if (px >= 0 && px < image.Width() && py >= 0 && py < image.Height())
                        image.SetPixel(px, py, argb);
                }
}

void CSkinPainter::CentredText(cairo_t* cr, const CSkinText& face, const std::string& text, double size,
                               double cx, double y, double maxWidth, unsigned argb) const
{
    double width = face.Measure(text, size);
    while (width > maxWidth && size > 6)
    {
        size -= 0.5;
        width = face.Measure(text, size);
    }
    face.Draw(cr, text, size, std::round(cx - width / 2), y, argb);
}

void CSkinPainter::PaintKey(CSkinImage& image, const NvSkinBitmap& b, const std::string& name) const
{
    cairo_t* cr = image.Cairo();
    const bool dim = EndsWith(name, "Dim");
    const std::string base = dim ? name.substr(0, name.size() - 3) : name;
    const int w = b.width, h = b.frameHeight;
    for (int f = 0; f < b.frameCount; ++f)
    {
        const double top = f * h;
        // Two frames a state: even raised, odd pressed; the second state is lit.
        const bool pressed = f % 2 == 1;
        const bool on = f >= 2;
        cairo_save(cr);
        cairo_rectangle(cr, 0, top, w, h);
        cairo_clip(cr);

        if (base == "LedStepRed")
        {
            const double t = f / double(b.frameCount - 1);
            const double cx = w / 2.0, cy = top + h / 2.0;
            SetColour(cr, 0xFF0A0B0D);
            cairo_arc(cr, cx, cy, w / 2.0 - 0.5, 0, 2 * kPi);
            cairo_fill(cr);
            if (t > 0)
            {
                cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, w / 2.0);
                cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.35, 0.25, t);
                cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.1, 0.05, 0);
                cairo_set_source(cr, glow);
                cairo_arc(cr, cx, cy, w / 2.0, 0, 2 * kPi);
                cairo_fill(cr);
                cairo_pattern_destroy(glow);
            }
            SetColour(cr, Mix(kLedRedOff, kLedRed, t));
            cairo_arc(cr, cx, cy, w / 2.0 - 3.5, 0, 2 * kPi);
            cairo_fill(cr);
            SetColour(cr, 0x60FFFFFF);
            cairo_arc(cr, cx - 1.5, cy - 1.5, 1.3, 0, 2 * kPi);
            cairo_fill(cr);
            cairo_restore(cr);
            continue;
        }
        if (base == "LedButtonLarge")
        {
            const unsigned lens = on ? (dim ? 0xFF7A5650 : kLedRed) : (dim ? 0xFF2C2C2E : kLedRedOff);
            SetColour(cr, pressed ? 0xFF000000 : 0xFF0B0C0E);
            RoundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, 2);
            cairo_fill(cr);
            VerticalGradient(cr, top + 2, top + h - 2, Mix(lens, 0xFFFFFFFF, on && !dim ? 0.35 : 0.1), lens);
            RoundedRect(cr, 2, top + 2 + (pressed ? 0.5 : 0), w - 4, h - 4, 1.5);
            cairo_fill(cr);
            cairo_restore(cr);
            continue;
        }
        if (base == "VerticalSliderTop")
        {
            VerticalGradient(cr, top, top + h, dim ? 0xFF55585D : 0xFFC9CED6, dim ? 0xFF3A3C40 : 0xFF7C828C);
            RoundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, 2);
            cairo_fill_preserve(cr);
            SetColour(cr, 0xFF15171A);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            SetColour(cr, dim ? 0xFF202124 : 0xFF1E2024);
            cairo_rectangle(cr, 2, top + h / 2 - 0.5, w - 4, 1);
            cairo_fill(cr);
            cairo_restore(cr);
            continue;
        }

        // A key: rim, face (darker and lower when pressed), then its marking.
        const double inset = pressed ? 1 : 0;
        SetColour(cr, 0xFF0A0B0D);
        RoundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, 3);
        cairo_fill(cr);
        const unsigned faceTop = dim ? kDimKeyTop : pressed ? Mix(kKeyTop, 0xFF000000, 0.25) : kKeyTop;
        const unsigned faceBottom = dim       ? kDimKeyBottom
                                    : pressed ? Mix(kKeyBottom, 0xFF000000, 0.1)
                                              : kKeyBottom;
        VerticalGradient(cr, top + 1, top + h - 2, pressed ? faceBottom : faceTop,
                         pressed ? faceTop : faceBottom);
        RoundedRect(cr, 1.5, top + 1.5 + inset, w - 3, h - 3 - inset, 2.2);
        cairo_fill(cr);
        if (!pressed)
        {
            SetColour(cr, dim ? 0x30FFFFFF : 0x55FFFFFF);
            cairo_rectangle(cr, 3, top + 2, w - 6, 1);
            cairo_fill(cr);
        }
        const unsigned text = dim ? kDimText : kKeyText;
        const double midY = top + h / 2.0 + inset / 2;
        // An LED window on switches, trigger buttons and the hold button.
        if (base == "SwitchOnOff" || base == "TriggerButtonSmall" || base == "ButtonCategoryHold")
        {
            const bool red = base == "TriggerButtonSmall";
            const unsigned lit = red ? kLedRed : kLedGreen, off = red ? kLedRedOff : kLedGreenOff;
            const unsigned led = dim ? (on ? 0xFF5E6A60 : 0xFF26282B) : on ? lit : off;
            double lx, lw, lh;
            if (base == "TriggerButtonSmall")
                lw = 8, lh = 8, lx = (w - lw) / 2;
            else if (base == "SwitchOnOff")
                lw = 14, lh = 4, lx = (w - lw) / 2;
            else
                lw = 8, lh = 4, lx = 6;
            const double ly = std::round(midY - lh / 2);
            if (on && !dim)
            {
                SetColour(cr, (lit & 0x00FFFFFF) | 0x50000000);
                RoundedRect(cr, lx - 1.5, ly - 1.5, lw + 3, lh + 3, 2);
                cairo_fill(cr);
            }
            SetColour(cr, led);
            RoundedRect(cr, lx, ly, lw, lh, 1.2);
            cairo_fill(cr);
            if (base == "ButtonCategoryHold")
                CentredText(cr, m_condensedBold, "HOLD", 9, (lx + lw + w) / 2, std::round(midY + 3.2),
                            w - lx - lw - 6, text);
        }
        else if (base == "ButtonPopup" || base == "ButtonArrowLeft" || base == "ButtonArrowRight")
        {
            const double cx = w / 2.0, cy = midY, s = 3.5;
            SetColour(cr, text);
            if (base == "ButtonPopup")
            {
                cairo_move_to(cr, cx - s - 0.5, cy - s / 2);
                cairo_line_to(cr, cx + s + 0.5, cy - s / 2);
                cairo_line_to(cr, cx, cy + s / 2 + 1);
            }
            else
            {
                const double d = base == "ButtonArrowLeft" ? -1 : 1;
                cairo_move_to(cr, cx - d * s / 2 - d, cy - s);
                cairo_line_to(cr, cx - d * s / 2 - d, cy + s);
                cairo_line_to(cr, cx + d * s / 2 + d, cy);
            }
            cairo_close_path(cr);
            cairo_fill(cr);
        }
        else
        {
            const char* word = base == "ButtonEdit" || base == "ButtonEditLarge" ? "EDIT"
                               : base == "ButtonEditSynth"                       ? "SYNTH"
                               : base == "ButtonEditEq"                          ? "EQ"
                               : base == "ButtonRandomize"                       ? "RANDOM"
                                                                                 : "";
            if (*word)
                CentredText(cr, m_condensedBold, word, h >= 18 ? 10 : 9, w / 2.0, std::round(midY + 3.4),
                            w - 8, text);
        }
        cairo_restore(cr);
    }
}

namespace
{
// A recessed display panel filling a frame.
void LcdPanel(cairo_t* cr, double x, double y, double w, double h)
{
    SetColour(cr, kLcdRim);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 2.5);
    cairo_fill(cr);
    VerticalGradient(cr, y + 1, y + h - 1, kLcdTop, kLcdBottom);
    RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 1.8);
    cairo_fill(cr);
}

void Stroke(cairo_t* cr, unsigned argb, double width)
{
    SetColour(cr, argb);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A box with two letters and its outline.
void FilterBox(cairo_t* cr, const CSkinText& face, double x, double y, const char* text)
{
    SetColour(cr, 0xFF2A3A3C);
    cairo_rectangle(cr, x + 0.5, y + 0.5, 22, 13);
    cairo_fill_preserve(cr);
    Stroke(cr, kAmber, 1);
    const double width = face.Measure(text, 9);
    face.Draw(cr, text, 9, std::round(x + 11.5 - width / 2), y + 10.5, kAmber);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Stroke(cr, kAmber, 1.2);
    const double a = std::atan2(y1 - y0, x1 - x0);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - 4 * std::cos(a - 0.5), y1 - 4 * std::sin(a - 0.5));
    cairo_line_to(cr, x1 - 4 * std::cos(a + 0.5), y1 - 4 * std::sin(a + 0.5));
    cairo_close_path(cr);
    SetColour(cr, kAmber);
    cairo_fill(cr);
}

const char* const kCtrl1Labels[11] = {"WAVE", "WIDTH", "WAVE",  "WAVE",   "FORMANT", "COLOUR",
                                      "WAVE", "GAIN",  "DEPTH", "DETUNE", "DEPTH"};
const char* const kCtrl2Labels[11] = {"LFO 1 MOD", "LFO 1 MOD", "LFO 1 MOD", "LFO 1 MOD",
                                      "MOTION",    "RESONANCE", "OFFSET",    "HPF",
                                      "LFO 1 MOD", "LFO 1 MOD", "LFO 1 MOD"};
const char* const kOsc1ModNames[4] = {"WAVEFORM", "CROSS", "UNISON", "PM"};
const char* const kOsc2ModNames[4] = {"OFF", "RING", "SYNC", "RING+SYNC"};
const char* const kVoiceModeNames[4] = {"SINGLE", "LAYER", "SPLIT", "MULTI"};
} // namespace

void CSkinPainter::PaintBitmapList(CSkinImage& image, const NvSkinBitmap& b) const
{
    cairo_t* cr = image.Cairo();
    const std::string name = b.name;
    const int w = b.width, h = b.frameHeight;
    for (int f = 0; f < b.frameCount; ++f)
    {
        const double top = f * h;
        cairo_save(cr);
        cairo_rectangle(cr, 0, top, w, h);
        cairo_clip(cr);
        if (name == "BitmapListOsc1Ctrl1" || name == "BitmapListOsc1Ctrl2")
        {
            const char* text = (name == "BitmapListOsc1Ctrl1" ? kCtrl1Labels : kCtrl2Labels)[f];
            CentredText(cr, m_condensedBold, text, 9, w / 2.0, top + 8.5, w - 2, kLabel);
        }
        else if (name == "BitmapListPageSelectTab")
        {
            // Frame f: tab f in front, joined to the page below; the other behind it.
            for (int pass = 0; pass < 2; ++pass)
            {
                const int tab = pass == 0 ? 1 - f : f;
                const bool front = tab == f;
                const double x = tab * 120 + 1, y = top + (front ? 2 : 5), tw = 118, th = h - (front ? 2 : 5);
                cairo_new_path(cr);
                cairo_move_to(cr, x, y + th);
                cairo_arc(cr, x + 5, y + 5, 5, Deg(180), Deg(270));
                cairo_arc(cr, x + tw - 5, y + 5, 5, Deg(270), Deg(360));
                cairo_line_to(cr, x + tw, y + th);
                cairo_close_path(cr);
                VerticalGradient(cr, y, y + th, front ? 0xFF4A5059 : 0xFF2A2D33,
                                 front ? 0xFF31353C : 0xFF222429);
                cairo_fill_preserve(cr);
                SetColour(cr, front ? kRimLight : 0xFF3A3E45);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
                if (front)
                {
                    SetColour(cr, kAccent);
                    cairo_rectangle(cr, x + 6, y + 1, tw - 12, 2);
                    cairo_fill(cr);
                }
            }
        }
        else
        {
            LcdPanel(cr, 0, top, w, h);
            const double midY = top + h / 2.0;
            if (name == "BitmapListOsc1Mod" || name == "BitmapListOsc2Mod")
            {
                const std::string text = (name == "BitmapListOsc1Mod" ? kOsc1ModNames : kOsc2ModNames)[f];
                FixedText(image, text, (w - int(text.size()) * 6) / 2, int(top) + (h - 9) / 2 + 1, kAmber);
            }
            else if (name == "BitmapListOscWaveform")
            {
                const double x0 = 6, x1 = w - 6, amp = h * 0.3;
                uint32_t seed = 12345;
                const int steps = 104;
                if (f == 7)
                {
                    // Audio in: a jack and its name.
                    cairo_arc(cr, 12, midY, 4.5, 0, 2 * kPi);
                    Stroke(cr, kAmber, 1.3);
                    cairo_move_to(cr, 16.5, midY);
                    cairo_line_to(cr, 22, midY);
                    Stroke(cr, kAmber, 1.3);
                    FixedText(image, "IN", 28, int(midY) - 4, kAmber);
                }
                else
                    for (int i = 0; i <= steps; ++i)
                    {
                        const double t = double(i) / steps, x = x0 + (x1 - x0) * t, p = std::fmod(2 * t, 1.0);
                        double y = 0;
                        switch (f)
                        {
                        case 0:
                            y = 2 * p - 1;
                            break;
                        case 1:
                            y = p < 0.5 ? 1 : -1;
                            break;
                        case 2:
                            y = p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
                            break;
                        case 3:
                            y = std::sin(2 * kPi * p);
                            break;
                        case 4:
                            y = std::exp(-4 * p) * std::sin(2 * kPi * 4 * p);
                            break;
                        case 5:
                            y = (NextRandom(seed) % 2001) / 1000.0 - 1;
                            break;
                        default:
                            y = std::round(4 * std::sin(2 * kPi * p)) / 4;
                            break;
                        }
                        const double py = midY - y * amp;
                        if (i == 0)
                            cairo_move_to(cr, x, py);
                        else if (f == 1 || f == 6)
                        {
                            // Vertical edges for the pulse and the stepped wave.
                            double cx, cy;
                            cairo_get_current_point(cr, &cx, &cy);
                            cairo_line_to(cr, x, cy);
                            cairo_line_to(cr, x, py);
                        }
                        else
                            cairo_line_to(cr, x, py);
                    }
                if (f != 7)
                    Stroke(cr, kAmber, f == 5 ? 1 : 1.4);
            }
            else if (name == "BitmapListVoiceMode")
            {
                const std::string text = kVoiceModeNames[f];
                FixedText(image, text, (w - int(text.size()) * 6) / 2, int(top) + 3, kAmber);
                // Timbre bars over a keyboard: which keys each timbre plays.
                const double kx = 6, kw = w - 12, ky = top + 31, kh = 9;
                for (int k = 0; k < 14; ++k)
                {
                    SetColour(cr, 0xFFBFC4CA);
                    cairo_rectangle(cr, kx + k * kw / 14 + 0.5, ky, kw / 14 - 1, kh);
                    cairo_fill(cr);
                }
                auto bar = [&](double from, double to, double y, unsigned c)
                {
                    SetColour(cr, c);
                    cairo_rectangle(cr, kx + from * kw, y, (to - from) * kw, 5);
                    cairo_fill(cr);
                };
                const unsigned t1 = kAmber, t2 = 0xFF6CD0F0;
                if (f == 0)
                    bar(0, 1, top + 20, t1);
                else if (f == 1)
                    bar(0, 1, top + 16, t1), bar(0, 1, top + 23, t2);
                else if (f == 2)
                    bar(0, 0.5, top + 20, t2), bar(0.5, 1, top + 20, t1);
                else
                    bar(0, 1, top + 16, t1), bar(0.25, 0.75, top + 23, t2);
            }
            else if (name == "BitmapListFilterRouting")
            {
                const double y1 = top + 8, y2 = top + 30, ym = midY - 7;
                if (f == 0)
                {
                    Arrow(cr, 8, ym + 7, 43, ym + 7);
                    FilterBox(cr, m_condensedBold, 45, ym, "F1");
                    Arrow(cr, 68, ym + 7, 104, ym + 7);
                }
                else if (f == 1)
                {
                    Arrow(cr, 6, ym + 7, 22, ym + 7);
                    FilterBox(cr, m_condensedBold, 24, ym, "F1");
                    Arrow(cr, 47, ym + 7, 63, ym + 7);
                    FilterBox(cr, m_condensedBold, 65, ym, "F2");
                    Arrow(cr, 88, ym + 7, 106, ym + 7);
                }
                else
                {
                    FilterBox(cr, m_condensedBold, 45, y1, "F1");
                    FilterBox(cr, m_condensedBold, 45, y2, "F2");
                    if (f == 2)
                    {
                        cairo_move_to(cr, 8, midY);
                        cairo_line_to(cr, 24, midY);
                        Stroke(cr, kAmber, 1.2);
                        Arrow(cr, 24, midY, 43, y1 + 7);
                        Arrow(cr, 24, midY, 43, y2 + 7);
                        cairo_move_to(cr, 68, y1 + 7);
                        cairo_line_to(cr, 86, midY);
                        cairo_line_to(cr, 68, y2 + 7);
                        Stroke(cr, kAmber, 1.2);
                        Arrow(cr, 86, midY, 104, midY);
                    }
                    else
                    {
                        Arrow(cr, 8, y1 + 7, 43, y1 + 7);
                        Arrow(cr, 8, y2 + 7, 43, y2 + 7);
                        Arrow(cr, 68, y1 + 7, 104, y1 + 7);
                        Arrow(cr, 68, y2 + 7, 104, y2 + 7);
                    }
                }
            }
            else if (name == "BitmapListVelocityCurve")
            {
                const double x0 = 5, x1 = w - 5, y0 = top + h - 5, y1 = top + 5;
                cairo_move_to(cr, x0, y1);
                cairo_line_to(cr, x0, y0);
                cairo_line_to(cr, x1, y0);
                Stroke(cr, 0xFF3A5A5E, 1);
                const double gammas[8] = {3.0, 2.2, 1.6, 1.0, 0.75, 0.55, 0.4, 0.0};
                for (int i = 0; i <= 40; ++i)
                {
                    const double t = i / 40.0;
                    double v;
                    if (f == 8)
                        v = 1;
                    else if (f == 7)
                        v = t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
                    else
                        v = std::pow(t, gammas[f]);
                    const double x = x0 + (x1 - x0) * t, y = y0 - (y0 - y1) * v;
                    if (i == 0)
                        cairo_move_to(cr, x, y);
                    else
                        cairo_line_to(cr, x, y);
                }
                Stroke(cr, kAmber, 1.4);
            }
            else
                throw std::runtime_error("no picture for " + name);
        }
        cairo_restore(cr);
    }
}

void CSkinPainter::PaintLogo(CSkinImage& image) const
{
    cairo_t* cr = image.Cairo();
    const std::string first = "Nuvorn", second = "Sound Editor";
    double size1 = 17, size2 = 12.5;
    const double gap = 5;
    while (m_sansBold.Measure(first, size1) + gap + m_sans.Measure(second, size2) > image.Width() - 4)
        size1 -= 0.5, size2 -= 0.35;
    const double w1 = m_sansBold.Measure(first, size1);
    const double total = w1 + gap + m_sans.Measure(second, size2);
    const double x = std::round((image.Width() - total) / 2), baseline = 17;
    m_sansBold.Draw(cr, first, size1, x, baseline, kTitle);
    m_sans.Draw(cr, second, size2, x + w1 + gap, baseline, kSectionLabel);
    SetColour(cr, kAccent);
    cairo_rectangle(cr, x, 20, total, 1.5);
    cairo_fill(cr);
}

void CSkinPainter::PaintKeyboard(CSkinImage& image) const
{
    cairo_t* cr = image.Cairo();
    const double w = image.Width(), h = image.Height(), key = w / 7;
    for (int k = 0; k < 7; ++k)
    {
        VerticalGradient(cr, 0, h, 0xFFD6D9DE, 0xFFF2F3F5);
        cairo_rectangle(cr, k * key + 0.5, 0, key - 1, h - 0.5);
        cairo_fill(cr);
        SetColour(cr, 0xFF1A1C20);
        cairo_rectangle(cr, k * key, 0, 1, h);
        cairo_fill(cr);
    }
    SetColour(cr, 0xFF1A1C20);
    cairo_rectangle(cr, w - 1, 0, 1, h);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_fill(cr);
    // Black keys centred under the global page's value fields on them (x + 9 of each field).
    for (double centre : {32.0, 71.0, 127.0, 170.0, 211.0})
    {
        VerticalGradient(cr, 0, 44, 0xFF3C3F45, 0xFF111214);
        RoundedRect(cr, centre - 12, -3, 24, 47, 2);
        cairo_fill(cr);
    }
}
