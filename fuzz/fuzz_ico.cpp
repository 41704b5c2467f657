#include "common/Error.h"
#include "imaging/codecs/IcoDecoder.h"

#include <cstddef>
#include <cstdint>

// Any bytes read as an .ico or .cur file: an error is the only way out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        orvandel::imaging::decodeIco({data, size});
    } catch (const orvandel::Error&) {
    }
    return 0;
}
