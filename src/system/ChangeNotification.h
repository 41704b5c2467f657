#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

namespace orvandel::system {

// The kinds of change a notification reports, with the values of the platform's notify filter.
namespace ChangeFilter {
// A file created, deleted or given another name.
inline constexpr std::uint32_t FileName = 0x1;
// A folder created, deleted or given another name.
inline constexpr std::uint32_t DirectoryName = 0x2;
} // namespace ChangeFilter

enum class SubFolders { Excluded, Included };

enum class ChangeWait { Signalled, TimedOut };

// A wait with no time limit: it ends when the notification is signalled or woken.
inline constexpr std::chrono::milliseconds NoTimeLimit{-1};

// A watch on one folder. It becomes signalled by a change of the requested kinds and stays
// signalled until it is re-armed; destroying it ends the watch.
class ChangeNotification {
public:
    virtual ~ChangeNotification() = default;

    // Waits at most `timeout` (or with NoTimeLimit) for the notification to be signalled.
    virtual ChangeWait wait(std::chrono::milliseconds timeout) = 0;
    // Ends the wait under way at once, or the next one when none is; it then returns TimedOut.
    // The one call that is safe from another thread: it is how a watcher is told to stop.
    virtual void wake() = 0;
    // Forgets the changes seen so far: only changes made after this call signal it again.
    virtual void rearm() = 0;
};

// Starts watching `folder`. A folder that cannot be watched (missing, not a folder, not
// readable, or a filter with no kind this platform knows) gives the failure value: a
// notification that is never signalled, each wait lasting its timeout or until woken. A watched
// folder that is deleted or renamed away signals, and signals again when a folder is back at its
// path, which is then watched in its place.
std::unique_ptr<ChangeNotification>
findFirstChangeNotification(const QString& folder, SubFolders subFolders, std::uint32_t filter);

} // namespace orvandel::system
