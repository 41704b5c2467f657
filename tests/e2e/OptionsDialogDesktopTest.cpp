#include "DesktopScreen.h"
#include "RunningProgram.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Inside the dialog: the box "Démarrer avec Windows" and the button "OK".
const QPoint StartWithSessionBox(34, 273);
const QPoint OkButton(196, 363);

QString autostartEntry() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
        .filePath(QStringLiteral("autostart/Lumivane.desktop"));
}

TEST(OptionsDialogDesktop, UntickingStartWithTheSessionAndConfirmingRemovesTheAutostartEntry) {
    // Registered by an earlier confirmation.
    QDir().mkpath(QFileInfo(autostartEntry()).path());
    QFile entry(autostartEntry());
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Lumivane\nExec=/bin/true\n");
    entry.close();

    RunningProgram program;
    program.addPhotographs("Nature", 2);
    program.writeSettings("Nom Album=Nature\nDemarrage avec windows=1\n");
    program.start();
    const std::optional<QPoint> trayIcon = screen::waitForTrayIcon();
    ASSERT_TRUE(trayIcon);

    // A right press on the tray icon pops the menu up; its "&Options" shows the dialog.
    ASSERT_NE(screen::openTrayMenu(*trayIcon), 0u);
    screen::pressKeys(QStringLiteral("o"));

    const unsigned long dialog = screen::waitForWindow(screen::OptionsDialogSize);
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(screen::waitUntilPainted(dialog));
    const QPoint corner = screen::windowGeometry(dialog).topLeft();
    const QRect box(corner + StartWithSessionBox - QPoint(8, 8), QSize(16, 16));
    const QImage ticked = screen::screenPixels().copy(box);
    screen::click(corner + StartWithSessionBox);
    ASSERT_TRUE(waitUntil([&] { return screen::screenPixels().copy(box) != ticked; }));
    screen::click(corner + OkButton);

    EXPECT_TRUE(screen::waitForWindowGone(dialog));
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(autostartEntry()); }));
    EXPECT_TRUE(waitUntil([&] {
        return program.settingsText().contains("Demarrage avec windows=0\n");
    })) << program.settingsText().toStdString();
}

} // namespace
