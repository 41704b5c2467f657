#pragma once

#include "desktop/FolderDialog.h"

namespace orvandel::desktop {

// Qt's own folder dialog: folders only, and no way to create or rename one from it.
class QtFolderDialog final : public FolderDialog {
public:
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
};

} // namespace orvandel::desktop
