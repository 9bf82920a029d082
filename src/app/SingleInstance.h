#pragma once

#include <QLockFile>
#include <QString>

// The lock that keeps a second copy of the console from running ("OrvaneDesk" in
// the temporary folder). A console on another profile (ORVANE_PROFILE_DIR, as the
// demo fleet uses) takes a lock of its own, so a demo can run beside the real one.
QString SingleInstanceLockPath(const QString &profileDir);

class TSingleInstanceLock
{
public:
    explicit TSingleInstanceLock(const QString &path);
    // False when another live process holds the lock. A lock left behind by a
    // process that died is taken over.
    bool TryAcquire();

private:
    QLockFile FLock;
};
