#pragma once

#include <QString>
#include <QStringList>

namespace orvandel::inline logic::Utils {

// Appends to `Liste` the bare names of the entries of `Chemin` whose extension (from the last
// dot on) is one of `Filtres`, compared without regard to case, in the folder's own order.
// Sub-folders are searched too when `InclureSousRepertoire` is set; otherwise a folder named like
// a picture is listed as one. A folder that cannot be read, and an empty `Chemin`, add nothing.
// `Liste` is never cleared.
void ListerDesFichiers(const QString& Chemin, const QStringList& Filtres,
                       bool InclureSousRepertoire, QStringList& Liste);

} // namespace orvandel::inline logic::Utils
