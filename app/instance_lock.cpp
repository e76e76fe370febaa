#include "app/instance_lock.h"

#include <QDir>

namespace velora {

InstanceLock::InstanceLock(const QString& instanceName)
    : m_lock(std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/velora-instance-") +
                                         instanceName + QStringLiteral(".lock"))) {
    // Never stale by age: only a dead holder gives the name up.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::acquire() {
    return m_lock->tryLock(0);
}

}  // namespace velora
