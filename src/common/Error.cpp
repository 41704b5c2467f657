#include "Error.h"

namespace orvandel {

Error::Error(QString message)
    : text(std::move(message))
    , utf8(text.toStdString()) {}

} // namespace orvandel
