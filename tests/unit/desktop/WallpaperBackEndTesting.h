#pragma once

#include "ScopedEnvironmentVariable.h"

#include <QString>

// A file name with a blank, both quotes, a percent sign and letters outside ASCII.
inline const QString AwkwardFileName = QStringLiteral("Été à l'\"île\" 100% ñ.png");
