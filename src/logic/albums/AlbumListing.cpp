#include "AlbumListing.h"

#include "logic/files/FolderWalk.h"

namespace orvandel::inline logic::Utils {

namespace {

bool hasListedExtension(const QString& name, const QStringList& filters) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView extension = dot < 0 ? QStringView() : QStringView(name).sliced(dot);
    for (const QString& filter : filters) {
        if (extension.compare(filter, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

void ListerDesFichiers(const QString& Chemin, const QStringList& Filtres,
                       bool InclureSousRepertoire, QStringList& Liste) {
    const FolderWalk options{
        InclureSousRepertoire ? FolderWalk::SubFolders::Walked : FolderWalk::SubFolders::Skipped,
        FolderWalk::DotNames::Kept, FolderWalk::FoldersNotEntered::VisitedAsFiles};
    walkFolder(Chemin, options, [&](const QString&, const QString& name) {
        if (hasListedExtension(name, Filtres))
            Liste.append(name);
    });
}

} // namespace orvandel::inline logic::Utils
