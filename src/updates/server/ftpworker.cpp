#include "updates/server/ftpworker.h"

#include <QMetaObject>

tFtpWorker::tFtpWorker(tRetryTimer::Clock clock, QObject *parent)
    : QObject(parent), client_(platform::newFtpClient()), timer_(std::move(clock))
{
    qRegisterMetaType<std::vector<platform::FtpEntry>>();
    client_->setProgress([this](qint64 bytes) { Q_EMIT Work(bytes); });
    client_->setTrace([this](const QString &line) { Q_EMIT Trace(line); });
    context_ = new QObject;
    context_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("FTP transfers"));
    thread_.start();
}

tFtpWorker::~tFtpWorker()
{
    Cancel();
    thread_.quit();
    thread_.wait();
    delete context_;  // its thread has ended: no event of it can run any more
    client_.reset();
}

void tFtpWorker::Cancel()
{
    cancelled_ = true;
    timer_.Cancel();
    client_->abort();
}

void tFtpWorker::AbortTransfer()
{
    client_->abort();
}

void tFtpWorker::StopRetrying()
{
    timer_.Cancel();
}

template <class F>
void tFtpWorker::Post(F &&step)
{
    QMetaObject::invokeMethod(context_, std::forward<F>(step), Qt::QueuedConnection);
}

bool tFtpWorker::Run(int attempts, const std::function<void()> &step, QString &error)
{
    if (cancelled_) {
        error = QStringLiteral("Cancelled");
        return false;
    }
    const auto attempt = [&] {
        try {
            step();
        } catch (const platform::FtpError &e) {
            error = QString::fromUtf8(e.what());
            throw;
        }
    };
    if (attempts <= 1) {
        timer_.Wait();
        try {
            attempt();
            return !cancelled_;
        } catch (const platform::FtpError &) {
            return false;
        }
    }
    const bool ok = RunWithRetries(timer_, attempt, [this](int failures) { Q_EMIT Retrying(failures); }, attempts);
    return ok && !cancelled_;
}

void tFtpWorker::Connect(const platform::FtpAccount &account, const platform::FtpTimeouts &timeouts, int attempts)
{
    Post([this, account, timeouts, attempts] {
        QString error;
        const bool ok = Run(attempts, [&] { client_->connectTo(account, timeouts); }, error);
        Q_EMIT Connected(ok, error);
    });
}

void tFtpWorker::List(const QString &folder, int attempts)
{
    Post([this, folder, attempts] {
        QString error;
        std::vector<platform::FtpEntry> entries;
        const bool ok = Run(attempts, [&] {
            client_->changeDir(folder);
            entries = client_->list();
        }, error);
        Q_EMIT Listed(ok, ok ? entries : std::vector<platform::FtpEntry>{}, error);
    });
}

void tFtpWorker::Fetch(const QString &remoteName, const QString &localPath, int attempts, bool resume)
{
    Post([this, remoteName, localPath, attempts, resume] {
        QString error;
        const bool ok = Run(attempts, [&] { client_->get(remoteName, localPath, resume); }, error);
        Q_EMIT Fetched(ok, error);
    });
}

void tFtpWorker::Disconnect()
{
    Post([this] {
        client_->disconnect();
        Q_EMIT Disconnected();
    });
}
