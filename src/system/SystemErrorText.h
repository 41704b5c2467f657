#pragma once

#include <QString>

namespace orvandel::system {

// A short French reason for an operating-system error number, for messages shown to the user.
QString systemErrorText(int errorNumber);

} // namespace orvandel::system
