#include "platform/singleinstance.h"

#include <QDir>
#include <QLockFile>

#include "platform/knownfolders.h"

namespace platform {

SingleInstance::SingleInstance(const QString &key)
{
    const QString folder = runtimeFolder();
    QDir().mkpath(folder);
    path_ = QDir(folder).filePath(key + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // The lock is never released by age, only when its process ends.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance()
{
    if (first_)
        lock_->unlock();
}

bool SingleInstance::isFirst() const
{
    return first_;
}

QString SingleInstance::lockPath() const
{
    return path_;
}

} // namespace platform
