#pragma once

#include "imaging/ByteView.h"

#include <QByteArray>

#include <optional>

namespace orvandel::imaging {

// Checks a PNG's chunk layout before anything is decoded. Throws orvandel::Error when a chunk runs
// past the end of the file, or when the compressed pixels are too short to fill the size the
// header claims even at the best ratio Deflate reaches. Returns the file without its oversized
// ancillary chunks (profiles, texts) when it has any: those are dropped, not the picture.
std::optional<QByteArray> checkPngChunks(ByteView file, std::size_t maxAncillaryChunkSize);

} // namespace orvandel::imaging
