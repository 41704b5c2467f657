#pragma once

#include <QString>

#include <memory>

namespace orvandel::system {

// Makes the process the user's one running instance of the program for as long as it is held.
// An instance that ended, even by a crash, holds it no more.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};

// The lock at `lockPath`; none when another live instance holds it.
std::unique_ptr<InstanceLock> lockRunningInstance(const QString& lockPath);
// Where the running user's lock lives.
QString runningInstanceLockPath();

} // namespace orvandel::system
