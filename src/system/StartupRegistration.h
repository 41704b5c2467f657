#pragma once

#include <QString>

#include <memory>

namespace orvandel::system {

// The programs the user's session starts at login, each entry known by a value name and holding
// the full path of an executable, in the manner of the current user's Run key.
class StartupRegistration {
public:
    virtual ~StartupRegistration() = default;

    // Creates or replaces the entry `valueName` so that `executablePath` starts at login, exactly
    // as given. Throws orvandel::Error "Echec à la définition des données pour '<valueName>'"
    // when the platform refuses the write.
    virtual void add(const QString& valueName, const QString& executablePath) = 0;

    // Deletes the entry `valueName`; a missing entry is no error. Throws orvandel::Error
    // (StartupEntryNotRemoved) when an existing entry cannot be deleted, so that the user is
    // not left believing the program no longer starts at login.
    virtual void remove(const QString& valueName) = 0;
};

inline const QString StartupEntryNotRemoved =
    QStringLiteral("Impossible de retirer '%s' des programmes lancés à l'ouverture de session.");

// The current user's start-at-login list of this platform.
std::unique_ptr<StartupRegistration> createStartupRegistration();

} // namespace orvandel::system
