#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
// jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

namespace orvandel::imaging {

// libjpeg reports a fatal error by calling error_exit, which must not return: ours jumps back to
// the setjmp of the step that called the library. Those steps are small C-style functions with
// plain locals only, so that the jump skips no destructor.
struct JpegErrorManager {
    jpeg_error_mgr library; // first, so that the library's pointer leads back to the whole
    std::jmp_buf jump;
};

// Sets up `manager` to jump on errors and to keep the library's messages off stderr; returns the
// pointer to store in the codec's `err` field.
jpeg_error_mgr* prepareJpegErrorManager(JpegErrorManager& manager);

// "Erreur JPEG #<code>" with the library's code of the last error.
[[noreturn]] void throwJpegError(const JpegErrorManager& manager);

} // namespace orvandel::imaging
