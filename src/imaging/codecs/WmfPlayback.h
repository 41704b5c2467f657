#pragma once

#include "MetafileRecord.h"

#include <QSize>

#include <optional>

namespace orvandel::imaging {

class MetafileCanvas;

// The extent of the first SetWindowExt record, signs kept: the size of a WMF without a
// placeable header.
std::optional<QSize> findWmfWindowExtent(RecordRange records);

// Draws the records that follow the WMF header, up to the end-of-file record.
void playWmf(RecordRange records, MetafileCanvas& canvas);

} // namespace orvandel::imaging
