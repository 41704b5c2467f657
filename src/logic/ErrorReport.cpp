#include "ErrorReport.h"

#include "common/Error.h"
#include "system/FileNames.h"

#include <QDebug>

#include <new>

namespace orvandel::inline logic {

ErrorReport::ErrorReport(desktop::Dialogs& messageBoxes)
    : dialogs(messageBoxes) {}

void ErrorReport::reportCurrentException() noexcept {
    QString text;
    try {
        throw;
    } catch (const Error& error) {
        text = error.message();
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Mémoire insuffisante.");
    } catch (const std::exception& error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Erreur inattendue.");
    }
    try {
        // A path in the text names its file as people read it.
        dialogs.showError(system::readableText(text));
    } catch (...) {
        qCritical().noquote() << text;
    }
}

} // namespace orvandel::inline logic
