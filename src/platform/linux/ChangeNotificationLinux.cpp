#include "FileNameCodec.h"
#include "platform/ChangeNotification.h"
#include "platform/DirectoryEnumeration.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <unordered_map>

namespace orvandel::platform {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t NameChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// The failure value: nothing is watched, so every wait lasts its whole timeout.
class UnwatchedFolder final : public ChangeNotification {
public:
    ChangeWait wait(milliseconds timeout) override {
        std::this_thread::sleep_for(timeout);
        return ChangeWait::TimedOut;
    }
    void rearm() override {}
};

// Whether a sub-folder found in the tree was there when the watch began, or arrived later and so
// brings its entries in as changes.
enum class Arrival { AtStart, Later };

// inotify watches one folder per watch, so a tree is a watch per folder, each new sub-folder
// getting its own as it appears. Events are read as they come so that the kinds not asked for
// (a folder where only files count) never signal.
class InotifyNotification final : public ChangeNotification {
public:
    InotifyNotification(int inotifyDescriptor, SubFolders watchedSubFolders,
                        std::uint32_t notifyFilter)
        : descriptor(inotifyDescriptor)
        , subFolders(watchedSubFolders)
        , filter(notifyFilter) {}
    ~InotifyNotification() override { ::close(descriptor); }

    InotifyNotification(const InotifyNotification&) = delete;
    InotifyNotification& operator=(const InotifyNotification&) = delete;

    // Watches `folder`, and its tree when sub-folders are included; false when `folder` itself
    // cannot be watched.
    bool watchTree(const QString& folder, Arrival arrival);

    ChangeWait wait(milliseconds timeout) override;
    void rearm() override;

private:
    bool reports(bool isFolder) const {
        return (filter & (isFolder ? ChangeFilter::DirectoryName : ChangeFilter::FileName)) != 0;
    }
    void readEvents();
    void handle(const inotify_event& event, const char* name);

    int descriptor;
    SubFolders subFolders;
    std::uint32_t filter;
    std::unordered_map<int, QString> watchedFolders;
    bool signalled = false;
};

QString childPath(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool InotifyNotification::watchTree(const QString& folder, Arrival arrival) {
    // Links inside the tree are not followed, so a link back up cannot make the walk endless.
    const std::uint32_t mask =
        NameChanges | IN_ONLYDIR |
        (watchedFolders.empty() ? 0u : static_cast<std::uint32_t>(IN_DONT_FOLLOW));
    const int watch = ::inotify_add_watch(descriptor, encodeFileName(folder).constData(), mask);
    if (watch < 0)
        return false;
    // The same folder reached twice (a bind mount) keeps its one watch and is walked once.
    if (!watchedFolders.emplace(watch, folder).second || subFolders == SubFolders::Excluded)
        return true;
    enumerateDirectory(folder, [&](const DirectoryEntry& entry) {
        if (arrival == Arrival::Later && reports(entry.isFolder))
            signalled = true;
        if (entry.isFolder)
            watchTree(childPath(folder, entry.name), arrival);
    });
    return true;
}

ChangeWait InotifyNotification::wait(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!signalled) {
        const auto left = std::max(deadline - Clock::now(), Clock::duration::zero());
        pollfd request{descriptor, POLLIN, 0};
        const int ready =
            ::poll(&request, 1, static_cast<int>(std::chrono::ceil<milliseconds>(left).count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return ChangeWait::TimedOut;
        if (ready < 0 || (request.revents & POLLIN) == 0) {
            // A failing poll must not turn the watcher's cycles into a busy loop.
            std::this_thread::sleep_until(deadline);
            return ChangeWait::TimedOut;
        }
        readEvents();
        if (!signalled && Clock::now() >= deadline)
            return ChangeWait::TimedOut;
    }
    return ChangeWait::Signalled;
}

void InotifyNotification::rearm() {
    // The events already queued were made before this call: they are seen and forgotten.
    readEvents();
    signalled = false;
}

void InotifyNotification::readEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(descriptor, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            handle(event, buffer + offset + sizeof event);
            offset += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

void InotifyNotification::handle(const inotify_event& event, const char* name) {
    if (event.mask & IN_Q_OVERFLOW) {
        // Changes were dropped unseen: one of them may well be ours.
        signalled = true;
        return;
    }
    if (event.mask & IN_IGNORED) {
        watchedFolders.erase(event.wd);
        return;
    }
    if ((event.mask & NameChanges) == 0)
        return;
    const bool isFolder = (event.mask & IN_ISDIR) != 0;
    if (reports(isFolder))
        signalled = true;
    const auto parent = watchedFolders.find(event.wd);
    if (isFolder && subFolders == SubFolders::Included &&
        (event.mask & (IN_CREATE | IN_MOVED_TO)) && event.len > 0 && parent != watchedFolders.end())
        watchTree(childPath(parent->second, decodeFileName(name)), Arrival::Later);
}

} // namespace

std::unique_ptr<ChangeNotification>
findFirstChangeNotification(const QString& folder, SubFolders subFolders, std::uint32_t filter) {
    if ((filter & (ChangeFilter::FileName | ChangeFilter::DirectoryName)) == 0)
        return std::make_unique<UnwatchedFolder>();
    const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0)
        return std::make_unique<UnwatchedFolder>();
    auto notification = std::make_unique<InotifyNotification>(descriptor, subFolders, filter);
    if (!notification->watchTree(folder, Arrival::AtStart))
        return std::make_unique<UnwatchedFolder>();
    return notification;
}

} // namespace orvandel::platform
