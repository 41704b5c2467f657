#include "TThreadNotification.h"

#include "UThreadNotification.h"

#include <system_error>

namespace orvandel::inline logic::UThreadNotification {

TThreadNotification::TThreadNotification(MainThreadQueue& mainThread,
                                         std::function<void()> OnResultat, ErrorReport& report)
    : handOver(mainThread, std::move(OnResultat), report) {}

TThreadNotification::~TThreadNotification() {
    // A watcher the main thread gave up waiting for frees itself on its own thread, which can
    // only let itself go.
    if (thread.joinable())
        thread.detach();
}

void TThreadNotification::Go(const QString& NomDuDossier, bool CisSousRepertoire,
                             std::uint32_t FiltreNotification) {
    FNomDossier = NomDuDossier;
    FCisSousRepertoire = CisSousRepertoire;
    FFiltreNotification = FiltreNotification;
    HandleNotification = system::findFirstChangeNotification(
        RetireSlash(FNomDossier),
        FCisSousRepertoire ? system::SubFolders::Included : system::SubFolders::Excluded,
        FFiltreNotification);
    try {
        thread = std::thread([self = shared_from_this()]() mutable {
            self->Execute();
            self->signalEnd();
            self.reset();
        });
    } catch (const std::system_error&) {
        // Like a folder that cannot be watched, a watcher that cannot start leaves the album
        // unwatched without a word; its stop then has nothing to wait for.
        signalEnd();
    }
}

void TThreadNotification::Execute() {
    try {
        // No time limit: a quiet folder costs no wake-up, and a stop wakes the wait at once.
        while (!Terminated.load()) {
            if (HandleNotification->wait(system::NoTimeLimit) != system::ChangeWait::Signalled)
                continue;
            // Re-armed before the listing, so a change made while it runs gives one more.
            HandleNotification->rearm();
            handOver.synchronize();
        }
    } catch (...) {
        // Nothing on this thread can show an error; the watch simply ends.
    }
    // The notification stays until the watcher goes, as a stop may still wake it.
}

void TThreadNotification::signalEnd() {
    {
        const std::lock_guard lock(endMutex);
        ended = true;
    }
    endSignal.notify_all();
}

void TThreadNotification::Terminate() {
    Terminated.store(true);
    handOver.withdraw();
    if (HandleNotification)
        HandleNotification->wake();
}

bool TThreadNotification::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(endMutex);
    if (!endSignal.wait_for(lock, timeout, [&] { return ended; }))
        return false;
    lock.unlock();
    if (thread.joinable())
        thread.join();
    return true;
}

} // namespace orvandel::inline logic::UThreadNotification
