#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velora {

// Marks a running instance of the program under its instance name. Held until the
// process ends; the lock of a process that died is taken over, a live holder's never.
class InstanceLock {
public:
    explicit InstanceLock(const QString& instanceName);
    // False when another live process holds the name.
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace velora
