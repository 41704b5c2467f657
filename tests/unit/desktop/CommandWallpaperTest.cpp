#include "TestFolder.h"
#include "WallpaperBackEndTesting.h"
#include "common/Error.h"
#include "desktop/WallpaperSetterFactory.h"
#include "desktop/linux/wallpaper/KdeWallpaper.h"
#include "desktop/linux/wallpaper/PcmanfmWallpaper.h"
#include "desktop/linux/wallpaper/SwayWallpaper.h"
#include "desktop/linux/wallpaper/XfceWallpaper.h"

#include <QFile>
#include <QSet>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>

using namespace orvandel::desktop;

namespace {

// Records its name and arguments, separated by NUL bytes, a record separator after each call.
// It fails with the text of fail-<name> when that file exists, and prints output-<name>.
const QByteArray RecordingCommand = R"(#!/bin/sh
name=${0##*/}
{ printf '%s\0' "$name" "$@"; printf '\036\0'; } >> "$STANDIN_FOLDER/calls"
if [ -f "$STANDIN_FOLDER/fail-$name" ]; then cat "$STANDIN_FOLDER/fail-$name" >&2; exit 3; fi
if [ -f "$STANDIN_FOLDER/output-$name" ]; then cat "$STANDIN_FOLDER/output-$name"; fi
)";

// Records like the others, then runs until ended, noting its start and end.
const QByteArray LastingCommand = RecordingCommand + R"(
trap 'kill $sleeper; echo "ended $$" >> "$STANDIN_FOLDER/events"; exit 0' TERM
echo "started $$" >> "$STANDIN_FOLDER/events"
sleep 600 & sleeper=$!
wait
)";

// Records like the others, then saves the profile the way pcmanfm-qt's desktop does: the file the
// test gives as what it writes, the path in it and the mode as it was.
const QByteArray PcmanfmQtCommand = RecordingCommand + R"(
if [ -f "$STANDIN_FOLDER/saved-settings.conf" ]; then
    cp "$STANDIN_FOLDER/saved-settings.conf" "$XDG_CONFIG_HOME/pcmanfm-qt/lxqt/settings.conf"
fi
)";

// A pcmanfm-qt profile as it writes one, its [Desktop] section between two others.
QByteArray pcmanfmQtSettings(const QByteArray& wallpaper, const QByteArray& modeLine) {
    return "[Behavior]\nAutoSelectionDelay=600\n\n"
           "[Desktop]\nBgColor=#000000\nDesktopCellMargins=@Size(3 1)\n"
           "Font=\"DejaVu LGC Sans,12,-1,5,50,0,0,0,0,0\"\nWallpaper=" +
           wallpaper + "\nWallpaperDialogSize=@Size(700 500)\n" + modeLine +
           "WallpaperRandomize=false\nWorkAreaMargins=12, 12, 12, 12\n\n"
           "[FolderView]\nMode=icon\n";
}

class CommandWallpaperTest : public ::testing::Test {
protected:
    CommandWallpaperTest() {
        for (const char* name : {"xfconf-query", "dbus-send", "pcmanfm"})
            addStandIn(name, RecordingCommand);
        addStandIn("pcmanfm-qt", PcmanfmQtCommand);
        addStandIn("swaybg", LastingCommand);
        picture = folder.write(AwkwardFileName, "picture");
    }

    ~CommandWallpaperTest() override {
        for (const QString& line : events()) {
            if (line.startsWith(QStringLiteral("started ")))
                ::kill(line.sliced(8).toInt(), SIGTERM);
        }
    }

