#pragma once

#include "MainThreadHandOver.h"
#include "system/ChangeNotification.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace orvandel::inline logic {

class ErrorReport;

namespace UThreadNotification {

// A thread that watches one folder and, on every change of the requested kinds, has the main
// thread run `OnResultat` while it waits. Created suspended; `Go` starts it. The running thread
// holds the object itself, so the object frees itself when the thread ends unless the main thread
// still holds it; the main thread therefore never meets a watcher that has gone.
class TThreadNotification : public std::enable_shared_from_this<TThreadNotification> {
public:
    // `mainThread` stays until the watcher is stopped; `OnResultat` and its errors are handled
    // there, errors through `report`.
    TThreadNotification(MainThreadQueue& mainThread, std::function<void()> OnResultat,
                        ErrorReport& report);
    ~TThreadNotification();

    TThreadNotification(const TThreadNotification&) = delete;
    TThreadNotification& operator=(const TThreadNotification&) = delete;

    // Stores the folder and the kinds of change, starts the watch and lets the thread run. The
    // watch begins before this returns, so no change made afterwards is missed.
    void Go(const QString& NomDuDossier, bool CisSousRepertoire, std::uint32_t FiltreNotification);

    // Main thread: sets the stop flag and lets go of a hand-over the watcher is waiting in; a
    // listing not yet begun is dropped.
    void Terminate();
    // Main thread: waits at most `timeout` for the thread to end; true when it has.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Whether the watcher is blocked in a hand-over, waiting for the main thread.
    bool isHandingOver() const { return handOver.isWaiting(); }

private:
    void Execute();
    void signalEnd();

    QString FNomDossier;
    bool FCisSousRepertoire = false;
    std::uint32_t FFiltreNotification = 0;
    std::unique_ptr<system::ChangeNotification> HandleNotification;

    // The stop flag: the one value both threads use while the watcher runs.
    std::atomic<bool> Terminated{false};
    MainThreadHandOver handOver;
    std::thread thread;
    std::mutex endMutex;
    std::condition_variable endSignal;
    bool ended = false;
};

} // namespace UThreadNotification
} // namespace orvandel::inline logic
