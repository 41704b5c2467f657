#include "common/Error.h"
#include "imaging/codecs/BmpDecoder.h"

#include <cstddef>
#include <cstdint>

// Any bytes read as a .bmp file and as the bitmap of an icon entry: an error is the only way out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvandel::imaging::ByteView bytes(data, size);
    try {
        orvandel::imaging::decodeBmp(bytes);
    } catch (const orvandel::Error&) {
    }
    try {
        orvandel::imaging::decodeIconDib(bytes);
    } catch (const orvandel::Error&) {
    }
    return 0;
}
