#include "Application.h"
#include "SecondStart.h"
#include "system/InstanceLock.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvandel"));
    // Two instances would each keep a timer and a tray icon and write the settings over each
    // other's: a second start hands over to the first.
    const auto runningInstance =
        orvandel::system::lockRunningInstance(orvandel::system::runningInstanceLockPath());
    if (!runningInstance)
        return orvandel::handOverToRunningInstance();
    // The program lives on with every window hidden; only its own commands end it.
    QApplication::setQuitOnLastWindowClosed(false);
    orvandel::Application orvandel;
    orvandel.start();
    return QApplication::exec();
}
