// Prints the folder watcher's figures: how long a change takes to reach the listing on the main
// thread, how often the watcher wakes while its folder is quiet, and what stopping it costs.
#include "desktop/Dialogs.h"
#include "logic/ErrorReport.h"
#include "logic/watch/UThreadNotification.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace watch = orvandel::UThreadNotification;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Changes = 200;
constexpr double LatencyTargetMilliseconds = 250;
constexpr double QuietWakeUpsTarget = 5;
constexpr std::chrono::seconds QuietTime{5};

class PrintedDialogs final : public orvandel::desktop::Dialogs {
public:
    void showMessage(const QString& text) override { std::printf("%s\n", qPrintable(text)); }
    void showError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void showErrorDialog(const QString& text) override { showError(text); }
};

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printAgainstTarget(const char* what, double value, const char* unit, double target) {
    std::printf("%-44s %9.3f %-4s target <= %g, ratio %.4f %s\n", what, value, unit, target,
                value / target, value <= target ? "ok" : "MISSED");
}

QSet<QString> threadIds() {
    const QStringList ids =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return {ids.begin(), ids.end()};
}

// Times the kernel scheduled the thread in: each is one wake-up.
long long contextSwitches(const QString& threadId) {
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(threadId));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    long long total = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.contains("ctxt_switches:"))
            total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    return total;
}

// Each change makes a file, gives it another name, or deletes it, in turn; a change counts as
// listed when a listing sees its result, so that a late listing of the change before is not
// taken for it. The main thread waits in its event loop as the program's would.
void benchLatency(const QString& folder, watch::FolderWatch& watcher) {
    std::function<bool(const QStringList&)> changeSeen;
    Clock::time_point listedAt;
    bool listed = false;
    watcher.CreationNotification(folder, false, 1, [&] {
        if (!listed && changeSeen(QDir(folder).entryList(QDir::Files))) {
            listedAt = Clock::now();
            listed = true;
        }
    });
    std::vector<double> latencies;
    for (int change = 0; change < Changes; ++change) {
        const QString made = QStringLiteral("change-%1.jpg").arg(change / 3);
        const QString renamed = QStringLiteral("renamed-%1.jpg").arg(change / 3);
        listed = false;
        const Clock::time_point changedAt = Clock::now();
        switch (change % 3) {
        case 0: {
            QFile file(folder + u'/' + made);
            file.open(QIODevice::WriteOnly);
            changeSeen = [made](const QStringList& files) { return files.contains(made); };
            break;
        }
        case 1:
            QFile::rename(folder + u'/' + made, folder + u'/' + renamed);
            changeSeen = [renamed](const QStringList& files) { return files.contains(renamed); };
            break;
        default:
            QFile::remove(folder + u'/' + renamed);
            changeSeen = [renamed](const QStringList& files) { return !files.contains(renamed); };
        }
        const QDeadlineTimer deadline(10000);
        while (!listed && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!listed)
            throw std::runtime_error("a change never reached the listing");
        latencies.push_back(milliseconds(listedAt - changedAt));
    }
    watcher.DestructionNotification();
    std::sort(latencies.begin(), latencies.end());
    printAgainstTarget("change-to-listing latency, median", median(latencies), "ms",
                       LatencyTargetMilliseconds);
    std::printf("%-44s %9.3f ms (%d changes)\n", "change-to-listing latency, 90th percentile",
                latencies[latencies.size() * 9 / 10], Changes);
}

void benchQuiet(const char* what, const QString& folder, watch::FolderWatch& watcher) {
    const QSet<QString> before = threadIds();
    watcher.CreationNotification(folder, false, 1, [] {});
    const QSet<QString> watcherThreads = threadIds() - before;
    long long switchesBefore = 0;
    for (const QString& id : watcherThreads)
        switchesBefore += contextSwitches(id);
    std::this_thread::sleep_for(QuietTime);
    long long switchesAfter = 0;
    for (const QString& id : watcherThreads)
        switchesAfter += contextSwitches(id);
    const Clock::time_point stopping = Clock::now();
    watcher.DestructionNotification();
    const double stop = milliseconds(Clock::now() - stopping);
    const double perSecond = static_cast<double>(switchesAfter - switchesBefore) /
                             static_cast<double>(QuietTime.count());
    printAgainstTarget(qPrintable(QStringLiteral("wake-ups per second, quiet %1").arg(what)),
                       perSecond, "/s", QuietWakeUpsTarget);
    std::printf("%-44s %9.2f ms\n", qPrintable(QStringLiteral("stop, quiet %1").arg(what)), stop);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // Wakes the event loop now and then, so that a listing that never comes runs out its deadline.
    QTimer heartbeat;
    heartbeat.start(1000);
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a work folder\n");
        return 1;
    }
    PrintedDialogs dialogs;
    orvandel::ErrorReport report(dialogs);
    watch::FolderWatch watcher(report);
    try {
        benchLatency(work.path(), watcher);
        benchQuiet("folder", work.path(), watcher);
        benchQuiet("missing folder", work.filePath(QStringLiteral("Absent")), watcher);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
