#pragma once

#include <QString>

namespace orvandel::platform {

// The folder of the running executable, links resolved, ending with a separator.
QString executableFolder();

} // namespace orvandel::platform
