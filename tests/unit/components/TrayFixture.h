#pragma once

#include "RecordingTaskbarButton.h"
#include "RecordingTrayIcon.h"
#include "components/tray/MainForm.h"
#include "components/tray/TImageList.h"
#include "components/tray/TPiconeBarreTache.h"

#include <QCloseEvent>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A form whose own close handler and visibility changes are written to a shared log.
class LoggingForm final : public QWidget {
public:
    explicit LoggingForm(QStringList& sharedLog)
        : log(sharedLog) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        log.append("form close");
        QWidget::closeEvent(event);
    }
    void showEvent(QShowEvent*) override { log.append("form shown"); }

private:
    QStringList& log;
};

// Image i of a test list is one colour that tells its number, up to 65535.
QPixmap numberedPicture(int number);
// The number of the picture an icon shows, or -1 for an empty icon.
int pictureNumber(const QIcon& icon);

// The owner form (also the main form once set), the recording tray icon and taskbar button, an
// image list and the component under test.
class TrayTest : public ::testing::Test {
protected:
    TrayTest();
    ~TrayTest() override;

    void makeImages(int count);
    // The main window's own configuration, set in the documented order, before Loaded.
    void configureAsMainWindow();
    // The calls to the tray icon from the n-th on, as lines: "show", "hide", "icon <number>" and
    // "tip <text>".
    QStringList sentToTray(std::size_t from = 0) const;
    // The number of the picture the tray icon holds.
    int trayIconNumber() const { return pictureNumber(trayIcon.icon); }

    QStringList log;
    RecordingTrayIcon trayIcon;
    RecordingTaskbarButton taskbar;
    orvandel::MainForm mainForm{taskbar};
    LoggingForm form{log};
    orvandel::TImageList images;
    std::unique_ptr<orvandel::TPiconeBarreTache> tray;
};
