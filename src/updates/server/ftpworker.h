#pragma once
// One download window's FTP client on a thread of its own. The window asks
// for a step; the step runs on the worker's thread, by the retry rule where
// asked, and answers with a signal that reaches the window through its event
// queue, so the window stays responsive during every transfer.
#include <atomic>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>
#include <QThread>

#include "platform/ftp.h"
#include "updates/server/updateserver.h"

class tFtpWorker : public QObject {
    Q_OBJECT
public:
    explicit tFtpWorker(tRetryTimer::Clock clock = {}, QObject *parent = nullptr);
    // Cancels and waits for the running step: the client never outlives the
    // thread that uses it.
    ~tFtpWorker() override;

    // Steps, run in the order asked. attempts 1 tries a step once, without a
    // pause after it; more follow the retry rule.
    void Connect(const platform::FtpAccount &account, const platform::FtpTimeouts &timeouts, int attempts);
    // Changes to folder and lists it, as one step.
    void List(const QString &folder, int attempts);
    // Fetches a file of the current folder (replaced only when complete).
    // With resume, a partial file left by a failed attempt is continued and
    // kept when this attempt fails too.
    void Fetch(const QString &remoteName, const QString &localPath, int attempts, bool resume = false);
    void Disconnect();

    // Ends a pause and the running request at once; every step asked later
    // fails at once. For a window that is going away.
    void Cancel();
    // Ends the running pause and every later one: a failed attempt is not
    // tried again, an attempt under way goes on.
    void StopRetrying();
    // Stops the transfer under way, which then fails; the worker stays
    // usable. A request that starts right after is stopped instead, so a
    // caller aborts only while its transfer runs.
    void AbortTransfer();

Q_SIGNALS:
    // After a failed attempt of a retried step: the failures so far.
    void Retrying(int failures);
    // Bytes of the running transfer so far (listings included).
    void Work(qint64 bytes);
    // A request, for the log; never holds the account.
    void Trace(const QString &line);
    void Connected(bool ok, const QString &error);
    void Listed(bool ok, const std::vector<platform::FtpEntry> &entries, const QString &error);
    void Fetched(bool ok, const QString &error);
    void Disconnected();

private:
    template <class F>
    void Post(F &&step);
    bool Run(int attempts, const std::function<void()> &step, QString &error);

    QThread thread_;
    QObject *context_ = nullptr;  // lives on thread_; the steps run in its queue
    std::unique_ptr<platform::FtpClient> client_;
    tRetryTimer timer_;
    std::atomic<bool> cancelled_{false};
};
