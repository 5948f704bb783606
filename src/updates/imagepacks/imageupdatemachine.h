#pragma once
// The image-pack download as a small state machine on the user-interface
// thread: the server's image directory for the suggestions, and the update
// that fetches each checked country's pack (up to 11 attempts, each after
// the first continuing the partial file) and unpacks it into the country's
// picture folder. The transfers run on an FTP worker made afresh for each
// exchange, so that an abort of one can never reach the next.
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

#include "core/model/mainstate.h"
#include "updates/server/ftpworker.h"
#include "updates/server/updateserver.h"

struct tImageRow {
    tCountryInfo *Country = nullptr;  // owned by CountryList
    bool Checked = false;
};

// At most this many attempts per pack, without a pause between them.
constexpr int PackAttempts = 11;

class tImageUpdateMachine : public QObject {
    Q_OBJECT
public:
    explicit tImageUpdateMachine(tMainState &s, tRetryTimer::Clock clock = {}, QObject *parent = nullptr);
    ~tImageUpdateMachine() override;

    // An exchange with the server runs: the window must not go away.
    bool Busy() const { return step_ != tStep::None; }
    bool InUpdate() const { return inUpdate_; }
    bool StopUpdate() const { return stopUpdate_; }
    const tTransferProgress &Progress() const { return progress_; }
    // Attempts the last pack took (1 when it came at once).
    int LastAttempts() const { return attempts_; }

    // The local copy of the server's image directory.
    QString DirectoryPath() const;

    // Fetches "ImageDirectory.ini" (each step tried once) over the local
    // copy, which stays as it was until the new one is complete. Ends with
    // DirectoryReady.
    void FetchImageDirectory();
    // "Begin update" with the rows in display order. False when nothing
    // started (no row checked, no server, or an exchange runs).
    bool BeginUpdate(std::vector<tImageRow> rows);
    // "Stop update": the running transfer is aborted, its pack is not
    // unpacked and no further country starts.
    void Stop();
    // "Done" during an update: the running transfer completes, nothing more
    // is unpacked or started.
    void RequestStop();
    // The window is closing while the directory is on its way.
    void CancelTransfers();

Q_SIGNALS:
    void StatusText(const QString &text);   // the status label
    void ProgressText(const QString &text); // the progress label
    void RetryText(const QString &text);    // the retry label, shown from then on
    void FileBar(qint64 value, qint64 maximum);
    void OverallBar(qint64 value, qint64 maximum);
    // A country was unpacked (ok) or failed.
    void RowFinished(int row, bool ok);
    // fetched: a new copy arrived; message: why not, for the status line.
    void DirectoryReady(bool fetched, const QString &message);
    void UpdateStarted();
    void UpdateFinished();

private:
    enum class tStep { None, DirConnect, DirList, DirFetch, Connect, List, FetchPack };

    void NewWorker();
    void OnConnected(bool ok, const QString &error);
    void OnListed(bool ok, const std::vector<platform::FtpEntry> &entries, const QString &error);
    void OnFetched(bool ok, const QString &error);
    void OnRetrying(int failures);
    void OnWork(qint64 bytes);
    void FinishDirectory(bool fetched, const QString &message);
    void NextRow();
    void FetchAttempt();
    void FinishRow(bool fetched);
    void EndWalk();
    void FinishUpdate();

    tMainState &s_;
    tRetryTimer::Clock clock_;
    std::unique_ptr<tFtpWorker> worker_;
    tStep step_ = tStep::None;
    std::vector<platform::FtpEntry> listing_;
    std::vector<tImageRow> rows_;
    tTransferProgress progress_;
    QString retryPrefix_;
    QString packName_;       // the server's spelling of the running pack
    QString packPath_;
    qint64 packSize_ = 0;    // of the running pack in the listing
    qint64 resumeBase_ = 0;  // bytes of the partial file the attempt continues
    bool inUpdate_ = false;
    bool stopUpdate_ = false;
    bool aborted_ = false;   // Stop aborted the running transfer
    int checked_ = 0;
    int index_ = 0;
    int row_ = -1;
    int attempts_ = 0;
};
