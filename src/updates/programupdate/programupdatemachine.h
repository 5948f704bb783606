#pragma once
// The program-update check and download on the window's FTP worker. The
// check fetches "Update Notes.txt" and compares its version with the
// program's; the download fetches the installer, checks its size against the
// listing and leaves it for the user to run: nothing here starts it or ends
// the program.
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "core/model/mainstate.h"
#include "updates/programupdate/programupdate.h"
#include "updates/server/ftpworker.h"

class tProgramUpdateMachine : public QObject {
    Q_OBJECT
public:
    explicit tProgramUpdateMachine(tMainState &s, tRetryTimer::Clock clock = {}, QObject *parent = nullptr);
    ~tProgramUpdateMachine() override;

    bool Busy() const { return step_ != tStep::None; }
    // The installer's size in the last listing; -1 when it did not say.
    qint64 DownloadSize() const { return downloadSize_; }
    QString NotesPath() const;
    QString InstallerPath() const;
    // Shows the saved installer to the user (its folder opened); tests
    // record it instead.
    std::function<void(const QString &folder)> ShowFolder;

    // Ends with CheckFinished.
    void Check();
    // Ends with DownloadFinished.
    void Download();
    // The window is closing: the transfer stops at once.
    void CancelTransfers();

Q_SIGNALS:
    // notesFound: the server had the notes (else the window keeps its texts).
    void CheckFinished(const tUpdateView &view, bool notesFound);
    void DownloadFinished(const tUpdateView &view);
    void Progress(const QString &text, int percent);

private:
    enum class tStep { None, CheckConnect, CheckList, CheckFetch, Connect, List, Fetch };

    void NewWorker();
    void OnConnected(bool ok);
    void OnListed(bool ok, const std::vector<platform::FtpEntry> &entries);
    void OnFetched(bool ok);
    void OnWork(qint64 bytes);
    void EndCheck(const tUpdateView &view, bool notesFound);
    void EndDownload(const tUpdateView &view);

    tMainState &s_;
    tRetryTimer::Clock clock_;
    std::unique_ptr<tFtpWorker> worker_;
    tStep step_ = tStep::None;
    qint64 downloadSize_ = -1;
    QString installerPath_;
};
