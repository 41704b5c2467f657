#include "DesktopEntry.h"
#include "FileNameCodec.h"
#include "XdgBaseFolders.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"
#include "system/StartupRegistration.h"

#include <QDir>

#include <unistd.h>

#include <cerrno>

namespace orvandel::system {

namespace {

// The XDG autostart folder: one desktop entry per program, named after the value name.
class XdgAutostart final : public StartupRegistration {
public:
    explicit XdgAutostart(QString autostartFolder)
        : folder(std::move(autostartFolder)) {}

    void add(const QString& valueName, const QString& executablePath) override {
        // The Run key always exists, so a missing autostart folder is made first.
        if (!isPlainName(valueName) || executablePath.isEmpty() || !QDir().mkpath(folder))
            failToDefine(valueName);
        const QByteArray text = autostartDesktopEntry(valueName, executablePath).toUtf8();
        try {
            replaceFileContent(entryPath(valueName),
                               std::as_bytes(std::span(text.constData(), text.size())));
        } catch (const Error&) {
            failToDefine(valueName);
        }
    }

    void remove(const QString& valueName) override {
        // A name that cannot be a file of this folder has no entry to delete.
        if (!isPlainName(valueName))
            return;
        if (::unlink(encodeFileName(entryPath(valueName)).constData()) == 0)
            return;
        // No entry, or no folder that could hold one: nothing to delete.
        if (errno != ENOENT && errno != ENOTDIR)
            throw Error(formatMessage(StartupEntryNotRemoved, {valueName}));
    }

private:
    [[noreturn]] static void failToDefine(const QString& valueName) {
        throw Error(formatMessage(FrameworkMessages::DataDefinitionFailed, {valueName}));
    }

    // A value name becomes a file name; anything that would lead out of the folder is refused.
    static bool isPlainName(const QString& valueName) {
        return !valueName.isEmpty() && !valueName.contains(u'/') && !valueName.contains(QChar());
    }

    QString entryPath(const QString& valueName) const {
        return folder + u'/' + valueName + QStringLiteral(".desktop");
    }

    QString folder;
};

} // namespace

std::unique_ptr<StartupRegistration> createStartupRegistration() {
    return std::make_unique<XdgAutostart>(xdgConfigHome() + QStringLiteral("/autostart"));
}

} // namespace orvandel::system
