#include "updates/programupdate/programupdatemachine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/program/log.h"
#include "platform/shell.h"
#include "pricing/valuation/spotprices.h"

namespace {

// Clears a read-only mark and deletes the file; false when it stays.
bool RemoveOld(const QString &folder, const QString &path)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile f(path);
    if (!f.exists())
        return QFileInfo(folder).isWritable();
    if (!QFileInfo(path).isWritable() && !f.setPermissions(f.permissions() | QFile::WriteOwner))
        return false;
    return f.remove();
}

} // namespace

tProgramUpdateMachine::tProgramUpdateMachine(tMainState &s, tRetryTimer::Clock clock, QObject *parent)
    : QObject(parent), s_(s), clock_(std::move(clock))
{
    ShowFolder = [](const QString &folder) { platform::shellOpen(folder); };
}

tProgramUpdateMachine::~tProgramUpdateMachine()
{
    if (worker_) {
        worker_->disconnect(this);
        worker_.reset();
    }
}

QString tProgramUpdateMachine::NotesPath() const
{
    return s_.OtherRedirect + UpdateNotesFileName;
}

QString tProgramUpdateMachine::InstallerPath() const
{
    return s_.downloadsRedirect + InstallerFileName;
}

void tProgramUpdateMachine::NewWorker()
{
    if (worker_)
        worker_->disconnect(this);
    worker_ = std::make_unique<tFtpWorker>(clock_);
    connect(worker_.get(), &tFtpWorker::Connected, this, [this](bool ok, const QString &) { OnConnected(ok); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Listed, this,
            [this](bool ok, const std::vector<platform::FtpEntry> &entries, const QString &) { OnListed(ok, entries); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Fetched, this, [this](bool ok, const QString &) { OnFetched(ok); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Work, this, &tProgramUpdateMachine::OnWork, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Trace, this, [](const QString &line) { LogEntry(QStringLiteral("FTP ") + line); },
            Qt::QueuedConnection);
}

void tProgramUpdateMachine::CancelTransfers()
{
    if (worker_)
        worker_->Cancel();
}

void tProgramUpdateMachine::Check()
{
    if (Busy())
        return;
    if (!HasUpdateServer(s_)) {
        EndCheck(TextView(QStringLiteral("No update server"), NoServerElsewhereText), true);
        return;
    }
    // Old notes must not pass for the server's answer.
    if (!RemoveOld(s_.OtherRedirect, NotesPath())) {
        EndCheck(NotesLockedView(NotesPath()), true);
        return;
    }
    NewWorker();
    step_ = tStep::CheckConnect;
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), MaxAttempts);
}

void tProgramUpdateMachine::Download()
{
    if (Busy())
        return;
    if (!HasUpdateServer(s_)) {
        EndDownload(TextView(QStringLiteral("No update server"), NoServerElsewhereText));
        return;
    }
    if (!RemoveOld(s_.downloadsRedirect, InstallerPath())) {
        EndDownload(InstallerLockedView(InstallerPath()));
        return;
    }
    downloadSize_ = -1;
    NewWorker();
    step_ = tStep::Connect;
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), MaxAttempts);
}

void tProgramUpdateMachine::OnConnected(bool ok)
{
    if (step_ != tStep::CheckConnect && step_ != tStep::Connect)
        return;
    const bool checking = step_ == tStep::CheckConnect;
    if (!ok) {
        worker_->Disconnect();
        if (checking)
            EndCheck(ConnectionIssueView(), true);
        else
            EndDownload(ConnectionIssueView());
        return;
    }
    step_ = checking ? tStep::CheckList : tStep::List;
    worker_->List(ProgramServerFolder, 1);
}

void tProgramUpdateMachine::OnListed(bool ok, const std::vector<platform::FtpEntry> &entries)
{
    if (step_ == tStep::CheckList) {
        if (!ok) {
            worker_->Disconnect();
            EndCheck(CheckDownloadIssueView(), true);
            return;
        }
        QString name = UpdateNotesFileName;
        if (!FindInListing(entries, name)) {
            worker_->Disconnect();
            EndCheck({}, false);
            return;
        }
        step_ = tStep::CheckFetch;
        worker_->Fetch(name, NotesPath(), 1);
        return;
    }
    if (step_ != tStep::List)
        return;
    QString name = InstallerFileName;
    const platform::FtpEntry *entry = ok ? FindInListing(entries, name) : nullptr;
    if (!entry) {
        worker_->Disconnect();
        EndDownload(InstallerDownloadIssueView());
        return;
    }
    downloadSize_ = entry->size;
    installerPath_ = InstallerPath();
    step_ = tStep::Fetch;
    Q_EMIT Progress(DownloadProgressText(0, std::max<qint64>(downloadSize_, 0)), 0);
    worker_->Fetch(name, installerPath_, 1);
}

void tProgramUpdateMachine::OnFetched(bool ok)
{
    if (step_ == tStep::CheckFetch) {
        worker_->Disconnect();
        QFile f(NotesPath());
        if (!ok || !f.open(QIODevice::ReadOnly)) {
            EndCheck(CheckDownloadIssueView(), true);
            return;
        }
        EndCheck(NotesView(s_.OVversionString, ParseUpdateNotes(f.readAll())), true);
        return;
    }
    if (step_ != tStep::Fetch)
        return;
    worker_->Disconnect();
    // A file cut short would install a broken program: its size must be the
    // listing's.
    const qint64 got = QFileInfo(installerPath_).size();
    if (!ok || (downloadSize_ >= 0 && got != downloadSize_)) {
        if (ok)
            LogEntry(QStringLiteral("The installer has %1 bytes, the server listed %2").arg(got).arg(downloadSize_));
        QFile::remove(installerPath_);
        EndDownload(InstallerDownloadIssueView());
        return;
    }
    EndDownload(InstallerSavedView(QDir::toNativeSeparators(installerPath_)));
    if (ShowFolder)
        ShowFolder(QFileInfo(installerPath_).absolutePath());
}

void tProgramUpdateMachine::OnWork(qint64 bytes)
{
    if (step_ != tStep::Fetch)
        return;
    const qint64 size = std::max<qint64>(downloadSize_, 0);
    Q_EMIT Progress(DownloadProgressText(bytes, size), DownloadPercent(bytes, size));
}

void tProgramUpdateMachine::EndCheck(const tUpdateView &view, bool notesFound)
{
    step_ = tStep::None;
    Q_EMIT CheckFinished(view, notesFound);
}

void tProgramUpdateMachine::EndDownload(const tUpdateView &view)
{
    step_ = tStep::None;
    Q_EMIT DownloadFinished(view);
}
