#include "components/gradient/TXiPanel.h"
#include "forms/about/ClosePicture.h"
#include "forms/about/TFormAPropos.h"
#include "forms/about/TFormAide.h"
#include "forms/common/RoundedShape.h"

#include <QLabel>
#include <QLayout>
#include <QTest>

#include <gtest/gtest.h>

namespace orvandel {
namespace {

template <typename Child> Child& child(QWidget& window, const char* name) {
    auto* found = window.findChild<Child*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("missing ") + name);
    return *found;
}

QString labelText(QWidget& window, const char* name) {
    return child<QLabel>(window, name).text();
}

// Style sheets set the pixel-high fonts and the layout fills the window, once polished and laid
// out.
void prepare(QWidget& window) {
    window.ensurePolished();
    if (window.layout())
        window.layout()->activate();
}

void expectBorderlessWithDesertPanel(QWidget& window, QSize clientSize) {
    prepare(window);
    EXPECT_EQ(window.size(), clientSize);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto& panel = child<TXiPanel>(window, "XiPanel1");
    EXPECT_EQ(panel.geometry(), QRect(QPoint(0, 0), clientSize));
    EXPECT_EQ(panel.ColorScheme(), TColorScheme::csDesert);
    EXPECT_EQ(panel.FillDirection(), TFillDirection::fdVertical);
    EXPECT_EQ(panel.BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(panel.BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(panel.ColorGrad(), 10805759u);
}

TEST(AboutWindows, AboutWindowHasItsTextsSizeAndComponents) {
    TFormAPropos about;
    expectBorderlessWithDesertPanel(about, QSize(249, 121));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("A propos ..."));
    EXPECT_EQ(labelText(about, "Panel1"), QStringLiteral("Orvandel"));
    EXPECT_EQ(labelText(about, "Panel4"), QStringLiteral("Version 2.11 - 2025"));
    EXPECT_EQ(child<QLabel>(about, "Panel1").font().pixelSize(), 25);
    EXPECT_TRUE(child<QLabel>(about, "Panel1").font().bold());
    EXPECT_TRUE(child<QLabel>(about, "Panel1").font().italic());
    auto& close = child<ClosePicture>(about, "Image2");
    EXPECT_EQ(close.geometry(), QRect(222, 8, 19, 19));
    EXPECT_EQ(close.toolTip(), QStringLiteral("Fermer"));
    EXPECT_EQ(child<QLabel>(about, "Image1").geometry(), QRect(16, 8, 33, 33));
    EXPECT_EQ(child<QLabel>(about, "Image1").pixmap().size(), QSize(32, 32));
    EXPECT_EQ(child<QLabel>(about, "Panel1").geometry(), QRect(39, 55, 185, 33));
    EXPECT_EQ(child<QLabel>(about, "Panel4").geometry(), QRect(31, 86, 204, 17));
}

TEST(AboutWindows, HelpWindowKeepsItsHintsWordForWord) {
    TFormAide help;
    expectBorderlessWithDesertPanel(help, QSize(313, 194));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Aide"));
    EXPECT_EQ(help.toolTip(), QStringLiteral("Aide"));
    EXPECT_EQ(labelText(help, "Label5"), QStringLiteral("Aide"));
    EXPECT_EQ(labelText(help, "Label1"),
              QStringLiteral("1- Bouton Vert : Changer le Papier-Peint"));
    EXPECT_EQ(labelText(help, "Label2"), QStringLiteral("2- Bouton Rouge : Réduire l'Application"));
    EXPECT_EQ(labelText(help, "Label3"),
              QStringLiteral("3- Aperçu de l'image sur l'écran avec un seul clique sur le nom de "
                             "l'image dans la liste"));
    EXPECT_EQ(labelText(help, "Label4"),
              QStringLiteral("4- Changer le Papier-peint avec Double clique sur sur le nom de "
                             "l'image dans la liste "));
    EXPECT_EQ(child<QLabel>(help, "Label5").font().pixelSize(), 21);
    EXPECT_EQ(child<QLabel>(help, "Label5").palette().color(QPalette::WindowText),
              QColor(0, 128, 0));
    EXPECT_EQ(child<QLabel>(help, "Label1").font().pixelSize(), 13);
    EXPECT_EQ(child<QLabel>(help, "Label3").geometry(), QRect(16, 96, 233, 48));
    EXPECT_TRUE(child<QLabel>(help, "Label3").wordWrap());
    EXPECT_EQ(child<QLabel>(help, "Label4").geometry(), QRect(19, 150, 287, 32));
    EXPECT_TRUE(child<QLabel>(help, "Label4").wordWrap());
    EXPECT_EQ(child<ClosePicture>(help, "Image1").geometry(), QRect(287, 6, 19, 19));
    EXPECT_EQ(child<ClosePicture>(help, "Image1").toolTip(), QStringLiteral("Fermer"));
}

template <typename Window> void expectRoundedOnActivation(Window& window, int ellipse) {
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.mask(), roundedRectangleRegion(window.size(), ellipse, ellipse));
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(window.width() / 2, 0)));
}

TEST(AboutWindows, AboutWindowIsRoundedByTwentyWhenActivated) {
    TFormAPropos about;
    expectRoundedOnActivation(about, 20);
}

TEST(AboutWindows, HelpWindowIsRoundedByThirtyWhenActivated) {
    TFormAide help;
    expectRoundedOnActivation(help, 30);
}

template <typename Window> void expectClosePictureHides(Window& window, const char* closeName) {
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&child<ClosePicture>(window, closeName), Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_FALSE(window.isVisible());
    // Hidden, not destroyed: it shows again.
    window.Show();
    EXPECT_TRUE(window.isVisible());
}

TEST(AboutWindows, ClosePicturesHideTheirWindows) {
    TFormAPropos about;
    expectClosePictureHides(about, "Image2");
    TFormAide help;
    expectClosePictureHides(help, "Image1");
}

TEST(AboutWindows, AboutWindowIsDraggedByItsTopBandOverTheGradientPanel) {
    TFormAPropos about;
    about.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto& panel = child<TXiPanel>(about, "XiPanel1");
    const QPoint start = about.pos();
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(120, 10));
    QTest::mouseMove(&panel, QPoint(100, 15));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(100, 15));
    EXPECT_EQ(about.pos(), start + QPoint(-20, 5));
    EXPECT_TRUE(about.isVisible());
}

} // namespace
} // namespace orvandel
