#pragma once

#include "common/Error.h"
#include "desktop/WallpaperShell.h"

#include <QStringList>

#include <exception>
#include <utility>
#include <vector>

// What the shells of a test were given; it outlives them, so that their release is recorded too.
struct WallpaperShellLog {
    QStringList calls;
    // The whole path buffer handed to the last SetWallpaper.
    std::vector<char16_t> pathBuffer;
};

// Records the shell calls in order. It can be told to fail at one step, with a given error.
class RecordingWallpaperShell final : public orvandel::desktop::WallpaperShell {
public:
    enum class Step { None, SetWallpaperOptions, SetWallpaper, ApplyChanges };

    explicit RecordingWallpaperShell(
        WallpaperShellLog& shellLog, Step stepThatFails = Step::None,
        std::exception_ptr error = std::make_exception_ptr(orvandel::Error("échec simulé")))
        : log(shellLog)
        , calls(shellLog.calls)
        , failingStep(stepThatFails)
        , failure(std::move(error)) {}
    ~RecordingWallpaperShell() override { calls.append(QStringLiteral("Release")); }

    void SetWallpaperOptions(const orvandel::desktop::WallpaperOptions& options,
                             std::uint32_t reserved) override {
        calls.append(QStringLiteral("SetWallpaperOptions dwSize=%1 dwStyle=%2 reserved=%3")
                         .arg(options.dwSize)
                         .arg(options.dwStyle)
                         .arg(reserved));
        failAt(Step::SetWallpaperOptions);
    }

    void SetWallpaper(const char16_t* path, std::uint32_t reserved) override {
        log.pathBuffer.assign(path, path + orvandel::desktop::wallpaperPathBufferLength());
        calls.append(QStringLiteral("SetWallpaper %1 reserved=%2")
                         .arg(QString::fromUtf16(path))
                         .arg(reserved));
        failAt(Step::SetWallpaper);
    }

    void ApplyChanges(std::uint32_t flags) override {
        calls.append(QStringLiteral("ApplyChanges flags=%1").arg(flags));
        failAt(Step::ApplyChanges);
    }

private:
    void failAt(Step step) const {
        if (step == failingStep)
            std::rethrow_exception(failure);
    }

    WallpaperShellLog& log;
    QStringList& calls;
    Step failingStep;
    std::exception_ptr failure;
};
