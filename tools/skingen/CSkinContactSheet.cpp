#include "CSkinContactSheet.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int kSheetWidth = 1700, kMargin = 16, kGap = 2, kLabelHeight = 30;

int Columns(const NvSkinBitmap& b)
{
    if (b.kind == NvSkinKind::Font)
        return 16;
    const int fit = std::max(1, 1000 / (b.width + kGap));
    return std::min<int>(b.frameCount, std::min(fit, 17));
}

void ItemSize(const NvSkinBitmap& b, int& w, int& h)
{
    const int columns = Columns(b);
    const int rows = (b.frameCount + columns - 1) / columns;
    w = columns * (b.width + kGap) - kGap;
    h = rows * (b.frameHeight + kGap) - kGap + kLabelHeight;
}
} // namespace

std::unique_ptr<CSkinImage> CSkinContactSheet::Render(const CSkinText& face) const
{
    // Flow the items into rows: fonts, strips and lists first, backgrounds last.
    std::vector<Item> items = m_items;
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return int(a.bitmap->kind) < int(b.bitmap->kind); });
    struct Place
    {
        int x, y;
    };
    std::vector<Place> places;
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (const Item& item : items)
    {
        int w, h;
        ItemSize(*item.bitmap, w, h);
        w = std::max<int>(w, int(face.Measure(item.bitmap->name, 11)) + 4);
        if (x + w > kSheetWidth - kMargin && x > kMargin)
        {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += w + 2 * kMargin;
        rowHeight = std::max(rowHeight, h);
    }
    const int height = y + rowHeight + kMargin;

    auto sheet = std::make_unique<CSkinImage>(kSheetWidth, height);
    cairo_t* cr = sheet->Cairo();
    SetColour(cr, 0xFF1C1E22);
    cairo_paint(cr);
    for (size_t i = 0; i < items.size(); ++i)
    {
        const NvSkinBitmap& b = *items[i].bitmap;
        const int px = places[i].x, py = places[i].y;
        char size[96];
        std::snprintf(size, sizeof size, "%d x %d, %d frame%s", b.width, b.frameHeight, b.frameCount,
                      b.frameCount == 1 ? "" : "s");
        face.Draw(cr, b.name, 11, px, py + 11, 0xFFFFFFFF);
        face.Draw(cr, size, 9, px, py + 24, 0xFFA8AEB6);
        const int columns = Columns(b);
        for (int f = 0; f < b.frameCount; ++f)
        {
            const int fx = px + f % columns * (b.width + kGap);
            const int fy = py + kLabelHeight + f / columns * (b.frameHeight + kGap);
            for (int cy = 0; cy < b.frameHeight; cy += 4)
                for (int cx = 0; cx < b.width; cx += 4)
                {
                    SetColour(cr, (cx / 4 + cy / 4) % 2 ? 0xFF3C4047 : 0xFF30333A);
                    cairo_rectangle(cr, fx + cx, fy + cy, std::min(4, b.width - cx),
                                    std::min(4, b.frameHeight - cy));
                    cairo_fill(cr);
                }
            cairo_set_source_surface(cr, items[i].image->Surface(), fx, fy - f * b.frameHeight);
            cairo_rectangle(cr, fx, fy, b.width, b.frameHeight);
            cairo_fill(cr);
        }
    }
    return sheet;
}
