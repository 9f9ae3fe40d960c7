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
    for (size_t i = 0; i < page.pictureCount; ++i)
    {
        const NvLayoutPicture& p = page.pictures[i];
        const NvSkinBitmap* b = FindSkinBitmap(p.bitmap);
        if (!b || b->kind == NvSkinKind::Background)
            faults.push_back(std::string("picture ") + p.bitmap + ": no such image");
        else if (!NvLayoutRect{p.x, p.y, b->width, b->frameHeight}.Inside(w, h))
            faults.push_back(std::string("picture ") + p.bitmap + ": outside the page");
    }
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
        {NvMasterFxEditLayout::kPage, "mfx 2 param 11 label", 314, 326, 132, 9},
        {NvMasterFxEditLayout::kPage, "mfx 2 param 11", 454, 326, 120, 9},
        {NvMasterFxEditLayout::kPage, "mfx 1 param 10", 179, 103 + 117, 120, 9},
        {NvMasterFxEditLayout::kPage, "mfx 2 control 2", 454, 472, 120, 9},
        {NvVocoderEditLayout::kPage, "formant shift 0", 222, 129, 14, 11},
        {NvVocoderEditLayout::kPage, "band 16 level", 79 + 37 * 15, 290, 22, 95},
        {NvVocoderEditLayout::kPage, "band 16 hold", 479 + 12 * 15, 86, 12, 96},
        {NvProgramEditLayout::kPage, "program name", 20, 13, 108, 15},
        {NvProgramEditLayout::kPage, "timbre 2 eq", 489, 334, 85, 52},
        {NvProgramEditLayout::kPage, "timbre 2 knob 3", 326, 377, 120, 9},
        {NvProgramEditLayout::kPage, "voice mode multi", 21, 102, 14, 11},
        {NvArpEditLayout::kPage, "step 8", 296, 185, 18, 18},
        {NvArpEditLayout::kPage, "rotate right", 90, 190, 20, 16},
        {NvArpEditLayout::kPage, "gate time", 209, 111, 36, 36},
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

// The master effects layer places its grid by GridX and GridY: the printed table must agree,
// cell for cell, and every role must be unique so that lookups by role find the one meant.
TEST(NvPageLayout, TheMasterEffectsGridAgreesWithItsPlacementRule)
{
    const NvPageLayout& page = NvMasterFxEditLayout::kPage;
    for (int effect = 0; effect < 2; ++effect)
        for (int p = 0; p < 20; ++p)
            for (bool field : {false, true})
            {
                const std::string role = "mfx " + std::to_string(effect + 1) + " param " +
                                         std::to_string(p + 1) + (field ? "" : " label");
                int found = 0;
                for (size_t i = 0; i < page.controlCount; ++i)
                    if (role == page.controls[i].role)
                    {
                        ++found;
                        EXPECT_EQ(page.controls[i].x, NvMasterFxEditLayout::GridX(p, field)) << role;
                        EXPECT_EQ(page.controls[i].y, NvMasterFxEditLayout::GridY(effect, p)) << role;
                    }
                EXPECT_EQ(found, 1) << role;
            }
    // 2 x (type + 20 labels + 20 fields + 2 Control labels + 2 Control fields); the vocoder's 67.
    EXPECT_EQ(page.controlCount, 90u);
    EXPECT_EQ(NvVocoderEditLayout::kPage.controlCount, 67u);
    for (const NvPageLayout* table : {&NvMasterFxEditLayout::kPage, &NvVocoderEditLayout::kPage})
        for (size_t i = 0; i < table->controlCount; ++i)
            for (size_t j = i + 1; j < table->controlCount; ++j)
                EXPECT_STRNE(table->controls[i].role, table->controls[j].role);
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

TEST(NvPageLayout, TheGlobalGridStandsOnItsLinesAndTheCcMapSubPageLints)
{
    using namespace NvGlobalEditLayout;
    ASSERT_EQ(kCellCount, 34u);
    // Row 17, Program Change: its name at (273, 279), its 14-character field at (420, 279).
    const NvGlobalCell& programChange = kCells[17];
    EXPECT_STREQ(programChange.text, "Program Change");
    EXPECT_EQ(programChange.group, 2);
    EXPECT_EQ(programChange.index, 3);
    const NvLayoutRect label = LabelRect(programChange), field = FieldRect(programChange);
    EXPECT_EQ(label.x, 273);
    EXPECT_EQ(label.y, 279);
    EXPECT_EQ(field.x, 420);
    EXPECT_EQ(field.y, 279);
    EXPECT_EQ(field.width, 84);
    // A scale key lies on the keyboard picture: B at (518 + 209, 152 + 52), three characters.
    const NvLayoutRect b = FieldRect(kCells[33]);
    EXPECT_EQ(b.x, 727);
    EXPECT_EQ(b.y, 204);
    EXPECT_EQ(b.width, 18);
    const NvSkinBitmap* keyboard = FindSkinBitmap("ScaleKeyboard");
    ASSERT_NE(keyboard, nullptr);
    ASSERT_EQ(kPage.pictureCount, 1u);
    for (const NvGlobalCell& c : kCells)
        if (c.kind == NvGlobalCellKind::ScaleKey)
        {
            EXPECT_EQ(c.group, 3) << c.text;
            const NvLayoutRect r = FieldRect(c);
            EXPECT_GE(r.x, kPage.pictures[0].x) << c.text;
            EXPECT_LE(r.Right(), kPage.pictures[0].x + keyboard->width) << c.text;
            EXPECT_LE(r.Bottom(), kPage.pictures[0].y + keyboard->frameHeight) << c.text;
        }
    // The headings are printed; every other row has a control in the table.
    size_t headings = 0;
    for (size_t i = 0; i < kPage.labelCount; ++i)
        for (const NvGlobalCell& c : kCells)
            headings += c.kind == NvGlobalCellKind::Heading && std::strcmp(kPage.labels[i].text, c.text) == 0;
    EXPECT_EQ(headings, 4u);

    // The list and its page tab do not overlap, and the list stays on the panel.
    EXPECT_FALSE(kCcMapList.Overlaps(kCcMapPageTab));
    EXPECT_LE(kCcMapList.Bottom(), kPanelY + kPanelHeight);
    for (const std::string& fault : Lint(kCcMapPage))
        ADD_FAILURE() << "CC map: " << fault;
}

TEST(NvPageLayout, TheLintFindsPicturesOffThePageOrUnknown)
{
    static constexpr NvLayoutPicture pictures[] = {{"ScaleKeyboard", 200, 10}, {"NoSuchImage", 0, 0}};
    const NvPageLayout page = {"BG_ArpEdit", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, pictures, 2};
    const std::vector<std::string> expected = {"picture ScaleKeyboard: outside the page",
                                               "picture NoSuchImage: no such image"};
    EXPECT_EQ(Lint(page), expected);
}
} // namespace
