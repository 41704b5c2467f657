#pragma once

#include "RecordingDialogs.h"
#include "RecordingTaskbarButton.h"
#include "RecordingTrayIcon.h"
#include "TestFolder.h"
#include "forms/main/TFOrvandel.h"
#include "logic/ErrorReport.h"
#include "logic/settings/ProgramState.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <deque>
#include <memory>

// Draws the queued indexes in turn (each taken modulo the count), then 0.
class QueuedRandom final : public orvandel::RandomIndex {
public:
    std::int32_t draw(std::int32_t count) override {
        ++draws;
        if (queue.empty())
            return 0;
        const std::int32_t next = queue.front();
        queue.pop_front();
        return next % count;
    }

    std::deque<std::int32_t> queue;
    int draws = 0;
};

// A portable program folder with its albums, and a main window over it whose signals and
// wallpaper setter record what the window asks of the other pieces.
class MainWindowFixture {
public:
    MainWindowFixture();

    // Writes `count` distinct small pictures p0.png ... into the album.
    QStringList addPictures(const QString& album, int count);
    void writeSettings(const QByteArray& iniLines);
    QString settingsText() const;
    QString albumFolder(const QString& album) const;

    // Creates the window (and runs its start-up when asked).
    orvandel::TFOrvandel& create();
    orvandel::TFOrvandel& start();
    QStringList logLines() const;
    // The tray icon's tool-tip.
    QString hint() const { return window->trayIcon().Hint(); }
    template <typename Widget> Widget* child(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }

    TestFolder program;
    RecordingDialogs dialogs;
    orvandel::ErrorReport report{dialogs};
    orvandel::ProgramState state;
    QueuedRandom random;
    RecordingTrayIcon trayIcon;
    RecordingTaskbarButton taskbar;
    orvandel::MainForm mainForm{taskbar};
    // Makes the window's wallpaper setters; the default one records each change in `applied`.
    orvandel::Utils::WallpaperSetterMaker wallpaperSetter;

    // The file and position of each wallpaper change, and what the window signalled.
    QList<QPair<QString, std::int32_t>> applied;
    QStringList watched;
    QStringList optionsCounter;
    int quits = 0;
    int ended = 0;
    std::unique_ptr<orvandel::TFOrvandel> window;
};
