#include "editor/layout/NvPageLayouts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
bool Allowed(const NvPageLayout& page, const char* a, const char* b)
{
    for (size_t i = 0; i < page.overlapCount; ++i)
    {
        const NvLayoutOverlap& o = page.overlaps[i];
        if ((!std::strcmp(o.first, a) && !std::strcmp(o.second, b)) ||
            (!std::strcmp(o.first, b) && !std::strcmp(o.second, a)))
            return true;
    }
    return false;
}

// Every fault of a layout table: a control, label or frame outside the page, two controls
// over each other that the page does not place so, a label over a control or another label.
std::vector<std::string> Lint(const NvPageLayout& page)
{
    std::vector<std::string> faults;
    const NvSkinBitmap* background = FindSkinBitmap(page.background);
    if (!background || background->kind != NvSkinKind::Background)
        return {std::string(page.background) + ": no such background"};
    const int w = background->width, h = background->Height();
    for (size_t i = 0; i < page.controlCount; ++i)
    {
        const NvLayoutControl& c = page.controls[i];
        if (c.bitmap && !FindSkinBitmap(c.bitmap))
            faults.push_back(std::string(c.role) + ": unknown bitmap " + c.bitmap);
        if (!c.Rect().Inside(w, h))
            faults.push_back(std::string(c.role) + ": outside the page");
        for (size_t j = i + 1; j < page.controlCount; ++j)
            if (c.Rect().Overlaps(page.controls[j].Rect()) && !Allowed(page, c.role, page.controls[j].role))
                faults.push_back(std::string(c.role) + " overlaps " + page.controls[j].role);
    }
    for (size_t i = 0; i < page.labelCount; ++i)
    {
        const NvLayoutLabel& l = page.labels[i];
        if (!l.box.Inside(w, h))
            faults.push_back(std::string("label ") + l.text + ": outside the page");
        for (size_t j = 0; j < page.controlCount; ++j)
            if (l.box.Overlaps(page.controls[j].Rect()))
                faults.push_back(std::string("label ") + l.text + " overlaps " + page.controls[j].role);
        for (size_t j = i + 1; j < page.labelCount; ++j)
            if (l.box.Overlaps(page.labels[j].box))
                faults.push_back(std::string("label ") + l.text + " overlaps label " + page.labels[j].text);
    }
    for (size_t i = 0; i < page.frameCount; ++i)
        if (!page.frames[i].rect.Inside(w, h))
            faults.push_back("frame " + std::to_string(i) + ": outside the page");
    return faults;
}

TEST(NvPageLayout, EveryLayoutTablePassesTheLint)
{
    for (const NvPageLayout* page : kNvPageLayouts)
        for (const std::string& fault : Lint(*page))
            ADD_FAILURE() << page->background << ": " << fault;
}

TEST(NvPageLayout, TheLintFindsOverlapsAndControlsOffThePage)
{
    static constexpr NvLayoutControl controls[] = {
        {"a", "SwitchOnOff", 10, 10, 0, 0},     // 34 x 16
        {"b", nullptr, 40, 20, 20, 20},         // under the corner of a
        {"c", "ButtonFunction", 330, 10, 0, 0}, // past the right edge of a 342-wide page
        {"d", nullptr, 100, 100, 20, 20},
        {"e", nullptr, 110, 110, 20, 20}, // over d, as the page means it
    };
    static constexpr NvLayoutLabel labels[] = {
        {"ON A", {20, 0, 30, 12}, NvLabelAlign::Left, NvLabelStyle::Control},
        {"FREE", {200, 100, 30, 12}, NvLabelAlign::Left, NvLabelStyle::Control},
        {"OVER FREE", {210, 105, 30, 12}, NvLabelAlign::Left, NvLabelStyle::Control},
    };
    static constexpr NvLayoutOverlap overlaps[] = {{"e", "d"}};
    const NvPageLayout page = {
        "BG_ArpEdit", controls,           NvCountOf(controls), labels, NvCountOf(labels), nullptr, 0,
        overlaps,     NvCountOf(overlaps)};
    const std::vector<std::string> expected = {"a overlaps b", "c: outside the page", "label ON A overlaps a",
                                               "label FREE overlaps label OVER FREE"};
    EXPECT_EQ(Lint(page), expected);

    const NvPageLayout unknown = {"BG_Nothing", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0};
    EXPECT_EQ(Lint(unknown).size(), 1u);
}

