#include "updates/imagepacks/imageupdatemachine.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/program/epicmessage.h"
#include "core/program/log.h"
#include "platform/paths.h"
#include "pricing/valuation/spotprices.h"
#include "updates/imagepacks/imagepack.h"

namespace {

const QString PartSuffix = QStringLiteral(".part");

void RemoveWithPart(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + PartSuffix);
}

} // namespace

tImageUpdateMachine::tImageUpdateMachine(tMainState &s, tRetryTimer::Clock clock, QObject *parent)
    : QObject(parent), s_(s), clock_(std::move(clock))
{
}

tImageUpdateMachine::~tImageUpdateMachine()
{
    if (worker_) {
        worker_->disconnect(this);
        worker_.reset();
    }
}

void tImageUpdateMachine::NewWorker()
{
    if (worker_)
        worker_->disconnect(this);
    worker_ = std::make_unique<tFtpWorker>(clock_);
    // The worker's signals come from its thread; queued, they run here
    // between the window's other events.
    connect(worker_.get(), &tFtpWorker::Connected, this, &tImageUpdateMachine::OnConnected, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Listed, this, &tImageUpdateMachine::OnListed, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Fetched, this, &tImageUpdateMachine::OnFetched, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Retrying, this, &tImageUpdateMachine::OnRetrying, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Work, this, &tImageUpdateMachine::OnWork, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Trace, this, [](const QString &line) { LogEntry(QStringLiteral("FTP ") + line); },
            Qt::QueuedConnection);
}

QString tImageUpdateMachine::DirectoryPath() const
{
    return s_.OtherRedirect + ImageDirectoryFileName;
}

// ---- The image directory ----

void tImageUpdateMachine::FetchImageDirectory()
{
    if (Busy())
        return;
    if (!HasUpdateServer(s_)) {
        FinishDirectory(false, NoServerElsewhereText);
        return;
    }
    if (!CanReplace(s_.OtherRedirect, DirectoryPath())) {
        ShowEpicMessage(QStringLiteral("The file containing the list of images on the server could not be overwritten, "
                                       "You may not have access to write to this file."),
                        QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        FinishDirectory(false, QString());
        return;
    }
    NewWorker();
    step_ = tStep::DirConnect;
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), 1);
}

void tImageUpdateMachine::FinishDirectory(bool fetched, const QString &message)
{
    step_ = tStep::None;
    if (!message.isEmpty())
        LogEntry(message);
    Q_EMIT DirectoryReady(fetched, message);
}

void tImageUpdateMachine::CancelTransfers()
{
    if (worker_)
        worker_->Cancel();
}

// ---- The update ----

bool tImageUpdateMachine::BeginUpdate(std::vector<tImageRow> rows)
{
    if (Busy())
        return false;
    const int checked = static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const tImageRow &r) { return r.Checked; }));
    if (checked == 0)
        return false;
    if (!HasUpdateServer(s_)) {
        Q_EMIT StatusText(NoServerElsewhereText);
        return false;
    }
    QDir().mkpath(s_.FolderImagesRedirect);
    rows_ = std::move(rows);
    checked_ = checked;
    inUpdate_ = true;
    stopUpdate_ = false;
    aborted_ = false;
    index_ = 0;
    row_ = -1;
    attempts_ = 0;
    progress_ = {};
    Q_EMIT UpdateStarted();
    Q_EMIT StatusText(QStringLiteral("Connecting..."));
    Q_EMIT ProgressText(QString());
    retryPrefix_ = QStringLiteral("Connecting");
    NewWorker();
    step_ = tStep::Connect;
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), MaxAttempts);
    return true;
}

void tImageUpdateMachine::Stop()
{
    if (!inUpdate_)
        return;
    stopUpdate_ = true;
    if (step_ == tStep::FetchPack) {
        aborted_ = true;
        worker_->AbortTransfer();
    } else if (step_ == tStep::Connect || step_ == tStep::List) {
        worker_->Cancel();
    }
}

void tImageUpdateMachine::RequestStop()
{
    if (!inUpdate_)
        return;
    stopUpdate_ = true;
    // Nothing is fetched yet while connecting or listing: that is given up
    // at once. A pack that is arriving may finish.
    if (step_ == tStep::Connect || step_ == tStep::List)
        worker_->Cancel();
}

void tImageUpdateMachine::OnConnected(bool ok, const QString &error)
{
    if (step_ == tStep::DirConnect) {
        if (!ok) {
            worker_->Disconnect();
            FinishDirectory(false, QStringLiteral("Could not fetch the image directory: ") + error);
            return;
        }
        step_ = tStep::DirList;
        worker_->List(ImagesServerFolder, 1);
        return;
    }
    if (step_ != tStep::Connect)
        return;
    if (!ok) {
        Q_EMIT StatusText(QStringLiteral("Could not connect to the server"));
        worker_->Disconnect();
        FinishUpdate();
        return;
    }
    if (stopUpdate_) {
        EndWalk();
        return;
    }
    Q_EMIT StatusText(QStringLiteral("Fetching server directory..."));
    retryPrefix_ = QStringLiteral("Fetching directory");
    step_ = tStep::List;
    worker_->List(ImagesServerFolder, MaxAttempts);
}

