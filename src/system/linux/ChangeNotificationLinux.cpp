#include "FileNameCodec.h"
#include "WakeEvent.h"
#include "system/ChangeNotification.h"
#include "system/DirectoryEnumeration.h"

#include <QDir>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace orvandel::system {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t NameChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// What a folder above the watched one reports while the watched folder is away: a folder of the
// way down arriving, or the folder above going itself.
constexpr std::uint32_t WayBackChanges = IN_CREATE | IN_MOVED_TO | IN_MOVE_SELF | IN_ONLYDIR;

// The failure value: nothing is watched, so every wait lasts its whole timeout or until woken.
class UnwatchedFolder final : public ChangeNotification {
public:
    ChangeWait wait(milliseconds timeout) override {
        wakeEvent.wait(-1, timeout);
        return ChangeWait::TimedOut;
    }
    void wake() override { wakeEvent.raise(); }
    void rearm() override {}

private:
    WakeEvent wakeEvent;
};

// Whether a sub-folder found in the tree was there when the watch began, or arrived later and so
// brings its entries in as changes.
enum class Arrival { AtStart, Later };

// inotify watches one folder per watch, so a tree is a watch per folder, each new sub-folder
// getting its own as it appears. Events are read as they come so that the kinds not asked for
// (a folder where only files count) never signal.
//
// A watch stays with the folder it was put on, so the watched folder deleted or renamed away
// takes the watch with it. The path is then followed instead: a watch on the nearest folder above
// that exists waits for the next folder of the way down, and the folder is watched again, and
// reported, as soon as it is back.
class InotifyNotification final : public ChangeNotification {
public:
    InotifyNotification(int inotifyDescriptor, const QString& folder, SubFolders watchedSubFolders,
                        std::uint32_t notifyFilter)
        : descriptor(inotifyDescriptor)
        , watchedFolder(folder)
        , subFolders(watchedSubFolders)
        , filter(notifyFilter) {}
    ~InotifyNotification() override { ::close(descriptor); }

    InotifyNotification(const InotifyNotification&) = delete;
    InotifyNotification& operator=(const InotifyNotification&) = delete;

    // Watches the folder, and its tree when sub-folders are included; false when the folder
    // itself cannot be watched.
    bool watchFolder(Arrival arrival) { return watchTree(watchedFolder, arrival); }

    ChangeWait wait(milliseconds timeout) override;
    void wake() override { wakeEvent.raise(); }
    void rearm() override;

private:
    bool reports(bool isFolder) const {
        return (filter & (isFolder ? ChangeFilter::DirectoryName : ChangeFilter::FileName)) != 0;
    }
    bool watchTree(const QString& folder, Arrival arrival);
    void readEvents();
    void handle(const inotify_event& event, const char* name);
    void watchPathAgain();
    void followWayBack();
    bool waitAbove(qsizetype level);
    bool leadsBack(const inotify_event& event, const char* name) const;

    int descriptor;
    WakeEvent wakeEvent;
    QString watchedFolder;
    SubFolders subFolders;
    std::uint32_t filter;
    std::unordered_map<int, QString> watchedFolders;
    int folderWatch = -1;
    // While the folder is away: the watch on the nearest folder above it, and the name of the
    // next folder down that it waits for.
    int aboveWatch = -1;
    QByteArray awaitedName;
    bool signalled = false;
};

