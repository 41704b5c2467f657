#include "TaskbarPresenceX11.h"
#include "platform/TaskbarPresence.h"

namespace orvandel::platform {

std::unique_ptr<TaskbarPresence> createTaskbarPresence() {
    return std::make_unique<TaskbarPresenceX11>();
}

} // namespace orvandel::platform
