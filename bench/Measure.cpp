#include "Measure.h"

#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the program to its end; throws when it fails.
void runProcess(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("reference program failed: " + program.toStdString());
}

} // namespace

double medianMilliseconds(int runs, const std::function<void()>& action) {
    action();
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        action();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        times.push_back(elapsed.count());
    }
    return median(times);
}

double medianProcessMilliseconds(int runs, const QString& program, const QStringList& arguments) {
    return medianMilliseconds(runs, [&] { runProcess(program, arguments); });
}

double ownPeakResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    throw std::runtime_error("no peak memory in /proc/self/status");
}

void printComparison(const QString& what, double ours, const QString& reference, double theirs,
                     double target) {
    const double ratio = ours / theirs;
    std::printf("%-46s %9.1f ms   %-34s %9.1f ms   ratio %5.2f (target <= %.2f) %s\n",
                qPrintable(what), ours, qPrintable(reference), theirs, ratio, target,
                ratio <= target ? "ok" : "OVER");
    std::fflush(stdout);
}

} // namespace bench
