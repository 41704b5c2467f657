#pragma once

#include "TThreadNotification.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace orvandel {

class ErrorReport;

// The folder watcher: one thread at a time watches the current album folder and has the main
// thread list it again after every change. Every operation here runs on the main thread.
namespace UThreadNotification {

// The running watcher, or none. Set by CreationNotification, cleared by DestructionNotification.
extern std::shared_ptr<TThreadNotification> ThreadNotification;

// Stops the running watcher, if any, and starts one on `NomDossier`. On each change the main
// thread runs `OnResultat`; an error it raises goes to `report`, and the watcher goes on. Both
// must outlive the watcher: stop it before they go.
void CreationNotification(const QString& NomDossier, bool CisSouDossier,
                          std::uint32_t FiltreNotification, std::function<void()> OnResultat,
                          ErrorReport& report);

// Stops the running watcher, if any, waiting at most 10 seconds for its thread to end. A listing
// it was waiting to hand over is dropped: the caller is either changing album, having just listed
// the new one, or ending the program.
void DestructionNotification();

// `S` without one trailing separator, unless it is a root.
QString RetireSlash(const QString& S);

} // namespace UThreadNotification
} // namespace orvandel
