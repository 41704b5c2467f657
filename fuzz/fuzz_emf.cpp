#include "common/Error.h"
#include "imaging/codecs/MetafileDecoder.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Fontconfig keeps some of what Qt asks of it for good; that is not this reader's leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so";
}

// Text is drawn with fonts, which need an application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

// Any bytes read as a .emf file: an error is the only way out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        orvandel::imaging::decodeEmf(orvandel::imaging::ByteView(data, size));
    } catch (const orvandel::Error&) {
    }
    return 0;
}
