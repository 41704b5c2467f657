#include "Error.h"

namespace orvandel::inline common {

Error::Error(QString message)
    : text(std::move(message))
    , utf8(text.toStdString()) {}

} // namespace orvandel::inline common
