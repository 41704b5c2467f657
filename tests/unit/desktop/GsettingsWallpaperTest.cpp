#include "desktop/linux/wallpaper/GsettingsWallpaper.h"

#include "TestFolder.h"
#include "WallpaperBackEndTesting.h"

#include <QFile>
#include <QProcess>
#include <QUrl>

#include <gtest/gtest.h>

using namespace orvandel::desktop;

namespace {

struct Desktop {
    const char* name;
    GsettingsBackground (*background)();
};

// The keys are real: GLib's keyfile back-end keeps them in a file under our temporary
// configuration folder.
class GsettingsWallpaperTest : public ::testing::TestWithParam<Desktop> {
protected:
    void SetUp() override {
        background = GetParam().background();
        QProcess list;
        list.start(QStringLiteral("gsettings"), {QStringLiteral("list-schemas")});
        ASSERT_TRUE(list.waitForFinished()) << "gsettings is missing (libglib2.0-bin)";
        if (!QString::fromUtf8(list.readAllStandardOutput())
                 .split(u'\n')
                 .contains(background.schema))
            GTEST_SKIP() << "schema not installed: " << background.schema.toStdString();
    }

    QString get(const QString& key) const {
        QProcess process;
        process.start(QStringLiteral("gsettings"), {QStringLiteral("get"), background.schema, key});
        process.waitForFinished();
        return unquote(QString::fromUtf8(process.readAllStandardOutput()).trimmed());
    }

    // The path a key names, whether a file URI or a plain path.
    QString pathIn(const QString& key) const {
        const QString value = get(key);
        if (background.pathForm == GsettingsBackground::PathForm::PlainPath)
            return value;
        EXPECT_TRUE(value.startsWith(QStringLiteral("file:///"))) << value.toStdString();
        return QUrl(value).toLocalFile();
    }

    // GVariant text: a string between single or double quotes, with backslash escapes.
    static QString unquote(const QString& text) {
        QString plain;
        for (qsizetype index = 1; index + 1 < text.size(); ++index) {
            if (text[index] == u'\\')
                ++index;
            plain += text[index];
        }
        return plain;
    }

    TestFolder folder;
    ScopedEnvironmentVariable backEnd{"GSETTINGS_BACKEND", "keyfile"};
    ScopedEnvironmentVariable configuration{"XDG_CONFIG_HOME", folder.makeFolder("config")};
    ScopedEnvironmentVariable cache{"XDG_CACHE_HOME", folder.makeFolder("cache")};
    GsettingsBackground background;
};

TEST_P(GsettingsWallpaperTest, KeysHoldThePictureAndTheModeAfterwards) {
    const QString picture = folder.write(AwkwardFileName, "picture");
    const QString other = folder.write(QStringLiteral("other.png"), "other");
    const std::pair<WallpaperPlacement, const char*> cases[] = {
        {WallpaperPlacement::Center, "centered"},
        {WallpaperPlacement::Tile, "wallpaper"},
        {WallpaperPlacement::Stretch, "stretched"}};
    for (const auto& [placement, option] : cases) {
        // Another picture in between, so each case sets the file anew.
        GsettingsWallpaper before(background);
        before.apply(other, WallpaperPlacement::Center);
        GsettingsWallpaper setter(background);
        setter.apply(picture, placement);
        EXPECT_EQ(get(QStringLiteral("picture-options")), QString::fromLatin1(option)) << option;
        for (const QString& key : background.pictureKeys)
            EXPECT_EQ(pathIn(key), picture) << key.toStdString();
    }
}

// The calendar rewrites one file: the desktop only reloads when the key changes.
TEST_P(GsettingsWallpaperTest, SamePathAgainGivesAFreshCopyOfTheNewContent) {
    const QString picture = folder.write(QStringLiteral("MonPapierPeint.bmp"), "first");
    GsettingsWallpaper first(background);
    first.apply(picture, WallpaperPlacement::Stretch);
    folder.write(QStringLiteral("MonPapierPeint.bmp"), "second");
    GsettingsWallpaper second(background);
    second.apply(picture, WallpaperPlacement::Stretch);

    const QString copy = pathIn(background.pictureKeys.first());
    EXPECT_NE(copy, picture);
    EXPECT_TRUE(copy.startsWith(folder.filePath(QStringLiteral("cache/orvandel/"))));
    EXPECT_TRUE(copy.endsWith(QStringLiteral(".bmp")));
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "second");

    GsettingsWallpaper third(background);
    third.apply(picture, WallpaperPlacement::Stretch);
    EXPECT_EQ(pathIn(background.pictureKeys.first()), picture);
    EXPECT_FALSE(QFile::exists(copy));
}

// A file from an old archive, its name in Windows-1252: a file URI carries its bytes, which GIO
// decodes back; a plain path is a GSettings string, which must be text, so it names a copy.
TEST_P(GsettingsWallpaperTest, ANameThatIsNotUtf8ReachesThePictureKeys) {
    const QString picture = folder.writeNative("caf\xe9.jpg", "the picture");
    GsettingsWallpaper setter(background);
    setter.apply(picture, WallpaperPlacement::Stretch);
    for (const QString& key : background.pictureKeys) {
        const QString value = get(key);
        if (background.pathForm == GsettingsBackground::PathForm::FileUri) {
            ASSERT_TRUE(value.startsWith(QStringLiteral("file:///"))) << value.toStdString();
            EXPECT_EQ(QByteArray::fromPercentEncoding(value.sliced(7).toLatin1()),
                      folder.nativePath() + "caf\xe9.jpg");
            continue;
        }
        EXPECT_TRUE(value.startsWith(folder.filePath(QStringLiteral("cache/orvandel/"))))
            << value.toStdString();
        QFile copy(value);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), "the picture");
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, GsettingsWallpaperTest,
                         ::testing::Values(Desktop{"Gnome", gnomeBackground},
                                           Desktop{"Cinnamon", cinnamonBackground},
                                           Desktop{"Mate", mateBackground}),
                         [](const auto& desktop) { return std::string(desktop.param.name); });

} // namespace
