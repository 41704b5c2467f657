#pragma once

#include "desktop/WallpaperShell.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

// Sets an environment variable for the life of a test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* variable, const QByteArray& value)
        : name(variable)
        , hadValue(qEnvironmentVariableIsSet(variable))
        , oldValue(qgetenv(variable)) {
        qputenv(variable, value);
    }
    ~ScopedVariable() {
        if (hadValue)
            qputenv(name, oldValue);
        else
            qunsetenv(name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name;
    bool hadValue;
    QByteArray oldValue;
};

// Runs the three shell steps the way the program does.
inline void applyThroughShell(orvandel::desktop::WallpaperShell& shell, const QString& path,
                              std::uint32_t style) {
    std::vector<char16_t> buffer(orvandel::desktop::wallpaperPathBufferLength(), u'\0');
    std::copy_n(path.utf16(), path.size(), buffer.begin());
    shell.SetWallpaperOptions({8, style}, 0);
    shell.SetWallpaper(buffer.data(), 0);
    shell.ApplyChanges(orvandel::desktop::ApplySaveHtmlGenRefresh);
}

// A file name with a blank, both quotes, a percent sign and letters outside ASCII.
inline const QString AwkwardFileName = QStringLiteral("Été à l'\"île\" 100% ñ.png");
