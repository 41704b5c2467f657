// Prints the slide show's figures: one fade frame against a plain copy of the same size, the
// picture search against find and a plain readdir walk, and, on a display, the frames per second
// of a roll and a slide and the peak memory of a show of 24 MP photographs at 1920 × 1080.
#include "BenchPictures.h"
#include "Measure.h"
#include "components/slideshow/Fade.h"
#include "components/slideshow/TkvImgPanel.h"
#include "components/slideshow/TkvSlideShow.h"
#include "components/slideshow/TransitionAnimator.h"
#include "desktop/Dialogs.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/ErrorReport.h"
#include "logic/slideshow/FindFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <dirent.h>

#include <cstdio>
#include <cstring>

using namespace orvandel;

namespace {

constexpr double FadeFrameTargetMilliseconds = 0.6 * 1.5;
constexpr double SearchTargetRatio = 1.5;
constexpr double FramesPerSecondTarget = 50;
constexpr double PeakMemoryTargetMegabytes = 120;
const QString ShowArgument = QStringLiteral("--play-show");

class PrintedDialogs final : public desktop::Dialogs {
public:
    void showMessage(const QString& text) override { std::printf("%s\n", qPrintable(text)); }
    void showError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void showErrorDialog(const QString& text) override { showError(text); }
};

void printAgainstTarget(const char* what, double value, const char* unit, double target,
                        bool atMost) {
    const bool met = atMost ? value <= target : value >= target;
    std::printf("%-52s %9.3f %-4s target %s %g %s\n", what, value, unit,
                atMost ? "<=" : ">=", target, met ? "ok" : "MISSED");
    std::fflush(stdout);
}

void fadeFrame(QSize size) {
    const QImage old = bench::makePhoto(size);
    const QImage incoming = bench::makePhoto(size).mirrored(true, false);
    QImage frame(size, QImage::Format_RGB32);
    QImage copy(size, QImage::Format_RGB32);
    const double blend =
        bench::medianMilliseconds(41, [&] { drawFadeFrame(old, incoming, 130, frame); });
    const double plainCopy = bench::medianMilliseconds(
        41, [&] { std::memcpy(copy.bits(), incoming.constBits(), copy.sizeInBytes()); });
    std::printf("fade frame %4d x %4d: %7.3f ms, memcpy of the same size %7.3f ms, ratio %.2f\n",
                size.width(), size.height(), blend, plainCopy, blend / plainCopy);
    if (size.width() == 1920)
        printAgainstTarget("fade frame 1920 x 1080 (1.5 x 0.6 ms)", blend, "ms",
                           FadeFrameTargetMilliseconds, true);
}

// Files without any of the program's layers: the least a walk can cost.
int plainWalk(const QByteArray& folder) {
    DIR* directory = opendir(folder.constData());
    if (directory == nullptr)
        return 0;
    int files = 0;
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        if (entry->d_type == DT_DIR)
            files += plainWalk(path);
        else
            ++files;
    }
    closedir(directory);
    return files;
}

void pictureSearch() {
    QTemporaryDir root;
    for (int folder = 0; folder < 1000; ++folder) {
        const QString path = root.filePath(QStringLiteral("album%1").arg(folder));
        QDir().mkpath(path);
        for (int file = 0; file < 50; ++file)
            QFile(path + QStringLiteral("/photo%1.%2").arg(file).arg(file % 5 ? "jpg" : "txt"))
                .open(QIODevice::WriteOnly);
    }
    int found = 0;
    const double ours = bench::medianMilliseconds(9, [&] {
        QStringList list;
        kvFilesUtils::FindFiles(root.path(), QStringLiteral(".bmp; .jpg; .png"), list, true);
        found = static_cast<int>(list.size());
    });
    const double walk =
        bench::medianMilliseconds(9, [&] { plainWalk(QFile::encodeName(root.path())); });
    const double find = bench::medianProcessMilliseconds(
        9, QStringLiteral("find"), {root.path(), QStringLiteral("-type"), QStringLiteral("f")});
    std::printf("FindFiles found %d pictures among 50000 files in 1000 folders\n", found);
    bench::printComparison(QStringLiteral("FindFiles, 50000 files"), ours,
                           QStringLiteral("plain readdir walk"), walk, SearchTargetRatio);
    bench::printComparison(QStringLiteral("FindFiles, 50000 files"), ours,
                           QStringLiteral("find DIR -type f"), find, SearchTargetRatio / 2);
}

