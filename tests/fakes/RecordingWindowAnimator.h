#pragma once

#include "components/slideshow/TkvImgPanel.h"
#include "components/slideshow/WindowAnimator.h"

#include <QImage>
#include <QWidget>

#include <vector>

// Hides and shows windows at once, recording each call and, for a picture panel shown, the
// picture it shows.
class RecordingWindowAnimator final : public orvandel::WindowAnimator {
public:
    struct Call {
        QWidget* window;
        int milliseconds;
        quint32 flags;
        QImage picture;
    };

    void AnimateWindow(QWidget& window, int milliseconds, quint32 flags) override {
        QImage picture;
        if (flags & orvandel::AW_HIDE) {
            window.hide();
        } else {
            window.show();
            window.raise();
            if (auto* panel = dynamic_cast<orvandel::TkvImgPanel*>(&window))
                picture = panel->Picture();
        }
        calls.push_back({&window, milliseconds, flags, picture});
    }

    // The calls that showed a window.
    std::vector<Call> shown() const {
        std::vector<Call> result;
        for (const Call& call : calls)
            if (!(call.flags & orvandel::AW_HIDE))
                result.push_back(call);
        return result;
    }

    std::vector<Call> calls;
};
