#include "updates/pricelists/priceupdatemachine.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/program/settings.h"
#include "core/program/epicmessage.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "platform/paths.h"
#include "pricing/valuation/spotprices.h"

namespace {

const QString ConnectingText = QStringLiteral("Connecting to server");
const QString FetchingDirectoryText = QStringLiteral("Fetching directory list");

// Where a file fetched under the server's spelling goes: over the local file
// whose name differs only in case, when there is one, so that the fetched
// list replaces the old one instead of lying beside it on a file system that
// tells case apart.
QString LocalTarget(const QString &folder, const QString &serverName)
{
    const QString existing = platform::findEntryIgnoreCase(folder, serverName);
    return folder + (existing.isEmpty() ? serverName : existing);
}

bool AnyPricesModified(const tMainState &s)
{
    return s.PricesModified || std::any_of(s.PricesModifiedArray.begin(), s.PricesModifiedArray.end(), [](bool b) { return b; });
}

} // namespace

tPriceUpdateMachine::tPriceUpdateMachine(tMainState &s, tRetryTimer::Clock clock, QObject *parent)
    : QObject(parent), s_(s), worker_(std::make_unique<tFtpWorker>(std::move(clock)))
{
    // The worker's signals come from its thread; queued, they run here
    // between the window's other events.
    connect(worker_.get(), &tFtpWorker::Connected, this, [this](bool ok, const QString &) { OnConnected(ok); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Listed, this,
            [this](bool ok, const std::vector<platform::FtpEntry> &entries, const QString &) { OnListed(ok, entries); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Fetched, this, [this](bool ok, const QString &) { OnFetched(ok); },
            Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Retrying, this, &tPriceUpdateMachine::OnRetrying, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Work, this, &tPriceUpdateMachine::OnWork, Qt::QueuedConnection);
    connect(worker_.get(), &tFtpWorker::Trace, this, [](const QString &line) { LogEntry(QStringLiteral("FTP ") + line); },
            Qt::QueuedConnection);
}

tPriceUpdateMachine::~tPriceUpdateMachine()
{
    worker_->disconnect(this);
    worker_.reset();
}

void tPriceUpdateMachine::SetPhase(tPhase p)
{
    if (phase_ == p)
        return;
    phase_ = p;
    Q_EMIT PhaseChanged(p);
}

template <class F>
void tPriceUpdateMachine::Guarded(F &&f)
{
    try {
        f();
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        LogEntry(text);
        Q_EMIT Problem(text);
    }
}

// ---- The server's dates, when the window shows ----

void tPriceUpdateMachine::DownloadPriceDates()
{
    if (Busy())
        return;
    serverDates_.fill(0);
    if (!CanReplace(s_.OtherRedirect, LocalTarget(s_.OtherRedirect, PriceDatesFileName))) {
        ShowEpicMessage(QStringLiteral("The file containing the list of price lists on the server could not be "
                                       "overwritten, You may not have access to write to this file."),
                        QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
        FinishDates(QString());
        return;
    }
    step_ = tStep::DatesConnect;
    SetPhase(tPhase::Connecting);
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), 1);
}

void tPriceUpdateMachine::FinishDates(const QString &error)
{
    step_ = tStep::None;
    SetPhase(tPhase::Idle);
    Q_EMIT DatesReady(error);
}

// ---- The update ----

bool tPriceUpdateMachine::BeginUpdate(std::vector<tPriceRow> rows)
{
    if (Busy())
        return false;
    if (!HasUpdateServer(s_)) {
        Q_EMIT StatusText(NoServerText);
        return false;
    }
    const int checked = static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const tPriceRow &r) { return r.Checked; }));
    // A country's reload reads its list from disk: unsaved changes to it
    // would be lost without a word.
    if (checked > 0 && AnyPricesModified(s_)) {
        const int answer =
            ShowEpicMessage(QStringLiteral("Some price lists have changes that are not saved yet. Save them before the update?"),
                            QStringLiteral("Save"), QStringLiteral("Don't save"), QStringLiteral("Cancel"), {}, {}, {},
                            15, 19, 3, -1, -1, -1, 0, {}, false, QStringLiteral("Resource/SavePrice"));
        if (answer == 4 || answer == 0)
            return false;
        if (answer == 1) {
            Q_EMIT s_.Events->SavePricesToFile();
            s_.Events->RethrowFailure();
        }
    }
    QDir().mkpath(s_.PricesRedirect);
    QDir().mkpath(s_.CountriesRedirect);
    BackupPriceFiles(s_);

    rows_ = std::move(rows);
    checked_ = checked;
    if (checked_ == 0)
        return true;
    inUpdate_ = true;
    abortQueue_ = false;
    index_ = 0;
    row_ = -1;
    processed_.clear();
    progress_ = {};
    Q_EMIT UpdateStarted();
    Q_EMIT StatusText(ConnectingText + QStringLiteral("..."));
    Q_EMIT ProgressText(QString());
    retryPrefix_ = ConnectingText;
    step_ = tStep::Connect;
    SetPhase(tPhase::Connecting);
    worker_->Connect(UpdateServerAccount(s_), UpdateServerTimeouts(), MaxAttempts);
    return true;
}

