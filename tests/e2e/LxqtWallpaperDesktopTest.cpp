#include "DesktopScreen.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFolder.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

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

// pcmanfm-qt drawing the desktop in the profile an LXQt session starts it with.
class LxqtDesktop {
public:
    ~LxqtDesktop() { end(); }

    void start() {
        process.start(QStringLiteral("pcmanfm-qt"),
                      {QStringLiteral("--desktop"), QStringLiteral("--profile=lxqt")});
        ASSERT_TRUE(process.waitForStarted());
    }
    // Quirk: ended gracefully, the desktop writes back the mode it holds in memory, which its
    // command line never updates; ended the hard way, it leaves its profile as it is.
    void end() {
        process.kill();
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
        const QImage screen = desktop::screenPixels();
        return !screen.isNull() &&
               screen.pixel(screen.width() / 2, screen.height() / 2) == PictureColour &&
               screen.pixel(5, 5) == GetParam().corner;
    }

    TestFolder folder;
    ScopedEnvironmentVariable configuration{"XDG_CONFIG_HOME", folder.path()};
    ScopedEnvironmentVariable session{"XDG_CURRENT_DESKTOP", QStringLiteral("LXQt")};
    QString picturePath;
    LxqtDesktop lxqt;
};

TEST_P(LxqtWallpaperTest, ChosenPlacementIsKeptForTheDesktopsNextStart) {
    lxqt.start();
    ASSERT_TRUE(eventually([] { return desktop::screenPixels().pixel(5, 5) == DesktopColour; }));
    orvandel::Utils::ApplyWallPaper(picturePath, GetParam().wpStyle);
    ASSERT_TRUE(eventually(showsPlacement));
    EXPECT_EQ(QSettings(folder.filePath(QStringLiteral("pcmanfm-qt/lxqt/settings.conf")),
                        QSettings::IniFormat)
                  .value(QStringLiteral("Desktop/WallpaperMode")),
              QString::fromLatin1(GetParam().mode));
    lxqt.end();
    lxqt.start();
    EXPECT_TRUE(eventually(showsPlacement));
}

INSTANTIATE_TEST_SUITE_P(Placements, LxqtWallpaperTest,
                         ::testing::Values(Placement{0, "center", DesktopColour},
                                           Placement{1, "tile", PictureColour}));

} // namespace