TEST(NvPageLayout, EveryBackgroundHasOneTableAndThePagesSize)
{
    // The page sizes, as the windows and layers are made.
    const struct
    {
        const char* name;
        int width, height;
    } pages[] = {
        {"BG_ProgramList", 794, 538},  {"BG_PageSelect", 794, 37},    {"BG_MidiMonitor", 600, 178},
        {"BG_StatusLog", 600, 178},    {"BG_GlobalEdit", 794, 538},   {"BG_ProgramEdit", 594, 482},
        {"BG_SynthEdit", 794, 600},    {"BG_ArpEdit", 342, 226},      {"BG_VocoderEdit", 690, 408},
        {"BG_MasterFxEdit", 630, 518}, {"BG_TimbreEqEdit", 342, 166}, {"BG_VersionInfo", 342, 279},
    };
    int backgrounds = 0;
    for (const NvSkinBitmap& b : kNvSkinBitmaps)
        if (b.kind == NvSkinKind::Background)
        {
            ++backgrounds;
            int tables = 0;
            for (const NvPageLayout* page : kNvPageLayouts)
                tables += std::strcmp(page->background, b.name) == 0;
            EXPECT_EQ(tables, 1) << b.name;
        }
    EXPECT_EQ(backgrounds, int(NvCountOf(pages)));
    for (const auto& p : pages)
    {
        const NvSkinBitmap* b = FindSkinBitmap(p.name);
        ASSERT_NE(b, nullptr) << p.name;
        EXPECT_EQ(b->width, p.width) << p.name;
        EXPECT_EQ(b->Height(), p.height) << p.name;
        ASSERT_NE(FindPageLayout(p.name), nullptr) << p.name;
    }
    EXPECT_EQ(FindPageLayout("BG_Nothing"), nullptr);
}

TEST(NvPageLayout, ControlsStandWhereTheWindowsPlaceThem)
{
    const struct
    {
        const NvPageLayout& page;
        const char* role;
        int x, y, width, height;
    } cases[] = {
        {NvProgramListLayout::kPage, "edit", 255, 55, 72, 18},
        {NvProgramListLayout::kPage, "automatic dump", 653, 55, 34, 16},
        {NvProgramListLayout::kPage, "category hold", 691, 519, 64, 16},
        {NvProgramListLayout::kPage, "program rows", 32, 112, 732, 385},
        {NvPageSelectLayout::kPage, "logo", 794 - 176 - 5, 3, 176, 24},
        {NvMidiMonitorLayout::kPage, "incoming", 23, 88, 468, 9},
        {NvMidiMonitorLayout::kPage, "outgoing", 23, 133, 468, 9},
        {NvStatusLogLayout::kPage, "line 0", 19, 65, 552, 9},
        {NvStatusLogLayout::kPage, "line 8", 19, 145, 552, 9},
        {NvStatusLogLayout::kPage, "indicator", 571, 49, 16, 16},
        {NvSynthEditLayout::kPage, "filter 1 cutoff", 247, 112, 56, 56},
        {NvSynthEditLayout::kPage, "patch 6 intensity", 746, 562, 28, 28},
        {NvSynthEditLayout::kPage, "patch 6 destination", 630, 569, 108, 9},
        {NvSynthEditLayout::kPage, "eg 2 curve", 554, 167, 199, 63},
        {NvSynthEditLayout::kPage, "lfo 2 graph", 352, 514, 137, 63},
        {NvSynthEditLayout::kPage, "random", 11, 9, 64, 18},
        {NvSynthEditLayout::kPage, "osc 2 sync", 91, 270, 14, 11},
        {NvTimbreEqEditLayout::kPage, "response", 19, 70, 180, 70},
        {NvTimbreEqEditLayout::kPage, "high gain", 267, 130, 48, 9},
    };
    for (const auto& c : cases)
    {
        const NvLayoutControl* found = nullptr;
        for (size_t i = 0; i < c.page.controlCount; ++i)
            if (std::strcmp(c.page.controls[i].role, c.role) == 0)
                found = &c.page.controls[i];
        ASSERT_NE(found, nullptr) << c.role;
        const NvLayoutRect r = found->Rect();
        EXPECT_EQ(r.x, c.x) << c.role;
        EXPECT_EQ(r.y, c.y) << c.role;
        EXPECT_EQ(r.width, c.width) << c.role;
        EXPECT_EQ(r.height, c.height) << c.role;
    }
}

TEST(NvPageLayout, TheSynthPageTitlesEverySection)
{
    const NvPageLayout& page = NvSynthEditLayout::kPage;
    for (const char* title : {"OSC 1", "OSC 2", "MIXER", "FILTER", "AMP", "DRIVE/WS", "EG 1", "EG 2", "EG 3",
                              "LFO 1", "LFO 2", "VIRTUAL PATCH"})
    {
        int found = 0;
        for (size_t i = 0; i < page.labelCount; ++i)
            if (std::strcmp(page.labels[i].text, title) == 0 && page.labels[i].style == NvLabelStyle::Section)
                ++found;
        EXPECT_EQ(found, 1) << title;
    }
    EXPECT_EQ(page.controlCount, 102u);
    EXPECT_EQ(NvTimbreEqEditLayout::kPage.controlCount, 5u);
}

TEST(NvPageLayout, TheLogoFitsTheNarrowestPageAboveTheControls)
{
    const NvSkinBitmap* logo = FindSkinBitmap("LogoNv2Editor");
    ASSERT_NE(logo, nullptr);
    int narrowest = 10000;
    for (const NvSkinBitmap& b : kNvSkinBitmaps)
        if (b.kind == NvSkinKind::Background && std::strcmp(b.name, "BG_PageSelect") != 0)
            narrowest = std::min<int>(narrowest, b.width);
    EXPECT_EQ(narrowest, 342);
    // Drawn at (page width - logo width - 5, 3).
    EXPECT_GE(narrowest - logo->width - 5, 0);
    EXPECT_LE(3 + logo->Height(), 55);
    EXPECT_LE(3 + logo->Height(), 37); // inside the page strip too
}
} // namespace
