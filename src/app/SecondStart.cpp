#include "SecondStart.h"

#include "desktop/WindowMessages.h"

#include <cstdio>

namespace orvandel::inline app {

namespace {

// The running instance may still be starting: its channel opens once its windows exist.
constexpr int AnswerWaitMilliseconds = 10000;

} // namespace

int handOverToRunningInstance() {
    const desktop::WindowMessage show{desktop::WM_APPELMESSAGE, 0, desktop::WM_LBUTTONDBLCLK};
    if (desktop::sendWindowMessage(desktop::windowMessageChannelName(), show,
                                   AnswerWaitMilliseconds))
        return 0;
    std::fputs("Orvandel est déjà lancé, mais ne répond pas.\n", stderr);
    return 1;
}

} // namespace orvandel::inline app
