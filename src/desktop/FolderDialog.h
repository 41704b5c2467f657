#pragma once

#include <QString>

#include <optional>

namespace orvandel::desktop {

// The platform's folder-browse dialog, behind an interface so that tests script the answer.
class FolderDialog {
public:
    virtual ~FolderDialog() = default;

    // Lets the user pick an existing folder, starting at `startFolder` when it is one. Returns the
    // chosen folder without a trailing separator (a root folder keeps its own), or nothing when
    // the user cancels.
    virtual std::optional<QString> chooseFolder(const QString& title,
                                                const QString& startFolder) = 0;
};

} // namespace orvandel::desktop
