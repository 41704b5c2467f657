#pragma once

#include "imaging/ByteView.h"

#include <QSize>

#include <optional>

namespace orvandel::imaging {

class MetafileCanvas;

// The extent of the first SetWindowExt record, signs kept: the size of a WMF without a
// placeable header.
std::optional<QSize> findWmfWindowExtent(ByteView records);

// Draws the records that follow the WMF header, up to the end-of-file record.
void playWmf(ByteView records, MetafileCanvas& canvas);

} // namespace orvandel::imaging
