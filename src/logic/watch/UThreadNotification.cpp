#include "UThreadNotification.h"

#include "MainThreadQueue.h"
#include "system/TrailingSeparator.h"

namespace orvandel::UThreadNotification {

namespace {

constexpr std::chrono::milliseconds StopWait{10000};

// Where the watchers queue their hand-overs. It outlives every watcher: it goes only at program
// end, once the last watcher has been stopped.
std::unique_ptr<MainThreadQueue> mainThreadQueue;

} // namespace

std::shared_ptr<TThreadNotification> ThreadNotification;

namespace {

// The unit's finalization: the watcher is stopped at program end, after the event loop.
struct Finalization {
    Finalization() = default;
    Finalization(const Finalization&) = delete;
    Finalization& operator=(const Finalization&) = delete;
    ~Finalization() { DestructionNotification(); }
} finalization;

} // namespace

void CreationNotification(const QString& NomDossier, bool CisSouDossier,
                          std::uint32_t FiltreNotification, std::function<void()> OnResultat,
                          ErrorReport& report) {
    if (ThreadNotification)
        DestructionNotification();
    if (!mainThreadQueue)
        mainThreadQueue = std::make_unique<MainThreadQueue>();
    ThreadNotification =
        std::make_shared<TThreadNotification>(*mainThreadQueue, std::move(OnResultat), report);
    ThreadNotification->Go(NomDossier, CisSouDossier, FiltreNotification);
}

void DestructionNotification() {
    if (!ThreadNotification)
        return;
    ThreadNotification->Terminate();
    // A watcher that does not end in time is forgotten; it frees itself when it sees its flag.
    ThreadNotification->WaitFor(StopWait);
    ThreadNotification.reset();
}

QString RetireSlash(const QString& S) {
    return system::withoutTrailingSeparator(S);
}

} // namespace orvandel::UThreadNotification
