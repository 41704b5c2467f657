#include "MainWindowFixture.h"
#include "common/Error.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(WMAppelMessage, OpensTheMenuShowsTheWindowOrDoesNothing) {
    MainWindowFixture fixture;
    fixture.start();
    fixture.window->WMAppelMessage(513);
    EXPECT_FALSE(fixture.window->isVisible());
    EXPECT_FALSE(fixture.window->popupMenu().isVisible());
    fixture.window->WMAppelMessage(516);
    EXPECT_TRUE(fixture.window->popupMenu().isVisible());
    EXPECT_FALSE(fixture.window->isVisible());
    fixture.window->popupMenu().hide();
    fixture.window->showMinimized();
    fixture.window->WMAppelMessage(515);
    EXPECT_TRUE(fixture.window->isVisible());
    EXPECT_FALSE(fixture.window->isMinimized());
}

TEST(PopupMenu, HasTheItemsInOrderWithTheFirstOneDefault) {
    MainWindowFixture fixture;
    fixture.create();
    QStringList items;
    for (const QAction* action : fixture.window->popupMenu().actions())
        items.append(action->isSeparator() ? QStringLiteral("-")
                                           : action->text() + u' ' + action->shortcut().toString());
    EXPECT_EQ(items,
              (QStringList{"&Afficher Application Ctrl+A", "&Réduire Application Ctrl+R", "-",
                           "&Changer Fond d'Ecran Ctrl+C", "Afficher Calen&drier Ctrl+D", "-",
                           "Aide Ctrl+H", "&Options Ctrl+O", "A &propos ... Ctrl+P", "-",
                           "&Quitter Ctrl+Q"}));
    EXPECT_EQ(fixture.window->popupMenu().defaultAction(),
              fixture.window->popupMenu().actions().first());
}

TEST(FormClose, ACloseRequestWritesTheUsersChoicesAndEnds) {
    MainWindowFixture fixture;
    fixture.addPictures("Espace", 2);
    fixture.writeSettings("Nom Album=Espace\nCompteur Album=7\nPosition=1\nTimer=15\n"
                          "Demarrage avec windows=0\nDemarrage reduit=1\n");
    fixture.start();
    fixture.window->show();
    fixture.window->close();
    EXPECT_EQ(fixture.settingsText(), "[Options]\n"
                                      "Nom Album=Espace\n"
                                      "Compteur Album=2\n"
                                      "Position=1\n"
                                      "Timer=15\n"
                                      "Demarrage avec windows=0\n"
                                      "Demarrage reduit=1\n"
                                      "Images=" +
                                          fixture.albumFolder("Espace") +
                                          "\n"
                                          "Changer au demarrage=0\n");
    EXPECT_EQ(fixture.ended, 1);
}

// The options dialog confirms, and ends the program unless that fails (FormOptionsTest).
TEST(QuitterlApplication1Click, CopiesTheCounterThenAsksForTheConfirmation) {
    MainWindowFixture fixture;
    fixture.start();
    fixture.optionsCounter.clear();
    int quitsSeenWithTheCounter = 0;
    QObject::connect(fixture.window.get(), &orvandel::TFOrvandel::quitRequested,
                     [&] { quitsSeenWithTheCounter += fixture.optionsCounter.size(); });
    fixture.window->popupMenu().actions().last()->trigger();
    EXPECT_EQ(fixture.optionsCounter, QStringList{"1"});
    EXPECT_EQ(fixture.quits, 1);
    EXPECT_EQ(quitsSeenWithTheCounter, 1) << "the counter is copied first";
    EXPECT_EQ(fixture.ended, 0) << "only the confirmation ends the program";
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
}

TEST(TFOrvandel, APressAtY19OverAPictureDragsAndAtY20Clicks) {
    MainWindowFixture fixture;
    int slideShows = 0;
    fixture.start();
    QObject::connect(fixture.window.get(), &orvandel::TFOrvandel::slideShowRequested,
                     [&] { ++slideShows; });
    fixture.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fixture.window.get()));
    auto* Image5 = fixture.child<QToolButton>("Image5");
    QTest::mouseClick(Image5, Qt::LeftButton, {}, QPoint(10, 13));
    EXPECT_EQ(slideShows, 0);
    QTest::mouseClick(Image5, Qt::LeftButton, {}, QPoint(10, 14));
    EXPECT_EQ(slideShows, 1);
}

TEST(FormActivate, CutsTheRoundedShapeAndCopiesTheCounterToTheOptions) {
    MainWindowFixture fixture;
    fixture.writeSettings("Compteur Album=41\n");
    fixture.start();
    fixture.window->show();
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(fixture.window.get(), &activation);
    EXPECT_EQ(fixture.optionsCounter.last(), "42");
    const QRegion shape = fixture.window->mask();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_TRUE(shape.contains(QPoint(15, 0)));
    EXPECT_TRUE(shape.contains(QPoint(274, 221)));
    EXPECT_FALSE(shape.contains(QPoint(547, 441)));
}

TEST(BBtnCalendrierClick, DrawsTheYearOverThePreviewSavesItAndAppliesIt) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 1);
    fixture.writeSettings("Position=1\n");
    fixture.start();
    fixture.child<QAbstractButton>("BBtnCalendrier")->click();
    const QString saved = fixture.program.filePath("Images/MonPapierPeint.bmp");
    ASSERT_EQ(fixture.applied.size(), 1);
    EXPECT_EQ(fixture.applied[0], qMakePair(saved, 1));
    EXPECT_EQ(QImage(saved).size(), QSize(640, 480));
    EXPECT_EQ(fixture.window->preview().picture().size(), QSize(640, 480));
    EXPECT_TRUE(fixture.dialogs.errors.isEmpty());
}

TEST(TFOrvandel, StartedBeforeAnyTrayHostItShowsThenHidesBehindTheIconWhenOneComes) {
    MainWindowFixture fixture;
    fixture.start();
    fixture.mainForm.setForm(fixture.window.get());
    fixture.mainForm.showAtStart();
    ASSERT_TRUE(fixture.window->isVisible());
    const std::size_t callsBefore = fixture.trayIcon.calls.size();
    fixture.trayIcon.hostPresent = true;
    fixture.trayIcon.restartTrayHost();
    EXPECT_FALSE(fixture.window->isVisible());
    ASSERT_GT(fixture.trayIcon.calls.size(), callsBefore);
    EXPECT_EQ(fixture.trayIcon.calls.back().request, RecordingTrayIcon::Request::Show);
    // A tray host that comes back later leaves the window as the user put it.
    fixture.window->MontrerApplication();
    fixture.trayIcon.restartTrayHost();
    EXPECT_TRUE(fixture.window->isVisible());
}
