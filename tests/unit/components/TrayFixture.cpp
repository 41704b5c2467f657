#include "TrayFixture.h"

#include <QApplication>
#include <QImage>

using namespace orvandel;

QPixmap numberedPicture(int number) {
    QPixmap picture(16, 16);
    picture.fill(QColor(number % 256, number / 256, 100));
    return picture;
}

int pictureNumber(const QIcon& icon) {
    if (icon.isNull())
        return -1;
    const QColor colour = icon.pixmap(16, 16).toImage().pixelColor(8, 8);
    return colour.red() + 256 * colour.green();
}

TrayTest::TrayTest() {
    QApplication::setWindowIcon(QIcon(numberedPicture(9999)));
    tray = std::make_unique<TPiconeBarreTache>(form, mainForm, trayIcon, taskbar);
}

TrayTest::~TrayTest() {
    tray.reset();
    QApplication::setWindowIcon(QIcon());
}

QStringList TrayTest::sentToTray(std::size_t from) const {
    QStringList lines;
    for (std::size_t index = from; index < trayIcon.calls.size(); ++index) {
        const RecordingTrayIcon::Call& call = trayIcon.calls[index];
        switch (call.request) {
        case RecordingTrayIcon::Request::Show:
            lines.append(QStringLiteral("show"));
            break;
        case RecordingTrayIcon::Request::Hide:
            lines.append(QStringLiteral("hide"));
            break;
        case RecordingTrayIcon::Request::SetIcon:
            lines.append(QStringLiteral("icon %1").arg(pictureNumber(call.icon)));
            break;
        case RecordingTrayIcon::Request::SetTip:
            lines.append(QStringLiteral("tip ") + call.tip);
            break;
        }
    }
    return lines;
}

void TrayTest::makeImages(int count) {
    for (int number = 0; number < count; ++number)
        images.Add(numberedPicture(number));
}

void TrayTest::configureAsMainWindow() {
    tray->SetReduireSiFin(false);
    tray->SetCacherSiMinimize(true);
    tray->SetPetiteIconeVisible(true);
    tray->SetGrandeIconeVisible(true);
    tray->SetApplicationCachee(true);
    tray->SetIcone(QIcon(numberedPicture(500)));
    tray->SetImageList(&images);
    tray->SetIntervalAnimation(1000);
    tray->SetAnimation(false);
    tray->SetNumIconeImageList(0);
    tray->SetHint(QStringLiteral("Orvandel    Version 1.75"));
    tray->SetGrandeIconBlink(false);
    tray->SetIntervalGrandeIconeBlink(1000);
    tray->SetOuvreSiClicGauche(true);
    tray->SetOuvreSiDblClick(false);
    tray->SetMenuSiClicDroit(true);
    tray->SetMenuSiClicGauche(false);
}
