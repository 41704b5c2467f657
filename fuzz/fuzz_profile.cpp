#include "system/profile/IniDocument.h"
#include "system/profile/TextEncoding.h"

#include <cstdint>
#include <cstdlib>

using namespace orvandel::system;

// Any text read as a settings file: a written key must read back as written, the rest of the
// file must survive the write, and the bytes written must read back as the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecodedText decoded = decodeText(bytes);
    IniDocument document = IniDocument::parse(decoded.text);
    const auto otherBefore = document.value(u"Other", u"Key");
    document.value(u"Options", u"Nom Album");
    document.setValue(QStringLiteral("Options"), QStringLiteral("Timer"), QStringLiteral("30"));
    const IniDocument reread = IniDocument::parse(document.toText());
    const EncodedText encoded = encodeKeepingMeaning(document.toText(), decoded.encoding);
    if (decodeText(encoded.bytes).text != document.toText())
        std::abort();
    if (reread.value(u"options", u"TIMER") != QStringLiteral("30"))
        std::abort();
    if (reread.value(u"Other", u"Key") != otherBefore)
        std::abort();
    return 0;
}
