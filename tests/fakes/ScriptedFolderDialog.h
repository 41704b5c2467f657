#pragma once

#include "desktop/FolderDialog.h"

#include <QStringList>

// Answers the folder-browse dialog with a folder set by the test, or a cancel, and records how
// it was opened.
class ScriptedFolderDialog final : public orvandel::desktop::FolderDialog {
public:
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override {
        titles.append(title);
        startFolders.append(startFolder);
        return answer;
    }

    std::optional<QString> answer;
    QStringList titles;
    QStringList startFolders;
};
