#include "TaskbarPresenceX11.h"
#include "desktop/TaskbarPresence.h"

namespace orvandel::desktop {

std::unique_ptr<TaskbarPresence> createTaskbarPresence() {
    return std::make_unique<TaskbarPresenceX11>();
}

} // namespace orvandel::desktop
