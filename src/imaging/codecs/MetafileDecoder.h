#pragma once

#include "imaging/ByteView.h"

#include <QIODevice>
#include <QImage>
#include <QSize>

namespace orvandel::imaging {

// Windows metafiles, drawn onto a white picture of the size the header gives. Unknown records are
// skipped by their stated size. With a valid `bound`, the drawing is played directly at the
// smallest scale whose picture still covers the bound, never above the header's size. The file
// is read record by record, each only as far as the drawing needs it: a huge record refused
// after its first fields costs no memory.
QImage decodeEmf(QIODevice& file, QSize bound = {});
QImage decodeWmf(QIODevice& file, QSize bound = {});

// The same from bytes in memory.
QImage decodeEmf(ByteView file, QSize bound = {});
QImage decodeWmf(ByteView file, QSize bound = {});

} // namespace orvandel::imaging
