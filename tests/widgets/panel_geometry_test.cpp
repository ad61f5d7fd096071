#include "widgets/panel_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace geo {
namespace {

// ---- TScrewPanel ----

struct PanelCase
{
    const char* name;
    ScrewPanelInput in;
    std::vector<Pt> screws;
    Rct caption;
};

void PrintTo(const PanelCase& c, std::ostream* os)
{
    *os << c.name;
}

ScrewPanelInput panel(int w, int h)
{
    return ScrewPanelInput{{0, 0, w, h}};
}

ScrewPanelInput framed(ScrewPanelInput in, TBevelStyle outer, TBevelStyle inner, int border)
{
    in.bevelOuter = outer;
    in.bevelInner = inner;
    in.borderWidth = border;
    return in;
}

class ScrewPanelTest : public testing::TestWithParam<PanelCase>
{
};

TEST_P(ScrewPanelTest, ScrewsInCornersOfInnerRectangle)
{
    const ScrewPanelLayout out = screwPanelLayout(GetParam().in);
    EXPECT_EQ(out.screws, GetParam().screws);
    EXPECT_EQ(out.captionRect, GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Panels, ScrewPanelTest,
                         testing::Values(
                             // Room tile: raised bevel 1, margin 2, screw size 2 (heads 8 across).
                             PanelCase{"RoomTile", panel(40, 40), {{3, 3}, {29, 3}, {3, 29}, {29, 29}}, {1, 1, 39, 39}},
                             PanelCase{"NewPanel", panel(45, 45), {{3, 3}, {34, 3}, {3, 34}, {34, 34}}, {1, 1, 44, 44}},
                             // Narrower than 2 x (margin + 4 x size): the screws overlap and nothing is clipped.
                             PanelCase{
                                 "NarrowOverlaps", panel(16, 40), {{3, 3}, {5, 3}, {3, 29}, {5, 29}}, {1, 1, 15, 39}},
                             PanelCase{"BorderAndInnerBevel",
                                       framed(panel(60, 40), TBevelStyle::bvRaised, TBevelStyle::bvLowered, 2),
                                       {{6, 6}, {46, 6}, {6, 26}, {46, 26}},
                                       {4, 4, 56, 36}},
                             PanelCase{"NoOuterBevelOnlyBorder",
                                       framed(panel(40, 40), TBevelStyle::bvNone, TBevelStyle::bvNone, 3),
                                       {{5, 5}, {27, 5}, {5, 27}, {27, 27}},
                                       {3, 3, 37, 37}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScrewPanel, BevelStrokesAndHiddenScrews)
{
    ScrewPanelInput in = panel(40, 30);
    const std::vector<Stroke> raised = {{Ink::Highlight, {{39, 0}, {0, 0}, {0, 29}}, 1},
                                        {Ink::Shadow, {{39, 0}, {39, 29}, {0, 29}}, 1}};
    EXPECT_EQ(screwPanelLayout(in).bevels, raised);
    in.bevelOuter = TBevelStyle::bvLowered;
    in.bevelWidth = 2;
    const std::vector<Stroke> lowered = screwPanelLayout(in).bevels;
    ASSERT_EQ(lowered.size(), 2u);
    EXPECT_EQ(lowered[0].ink, Ink::Shadow);
    EXPECT_EQ(lowered[1].ink, Ink::Highlight);
    EXPECT_EQ(lowered[0].width, 2);
    in.showScrews = false;
    EXPECT_TRUE(screwPanelLayout(in).screws.empty());
}

TEST(ScrewShape, SizeTwoHead)
{
    const ScrewShape s = screwShape({3, 3}, 2);
    EXPECT_EQ(s.disc, (Rct{3, 3, 11, 11}));
    EXPECT_EQ(s.discRows.size(), 8u);
    EXPECT_EQ(s.slot, (std::vector<Pt>{{4, 8}, {5, 7}, {6, 6}, {7, 5}, {8, 4}}));
    EXPECT_EQ(s.glint, (std::vector<Pt>{{5, 9}, {6, 8}, {7, 7}, {8, 6}, {9, 5}}));
    // The halves split the outline: top-left pixels in shadow, bottom-right in highlight.
    EXPECT_EQ(s.shadowArc.size() + s.highlightArc.size(), s.outline.size());
    auto has = [](const std::vector<Pt>& v, Pt p) { return std::find(v.begin(), v.end(), p) != v.end(); };
    EXPECT_TRUE(has(s.shadowArc, {3, 5}));
    EXPECT_TRUE(has(s.shadowArc, {5, 3}));
    EXPECT_TRUE(has(s.highlightArc, {10, 8}));
    EXPECT_TRUE(has(s.highlightArc, {8, 10}));
    // Slot and glint lie inside the disc.
    for (const Pt& p : s.slot)
        EXPECT_TRUE(s.disc.contains(p)) << p;
    for (const Pt& p : s.glint)
        EXPECT_TRUE(s.disc.contains(p)) << p;
}

// ---- TLEDMeter ----

struct CountCase
{
    int n, value, min, max, lit;
};

class LedCountTest : public testing::TestWithParam<CountCase>
{
};

TEST_P(LedCountTest, RoundedShareOfCells)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(ledMeterCellCount(c.n, c.value, c.min, c.max), c.lit);
}

INSTANTIATE_TEST_SUITE_P(Counts, LedCountTest,
                         testing::Values(CountCase{40, 10, 0, 55, 7},  // 7.27: the temperature bar
                                         CountCase{40, 45, 0, 55, 33}, // its section start, 32.7
                                         CountCase{20, 100, 0, 100, 20}, CountCase{20, 0, 0, 100, 0},
                                         CountCase{4, 5, 0, 40, 0},  // 0.5 goes to the even 0
                                         CountCase{4, 15, 0, 40, 2}, // 1.5 goes to the even 2
                                         CountCase{10, 7, 5, 5, 0},  // empty range
                                         CountCase{10, 3, 5, 1, 0},  // inverted range
                                         CountCase{10, 4, 5, 15, 0}, // below Min
                                         CountCase{10, 10, 5, 15, 5}));

TEST(LedMeterCells, TemperatureBarLightsSevenCellsOfSectionOne)
{
    LedMeterInput in;
    in.width = 201;
    in.height = 16;
    in.numDigits = 40;
    in.max = 55;
    in.section2Value = 45;
    in.section3Value = 45;
    in.value = 10;
    in.bevel = false;
    const std::vector<LedCell> cells = ledMeterCells(in);
    ASSERT_EQ(cells.size(), 40u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(cells[size_t(i)].on, i < 7) << i;
        EXPECT_EQ(cells[size_t(i)].section, i < 33 ? 0 : 2) << i;
        // Cells 5 wide share their outline with the neighbour.
        EXPECT_EQ(cells[size_t(i)].rect, (Rct{5 * i, 0, 5 * i + 6, 16})) << i;
    }
}

struct DirectionCase
{
    const char* name;
    TMeterDirection direction;
    int width, height;
    Rct first, last;
};

void PrintTo(const DirectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class LedDirectionTest : public testing::TestWithParam<DirectionCase>
{
};

TEST_P(LedDirectionTest, FirstAndLastCell)
{
    LedMeterInput in;
    in.direction = GetParam().direction;
    in.width = GetParam().width;
    in.height = GetParam().height;
    const std::vector<LedCell> cells = ledMeterCells(in);
    ASSERT_EQ(cells.size(), 20u);
    EXPECT_EQ(cells.front().rect, GetParam().first);
    EXPECT_EQ(cells.back().rect, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LedDirectionTest,
    testing::Values(DirectionCase{"Right", TMeterDirection::mdRight, 143, 16, {1, 1, 9, 15}, {134, 1, 142, 15}},
                    DirectionCase{"Left", TMeterDirection::mdLeft, 143, 16, {134, 1, 142, 15}, {1, 1, 9, 15}},
                    DirectionCase{"Down", TMeterDirection::mdDown, 16, 143, {1, 1, 15, 8}, {1, 134, 15, 141}},
                    DirectionCase{"Up", TMeterDirection::mdUp, 16, 143, {1, 135, 15, 142}, {1, 2, 15, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedMeterCells, SingleLedAndPeak)
{
    LedMeterInput in;
    in.value = 30; // 6 of 20 cells
    in.singleLED = true;
    std::vector<LedCell> cells = ledMeterCells(in);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(cells[size_t(i)].on, i == 5) << i;

    in.singleLED = false;
    in.peak = 80; // cell 15
    in.peakHoldTime = 5;
    cells = ledMeterCells(in);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(cells[size_t(i)].on, i < 6 || i == 15) << i;
    EXPECT_EQ(cells[15].section, 1);

    in.peakHoldTime = 0; // no peak cell
    cells = ledMeterCells(in);
    EXPECT_FALSE(cells[15].on);

    in.peakHoldTime = 5;
    in.value = 0;
    in.peak = 5; // round(1) - 1 = cell 0: a peak in the first cell is never shown
    cells = ledMeterCells(in);
    EXPECT_FALSE(cells[0].on);
}

TEST(LedMeterCells, EmptyRangeOrNoCells)
{
    LedMeterInput in;
    in.min = in.max = 50;
    in.value = 50;
    for (const LedCell& c : ledMeterCells(in))
        EXPECT_FALSE(c.on);
    in.numDigits = 0;
    EXPECT_TRUE(ledMeterCells(in).empty());
}

TEST(LedMeterBevel, RaisedAndLowered)
{
    EXPECT_EQ(ledMeterBevel(143, 16, TBevelStyle::bvRaised),
              (std::vector<Stroke>{{Ink::Highlight, {{142, 0}, {0, 0}, {0, 15}}, 1},
                                   {Ink::Shadow, {{0, 15}, {142, 15}, {142, 0}}, 1}}));
    EXPECT_EQ(ledMeterBevel(143, 16, TBevelStyle::bvLowered)[0].ink, Ink::Shadow);
    EXPECT_EQ(ledMeterBevel(143, 16, TBevelStyle::bvSpace)[1].ink, Ink::Highlight);
    EXPECT_TRUE(ledMeterBevel(143, 16, TBevelStyle::bvNone).empty());
}

// ---- TLEDButton ----

LedButtonInput ledButton(TButtonDirection d = TButtonDirection::bdBottomUp, bool pressed = false)
{
    LedButtonInput in;
    in.client = {0, 0, 45, 45};
    in.direction = d;
    in.pressed = pressed;
    return in;
}

std::set<std::pair<int, int>> slabPixels(const LedButtonLayout& l, geo::Ink ink)
{
    std::set<std::pair<int, int>> px;
    for (const Stroke& s : l.slab)
        if (s.ink == ink)
            for (size_t i = 0; i + 1 < s.points.size(); ++i)
                for (const Pt& p : linePixels(s.points[i], s.points[i + 1]))
                    px.insert({p.x, p.y});
    return px;
}

TEST(LedButtonLayout, BottomUpSlab)
{
    const LedButtonLayout l = ledButtonLayout(ledButton());
    EXPECT_EQ(l.face, (Rct{0, 0, 45, 45}));
    EXPECT_TRUE(l.frame);
    // R = (1, 1, 44, 44) inside the frame, depth 3.
    EXPECT_EQ(l.slab.front(), (Stroke{Ink::Highlight, {{43, 1}, {1, 1}}, 1}));
    EXPECT_EQ(l.slab[1], (Stroke{Ink::Highlight, {{1, 1}, {1, 43}}, 1}));
    EXPECT_EQ(l.slab[2], (Stroke{Ink::Shadow, {{43, 1}, {43, 43}}, 1}));
    EXPECT_EQ(l.slab[7], (Stroke{Ink::Highlight, {{1, 1}, {4, 40}}, 1}));
    EXPECT_EQ(l.slab.back(), (Stroke{Ink::Shadow, {{4, 40}, {40, 40}}, 1}));
    EXPECT_EQ(l.slab.size(), 1u + 8 + 4);
    EXPECT_TRUE(l.led);
    EXPECT_EQ(l.ledRect, (Rct{7, 32, 38, 37}));
    EXPECT_EQ(l.content, (Rct{1, 1, 44, 34}));
    // The thickness: the bottom four rows in the shadow colour, narrowing upwards.
    const auto shadow = slabPixels(l, Ink::Shadow);
    EXPECT_TRUE(shadow.count({1, 43}) && shadow.count({42, 43}) && shadow.count({4, 40}) && shadow.count({39, 40}));
    EXPECT_FALSE(shadow.count({3, 40}));
}

TEST(LedButtonLayout, PressedSidesReachBottomAndLedDrops)
{
    const LedButtonLayout l = ledButtonLayout(ledButton(TButtonDirection::bdBottomUp, true));
    EXPECT_EQ(l.slab[1], (Stroke{Ink::Highlight, {{1, 1}, {1, 43}}, 1}));
    EXPECT_EQ(l.slab[7], (Stroke{Ink::Highlight, {{1, 1}, {2, 43}}, 1})); // i = 3: left + 3 div 2
    EXPECT_EQ(l.slab.back(), (Stroke{Ink::Shadow, {{1, 43}, {43, 43}}, 1}));
    EXPECT_EQ(l.ledRect, (Rct{7, 33, 38, 38}));
}

TEST(LedButtonLayout, UnbeveledSidesAreStraight)
{
    LedButtonInput in = ledButton();
    in.beveled = false;
    const LedButtonLayout l = ledButtonLayout(in);
    EXPECT_EQ(l.slab.size(), 3u + 4);
    EXPECT_EQ(l.slab[3], (Stroke{Ink::Shadow, {{1, 43}, {43, 43}}, 1}));
    EXPECT_EQ(l.slab[6], (Stroke{Ink::Shadow, {{1, 40}, {43, 40}}, 1}));
}

TEST(LedButtonLayout, CaptionStripAboveOrBelow)
{
    LedButtonInput in = ledButton();
    in.hasCaption = true;
    in.captionBand = 12;
    in.textPosition = TTextPosition::tpAbove;
    EXPECT_EQ(ledButtonLayout(in).face, (Rct{0, 12, 45, 45}));
    EXPECT_TRUE(ledButtonLayout(in).captionFirst);
    in.textPosition = TTextPosition::tpBelow;
    EXPECT_EQ(ledButtonLayout(in).face, (Rct{0, 0, 45, 33}));
    in.textPosition = TTextPosition::tpOnButton;
    EXPECT_FALSE(ledButtonLayout(in).captionFirst);
    EXPECT_EQ(ledButtonLayout(in).face, (Rct{0, 0, 45, 45}));
    in.hasCaption = false;
    in.textPosition = TTextPosition::tpAbove;
    EXPECT_EQ(ledButtonLayout(in).face, (Rct{0, 0, 45, 45}));
}

// The other directions are mirror images of bdBottomUp: the slab's pixels and the LED map one to one.
struct MirrorCase
{
    const char* name;
    TButtonDirection direction;
    Pt (*map)(Pt); // from bdBottomUp pixels, for a square button with R = (1, 1, 44, 44)
    Rct led;
};

void PrintTo(const MirrorCase& c, std::ostream* os)
{
    *os << c.name;
}

class LedButtonMirrorTest : public testing::TestWithParam<MirrorCase>
{
};

TEST_P(LedButtonMirrorTest, SlabAndLedMirrored)
{
    for (bool pressed : {false, true}) {
        const LedButtonLayout base = ledButtonLayout(ledButton(TButtonDirection::bdBottomUp, pressed));
        const LedButtonLayout turned = ledButtonLayout(ledButton(GetParam().direction, pressed));
        for (geo::Ink ink : {Ink::Highlight, Ink::Shadow}) {
            std::set<std::pair<int, int>> expected;
            for (const auto& [x, y] : slabPixels(base, ink)) {
                const Pt p = GetParam().map({x, y});
                expected.insert({p.x, p.y});
            }
            EXPECT_EQ(slabPixels(turned, ink), expected) << "pressed " << pressed;
        }
    }
    EXPECT_EQ(ledButtonLayout(ledButton(GetParam().direction)).ledRect, GetParam().led);
}

INSTANTIATE_TEST_SUITE_P(Directions, LedButtonMirrorTest,
                         testing::Values(MirrorCase{"TopUp",
                                                    TButtonDirection::bdTopUp,
                                                    [](Pt p) {
                                                        return Pt{p.x, 44 - p.y};
                                                    },
                                                    {7, 8, 38, 13}},
                                         MirrorCase{"RightUp",
                                                    TButtonDirection::bdRightUp,
                                                    [](Pt p) {
                                                        return Pt{p.y, p.x};
                                                    },
                                                    {32, 7, 37, 38}},
                                         MirrorCase{"LeftUp",
                                                    TButtonDirection::bdLeftUp,
                                                    [](Pt p) {
                                                        return Pt{44 - p.y, p.x};
                                                    },
                                                    {8, 7, 13, 38}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LedButtonLayout, FlatFaceHasNoSlab)
{
    const LedButtonLayout l = ledButtonLayout(ledButton(TButtonDirection::bdNone));
    EXPECT_TRUE(l.slab.empty());
    EXPECT_EQ(l.ledRect, (Rct{4, 35, 41, 40}));
}

} // namespace
} // namespace geo
