// Start-up's seven reads and a close request's eight writes of the settings file, on a file of
// the usual size and on one of short lines just under the size limit, with the peak memory.
#include "Measure.h"
#include "logic/settings/ProgramState.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <stdexcept>

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

void measure(const QString& label, const QString& path, const QByteArray& content, int runs) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write the settings file");
    file.close();
    orvandel::ProgramState state;
    orvandel::applyStoredSettings(
        state,
        orvandel::readSettings(orvandel::ProfileFile(path), orvandel::SettingsReader::MainWindow),
        "/opt/orvandel/");
    const double reads = bench::medianMilliseconds(runs, [&] {
        orvandel::readSettings(orvandel::ProfileFile(path), orvandel::SettingsReader::MainWindow);
    });
    const double readPeak = peakMegabytes();
    const double writes = bench::medianMilliseconds(
        runs, [&] { orvandel::saveOnCloseRequest(orvandel::ProfileFile(path), state); });
    std::printf("%-28s %9.1f ms  %5.3f of target   peak %6.0f MB\n",
                qPrintable(label + QStringLiteral(", 7 reads")), reads, reads / TargetMilliseconds,
                readPeak);
    std::printf("%-28s %9.1f ms  %5.3f of target   peak %6.0f MB\n",
                qPrintable(label + QStringLiteral(", 8 writes")), writes,
                writes / TargetMilliseconds, peakMegabytes());
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
        measure(QStringLiteral("usual file (%1 bytes)").arg(settingsKeys.size() + 10), path,
                "[Options]\n" + settingsKeys, 21);
        measure(QStringLiteral("16 MiB file of short lines"), path, largeSettings(), 5);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
