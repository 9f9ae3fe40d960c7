#pragma once

#include "CSkinImage.h"
#include "CSkinText.h"

#include "resources/SkinGeometry.h"

#include <memory>
#include <vector>

// One picture of every skin bitmap at 1:1 with its name and size, for a person to look at:
// strips are laid out frame by frame in rows, fonts as a 16 x 8 grid of glyphs, each over a
// checker pattern that shows what is transparent.
class CSkinContactSheet
{
public:
    void Add(const NvSkinBitmap& bitmap, const CSkinImage& image) { m_items.push_back({&bitmap, &image}); }
    std::unique_ptr<CSkinImage> Render(const CSkinText& face) const;

private:
    struct Item
    {
        const NvSkinBitmap* bitmap;
        const CSkinImage* image;
    };
    std::vector<Item> m_items;
};
