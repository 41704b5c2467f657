#pragma once

#include <QImage>
#include <QSize>

namespace bench {

// A photograph-like picture: smooth light with fine grain, so that codecs have real work to do.
QImage makePhoto(QSize size);

} // namespace bench
