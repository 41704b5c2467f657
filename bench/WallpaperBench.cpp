// Setting a 24 MP JPEG as the stretched X11 background, each program as a whole process on the
// same file: ours against feh --bg-scale and hsetroot -fill. Wall-clock time and peak resident
// memory. Needs an X display: run it under tests/e2e/desktop-session.sh.
//
// A child's peak memory as the system reports it includes the peak of the process that started
// it, so the photograph is made by a child of its own and this process stays small.
#include "BenchPictures.h"
#include "imaging/codecs/JpegEncoder.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

struct ProcessFigures {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

ProcessFigures runOnce(const QStringList& command) {
    std::vector<QByteArray> storage;
    for (const QString& part : command)
        storage.push_back(QFile::encodeName(part));
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + command.first().toStdString());
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command.first().toStdString() + " failed");
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss / 1024.0};
}

// Median time and the largest peak over `runs` runs, after one warm-up run.
ProcessFigures measure(int runs, const QStringList& command) {
    runOnce(command);
    std::vector<double> times;
    double peak = 0;
    for (int run = 0; run < runs; ++run) {
        const ProcessFigures figures = runOnce(command);
        times.push_back(figures.milliseconds);
        peak = std::max(peak, figures.peakMegabytes);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], peak};
}

void printFigures(const char* who, const ProcessFigures& figures) {
    std::printf("%-34s %8.1f ms %8.1f MB\n", who, figures.milliseconds, figures.peakMegabytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make-photo") == 0) {
        orvandel::imaging::writeJpeg(bench::makePhoto(QSize(6000, 4000)),
                                     QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "No X display: run under tests/e2e/desktop-session.sh\n");
        return 1;
    }
    const QString self = QFile::decodeName(QByteArray(argv[0]));
    const QString ours = self.section(u'/', 0, -2) + QStringLiteral("/orvandel_wallpaper_apply");
    QTemporaryDir work;
    const QString photo = work.filePath(QStringLiteral("photo.jpg"));
    constexpr int Runs = 5;
    try {
        runOnce({self, QStringLiteral("--make-photo"), photo});
        const ProcessFigures orvandel = measure(Runs, {ours, photo, QStringLiteral("2")});
        const ProcessFigures feh =
            measure(Runs, {QStringLiteral("feh"), QStringLiteral("--bg-scale"), photo});
        const ProcessFigures hsetroot =
            measure(Runs, {QStringLiteral("hsetroot"), QStringLiteral("-fill"), photo});
        std::printf("24 MP JPEG stretched as the X11 background, whole process, median of %d\n",
                    Runs);
        printFigures("orvandel_wallpaper_apply (ours)", orvandel);
        printFigures("feh --bg-scale", feh);
        printFigures("hsetroot -fill", hsetroot);
        const double timeRatio = orvandel.milliseconds / feh.milliseconds;
        std::printf("time ours / feh      %5.2f (target <= 0.50) %s\n", timeRatio,
                    timeRatio <= 0.5 ? "ok" : "OVER");
        std::printf("time ours / hsetroot %5.2f\n", orvandel.milliseconds / hsetroot.milliseconds);
        std::printf("peak memory ours     %5.1f MB (target <= 40 MB, feh %.1f MB) %s\n",
                    orvandel.peakMegabytes, feh.peakMegabytes,
                    orvandel.peakMegabytes <= 40 ? "ok" : "OVER");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
