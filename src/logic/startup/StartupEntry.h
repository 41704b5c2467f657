#pragma once

#include "system/StartupRegistration.h"

#include <QString>

namespace orvandel::inline logic {

// The value name under which the program registers itself to start at login.
inline const QString StartupValueName = QStringLiteral("Lumivane");

} // namespace orvandel::inline logic

namespace orvandel::inline logic::Utils {

// Makes `CheminApplication` start at login under the value name `NomApplication`, replacing an
// earlier entry of that name. Throws "Echec à la définition des données pour '<name>'" when the
// platform refuses.
void AjouterDemarrageWindows(system::StartupRegistration& registration,
                             const QString& NomApplication, const QString& CheminApplication);

// Deletes the entry `NomApplication`; a missing entry is no error.
void SupprimerDemarrageWindows(system::StartupRegistration& registration,
                               const QString& NomApplication);

} // namespace orvandel::inline logic::Utils
