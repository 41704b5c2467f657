#include "DesktopScreen.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFolder.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <signal.h>

namespace {

constexpr QRgb DesktopColour = qRgb(0x20, 0x40, 0xc0);
constexpr QRgb PictureColour = qRgb(0xff, 0x00, 0x00);

// True once `condition` holds, tried for up to ten seconds.
template <typename Condition> bool eventually(Condition condition) {
    const QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// The pcmanfm-qt processes running on this test's display, whoever started them.
QList<qint64> pcmanfmQtProcesses() {
    const QByteArray display = "DISPLAY=" + qgetenv("DISPLAY");
    QList<qint64> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isNumber = false;
        const qint64 process = entry.toLongLong(&isNumber);
        QFile name(QStringLiteral("/proc/%1/comm").arg(entry));
        QFile environment(QStringLiteral("/proc/%1/environ").arg(entry));
        if (isNumber && name.open(QIODevice::ReadOnly) &&
            name.readAll().trimmed() == "pcmanfm-qt" && environment.open(QIODevice::ReadOnly) &&
            environment.readAll().split('\0').contains(display))
            found.append(process);
    }
    return found;
}

// pcmanfm-qt drawing the desktop in the profile an LXQt session starts it with.
class LxqtDesktop {
public:
    ~LxqtDesktop() {
        for (const qint64 left : pcmanfmQtProcesses())
            ::kill(static_cast<pid_t>(left), SIGKILL);
        process.kill();
        process.waitForFinished(10000);
    }

    void start() {
        process.start(QStringLiteral("pcmanfm-qt"),
                      {QStringLiteral("--desktop"), QStringLiteral("--profile=lxqt")});
        ASSERT_TRUE(process.waitForStarted());
    }
    // As at the end of a session: the desktop saves its settings as it ends, whichever process
    // draws it by then.
    void endGracefully() {
        QProcess::execute(QStringLiteral("pcmanfm-qt"),
                          {QStringLiteral("--profile=lxqt"), QStringLiteral("--quit")});
        ASSERT_TRUE(eventually([] { return pcmanfmQtProcesses().isEmpty(); }));
        process.waitForFinished(10000);
    }

private:
    QProcess process;
};

struct Placement {
    int wpStyle;
    const char* mode;
    // The top-left corner: the desktop's own colour around a centred picture, else the picture.
    QRgb corner;
};

class LxqtWallpaperTest : public ::testing::TestWithParam<Placement> {
protected:
    LxqtWallpaperTest() {
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(PictureColour);
        picturePath = folder.filePath(QStringLiteral("rouge.png"));
        picture.save(picturePath);
        // A profile the desktop has already written, as after a first login.
        folder.write(QStringLiteral("pcmanfm-qt/lxqt/settings.conf"),
                     "[Desktop]\nBgColor=#2040c0\nWallpaperMode=none\n");
    }

    // The picture in its placement, the desktop's colour where the picture is not.
    static bool showsPlacement() {
        const QImage screen = screen::screenPixels();
        return !screen.isNull() &&
               screen.pixel(screen.width() / 2, screen.height() / 2) == PictureColour &&
               screen.pixel(5, 5) == GetParam().corner;
    }

    QString profileMode() const {
        return QSettings(folder.filePath(QStringLiteral("pcmanfm-qt/lxqt/settings.conf")),
                         QSettings::IniFormat)
            .value(QStringLiteral("Desktop/WallpaperMode"))
            .toString();
    }

    void startDesktop() {
        lxqt.start();
        ASSERT_TRUE(eventually([] { return screen::screenPixels().pixel(5, 5) == DesktopColour; }));
    }

    TestFolder folder;
    ScopedEnvironmentVariable configuration{"XDG_CONFIG_HOME", folder.path()};
    ScopedEnvironmentVariable session{"XDG_CURRENT_DESKTOP", QStringLiteral("LXQt")};
    QString picturePath;
    LxqtDesktop lxqt;
};

TEST_P(LxqtWallpaperTest, ChosenPlacementIsKeptForTheDesktopsNextStart) {
    startDesktop();
    orvandel::Utils::ApplyWallPaper(picturePath, GetParam().wpStyle);
    ASSERT_TRUE(eventually(showsPlacement));
    lxqt.endGracefully();
    EXPECT_EQ(profileMode(), QString::fromLatin1(GetParam().mode));
    lxqt.start();
    EXPECT_TRUE(eventually(showsPlacement));
}

// Restarting the desktop would close the file manager's window with it.
TEST_P(LxqtWallpaperTest, DesktopShowingAFileManagerWindowKeepsRunning) {
    startDesktop();
    const QImage desktopAlone = screen::screenPixels();
    QProcess::execute(
        QStringLiteral("pcmanfm-qt"),
        {QStringLiteral("--profile=lxqt"), QStringLiteral("--new-window"), folder.path()});
    ASSERT_TRUE(eventually([&] { return screen::screenPixels() != desktopAlone; }));
    const QList<qint64> running = pcmanfmQtProcesses();
    orvandel::Utils::ApplyWallPaper(picturePath, GetParam().wpStyle);
    EXPECT_EQ(pcmanfmQtProcesses(), running);
    EXPECT_EQ(profileMode(), QString::fromLatin1(GetParam().mode));
}

INSTANTIATE_TEST_SUITE_P(Placements, LxqtWallpaperTest,
                         ::testing::Values(Placement{0, "center", DesktopColour},
                                           Placement{1, "tile", PictureColour}));

} // namespace
