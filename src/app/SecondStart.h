#pragma once

namespace orvandel::inline app {

// What a start does while the user's program already runs: asks the running instance to show
// its main window, as message 1025 with 515 does, and touches nothing else. The exit status.
int handOverToRunningInstance();

} // namespace orvandel::inline app
