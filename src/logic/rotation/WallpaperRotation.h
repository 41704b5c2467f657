#pragma once

#include "RandomIndex.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace orvandel::inline logic {

// Whether a path names a file (a folder does not count).
using FileCheck = std::function<bool(const QString& path)>;
bool isExistingFile(const QString& path);

// Draws the picture of the next wallpaper change: a uniform index into `ListeDesImages` whose
// file exists in `DossierImages`, drawn again while the candidate is no file. Nothing for an empty
// list, and nothing when no listed file exists any more: after as many misses as there are
// names, the draw is made among the names that still exist, so it always ends.
std::optional<std::int32_t> drawExistingPicture(const QString& DossierImages,
                                                const QStringList& ListeDesImages,
                                                RandomIndex& random,
                                                const FileCheck& isFile = isExistingFile);

// The index kept when no change is made: random over the list, 0 for an empty list.
std::int32_t drawAnyIndex(std::int32_t count, RandomIndex& random);

// "Le format de l'image  <name>  est invalide...": the one message of a failed change, the name
// as people read it.
QString invalidPictureMessage(const QString& name);

} // namespace orvandel::inline logic
