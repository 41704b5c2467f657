#include "DrawingFuzzer.h"
#include "common/Error.h"
#include "imaging/codecs/MetafileDecoder.h"

#include <cstddef>
#include <cstdint>

// Any bytes read as a .wmf file: an error is the only way out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        orvandel::imaging::decodeWmf(orvandel::imaging::ByteView(data, size));
    } catch (const orvandel::Error&) {
    }
    return 0;
}
