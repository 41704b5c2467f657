#include "StartupEntry.h"

namespace orvandel::inline logic::Utils {

void AjouterDemarrageWindows(system::StartupRegistration& registration,
                             const QString& NomApplication, const QString& CheminApplication) {
    registration.add(NomApplication, CheminApplication);
}

void SupprimerDemarrageWindows(system::StartupRegistration& registration,
                               const QString& NomApplication) {
    registration.remove(NomApplication);
}

} // namespace orvandel::inline logic::Utils
