#include "Application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvandel"));
    // The program lives on with every window hidden; only its own commands end it.
    QApplication::setQuitOnLastWindowClosed(false);
    orvandel::Application orvandel;
    orvandel.start();
    return QApplication::exec();
}
