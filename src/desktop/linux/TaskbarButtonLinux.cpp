#include "TaskbarButtonX11.h"

namespace orvandel::desktop {

std::unique_ptr<TaskbarButton> createTaskbarButton() {
    return std::make_unique<TaskbarButtonX11>();
}

} // namespace orvandel::desktop