    void addStandIn(const QString& name, const QByteArray& script) {
        const QString standIn = folder.write(QStringLiteral("bin/") + name, script);
        QFile::setPermissions(standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Every call of a stand-in: its name, then its arguments.
    QList<QStringList> calls() const {
        QList<QStringList> recorded{{}};
        for (const QByteArray& field : folder.read(QStringLiteral("standins/calls")).split('\0')) {
            if (field == "\036")
                recorded.append(QStringList());
            else
                recorded.last().append(QString::fromUtf8(field));
        }
        recorded.removeLast();
        return recorded;
    }

    QStringList events() const {
        return QString::fromUtf8(folder.read(QStringLiteral("standins/events")))
            .split(u'\n', Qt::SkipEmptyParts);
    }

    TestFolder folder;
    ScopedEnvironmentVariable searchPath{"PATH",
                                         (folder.makeFolder("bin") + ":" + qgetenv("PATH"))};
    ScopedEnvironmentVariable standIns{"STANDIN_FOLDER", folder.makeFolder("standins")};
    ScopedEnvironmentVariable cache{"XDG_CACHE_HOME", folder.makeFolder("cache")};
    ScopedEnvironmentVariable runtime{"XDG_RUNTIME_DIR", folder.makeFolder("runtime")};
    ScopedEnvironmentVariable configuration{"XDG_CONFIG_HOME", folder.makeFolder("config")};
    QString picture;
};

TEST_F(CommandWallpaperTest, XfceSetsEveryBackdropOfEveryMonitorAndWorkspace) {
    folder.write(QStringLiteral("standins/output-xfconf-query"),
                 "/backdrop/screen0/monitorVirtual-1/workspace0/image-style\n"
                 "/backdrop/screen0/monitorVirtual-1/workspace0/last-image\n"
                 "/backdrop/screen0/monitor1/workspace3/last-image\n"
                 "/desktop-icons/style\n");
    XfceWallpaper setter;
    setter.apply(picture, WallpaperPlacement::Tile);
    const QStringList common{QStringLiteral("xfconf-query"), QStringLiteral("-c"),
                             QStringLiteral("xfce4-desktop"), QStringLiteral("-p")};
    const auto set = [&](const QString& property, const char* type, const QString& value) {
        return common + QStringList{property,
                                    QStringLiteral("-n"),
                                    QStringLiteral("-t"),
                                    QString::fromLatin1(type),
                                    QStringLiteral("-s"),
                                    value};
    };
    const QString first = QStringLiteral("/backdrop/screen0/monitorVirtual-1/workspace0/");
    const QString second = QStringLiteral("/backdrop/screen0/monitor1/workspace3/");
    EXPECT_EQ(calls(), (QList<QStringList>{
                           {QStringLiteral("xfconf-query"), QStringLiteral("-c"),
                            QStringLiteral("xfce4-desktop"), QStringLiteral("-l")},
                           set(first + QStringLiteral("image-style"), "int", QStringLiteral("2")),
                           set(first + QStringLiteral("last-image"), "string", picture),
                           set(second + QStringLiteral("image-style"), "int", QStringLiteral("2")),
                           set(second + QStringLiteral("last-image"), "string", picture),
                       }));
}

TEST_F(CommandWallpaperTest, XfceWithoutStoredBackdropsSetsTheFirstOne) {
    XfceWallpaper setter;
    setter.apply(picture, WallpaperPlacement::Center);
    const QList<QStringList> recorded = calls();
    ASSERT_EQ(recorded.size(), 3);
    EXPECT_EQ(recorded[1][4], QStringLiteral("/backdrop/screen0/monitor0/workspace0/image-style"));
    EXPECT_EQ(recorded[1].last(), QStringLiteral("1"));
    EXPECT_EQ(recorded[2][4], QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"));
    EXPECT_EQ(recorded[2].last(), picture);
}

struct Mode {
    WallpaperPlacement placement;
    const char* pcmanfmMode;
    int plasmaFillMode;
};

class CommandWallpaperModeTest : public CommandWallpaperTest,
                                 public ::testing::WithParamInterface<Mode> {};

TEST_P(CommandWallpaperModeTest, PlasmaScriptSetsTheImageOnEveryDesktop) {
    KdeWallpaper setter;
    setter.apply(picture, GetParam().placement);
    const QList<QStringList> recorded = calls();
    ASSERT_EQ(recorded.size(), 1);
    const QStringList& call = recorded.first();
    ASSERT_EQ(call.size(), 7);
    EXPECT_EQ(
        call.first(7 - 1),
        (QStringList{QStringLiteral("dbus-send"), QStringLiteral("--session"),
                     QStringLiteral("--print-reply"), QStringLiteral("--dest=org.kde.plasmashell"),
                     QStringLiteral("/PlasmaShell"),
                     QStringLiteral("org.kde.PlasmaShell.evaluateScript")}));
    const QString uri = QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded);
    EXPECT_EQ(call.last(), QStringLiteral("string:var allDesktops = desktops();\n"
                                          "for (var i = 0; i < allDesktops.length; i++) {\n"
                                          "    var desktop = allDesktops[i];\n"
                                          "    desktop.wallpaperPlugin = \"org.kde.image\";\n"
                                          "    desktop.currentConfigGroup = "
                                          "[\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                                          "    desktop.writeConfig(\"Image\", \"%1\");\n"
                                          "    desktop.writeConfig(\"FillMode\", %2);\n"
                                          "}\n")
                               .arg(uri)
                               .arg(GetParam().plasmaFillMode));
    // The URI is plain ASCII, so nothing in the path can end the script's string early.
    EXPECT_FALSE(uri.contains(u'"') || uri.contains(u'\\') || uri.contains(u' '));
    EXPECT_EQ(QUrl(uri).toLocalFile(), picture);
}

// A control character in the name is percent-encoded in the URI, as "%01" or "%1A": it must stay
// in the picture's URI and leave the fill mode where it belongs.
TEST(PlasmaWallpaperScript, KeepsPercentEscapesThatLookLikeMarkers) {
    const QString uri = QStringLiteral("file:///photos/a%01b%1Ac.jpg");
    const QString script = plasmaWallpaperScript(uri, WallpaperPlacement::Tile);
    EXPECT_TRUE(script.contains(QStringLiteral("writeConfig(\"Image\", \"") + uri + u'"'))
        << script.toStdString();
    EXPECT_TRUE(script.contains(QStringLiteral("writeConfig(\"FillMode\", 3);")))
        << script.toStdString();
}

TEST_P(CommandWallpaperModeTest, LxdeAndLxqtFileManagersGetThePathAndMode) {
    for (const QString& program : {QStringLiteral("pcmanfm"), QStringLiteral("pcmanfm-qt")}) {
        PcmanfmWallpaper setter(program);
        setter.apply(picture, GetParam().placement);
        EXPECT_EQ(calls().last(), (QStringList{program, QStringLiteral("--set-wallpaper"), picture,
                                               QStringLiteral("--wallpaper-mode"),
                                               QString::fromLatin1(GetParam().pcmanfmMode)}));
    }
}

// The path as pcmanfm-qt writes it: quoted characters escaped, letters outside ASCII as \x codes.
TEST_P(CommandWallpaperModeTest, LxqtProfileShowingThePictureKeepsTheChosenMode) {
    const QString pictureFolder = picture.chopped(AwkwardFileName.size());
    ASSERT_TRUE(std::all_of(pictureFolder.begin(), pictureFolder.end(),
                            [](QChar letter) { return letter.unicode() < 0x80; }));
    const QByteArray stored =
        pictureFolder.toLatin1() + R"(\xc9t\xe9 \xe0 l'\"\xeele\" 100% \xf1.png)";
    folder.write(QStringLiteral("config/pcmanfm-qt/lxqt/settings.conf"),
                 pcmanfmQtSettings("/old.png", "WallpaperMode=zoom\n"));
    folder.write(QStringLiteral("standins/saved-settings.conf"),
                 pcmanfmQtSettings(stored, "WallpaperMode=zoom\n"));
    const QByteArray otherProfile = pcmanfmQtSettings("/other.png", "WallpaperMode=none\n");
    folder.write(QStringLiteral("config/pcmanfm-qt/default/settings.conf"), otherProfile);

    PcmanfmWallpaper setter(QStringLiteral("pcmanfm-qt"));
    setter.apply(picture, GetParam().placement);

    EXPECT_EQ(
        folder.read(QStringLiteral("config/pcmanfm-qt/lxqt/settings.conf")),
        pcmanfmQtSettings(stored, "WallpaperMode=" + QByteArray(GetParam().pcmanfmMode) + "\n"));
    EXPECT_EQ(folder.read(QStringLiteral("config/pcmanfm-qt/default/settings.conf")), otherProfile);
}

INSTANTIATE_TEST_SUITE_P(Placements, CommandWallpaperModeTest,
                         ::testing::Values(Mode{WallpaperPlacement::Center, "center", 6},
                                           Mode{WallpaperPlacement::Tile, "tile", 3},
                                           Mode{WallpaperPlacement::Stretch, "stretch", 0}));

TEST_F(CommandWallpaperTest, LxqtProfileWithoutAModeGetsOneAtTheEndOfItsDesktopSection) {
    const QString plain = folder.write(QStringLiteral("plain.png"), "picture");
    const auto profile = [&](const QByteArray& modeLine) {
        return "[Desktop]\nWallpaper=" + plain.toUtf8() + "\nWallpaperRandomize=false\n" +
               modeLine + "\n[FolderView]\nMode=icon\n";
    };
    folder.write(QStringLiteral("standins/saved-settings.conf"), profile({}));
    folder.write(QStringLiteral("config/pcmanfm-qt/lxqt/settings.conf"), {});
    PcmanfmWallpaper setter(QStringLiteral("pcmanfm-qt"));
    setter.apply(plain, WallpaperPlacement::Tile);
    EXPECT_EQ(folder.read(QStringLiteral("config/pcmanfm-qt/lxqt/settings.conf")),
              profile("WallpaperMode=tile\n"));
}

TEST_F(CommandWallpaperTest, FailingCommandRaisesItsOwnMessage) {
    folder.write(QStringLiteral("standins/fail-pcmanfm"), "desktop manager is not active\n");
    PcmanfmWallpaper setter(QStringLiteral("pcmanfm"));
    try {
        setter.apply(picture, WallpaperPlacement::Stretch);
        FAIL() << "no error";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(
            error.message(),
            QStringLiteral("La commande « pcmanfm » a échoué : desktop manager is not active"));
    }
}

// The system counts a path in bytes, at most 4095 of them: 2,100 letters "é" take 4,200. Cut to
// fit, a longer one would name another file, so the session's setter refuses it before running
// anything.
TEST_F(CommandWallpaperTest, SessionSetterRefusesAPathLongerThanTheSystemTakes) {
    ScopedEnvironmentVariable desktop{"XDG_CURRENT_DESKTOP", "XFCE"};
    const QString longest = QStringLiteral("/tmp/") + QString(4095 - 5, u'a');
    createWallpaperSetter()->apply(longest, WallpaperPlacement::Stretch);
    const QList<QStringList> accepted = calls();
    ASSERT_FALSE(accepted.isEmpty());
    EXPECT_EQ(accepted.last().last(), longest);
    for (const QString& path : {QStringLiteral("/tmp/") + QString(4096 - 5, u'x'),
                                QStringLiteral("/tmp/") + QString(2100, u'é')}) {
        try {
            createWallpaperSetter()->apply(path, WallpaperPlacement::Stretch);
            ADD_FAILURE() << "no error for " << path.size() << " units";
        } catch (const orvandel::Error& error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("Le chemin de l'image dépasse les 4095 octets qu'admet le "
                                     "système : ") +
                          path);
        }
    }
    EXPECT_EQ(calls(), accepted);
}

TEST_F(CommandWallpaperTest, MissingCommandRaises) {
    ScopedEnvironmentVariable emptyPath{"PATH", folder.makeFolder("empty")};
    XfceWallpaper setter;
    EXPECT_THROW(setter.apply(picture, WallpaperPlacement::Stretch), orvandel::Error);
}

// A rewritten file at the same path must reach the desktop as a changed value.
TEST_F(CommandWallpaperTest, SamePathAgainIsHandedOverAsAFreshCopy) {
    for (int time = 0; time < 2; ++time) {
        PcmanfmWallpaper setter(QStringLiteral("pcmanfm"));
        setter.apply(picture, WallpaperPlacement::Stretch);
    }
    const QString copy = calls().last()[2];
    EXPECT_NE(copy, picture);
    EXPECT_TRUE(copy.startsWith(folder.filePath(QStringLiteral("cache/orvandel/wallpaper-"))));
    EXPECT_TRUE(QFile::exists(copy));
}

TEST_F(CommandWallpaperTest, SwaybgStartsTheNewBackgroundBeforeEndingTheOldOne) {
    const QString second = folder.write(QStringLiteral("second.jpg"), "second");
    SwayWallpaper first;
    first.apply(picture, WallpaperPlacement::Center);
    SwayWallpaper next;
    next.apply(second, WallpaperPlacement::Tile);
    QThread::msleep(300);

    EXPECT_EQ(calls(),
              (QList<QStringList>{
                  {QStringLiteral("swaybg"), QStringLiteral("-i"), picture, QStringLiteral("-m"),
                   QStringLiteral("center"), QStringLiteral("-o"), QStringLiteral("*")},
                  {QStringLiteral("swaybg"), QStringLiteral("-i"), second, QStringLiteral("-m"),
                   QStringLiteral("tile"), QStringLiteral("-o"), QStringLiteral("*")},
              }));
    const QStringList happened = events();
    ASSERT_EQ(happened.size(), 3);
    const QString firstProcess = happened[0].sliced(8);
    EXPECT_TRUE(happened[1].startsWith(QStringLiteral("started ")));
    EXPECT_EQ(happened[2], QStringLiteral("ended ") + firstProcess);
}

TEST_F(CommandWallpaperTest, SwaybgThatEndsAtOnceRaisesAndTheOldOneStays) {
    SwayWallpaper first;
    first.apply(picture, WallpaperPlacement::Stretch);
    folder.write(QStringLiteral("standins/fail-swaybg"), "cannot connect to the compositor\n");
    SwayWallpaper next;
    try {
        next.apply(picture, WallpaperPlacement::Stretch);
        FAIL() << "no error";
    } catch (const orvandel::Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("cannot connect to the compositor")))
            << error.what();
    }
    EXPECT_EQ(events().size(), 1);
}

