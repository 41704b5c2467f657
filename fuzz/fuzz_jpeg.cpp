#include "common/Error.h"
#include "imaging/codecs/JpegDecoder.h"

#include <QSize>

#include <cstddef>
#include <cstdint>

// Any bytes decoded at full size and scaled down for a small bound: an error is the only way out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvandel::imaging::ByteView bytes(data, size);
    try {
        orvandel::imaging::decodeJpeg(bytes);
    } catch (const orvandel::Error&) {
    }
    try {
        orvandel::imaging::decodeJpeg(bytes, QSize(64, 64));
    } catch (const orvandel::Error&) {
    }
    return 0;
}
