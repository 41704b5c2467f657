#include "components/gradient/PanelCaption.h"
#include "components/gradient/TXiPanel.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace orvandel {
namespace {

struct Colors {
    TColor face, grad, light, dark;
};

Colors colorsOf(const TXiPanel& panel) {
    return {panel.ColorFace(), panel.ColorGrad(), panel.ColorLight(), panel.ColorDark()};
}

void expectColors(const TXiPanel& panel, const Colors& expected) {
    const Colors actual = colorsOf(panel);
    EXPECT_EQ(actual.face, expected.face);
    EXPECT_EQ(actual.grad, expected.grad);
    EXPECT_EQ(actual.light, expected.light);
    EXPECT_EQ(actual.dark, expected.dark);
}

constexpr Colors Desert{16777215, 10805759, 36821, 27035};

TEST(XiPanel, NewPanelReadsBackDesertVerticalAndTheDesertColours) {
    const TXiPanel panel;
    EXPECT_EQ(panel.ColorScheme(), TColorScheme::csDesert);
    EXPECT_EQ(panel.FillDirection(), TFillDirection::fdVertical);
    expectColors(panel, Desert);
    EXPECT_EQ(panel.Alignment(), TAlignment::taCenter);
    EXPECT_EQ(panel.BevelOuter(), TBevelCut::bvRaised);
    EXPECT_EQ(panel.BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(panel.BevelWidth(), 1);
}

TEST(XiPanel, SettingOneColourSwitchesToCustomEvenWithTheSchemesOwnValue) {
    for (const TColorIndex index : {TColorIndex::ColorFace, TColorIndex::ColorGrad,
                                    TColorIndex::ColorLight, TColorIndex::ColorDark}) {
        TXiPanel panel;
        panel.SetColors(index, colorsOf(panel).face);
        EXPECT_EQ(panel.ColorScheme(), TColorScheme::csCustom);
    }
    TXiPanel panel;
    panel.SetColorDark(27035);
    EXPECT_EQ(panel.ColorScheme(), TColorScheme::csCustom);
    expectColors(panel, Desert);
}

TEST(XiPanel, CustomSchemeKeepsTheColours) {
    TXiPanel panel;
    panel.SetColorFace(0x123456);
    panel.SetColorScheme(TColorScheme::csCustom);
    expectColors(panel, {0x123456, Desert.grad, Desert.light, Desert.dark});
}

TEST(XiPanel, NamedSchemesReplaceAllFourColours) {
    const struct {
        TColorScheme scheme;
        Colors colors;
    } cases[] = {
        {TColorScheme::csDesert, Desert},
        {TColorScheme::csGrass, {16777215, 11596491, 4109674, 1404727}},
        {TColorScheme::csSilver, {16777215, 14344414, 8224125, 6447714}},
        {TColorScheme::csSky, {16777215, 16769217, 15767117, 11753728}},
        {TColorScheme::csRose, {16777215, 13421823, 414156, 157}},
        {TColorScheme::csSun, {16777215, 12582911, 38293, 25700}},
    };
    for (const auto& [scheme, colors] : cases) {
        TXiPanel panel;
        panel.SetColorFace(1);
        panel.SetColorGrad(2);
        panel.SetColorLight(3);
        panel.SetColorDark(4);
        panel.SetColorScheme(scheme);
        EXPECT_EQ(panel.ColorScheme(), scheme);
        expectColors(panel, colors);
    }
}

TEST(XiPanel, StoredFormPropertiesAppliedInOrderEndWithTheScheme) {
    TXiPanel panel;
    panel.setProperty("ColorFace", 1);
    panel.setProperty("ColorGrad", 2);
    panel.setProperty("ColorLight", 3);
    panel.setProperty("ColorDark", 4);
    ASSERT_TRUE(panel.setProperty("ColorScheme", 4));
    ASSERT_TRUE(panel.setProperty("FillDirection", 2));
    EXPECT_EQ(panel.ColorScheme(), TColorScheme::csSky);
    EXPECT_EQ(panel.FillDirection(), TFillDirection::fdDiagonal);
    expectColors(panel, {16777215, 16769217, 15767117, 11753728});
}

constexpr TColor Light = 0x0000FF;
constexpr TColor Dark = 0xFF0000;

// 'L' light, 'D' dark, '.' gradient; raised outer and lowered inner bevels of width 2 on 10 x 8.
// Each ring's top-right pixel is dark and bottom-left light: lines stop short of their end point.
TEST(XiPanel, RaisedOuterAndLoweredInnerRingsOfWidthTwo) {
    TXiPanel panel;
    panel.resize(10, 8);
    panel.SetColorLight(Light);
    panel.SetColorDark(Dark);
    panel.SetBevelOuter(TBevelCut::bvRaised);
    panel.SetBevelInner(TBevelCut::bvLowered);
    panel.SetBevelWidth(2);
    const char* expected[] = {
        "LLLLLLLLLD", //
        "LLLLLLLLDD", //
        "LLDDDDDLDD", //
        "LLDDDDLLDD", //
        "LLDDLLLLDD", //
        "LLDLLLLLDD", //
        "LLDDDDDDDD", //
        "LDDDDDDDDD", //
    };
    const QImage bitmap = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bitmap.size(), QSize(10, 8));
    for (int y = 0; y < 8; ++y) {
        std::string row;
        for (int x = 0; x < 10; ++x) {
            const QRgb pixel = bitmap.pixel(x, y);
            row += pixel == toPixel(Light) ? 'L' : pixel == toPixel(Dark) ? 'D' : '.';
        }
        EXPECT_EQ(row, expected[y]) << "row " << y;
    }
}

TEST(XiPanel, InnerBevelAloneIsDrawnAtTheEdge) {
    TXiPanel panel;
    panel.resize(5, 4);
    panel.SetColorLight(Light);
    panel.SetColorDark(Dark);
    panel.SetBevelOuter(TBevelCut::bvNone);
    panel.SetBevelInner(TBevelCut::bvRaised);
    const QImage bitmap = panel.PaintBitmap();
    EXPECT_EQ(bitmap.pixel(0, 0), toPixel(Light));
    EXPECT_EQ(bitmap.pixel(0, 3), toPixel(Light));
    EXPECT_EQ(bitmap.pixel(4, 0), toPixel(Dark));
    EXPECT_EQ(bitmap.pixel(4, 3), toPixel(Dark));
    EXPECT_NE(bitmap.pixel(1, 1), toPixel(Light));
}

TEST(XiPanel, CaptionX) {
    using enum TAlignment;
    using enum TBevelCut;
    const struct {
        CaptionLayout layout;
        int clientWidth, captionWidth, expected;
    } cases[] = {
        {{taLeftJustify, bvLowered, bvRaised, 2}, 100, 30, 6},
        {{taLeftJustify, bvRaised, bvNone, 2}, 100, 30, 4},
        {{taRightJustify, bvNone, bvRaised, 1}, 100, 30, 67},
        {{taRightJustify, bvLowered, bvRaised, 2}, 100, 30, 64},
        {{taCenter, bvLowered, bvRaised, 3}, 100, 31, 34},
        {{taCenter, bvNone, bvNone, 1}, 10, 15, -2},
    };
    for (const auto& [layout, clientWidth, captionWidth, expected] : cases)
        EXPECT_EQ(captionX(layout, clientWidth, captionWidth), expected)
            << "alignment " << static_cast<int>(layout.Alignment) << " width " << clientWidth;
    EXPECT_EQ(captionY(21, 14), 3);
    EXPECT_EQ(captionY(10, 15), -2);
}

TEST(XiPanel, CaptionIsWrittenOverTheGradient) {
    TXiPanel panel;
    panel.resize(120, 40);
    panel.SetBevelOuter(TBevelCut::bvNone);
    const QImage plain = panel.PaintBitmap().copy();
    panel.SetCaption(QStringLiteral("Orvandel"));
    const QImage captioned = panel.PaintBitmap().copy();
    EXPECT_NE(plain, captioned);
    // The text stays inside its centred box: the outer columns keep the gradient.
    EXPECT_EQ(plain.copy(0, 0, 10, 40), captioned.copy(0, 0, 10, 40));
}

// The bitmap is kept between paints, so each writer must have the next paint draw it anew.
TEST(XiPanel, EveryChangeShowsAtTheNextPaint) {
    const std::vector<std::pair<const char*, std::function<void(TXiPanel&)>>> changes = {
        {"ColorFace", [](TXiPanel& panel) { panel.SetColorFace(0x000080); }},
        {"ColorScheme", [](TXiPanel& panel) { panel.SetColorScheme(TColorScheme::csSky); }},
        {"FillDirection",
         [](TXiPanel& panel) { panel.SetFillDirection(TFillDirection::fdHorizontal); }},
        {"BevelInner", [](TXiPanel& panel) { panel.SetBevelInner(TBevelCut::bvLowered); }},
        {"BevelWidth", [](TXiPanel& panel) { panel.SetBevelWidth(3); }},
        {"Alignment", [](TXiPanel& panel) { panel.SetAlignment(TAlignment::taLeftJustify); }},
        {"Caption", [](TXiPanel& panel) { panel.SetCaption(QStringLiteral("Autre")); }},
        {"Font",
         [](TXiPanel& panel) {
             QFont bigger = panel.font();
             bigger.setPixelSize(30);
             panel.setFont(bigger);
         }},
        {"size", [](TXiPanel& panel) { panel.resize(90, 50); }},
    };
    for (const auto& [what, change] : changes) {
        TXiPanel panel;
        panel.resize(90, 40);
        panel.SetCaption(QStringLiteral("Orvandel"));
        const QImage before = panel.grab().toImage();
        change(panel);
        EXPECT_NE(panel.grab().toImage(), before) << what;
    }
}

// A client width or height of 0 leaves the gradient with 0 steps or nothing to fill.
TEST(XiPanel, EmptyPanelPaintsWithoutFailing) {
    for (const auto direction :
         {TFillDirection::fdHorizontal, TFillDirection::fdVertical, TFillDirection::fdDiagonal})
        for (const QSize size : {QSize(0, 0), QSize(0, 5), QSize(5, 0)}) {
            TXiPanel panel;
            panel.SetFillDirection(direction);
            panel.SetBevelInner(TBevelCut::bvLowered);
            panel.SetCaption(QStringLiteral("x"));
            panel.resize(size);
            EXPECT_TRUE(panel.PaintBitmap().isNull());
            EXPECT_TRUE(panel.grab().isNull());
        }
}

} // namespace
} // namespace orvandel