// Every call as the stand-ins received it, each argument by its bytes.
QList<QList<QByteArray>> nativeCalls(const TestFolder& folder) {
    QList<QList<QByteArray>> recorded{{}};
    for (const QByteArray& field : folder.read(QStringLiteral("standins/calls")).split('\0')) {
        if (field == "\036")
            recorded.append(QList<QByteArray>());
        else
            recorded.last().append(field);
    }
    recorded.removeLast();
    return recorded;
}

// swaybg reads its arguments as bytes: it gets the very name of a file from an old archive.
TEST_F(CommandWallpaperTest, SwaybgGetsTheBytesOfANameThatIsNotUtf8) {
    const QString foreign = folder.writeNative("caf\xe9.jpg", "picture");
    SwayWallpaper setter;
    setter.apply(foreign, WallpaperPlacement::Stretch);
    ASSERT_EQ(nativeCalls(folder).size(), 1);
    EXPECT_EQ(nativeCalls(folder).first(),
              (QList<QByteArray>{"swaybg", "-i", folder.nativePath() + "caf\xe9.jpg", "-m",
                                 "stretch", "-o", "*"}));
}

// Settings that hold the path as text (D-Bus strings, a Qt program's arguments, a script) could
// never name such a file: these desktops get a copy under a name of plain text, fresh each time.
TEST_F(CommandWallpaperTest, DesktopsThatTakeTextGetACopyOfAFileWhoseNameIsNotUtf8) {
    const QString foreign = folder.writeNative("caf\xe9.jpg", "the picture");
    const QString copies = folder.filePath(QStringLiteral("cache/orvandel/wallpaper-"));
    const auto expectCopy = [&](const QString& given) {
        EXPECT_TRUE(given.startsWith(copies)) << given.toStdString();
        EXPECT_TRUE(given.endsWith(QStringLiteral(".jpg"))) << given.toStdString();
        QFile copy(given);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << given.toStdString();
        EXPECT_EQ(copy.readAll(), "the picture");
    };
    QStringList given;
    for (const QString& program : {QStringLiteral("pcmanfm"), QStringLiteral("pcmanfm-qt")}) {
        PcmanfmWallpaper setter(program);
        setter.apply(foreign, WallpaperPlacement::Stretch);
        given.append(QString::fromUtf8(nativeCalls(folder).last()[2]));
        expectCopy(given.last());
    }
    XfceWallpaper xfce;
    xfce.apply(foreign, WallpaperPlacement::Stretch);
    given.append(QString::fromUtf8(nativeCalls(folder).last().last()));
    expectCopy(given.last());
    KdeWallpaper kde;
    kde.apply(foreign, WallpaperPlacement::Stretch);
    const QString script = QString::fromUtf8(nativeCalls(folder).last().last());
    const qsizetype start = script.indexOf(QStringLiteral("\"file://"));
    ASSERT_GE(start, 0);
    given.append(
        QUrl(script.mid(start + 1, script.indexOf(u'"', start + 1) - start - 1)).toLocalFile());
    expectCopy(given.last());
    // A new copy each time, so that every desktop sees a changed value.
    EXPECT_EQ(QSet<QString>(given.begin(), given.end()).size(), given.size());
}

} // namespace
