#include "UThreadNotification.h"

namespace orvandel::UThreadNotification {

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

QString RetireSlash(const QString& S, system::PathStyle style) {
    const bool windows = style == system::PathStyle::Windows;
    const QChar separator = windows ? u'\\' : u'/';
    const bool isRoot = windows ? S.endsWith(QStringLiteral(":\\")) : S == QStringLiteral("/");
    if (isRoot || !S.endsWith(separator))
        return S;
    return S.chopped(1);
}

} // namespace orvandel::UThreadNotification
