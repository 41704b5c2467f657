#pragma once

#include "desktop/PictureOpenDialog.h"

#include <QStringList>

#include <deque>

// Answers each choice with the next scripted path, or a cancel for an empty optional.
class ScriptedPictureOpenDialog final : public orvandel::desktop::PictureOpenDialog {
public:
    std::optional<QString> choosePicture(QWidget*) override {
        ++shown;
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers;
    int shown = 0;
};
