#pragma once

#include "desktop/WallpaperSetter.h"

#include <QStringList>

#include <exception>
#include <utility>

// Records each change in `calls` as "apply <placement> <path>", and its own release as "Release"
// (the list outlives the setter). It can be told to fail the change with a given error.
class RecordingWallpaperSetter final : public orvandel::desktop::WallpaperSetter {
public:
    explicit RecordingWallpaperSetter(QStringList& log, std::exception_ptr error = nullptr)
        : calls(log)
        , failure(std::move(error)) {}
    ~RecordingWallpaperSetter() override { calls.append(QStringLiteral("Release")); }

    void apply(const QString& path, orvandel::desktop::WallpaperPlacement placement) override {
        calls.append(QStringLiteral("apply ") + placementWord(placement) + u' ' + path);
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    static QString placementWord(orvandel::desktop::WallpaperPlacement placement) {
        switch (placement) {
        case orvandel::desktop::WallpaperPlacement::Center:
            return QStringLiteral("center");
        case orvandel::desktop::WallpaperPlacement::Tile:
            return QStringLiteral("tile");
        case orvandel::desktop::WallpaperPlacement::Stretch:
            break;
        }
        return QStringLiteral("stretch");
    }

    QStringList& calls;
    std::exception_ptr failure;
};