void tPriceUpdateMachine::RequestStop()
{
    if (!inUpdate_)
        return;
    abortQueue_ = true;
    // No waiting for attempts that are bound to fail: while nothing is
    // fetched yet (connecting, listing) the step is given up at once; a file
    // that is arriving may finish, but a failed one is not tried again.
    if (step_ == tStep::Connect || step_ == tStep::List)
        worker_->Cancel();
    else
        worker_->StopRetrying();
    SetPhase(tPhase::Stopping);
}

void tPriceUpdateMachine::CancelTransfers()
{
    worker_->Cancel();
}

void tPriceUpdateMachine::OnConnected(bool ok)
{
    if (step_ == tStep::DatesConnect) {
        if (!ok) {
            FinishDates(QString());
            return;
        }
        step_ = tStep::DatesList;
        SetPhase(tPhase::Listing);
        worker_->List(PricesServerFolder, 1);
        return;
    }
    if (step_ != tStep::Connect)
        return;
    if (!ok) {
        Q_EMIT StatusText(QStringLiteral("Could not connect to the server"));
        FinishUpdate();
        return;
    }
    Q_EMIT StatusText(FetchingDirectoryText + QStringLiteral("..."));
    retryPrefix_ = FetchingDirectoryText;
    step_ = tStep::List;
    if (!abortQueue_)
        SetPhase(tPhase::Listing);
    worker_->List(PricesServerFolder, MaxAttempts);
}

