#include "QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace orvandel::desktop {

void QtDialogs::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void QtDialogs::showError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void QtDialogs::showErrorDialog(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Erreur"), text);
}

} // namespace orvandel::desktop
