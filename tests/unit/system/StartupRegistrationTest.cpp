#include "system/StartupRegistration.h"

#include "FileSizeLimit.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFolder.h"
#include "common/Error.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace orvandel;

namespace {

// Each test gets its own configuration folder, as a fresh user account would.
class StartupRegistrationTest : public ::testing::Test {
protected:
    QString entryPath() const { return configuration.filePath("autostart/Lumivane.desktop"); }
    QStringList autostartFiles() const {
        return QDir(configuration.filePath("autostart"))
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    QString errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const Error& error) {
            return error.message();
        }
        return {};
    }

    TestFolder configuration;
    ScopedEnvironmentVariable configurationHome{"XDG_CONFIG_HOME", configuration.path()};
    std::unique_ptr<system::StartupRegistration> registration = system::createStartupRegistration();
};

// Starts the entry with GLib's desktop-entry launcher and returns the program path the started
// script saw as its own.
QString pathStartedByDesktop(const QString& entry, const QString& marker) {
    QProcess launcher;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORVANDEL_MARKER", marker);
    launcher.setProcessEnvironment(environment);
    launcher.start(QStandardPaths::findExecutable("gio"), {"launch", entry});
    if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0)
        return QStringLiteral("gio failed: ") + launcher.readAllStandardError();
    // The launcher returns once the program is spawned; wait for it to have written.
    const QDeadlineTimer deadline(30000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile file(marker);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every file under `folder` with its content.
std::map<QString, QByteArray> filesUnder(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator walk(folder, QDir::Files | QDir::Hidden | QDir::System,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        QFile file(walk.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
    }
    return files;
}

QString makeScript(const QString& path) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    // Written aside and renamed, so that the marker never appears half written.
    script.write("#!/bin/sh\nprintf '%s' \"$0\" > \"$ORVANDEL_MARKER.part\" &&\n"
                 "mv \"$ORVANDEL_MARKER.part\" \"$ORVANDEL_MARKER\"\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST_F(StartupRegistrationTest, AddWritesAnEntryThatStartsExactlyTheGivenPath) {
    ASSERT_FALSE(QStandardPaths::findExecutable("gio").isEmpty()) << "gio (libglib2.0-bin)";
    const TestFolder programs;
    const QStringList folders = {"Mes Programmes",        "100% fonds d'écran",
                                 "prix $HOME et ${USER}", "l'\"album\"",
                                 "back\\slash `tick`",    "a\\\\b\\\"c",
                                 "a;b&c|d<e>f~g*h?#(i)",  "double  blanc\tet tab"};
    for (const QString& folder : folders) {
        const QString program = makeScript(programs.filePath(folder + "/orvandel"));
        // Quirk: GLib checks that the program exists before it expands %% into %, so the
        // doubled form must exist too for it to accept the entry at all.
        if (folder.contains(u'%'))
            makeScript(programs.filePath(QString(folder).replace("%", "%%") + "/orvandel"));
        registration->add("Lumivane", program);
        const QString marker =
            programs.filePath("marker-" + QString::number(folders.indexOf(folder)));
        EXPECT_EQ(pathStartedByDesktop(entryPath(), marker).toStdString(), program.toStdString());
    }
    QFile entry(entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\nName=Lumivane\nExec="));
}

TEST_F(StartupRegistrationTest, AddMakesTheMissingFolderAndReplacesOnlyItsOwnEntry) {
    registration->add("Lumivane", "/opt/first/orvandel");
    EXPECT_EQ(autostartFiles(), QStringList{"Lumivane.desktop"});
    configuration.write("autostart/other.desktop", "[Desktop Entry]\n");
    registration->add("Lumivane", "/opt/second/orvandel");
    EXPECT_EQ(autostartFiles(), (QStringList{"Lumivane.desktop", "other.desktop"}))
        << "no temporary file left behind";
    EXPECT_TRUE(configuration.read("autostart/Lumivane.desktop")
                    .contains("Exec=\"/opt/second/orvandel\"\n"));
    EXPECT_EQ(configuration.read("autostart/other.desktop"), "[Desktop Entry]\n");
}

TEST_F(StartupRegistrationTest, RemoveDeletesOnlyItsEntryAndAMissingOneIsNoError) {
    registration->add("Lumivane", "/opt/orvandel");
    configuration.write("autostart/other.desktop", "[Desktop Entry]\n");
    registration->remove("Lumivane");
    EXPECT_EQ(autostartFiles(), QStringList{"other.desktop"});
    EXPECT_NO_THROW(registration->remove("Lumivane"));
    EXPECT_NO_THROW(registration->remove("../autostart/other"));
    EXPECT_EQ(autostartFiles(), QStringList{"other.desktop"});
    const TestFolder home;
    const ScopedEnvironmentVariable variable("XDG_CONFIG_HOME", home.path());
    home.write("autostart", "a file where the folder should be");
    EXPECT_NO_THROW(system::createStartupRegistration()->remove("Lumivane"));
}

TEST_F(StartupRegistrationTest, AnEntryThatCannotBeDeletedIsReported) {
    configuration.makeFolder("autostart/Lumivane.desktop");
    EXPECT_EQ(errorOf([&] { registration->remove("Lumivane"); }),
              "Impossible de retirer 'Lumivane' des programmes lancés à l'ouverture de session.");
}

TEST_F(StartupRegistrationTest, RefusedWritesGiveTheFrenchErrorAndChangeNothing) {
    enum class Disk { Free, Full };
    struct Case {
        const char* what;
        std::function<void(const TestFolder&)> prepare;
        QString valueName;
        Disk disk;
    };
    const auto keptEntry = [](const TestFolder& home) {
        home.write("autostart/Lumivane.desktop", "kept");
    };
    const std::vector<Case> cases = {
        {"autostart is a file", [](const TestFolder& home) { home.write("autostart", "x"); },
         "Lumivane", Disk::Free},
        {"read-only entry",
         [](const TestFolder& home) {
             QFile(home.write("autostart/Lumivane.desktop", "kept"))
                 .setPermissions(QFile::ReadOwner);
         },
         "Lumivane", Disk::Free},
        {"full disk", keptEntry, "Lumivane", Disk::Full},
        {"name leading out of the folder", keptEntry, "../Lumivane", Disk::Free},
    };
    for (const Case& each : cases) {
        const TestFolder home;
        const ScopedEnvironmentVariable variable("XDG_CONFIG_HOME", home.path());
        each.prepare(home);
        const auto before = filesUnder(home.path());
        const auto startup = system::createStartupRegistration();
        const QString error = errorOf([&] {
            std::optional<FileSizeLimit> limit;
            if (each.disk == Disk::Full)
                limit.emplace(0);
            startup->add(each.valueName, "/opt/orvandel");
        });
        EXPECT_EQ(error,
                  QStringLiteral("Echec à la définition des données pour '%1'").arg(each.valueName))
            << each.what;
        EXPECT_EQ(filesUnder(home.path()), before) << each.what;
    }
}

TEST_F(StartupRegistrationTest, FallsBackToTheHomeConfigurationFolder) {
    const TestFolder home;
    const ScopedEnvironmentVariable homeVariable("HOME", home.path());
    for (const std::optional<QString>& configured : {std::optional<QString>(), {"relative/path"}}) {
        const ScopedEnvironmentVariable variable("XDG_CONFIG_HOME", configured);
        system::createStartupRegistration()->add("Lumivane", "/opt/orvandel");
        EXPECT_TRUE(QFile::exists(home.filePath(".config/autostart/Lumivane.desktop")));
        QFile::remove(home.filePath(".config/autostart/Lumivane.desktop"));
    }
}
