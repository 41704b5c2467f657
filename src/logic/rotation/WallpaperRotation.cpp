#include "WallpaperRotation.h"

#include "common/Messages.h"
#include "system/FileNames.h"
#include "system/RegularFile.h"

#include <vector>

namespace orvandel::inline logic {

bool isExistingFile(const QString& path) {
    return system::regularFileStamp(path).has_value();
}

namespace {

std::vector<std::int32_t> existingIndexes(const QString& folder, const QStringList& names,
                                          const FileCheck& isFile) {
    std::vector<std::int32_t> existing;
    for (qsizetype index = 0; index < names.size(); ++index) {
        if (isFile(folder + names[index]))
            existing.push_back(static_cast<std::int32_t>(index));
    }
    return existing;
}

} // namespace

std::optional<std::int32_t> drawExistingPicture(const QString& DossierImages,
                                                const QStringList& ListeDesImages,
                                                RandomIndex& random, const FileCheck& isFile) {
    const auto count = static_cast<std::int32_t>(ListeDesImages.size());
    for (std::int32_t attempt = 0; attempt < count; ++attempt) {
        const std::int32_t index = random.draw(count);
        if (isFile(DossierImages + ListeDesImages[index]))
            return index;
    }
    // Drawing among the survivors keeps every existing picture equally likely.
    const std::vector<std::int32_t> existing =
        existingIndexes(DossierImages, ListeDesImages, isFile);
    if (existing.empty())
        return std::nullopt;
    return existing[static_cast<std::size_t>(
        random.draw(static_cast<std::int32_t>(existing.size())))];
}

std::int32_t drawAnyIndex(std::int32_t count, RandomIndex& random) {
    return count > 0 ? random.draw(count) : 0;
}

QString invalidPictureMessage(const QString& name) {
    return formatMessage(QStringLiteral("Le format de l'image  %s  est invalide..."),
                         {system::readableText(name)});
}

} // namespace orvandel::inline logic
