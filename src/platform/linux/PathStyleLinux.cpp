#include "platform/PathStyle.h"

namespace orvandel::platform {

PathStyle nativePathStyle() {
    return PathStyle::Posix;
}

} // namespace orvandel::platform
