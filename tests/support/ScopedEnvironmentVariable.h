#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// Sets an environment variable, or removes it when given no value, for the life of the object;
// the previous state comes back with it.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* variableName, const std::optional<QString>& value)
        : name(variableName)
        , wasSet(qEnvironmentVariableIsSet(variableName))
        , previous(qgetenv(variableName)) {
        if (value)
            qputenv(name, QFile::encodeName(*value));
        else
            qunsetenv(name);
    }
    ~ScopedEnvironmentVariable() {
        if (wasSet)
            qputenv(name, previous);
        else
            qunsetenv(name);
    }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    const char* name;
    bool wasSet;
    QByteArray previous;
};
