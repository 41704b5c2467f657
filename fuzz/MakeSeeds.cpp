#include "seeds/Seeds.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

QList<QByteArray> none() {
    return {};
}

struct Corpus {
    const char* fuzzer;
    QList<QByteArray> (*make)();
    QList<QByteArray> (*makeHostile)();
};

constexpr Corpus corpora[] = {
    {"fuzz_profile", seeds::profile, none},      {"fuzz_bmp", seeds::bmp, seeds::hostileBmp},
    {"fuzz_ico", seeds::ico, seeds::hostileIco}, {"fuzz_emf", seeds::emf, seeds::hostileEmf},
    {"fuzz_wmf", seeds::wmf, seeds::hostileWmf}, {"fuzz_jpeg", seeds::jpeg, seeds::hostileJpeg},
    {"fuzz_png", seeds::png, seeds::hostilePng}, {"fuzz_tiff", seeds::tiff, seeds::hostileTiff},
};

bool writeCorpus(const QString& root, const Corpus& corpus) {
    const QString folder = root + u'/' + QLatin1String(corpus.fuzzer);
    QDir().mkpath(folder);
    int number = 0;
    for (const QByteArray& seed : corpus.make() + corpus.makeHostile()) {
        QFile file(folder + QStringLiteral("/seed-%1").arg(number++));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed) != seed.size())
            return false;
    }
    return true;
}

} // namespace

// Usage: orvandel_make_fuzz_seeds OUTPUT_FOLDER; writes OUTPUT_FOLDER/<fuzzer>/seed-N.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    for (const Corpus& corpus : corpora) {
        if (!writeCorpus(QString::fromLocal8Bit(argv[1]), corpus)) {
            std::fprintf(stderr, "cannot write the seeds of %s\n", corpus.fuzzer);
            return 1;
        }
    }
    return 0;
}