void framesPerSecond() {
    QWidget host;
    host.setWindowFlag(Qt::FramelessWindowHint);
    host.setGeometry(0, 0, 1920, 1080);
    TkvImgPanel onDisplay(&host);
    TkvImgPanel incoming(&host);
    onDisplay.SetPicture(bench::makePhoto(QSize(1920, 1080)));
    incoming.SetPicture(bench::makePhoto(QSize(1920, 1080)).mirrored(true, true));
    host.show();
    incoming.hide();
    for (int wait = 0; wait < 20; ++wait)
        QApplication::processEvents();
    TransitionAnimator animator;
    const struct {
        const char* what;
        quint32 flags;
    } animations[] = {
        {"frames per second, 800 ms roll at 1920 x 1080", AW_HOR_POSITIVE},
        {"frames per second, 800 ms slide at 1920 x 1080", AW_SLIDE | AW_VER_NEGATIVE},
        {"frames per second, 800 ms centre at 1920 x 1080", AW_CENTER}};
    for (const auto& animation : animations) {
        QElapsedTimer clock;
        clock.start();
        animator.AnimateWindow(incoming, 800, animation.flags | AW_ACTIVATE);
        const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
        printAgainstTarget(animation.what, animator.lastFrameCount() / seconds, "fps",
                           FramesPerSecondTarget, false);
        animator.AnimateWindow(incoming, 0, AW_HIDE);
    }
}

// The peak of this process alone. A child's resource usage would not do: started with the
// parent's memory shared, it counts the parent's peak as well.
long ownPeakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLong();
    return -1;
}

// The show as the program plays it: full screen, random transitions, one tick after another.
int playShow(const QString& folder) {
    QWidget host;
    host.setWindowFlag(Qt::FramelessWindowHint);
    host.setGeometry(0, 0, 1920, 1080);
    host.show();
    // The window is on the screen before the show starts, as it is when the user starts it.
    for (int round = 0; round < 10; ++round)
        QApplication::processEvents();
    PrintedDialogs dialogs;
    ErrorReport report(dialogs);
    TransitionAnimator animator;
    TkvSlideShow show(host, report, animator);
    show.SetDirectory(folder);
    show.Start();
    for (int tick = 0; tick < 2 * show.IMGList().Count(); ++tick)
        show.DoAnimate();
    std::printf("%ld\n", ownPeakKilobytes());
    return show.Running() ? 0 : 1;
}

void showMemory(const char* program) {
    QTemporaryDir folder;
    for (int index = 0; index < 3; ++index)
        imaging::writeJpeg(bench::makePhoto(QSize(6000, 4000)).mirrored(index % 2, index / 2),
                           folder.filePath(QStringLiteral("photo%1.jpg").arg(index)));
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(folder.path()).entryInfoList(QDir::Files))
        bytes += file.size();
    std::printf("three 6000 x 4000 JPEG files, %.1f MB in all\n", static_cast<double>(bytes) / 1e6);
    QProcess show;
    show.start(QString::fromLocal8Bit(program), {ShowArgument, folder.path()});
    show.waitForFinished(-1);
    const double peak = show.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    printAgainstTarget("peak memory, show of 24 MP JPEGs at 1920 x 1080", peak, "MB",
                       PeakMemoryTargetMegabytes, true);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == ShowArgument)
        return playShow(QString::fromLocal8Bit(argv[2]));
    if (argc == 2 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--memory-only")) {
        showMemory(argv[0]);
        return 0;
    }
    fadeFrame(QSize(866, 585));
    fadeFrame(QSize(1920, 1080));
    pictureSearch();
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        std::printf("no X display: frames per second and show memory need one (run under "
                    "tests/e2e/desktop-session.sh)\n");
        return 0;
    }
    framesPerSecond();
    showMemory(argv[0]);
    return 0;
}
