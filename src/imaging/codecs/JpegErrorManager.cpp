#include "JpegErrorManager.h"

#include "common/Error.h"
#include "common/Messages.h"

namespace orvandel::imaging {

namespace {

[[noreturn]] void jumpBack(j_common_ptr codec) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(codec->err);
    std::longjmp(manager->jump, 1);
}

// Warnings about damaged data are counted by the library, and the picture is shown as decoded.
void discardMessage(j_common_ptr) {}

} // namespace

jpeg_error_mgr* prepareJpegErrorManager(JpegErrorManager& manager) {
    jpeg_std_error(&manager.library);
    manager.library.error_exit = jumpBack;
    manager.library.output_message = discardMessage;
    return &manager.library;
}

void throwJpegError(const JpegErrorManager& manager) {
    throw Error(
        formatMessage(FrameworkMessages::JpegError, {QString::number(manager.library.msg_code)}));
}

} // namespace orvandel::imaging