void tImageUpdateMachine::OnListed(bool ok, const std::vector<platform::FtpEntry> &entries, const QString &error)
{
    if (step_ == tStep::DirList) {
        QString name = ImageDirectoryFileName;
        if (!ok || !FindInListing(entries, name)) {
            worker_->Disconnect();
            FinishDirectory(false, ok ? QStringLiteral("The update server offers no image directory.")
                                      : QStringLiteral("Could not fetch the image directory: ") + error);
            return;
        }
        step_ = tStep::DirFetch;
        worker_->Fetch(name, DirectoryPath(), 1);
        return;
    }
    if (step_ != tStep::List)
        return;
    if (!ok) {
        Q_EMIT StatusText(QStringLiteral("Could not fetch directory"));
        worker_->Disconnect();
        FinishUpdate();
        return;
    }
    listing_ = entries;
    // The bytes of every checked country's pack.
    progress_ = {};
    for (const tImageRow &r : rows_) {
        if (!r.Checked)
            continue;
        const QString pack = ImagePackName(*r.Country).toUpper();
        for (const platform::FtpEntry &e : listing_)
            if (e.name.toUpper() == pack && e.size > 0)
                progress_.TotalSize += e.size;
    }
    Q_EMIT FileBar(0, 0);
    Q_EMIT OverallBar(0, progress_.TotalSize);
    NextRow();
}

void tImageUpdateMachine::NextRow()
{
    for (++row_; row_ < static_cast<int>(rows_.size()) && !rows_[static_cast<size_t>(row_)].Checked; ++row_) {
    }
    if (row_ >= static_cast<int>(rows_.size())) {
        EndWalk();
        return;
    }
    const tCountryInfo &c = *rows_[static_cast<size_t>(row_)].Country;
    ++index_;
    Q_EMIT StatusText(QStringLiteral("Updating ") + c.Name + QStringLiteral(" (") + QString::number(index_) +
                      QStringLiteral(" of ") + QString::number(checked_) + QStringLiteral(")"));
    QString pack = ImagePackName(c);
    packSize_ = 0;
    for (const platform::FtpEntry &e : listing_)
        if (e.name.toUpper() == pack.toUpper())
            packSize_ = std::max<qint64>(e.size, 0);
    Q_EMIT FileBar(0, packSize_);

    // A pack left by an earlier, broken update is never continued: it may
    // be of an older pack on the server.
    RemoveWithPart(s_.FolderImagesRedirect + pack);
    attempts_ = 0;
    if (FindInListing(listing_, pack) && !stopUpdate_) {
        RemoveWithPart(s_.FolderImagesRedirect + pack);
        packName_ = pack;
        packPath_ = s_.FolderImagesRedirect + pack;
        FetchAttempt();
        return;
    }
    packPath_ = s_.FolderImagesRedirect + pack;
    FinishRow(false);
}

void tImageUpdateMachine::FetchAttempt()
{
    step_ = tStep::FetchPack;
    ++attempts_;
    resumeBase_ = QFileInfo(packPath_ + PartSuffix).size();
    // Every attempt resumes: the first finds no partial file and starts
    // afresh, the later ones continue what the failed ones left.
    worker_->Fetch(packName_, packPath_, 1, true);
}

void tImageUpdateMachine::OnFetched(bool ok, const QString &error)
{
    if (step_ == tStep::DirFetch) {
        worker_->Disconnect();
        FinishDirectory(ok, ok ? QString() : QStringLiteral("Could not fetch the image directory: ") + error);
        return;
    }
    if (step_ != tStep::FetchPack)
        return;
    if (!ok) {
        LogEntry(QStringLiteral("Image pack ") + packName_ + QStringLiteral(": ") + error);
        // An aborted transfer ends the country's attempts at once.
        if (!aborted_) {
            Q_EMIT RetryText(QStringLiteral("Retry ") + QString::number(attempts_));
            if (attempts_ < PackAttempts && !stopUpdate_) {
                FetchAttempt();
                return;
            }
        }
    }
    FinishRow(ok);
}

void tImageUpdateMachine::FinishRow(bool fetched)
{
    step_ = tStep::None;
    progress_.FileFinished();
    if (!stopUpdate_) {
        const tCountryInfo &c = *rows_[static_cast<size_t>(row_)].Country;
        tUnzipResult unzip;
        if (fetched)
            unzip = UnzipImagePack(packPath_, CountryImageFolder(s_, c));
        if (fetched && !unzip.Ok)
            LogEntry(QStringLiteral("Image pack ") + packName_ + QStringLiteral(" refused: ") + unzip.Error);
        // The pack and what a failed transfer left of it go, whatever the
        // outcome.
        RemoveWithPart(packPath_);
        Q_EMIT RowFinished(row_, fetched && unzip.Ok);
    }
    if (stopUpdate_)
        EndWalk();
    else
        NextRow();
}

void tImageUpdateMachine::EndWalk()
{
    Q_EMIT StatusText(stopUpdate_ ? QStringLiteral("Update stopped.") : QStringLiteral("Update complete."));
    worker_->Disconnect();
    FinishUpdate();
}

void tImageUpdateMachine::FinishUpdate()
{
    step_ = tStep::None;
    inUpdate_ = false;
    Q_EMIT UpdateFinished();
}

void tImageUpdateMachine::OnRetrying(int failures)
{
    if (inUpdate_ && (step_ == tStep::Connect || step_ == tStep::List))
        Q_EMIT StatusText(retryPrefix_ + QStringLiteral(" (Retry ") + QString::number(failures) + QStringLiteral(")"));
}

void tImageUpdateMachine::OnWork(qint64 bytes)
{
    if (!inUpdate_ || step_ != tStep::FetchPack)
        return;
    progress_.Work(resumeBase_ + bytes);
    Q_EMIT ProgressText(::ProgressText(progress_.Done(), progress_.TotalSize));
    Q_EMIT OverallBar(progress_.Done(), progress_.TotalSize);
    Q_EMIT FileBar(progress_.WorkMark, packSize_);
}
