// The whole program on a real desktop: start-up time until it shows itself, and resident memory
// after previewing and applying a 24 MP photograph. Run it on a display
// (scripts/bench-mainwindow.sh starts a private one with a tray host).
#include "BenchPictures.h"
#include "imaging/codecs/JpegEncoder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

const QString Photographs = QStringLiteral("/usr/share/backgrounds/mate/nature");

struct XConnection {
    XConnection()
        : connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection))
            throw std::runtime_error("no X display");
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
    }
    ~XConnection() { xcb_disconnect(connection); }

    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            std::free(event);
    }
    // Waits for the next top-level window to be mapped: the tray icon docking, or the main window.
    bool waitForMap(int milliseconds) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped)
                    return true;
            }
            QThread::usleep(200);
        }
        return false;
    }

    xcb_connection_t* connection;
    xcb_window_t root;
};

// A portable folder: the program and one album.
struct PortableProgram {
    explicit PortableProgram(const QString& program) {
        QDir(folder.path()).mkpath(QStringLiteral("Images/Nature"));
        QFile::copy(program, folder.filePath(QStringLiteral("orvandel")));
    }
    QString album() const { return folder.filePath(QStringLiteral("Images/Nature/")); }
    void settings(const QByteArray& lines) const {
        QFile file(folder.filePath(QStringLiteral("Options.ini")));
        file.open(QIODevice::WriteOnly);
        file.write("[Options]\n" + lines);
    }
    QTemporaryDir folder;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double residentMegabytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void benchStartUp(const QString& program) {
    PortableProgram portable(program);
    for (const QString& name : QDir(Photographs).entryList({QStringLiteral("*.jpg")}, QDir::Files))
        QFile::copy(Photographs + u'/' + name, portable.album() + name);
    portable.settings("Nom Album=Nature\nCompteur Album=0\n");
    XConnection x;
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        x.drain();
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(portable.folder.filePath(QStringLiteral("orvandel")), {});
        const bool shown = x.waitForMap(10000);
        const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        process.kill();
        process.waitForFinished();
        if (!shown)
            throw std::runtime_error("the program never showed itself");
        if (run > 0)
            times.push_back(elapsed);
    }
    const double ours = median(times);
    std::printf("(a) start-up with the demo album, exec to shown:   %7.1f ms  target 300 ms  "
                "ratio %.2f\n",
                ours, ours / 300.0);
}

void benchMemory(const QString& program) {
    PortableProgram portable(program);
    QFile photo(portable.album() + QStringLiteral("big.jpg"));
    photo.open(QIODevice::WriteOnly);
    photo.write(orvandel::imaging::encodeJpeg(bench::makePhoto(QSize(6000, 4000))));
    photo.close();
    portable.settings("Nom Album=Nature\nCompteur Album=0\nPosition=2\nChanger au demarrage=1\n");
    XConnection x;
    QProcess process;
    process.start(portable.folder.filePath(QStringLiteral("orvandel")), {});
    if (!x.waitForMap(20000))
        throw std::runtime_error("the program never showed itself");
    // The change at start-up has previewed and applied the picture by the time the window shows.
    QThread::msleep(1500);
    const double megabytes = residentMegabytes(process.processId());
    process.kill();
    process.waitForFinished();
    std::printf("(b) resident memory after a 24 MP JPEG change:     %7.1f MB  target 80 MB   "
                "ratio %.2f\n",
                megabytes, megabytes / 80.0);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvandel_bench_mainwindow PROGRAM\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    try {
        benchStartUp(program);
        benchMemory(program);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
