#include "system/PathStyle.h"

namespace orvandel::system {

PathStyle nativePathStyle() {
    return PathStyle::Posix;
}

} // namespace orvandel::system
