#pragma once

#include <QByteArray>
#include <QString>

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

// A file name with a blank, both quotes, a percent sign and letters outside ASCII.
inline const QString AwkwardFileName = QStringLiteral("Été à l'\"île\" 100% ñ.png");
