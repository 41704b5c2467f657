#include "AlbumListing.h"

#include "system/DirectoryEnumeration.h"

#include <QSet>

namespace orvandel::Utils {

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

// Folders already entered, so that a link back up the tree cannot make the walk endless.
void listFolder(const QString& folder, const QStringList& filters, bool includeSubFolders,
                QStringList& names, QSet<QString>& entered) {
    if (includeSubFolders) {
        const QString identity = system::folderIdentity(folder);
        if (entered.contains(identity))
            return;
        entered.insert(identity);
    }
    system::enumerateDirectory(folder, [&](const system::DirectoryEntry& entry) {
        if (entry.isFolder && includeSubFolders)
            listFolder(folder + entry.name + u'/', filters, includeSubFolders, names, entered);
        else if (hasListedExtension(entry.name, filters))
            names.append(entry.name);
    });
}

} // namespace

void ListerDesFichiers(QString Chemin, const QStringList& Filtres, bool InclureSousRepertoire,
                       QStringList& Liste) {
    if (!Chemin.endsWith(u'/'))
        Chemin += u'/';
    QSet<QString> entered;
    listFolder(Chemin, Filtres, InclureSousRepertoire, Liste, entered);
}

} // namespace orvandel::Utils
