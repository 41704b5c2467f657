#pragma once

#include "TestFolder.h"

#include <QByteArray>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

// The real program copied into a portable folder of its own, with albums of real photographs,
// started and driven as a person would: through X input and window messages.
class RunningProgram {
public:
    RunningProgram();
    ~RunningProgram();

    // Copies `count` photographs of the system's wallpaper packages into the album, from the
    // `first` in name order; returns their names.
    QStringList addPhotographs(const QString& album, int count, int first = 0);
    void writeSettings(const QByteArray& iniLines);
    QString settingsText() const;
    QString albumFolder(const QString& album) const;

    void start();
    // Starts the program once more, as a user would while it runs; the second start's exit
    // status, or −1 when it is still running after `milliseconds`.
    int startAgainAndWait(int milliseconds = 15000) const;
    // Waits for the program to end by itself; false when it still runs after `milliseconds`.
    bool waitForEnd(int milliseconds = 10000);
    // Waits for the main window to be mapped; its X id, 0 when it never shows.
    unsigned long waitForMainWindow(int milliseconds = 10000) const;
    QPoint windowPosition(unsigned long window) const;
    // Asks the window to close, as a window manager does for Alt+F4, until the program ends;
    // false when it is still running after `milliseconds`.
    bool closeAndWaitForEnd(unsigned long window, int milliseconds = 10000);
    int exitCode() const { return process.exitCode(); }
    // A window message over the program's local socket.
    void sendWindowMessage(std::uint32_t message, std::int64_t lParam) const;

    TestFolder folder;

private:
    QProcess process;
};

// Runs a command and returns its standard output, trimmed.
QString run(const QString& program, const QStringList& arguments);
// Calls `done` every 100 ms until it holds or `milliseconds` have passed.
bool waitUntil(const std::function<bool()>& done, int milliseconds = 10000);
