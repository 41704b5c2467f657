#include "UThreadNotification.h"

#include "system/TrailingSeparator.h"

namespace orvandel::inline logic::UThreadNotification {

namespace {

constexpr std::chrono::milliseconds StopWait{10000};

} // namespace

FolderWatch::FolderWatch(ErrorReport& errorReport)
    : report(errorReport) {}

FolderWatch::~FolderWatch() {
    DestructionNotification();
}

void FolderWatch::CreationNotification(const QString& NomDossier, bool CisSouDossier,
                                       std::uint32_t FiltreNotification,
                                       std::function<void()> OnResultat) {
    if (running)
        DestructionNotification();
    running = std::make_shared<TThreadNotification>(mainThread, std::move(OnResultat), report);
    running->Go(NomDossier, CisSouDossier, FiltreNotification);
}

void FolderWatch::DestructionNotification() {
    if (!running)
        return;
    running->Terminate();
    // A watcher that does not end in time is forgotten; it frees itself when it sees its flag.
    running->WaitFor(StopWait);
    running.reset();
}

QString RetireSlash(const QString& S) {
    return system::withoutTrailingSeparator(S);
}

} // namespace orvandel::inline logic::UThreadNotification
