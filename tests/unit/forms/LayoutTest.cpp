#include "MainWindowFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Placed {
    const char* name;
    QRect geometry;
    QString toolTip;
};

} // namespace

TEST(TFOrvandelLayout, EveryComponentIsAtItsPlaceWithItsToolTip) {
    MainWindowFixture fixture;
    fixture.create();
    EXPECT_EQ(fixture.window->size(), QSize(548, 442));
    EXPECT_EQ(fixture.window->windowTitle(), "Orvandel    Version 2.11");
    EXPECT_EQ(fixture.window->toolTip(), "Orvandel    Version 2.05");
    EXPECT_TRUE(fixture.window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(fixture.window->cursor().shape(), Qt::PointingHandCursor);
    const Placed components[] = {
        {"Image5", {8, 6, 48, 48}, "Diaporama des Images"},
        {"Image6", {62, 6, 48, 48}, "Ajouter une Image"},
        {"Image7", {125, 5, 302, 50}, ""},
        {"Image4", {442, 6, 48, 48}, "Aide"},
        {"Image3", {496, 6, 48, 48}, "Réduire l'Application"},
        {"XiPanelMain", {0, 60, 548, 382}, ""},
        {"GroupBox1", {0, 16, 385, 331}, ""},
        {"Image2", {3, 16, 379, 313}, ""},
        {"Image1", {30, 40, 327, 207}, ""},
        {"Shape1", {305, 249, 18, 8}, "Changer le Papier-Peint"},
        {"Shape2", {320, 249, 18, 8}, "Réduire l'Application"},
        {"GroupBox2", {391, 0, 149, 371}, ""},
        {"Lst_Images", {3, 41, 143, 324}, ""},
        {"BitBtn", {24, 351, 161, 26}, ""},
        {"BBtnCalendrier", {216, 351, 141, 26}, ""},
        {"Panel1", {0, 469, 544, 209}, ""},
        {"MemoLog", {8, 8, 528, 193}, ""},
    };
    for (const Placed& component : components) {
        const QWidget* widget = fixture.child<QWidget>(component.name);
        ASSERT_NE(widget, nullptr) << component.name;
        EXPECT_EQ(widget->geometry(), component.geometry) << component.name;
        EXPECT_EQ(widget->toolTip(), component.toolTip) << component.name;
    }
    auto* combo = fixture.child<QComboBox>("ComboBoxAlbum");
    EXPECT_EQ(combo->pos(), QPoint(3, 13));
    EXPECT_EQ(combo->width(), 140);
    QStringList albums;
    for (int index = 0; index < combo->count(); ++index)
        albums.append(combo->itemText(index));
    EXPECT_EQ(albums, (QStringList{"Islamic", "Nature", "Espace", "Science", "Animaux", "Villes",
                                   "Auto-Moto", "Militaire", "Sports", "Arts-Martiaux", "Santé",
                                   "sagesse"}));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox1")->title(), " Aperçue ");
    EXPECT_EQ(fixture.child<QGroupBox>("GroupBox2")->title(), "Choix Album");
    EXPECT_EQ(fixture.child<QAbstractButton>("BitBtn")->text(), "Changer Fond d'Ecran");
    EXPECT_EQ(fixture.child<QAbstractButton>("BBtnCalendrier")->text(), "Afficher Calendrier");
    EXPECT_TRUE(fixture.child<QWidget>("Panel1")->isHidden());
}

TEST(TFOrvandelLayout, ShortcutsActInsideThePanelAndTheGreenEllipseTakesAnyButton) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 1);
    fixture.start();
    fixture.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fixture.window.get()));
    fixture.window->activateWindow();
    auto* list = fixture.child<QListWidget>("Lst_Images");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fixture.applied.size(), 1);
    QTest::mouseClick(fixture.child<QWidget>("Shape1"), Qt::RightButton);
    EXPECT_EQ(fixture.applied.size(), 2);
}
