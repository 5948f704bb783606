#pragma once
// Keeps the program to one running instance per user: the first process
// holds a lock named after a fixed key for as long as it lives; a later
// process finds it held and ends. A lock left by a process that died is
// taken over.
#include <QString>
#include <memory>

class QLockFile;

namespace platform {

class SingleInstance {
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process holds the lock.
    bool isFirst() const;
    QString lockPath() const;

private:
    std::unique_ptr<QLockFile> lock_;
    QString path_;
    bool first_ = false;
};

} // namespace platform
