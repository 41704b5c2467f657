#pragma once

#include "MainThreadQueue.h"
#include "TThreadNotification.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace orvandel::inline logic {

class ErrorReport;

namespace UThreadNotification {

// The folder watcher: one thread at a time watches the current album folder and has the main
// thread list it again after every change. Made and used on the main thread only; destroying it
// stops the running watcher.
class FolderWatch {
public:
    // Errors raised by a listing go to `report`, which outlives this object.
    explicit FolderWatch(ErrorReport& report);
    ~FolderWatch();

    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Stops the running watcher, if any, and starts one on `NomDossier`. On each change the main
    // thread runs `OnResultat`; an error it raises is reported and the watcher goes on.
    // `OnResultat` must stay callable until the watcher is stopped.
    void CreationNotification(const QString& NomDossier, bool CisSouDossier,
                              std::uint32_t FiltreNotification, std::function<void()> OnResultat);

    // Stops the running watcher, if any, waiting at most 10 seconds for its thread to end. A
    // listing it was waiting to hand over is dropped: the caller is either changing album, having
    // just listed the new one, or ending the program.
    void DestructionNotification();

    // The running watcher, or none.
    const std::shared_ptr<TThreadNotification>& ThreadNotification() const { return running; }

private:
    ErrorReport& report;
    // Where the watchers queue their hand-overs. A stopped watcher queues nothing more, so the
    // queue may go once the last watcher has been stopped.
    MainThreadQueue mainThread;
    std::shared_ptr<TThreadNotification> running;
};

// `S` without one trailing separator, unless it is a root.
QString RetireSlash(const QString& S);

} // namespace UThreadNotification
} // namespace orvandel::inline logic
