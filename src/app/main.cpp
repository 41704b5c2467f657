#include "Application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvandel"));
    orvandel::Application orvandel;
    orvandel.start();
    return QApplication::exec();
}
