#pragma once

#include "common/Error.h"

namespace orvandel::inline common {

// A picture that cannot be read: its file does not open, its format is unknown or its content is
// damaged. The wallpaper change tells this apart from a desktop that refuses a good picture.
class PictureError : public Error {
public:
    using Error::Error;
};

} // namespace orvandel::inline common