void tPriceUpdateMachine::OnListed(bool ok, const std::vector<platform::FtpEntry> &entries)
{
    if (step_ == tStep::DatesList) {
        QString name = PriceDatesFileName;
        if (!ok || !FindInListing(entries, name)) {
            worker_->Disconnect();
            FinishDates(QString());
            return;
        }
        datesPath_ = LocalTarget(s_.OtherRedirect, name);
        step_ = tStep::DatesFetch;
        SetPhase(tPhase::Fetching);
        worker_->Fetch(name, datesPath_, 1);
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
    ComputeDownloadSizes();
    NextRow();
}

void tPriceUpdateMachine::ComputeDownloadSizes()
{
    progress_ = {};
    for (tPriceRow &r : rows_) {
        r.Bytes = 0;
        if (!r.Checked)
            continue;
        const QString prices = CountryFileName(*r.Country, QStringLiteral(".OVP")).toUpper();
        const QString structure = CountryFileName(*r.Country, QStringLiteral(".OVCD")).toUpper();
        for (const platform::FtpEntry &e : listing_) {
            const QString name = e.name.toUpper();
            if ((name == prices || name == structure) && e.size > 0)
                r.Bytes += e.size;
        }
        progress_.TotalSize += r.Bytes;
    }
    Q_EMIT FileBar(0, 0);
    Q_EMIT OverallBar(0, progress_.TotalSize);
}

void tPriceUpdateMachine::NextRow()
{
    for (++row_; row_ < static_cast<int>(rows_.size()) && !rows_[static_cast<size_t>(row_)].Checked; ++row_) {
    }
    if (row_ >= static_cast<int>(rows_.size())) {
        EndWalk();
        return;
    }
    const tPriceRow &r = rows_[static_cast<size_t>(row_)];
    const tCountryInfo &c = *r.Country;
    ++index_;
    processed_.push_back(c.CountryID);
    rowFailed_ = false;
    if (!abortQueue_)
        SetPhase(tPhase::Fetching);
    retryPrefix_ = QStringLiteral("Updating ") + c.Name;
    Q_EMIT StatusText(retryPrefix_ + QStringLiteral(" (") + QString::number(index_) + QStringLiteral(" of ") +
                      QString::number(checked_) + QStringLiteral(")"));
    Q_EMIT FileBar(0, r.Bytes);

    QString name = CountryFileName(c, QStringLiteral(".OVP"));
    if (FindInListing(listing_, name) && !abortQueue_) {
        step_ = tStep::FetchPrices;
        worker_->Fetch(name, LocalTarget(s_.PricesRedirect, name), MaxAttempts);
        return;
    }
    // A price list the server does not offer is no update: the row shows it
    // failed, and neither its structure file nor a price date is taken.
    rowFailed_ = true;
    progress_.FileFinished();
    FinishRow();
}

void tPriceUpdateMachine::FetchStructureFile()
{
    const tCountryInfo &c = *rows_[static_cast<size_t>(row_)].Country;
    QString name = CountryFileName(c, QStringLiteral(".OVCD"));
    if (FindInListing(listing_, name) && !abortQueue_) {
        step_ = tStep::FetchStructure;
        worker_->Fetch(name, LocalTarget(s_.CountriesRedirect, name), MaxAttempts);
        return;
    }
    progress_.FileFinished();
    FinishRow();
}

void tPriceUpdateMachine::OnFetched(bool ok)
{
    switch (step_) {
    case tStep::DatesFetch:
        worker_->Disconnect();
        if (!ok) {
            FinishDates(QString());
            return;
        }
        try {
            serverDates_ = ReadServerPriceDates(s_, datesPath_);
        } catch (const std::exception &e) {
            FinishDates(QString::fromUtf8(e.what()));
            return;
        }
        FinishDates(QString());
        return;
    case tStep::FetchPrices:
        progress_.FileFinished();
        if (!ok) {
            // Its structure file would not fit the old price list.
            rowFailed_ = true;
            FinishRow();
            return;
        }
        FetchStructureFile();
        return;
    case tStep::FetchStructure:
        progress_.FileFinished();
        if (ok)
            someUpdates_ = true;
        else
            rowFailed_ = true;
        FinishRow();
        return;
    default:
        return;
    }
}

void tPriceUpdateMachine::FinishRow()
{
    step_ = tStep::None;
    const tCountryInfo &c = *rows_[static_cast<size_t>(row_)].Country;
    Q_EMIT RowFinished(row_, rowFailed_);
    // A row whose structure file failed after its price list arrived records
    // no price date: the next update offers it again.
    if (!rowFailed_)
        Guarded([&] { RecordPriceDate(s_, c); });
    Guarded([&] { ReloadCountry(c); });
    Q_EMIT StatusChanged();
    if (abortQueue_)
        EndWalk();
    else
        NextRow();
}

void tPriceUpdateMachine::ReloadCountry(const tCountryInfo &c)
{
    const int id = c.CountryID;
    const bool inTable = id >= 0 && id <= MaxCountry;
    std::array<bool, CountryTableSize> others = s_.PricesModifiedArray;
    if (inTable) {
        others[static_cast<size_t>(id)] = false;
        s_.PricesModifiedArray[static_cast<size_t>(id)] = false;
    }
    Q_EMIT s_.Events->ReloadCountryPrices(id);
    s_.Events->RethrowFailure();
    // Reading the lists afresh must not cost the other countries their
    // unsaved changes.
    s_.PricesModifiedArray = others;
    s_.PricesModified = std::any_of(others.begin(), others.end(), [](bool b) { return b; });
    if (s_.SelectedTreeNode && CoinTypeToCountry(s_.SelectedTreeNode->CoinType) == id) {
        Q_EMIT s_.Events->ResortPrices();
        s_.Events->RethrowFailure();
    }
}

void tPriceUpdateMachine::EndWalk()
{
    Q_EMIT StatusText(QStringLiteral("Update complete."));
    worker_->Disconnect();
    FinishUpdate();
}

void tPriceUpdateMachine::FinishUpdate()
{
    step_ = tStep::None;
    Guarded([&] {
        WriteRegString(PLUSettingName, FormatPLU(processed_));
    });
    Guarded([&] { CalcNodeDates(s_); });
    Guarded([&] { Q_EMIT s_.Events->RenderTree(); });
    inUpdate_ = false;
    SetPhase(tPhase::Idle);
    Q_EMIT UpdateFinished();
}

void tPriceUpdateMachine::OnRetrying(int failures)
{
    if (inUpdate_)
        Q_EMIT StatusText(retryPrefix_ + QStringLiteral(" (Retry ") + QString::number(failures) + QStringLiteral(")"));
}

void tPriceUpdateMachine::OnWork(qint64 bytes)
{
    if (!inUpdate_)
        return;
    progress_.Work(bytes);
    Q_EMIT ProgressText(::ProgressText(progress_.Done(), progress_.TotalSize));
    Q_EMIT OverallBar(progress_.Done(), progress_.TotalSize);
    const qint64 rowBytes = row_ >= 0 && row_ < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row_)].Bytes : 0;
    Q_EMIT FileBar(bytes, rowBytes);
}
