#pragma once

#include <QString>

namespace orvandel::system {

// The folder of the running executable, links resolved, ending with a separator.
QString executableFolder();

// The full path of the running executable, links resolved; empty when it cannot be found.
QString executablePath();

// The process's current working folder; empty when it cannot be found.
QString currentFolder();

} // namespace orvandel::system
