// Start-up's seven reads and a close request's eight writes of the settings file, on a file of
// the usual size and on one of short lines just under the size limit, with the peak memory.
#include "Measure.h"
#include "logic/settings/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

constexpr double TargetMilliseconds = 1000;
constexpr qsizetype LargeFileSize = 16 * 1024 * 1024 - 1024;

const QByteArray settingsKeys = "Images=/opt/orvandel/Images/Nature/\n"
                                "Nom Album=Nature\n"
                                "Compteur Album=12\n"
                                "Position=2\n"
                                "Timer=60\n"
                                "Demarrage avec windows=1\n"
                                "Demarrage reduit=0\n"
                                "Changer au demarrage=1\n";

// Short lines in the section, before the real keys, so that every lookup walks them all.
QByteArray largeSettings() {
    QByteArray bytes = "[Options]\n";
    bytes.reserve(LargeFileSize + settingsKeys.size());
    for (int line = 0; bytes.size() < LargeFileSize; ++line)
        bytes += "k" + QByteArray::number(line) + "=1\n";
    return bytes + settingsKeys;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Processor time of the whole process, which a busy machine does not inflate as it does the
// wall-clock time.
double processorMilliseconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_nsec) / 1e6;
}

// The mean processor time of `runs` calls after one warm-up call, with the median wall time.
std::pair<double, double> timeOf(int runs, const std::function<void()>& action) {
    const double start = processorMilliseconds();
    const double wall = bench::medianMilliseconds(runs, action);
    return {wall, (processorMilliseconds() - start) / (runs + 1)};
}

void printLine(const QString& label, std::pair<double, double> times) {
    std::printf("%-44s %9.2f ms wall %9.2f ms processor  %5.3f of target   peak %5.0f MB\n",
                qPrintable(label), times.first, times.second, times.first / TargetMilliseconds,
                peakMegabytes());
}

void measure(const QString& label, const QString& path, const QByteArray& content, int runs) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write the settings file");
    file.close();
    orvandel::ProgramState state;
    orvandel::applyStoredSettings(state,
                                  orvandel::readSettings(orvandel::system::ProfileFile(path),
                                                         orvandel::SettingsReader::MainWindow),
                                  "/opt/orvandel/");
    printLine(label + QStringLiteral(", start-up's 7 reads"), timeOf(runs, [&] {
                  orvandel::readSettings(orvandel::system::ProfileFile(path),
                                         orvandel::SettingsReader::MainWindow);
              }));
    printLine(label + QStringLiteral(", close's 8 writes"), timeOf(runs, [&] {
                  orvandel::saveOnCloseRequest(orvandel::system::ProfileFile(path), state);
              }));
}

} // namespace

int main() {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot create a work folder\n");
        return 1;
    }
    const QString path = folder.filePath(QStringLiteral("Options.ini"));
    std::printf("Median wall-clock times against a target of %.0f ms; writes include the syncs.\n",
                TargetMilliseconds);
    try {
        measure(QStringLiteral("usual file, %1 bytes").arg(settingsKeys.size() + 10), path,
                "[Options]\n" + settingsKeys, 21);
        measure(QStringLiteral("16 MiB of short lines"), path, largeSettings(), 5);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
