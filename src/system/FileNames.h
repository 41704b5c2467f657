#pragma once

#include <QString>

namespace orvandel::system {

// Paths are QStrings everywhere, handed as they are to the platform layer, which alone turns them
// into the system's names and back. A name on disk need not be text: a file from an old archive
// may be called "caf\xE9.jpg", in Windows-1252 on a UTF-8 system. Such a path holds each byte
// that is no text as a lone surrogate (U+DC80 to U+DCFF), which the platform layer turns back into
// the same byte, so that the file can be listed, opened, applied and named like any other. Text
// shown to people goes through readableText() first.

// `text` as a person should read it: a byte held as a lone surrogate is shown as the character it
// stands for in Windows-1252, the encoding of most such names; everything else is unchanged.
QString readableText(const QString& text);

} // namespace orvandel::system
