#pragma once

#include "RecordingNotifyIcon.h"
#include "RecordingTaskbarPresence.h"
#include "components/tray/TApplication.h"
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

// The owner form (also the main form), the application object over recording fakes, an image list
// and the component under test.
class TrayTest : public ::testing::Test {
protected:
    TrayTest();
    ~TrayTest() override;

    void makeImages(int count);
    // The main window's own configuration, set in the documented order, before Loaded.
    void configureAsMainWindow();
    // The number of the icon of the last call.
    int lastIconNumber() const { return pictureNumber(notifyIcon.calls.back().data.hIcon); }

    QStringList log;
    RecordingNotifyIcon notifyIcon;
    RecordingTaskbarPresence taskbar;
    orvandel::TApplication application{taskbar, notifyIcon};
    LoggingForm form{log};
    orvandel::TImageList images;
    std::unique_ptr<orvandel::TPiconeBarreTache> tray;
};