QString childPath(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The folder `levels` steps above `folder`; empty when there is none.
QString folderAbove(const QString& folder, qsizetype levels) {
    QString path = QDir::cleanPath(folder);
    for (; levels > 0; --levels) {
        const qsizetype slash = path.lastIndexOf(u'/');
        if (path == u"/" || path == u"." || path.isEmpty())
            return {};
        path = slash < 0    ? QStringLiteral(".")
               : slash == 0 ? QStringLiteral("/")
                            : path.left(slash);
    }
    return path;
}

bool InotifyNotification::watchTree(const QString& folder, Arrival arrival) {
    // Links inside the tree are not followed, so a link back up cannot make the walk endless.
    const bool isTop = watchedFolders.empty();
    const std::uint32_t mask = NameChanges | IN_ONLYDIR | IN_MOVE_SELF |
                               (isTop ? 0u : static_cast<std::uint32_t>(IN_DONT_FOLLOW));
    const int watch = ::inotify_add_watch(descriptor, encodeFileName(folder).constData(), mask);
    if (watch < 0)
        return false;
    if (isTop)
        folderWatch = watch;
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
    const bool limited = timeout != NoTimeLimit;
    const auto deadline = Clock::now() + (limited ? timeout : milliseconds(0));
    while (!signalled) {
        const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
        if (wakeEvent.wait(descriptor, limited ? std::max(left, milliseconds(0)) : NoTimeLimit) !=
            WaitResult::Ready)
            return ChangeWait::TimedOut;
        readEvents();
        if (!signalled && limited && Clock::now() >= deadline)
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
        // Changes were dropped unseen: one of them may well be ours, or the folder leaving or
        // coming back, so the watch starts again from the path.
        watchPathAgain();
        return;
    }
    if (event.wd == aboveWatch) {
        if (leadsBack(event, name))
            followWayBack();
        return;
    }
    const auto parent = watchedFolders.find(event.wd);
    // A watch let go already may still have events queued; they tell nothing about the folder.
    if (parent == watchedFolders.end())
        return;
    // The folder deleted, or renamed away with its watch: its path shows none of its files any
    // more, which is a change, and the path is followed until the folder is back.
    if (event.wd == folderWatch && (event.mask & (IN_IGNORED | IN_MOVE_SELF))) {
        watchPathAgain();
        return;
    }
    if (event.mask & IN_IGNORED) {
        watchedFolders.erase(parent);
        return;
    }
    if ((event.mask & NameChanges) == 0)
        return;
    const bool isFolder = (event.mask & IN_ISDIR) != 0;
    if (reports(isFolder))
        signalled = true;
    if (isFolder && subFolders == SubFolders::Included &&
        (event.mask & (IN_CREATE | IN_MOVED_TO)) && event.len > 0)
        watchTree(childPath(parent->second, decodeFileName(name)), Arrival::Later);
}

// Lets go of every watch and follows the folder's path again, reporting a change.
void InotifyNotification::watchPathAgain() {
    for (const auto& watched : watchedFolders)
        ::inotify_rm_watch(descriptor, watched.first);
    watchedFolders.clear();
    folderWatch = -1;
    signalled = true;
    followWayBack();
}

// Climbs to the nearest folder above that can be watched, then goes down again as far as the
// path exists: a folder of the way made before the watch above it began sends that watch no
// event. Back at the folder itself, it is watched again and its return reported.
void InotifyNotification::followWayBack() {
    qsizetype level = 1;
    while (!waitAbove(level)) {
        if (folderAbove(watchedFolder, level).isEmpty())
            return;
        ++level;
    }
    while (level > 1 && waitAbove(level - 1))
        --level;
    if (!watchFolder(Arrival::Later))
        return;
    ::inotify_rm_watch(descriptor, aboveWatch);
    aboveWatch = -1;
    signalled = true;
}

// Waits in the folder `level` steps above the watched one, in place of the folder waited in
// before; false when it cannot be watched.
bool InotifyNotification::waitAbove(qsizetype level) {
    const QString above = folderAbove(watchedFolder, level);
    if (above.isEmpty())
        return false;
    const int watch =
        ::inotify_add_watch(descriptor, encodeFileName(above).constData(), WayBackChanges);
    if (watch < 0)
        return false;
    if (aboveWatch >= 0 && aboveWatch != watch)
        ::inotify_rm_watch(descriptor, aboveWatch);
    aboveWatch = watch;
    const QString below = folderAbove(watchedFolder, level - 1);
    awaitedName = encodeFileName(below.mid(below.lastIndexOf(u'/') + 1));
    return true;
}

bool InotifyNotification::leadsBack(const inotify_event& event, const char* name) const {
    // The folder waited in gone or renamed: the way back starts higher up.
    if (event.mask & (IN_IGNORED | IN_MOVE_SELF))
        return true;
    return (event.mask & (IN_CREATE | IN_MOVED_TO)) && event.len > 0 && awaitedName == name;
}

} // namespace

std::unique_ptr<ChangeNotification>
findFirstChangeNotification(const QString& folder, SubFolders subFolders, std::uint32_t filter) {
    if ((filter & (ChangeFilter::FileName | ChangeFilter::DirectoryName)) == 0)
        return std::make_unique<UnwatchedFolder>();
    const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0)
        return std::make_unique<UnwatchedFolder>();
    auto notification =
        std::make_unique<InotifyNotification>(descriptor, folder, subFolders, filter);
    if (!notification->watchFolder(Arrival::AtStart))
        return std::make_unique<UnwatchedFolder>();
    return notification;
}

} // namespace orvandel::system
