// Applies one picture as the wallpaper and ends: the whole process is what the wallpaper
// benchmark measures. Usage: orvandel_wallpaper_apply FILE [STYLE]
#include "common/Error.h"
#include "logic/wallpaper/ApplyWallPaper.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [STYLE]\n", argv[0]);
        return 2;
    }
    try {
        orvandel::Utils::ApplyWallPaper(QString::fromLocal8Bit(argv[1]),
                                        argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 2);
    } catch (const orvandel::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
