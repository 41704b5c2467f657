#pragma once

#include "MetafileRecord.h"

namespace orvandel::imaging {

class MetafileCanvas;

// Draws the records that follow the EMF header, up to the end-of-file record.
void playEmf(RecordRange records, MetafileCanvas& canvas);

} // namespace orvandel::imaging
