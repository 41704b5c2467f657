#pragma once

#include "platform/FolderDialog.h"

namespace orvandel::platform {

// Qt's own folder dialog: folders only, and no way to create or rename one from it.
class QtFolderDialog final : public FolderDialog {
public:
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
};

} // namespace orvandel::platform
