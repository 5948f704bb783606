#pragma once
// The price-list download as a small state machine on the user-interface
// thread: idle, connecting, listing, fetching country k of n, stopping. The
// transfers run on the window's one FTP worker; every change to the shared
// state (price dates, reloaded price lists, the tree) happens here, between
// transfers, on the user-interface thread.
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "core/model/mainstate.h"
#include "updates/server/ftpworker.h"
#include "updates/pricelists/priceupdate.h"
#include "updates/server/updateserver.h"

// One country row as the update walks it.
struct tPriceRow {
    tCountryInfo *Country = nullptr;  // owned by CountryList
    bool Checked = false;
    qint64 Bytes = 0;                 // of its files on the server
};

class tPriceUpdateMachine : public QObject {
    Q_OBJECT
public:
    enum class tPhase { Idle, Connecting, Listing, Fetching, Stopping };

    explicit tPriceUpdateMachine(tMainState &s, tRetryTimer::Clock clock = {}, QObject *parent = nullptr);
    ~tPriceUpdateMachine() override;

    tPhase Phase() const { return phase_; }
    // A transfer or an update runs: the window must not go away.
    bool Busy() const { return phase_ != tPhase::Idle; }
    bool InUpdate() const { return inUpdate_; }
    bool AbortQueue() const { return abortQueue_; }
    // A default-structure file arrived while the window was open.
    bool SomeUpdates() const { return someUpdates_; }
    // The country being fetched (1-based) and how many are checked.
    int CurrentIndex() const { return index_; }
    int CheckedCount() const { return checked_; }
    // The server's price-list date per country number; 0 when none.
    const tPriceDates &ServerDates() const { return serverDates_; }
    const std::vector<tPriceRow> &Rows() const { return rows_; }
    const tTransferProgress &Progress() const { return progress_; }

    // Fetches "PriceDates.Dat" (each step tried once) and reads it; ends with
    // DatesReady.
    void DownloadPriceDates();
    // "Begin update" with the rows in walking order. Offers unsaved price
    // changes for saving first and backs up the Prices folder; returns false
    // when the user cancelled. Throws when the backup cannot be written; then
    // nothing has started. With no row checked the update ends here.
    bool BeginUpdate(std::vector<tPriceRow> rows);
    // Done during an update: the running country finishes, no other starts.
    void RequestStop();
    // The window is closing while the server's dates are still on their way:
    // the transfer stops at once. Nothing more can be fetched afterwards.
    void CancelTransfers();

Q_SIGNALS:
    void PhaseChanged(tPriceUpdateMachine::tPhase phase);
    void StatusText(const QString &text);     // the status label
    void ProgressText(const QString &text);   // the progress label
    void FileBar(qint64 value, qint64 maximum);
    void OverallBar(qint64 value, qint64 maximum);
    // A country finished: its row index and whether a fetch of it failed.
    void RowFinished(int row, bool failed);
    // The rows' date labels are due for a refresh.
    void StatusChanged();
    // The server dates are in (error empty) or could not be read (error).
    void DatesReady(const QString &error);
    // A step between transfers failed; the update goes on.
    void Problem(const QString &text);
    void UpdateStarted();
    void UpdateFinished();

private:
    enum class tStep { None, DatesConnect, DatesList, DatesFetch, Connect, List, FetchPrices, FetchStructure };

    void SetPhase(tPhase p);
    void OnConnected(bool ok);
    void OnListed(bool ok, const std::vector<platform::FtpEntry> &entries);
    void OnFetched(bool ok);
    void OnRetrying(int failures);
    void OnWork(qint64 bytes);
    void FinishDates(const QString &error);
    void ComputeDownloadSizes();
    void NextRow();
    void FetchStructureFile();
    void FinishRow();
    void EndWalk();
    void FinishUpdate();
    void ReloadCountry(const tCountryInfo &c);
    template <class F>
    void Guarded(F &&f);

    tMainState &s_;
    std::unique_ptr<tFtpWorker> worker_;
    tPhase phase_ = tPhase::Idle;
    tStep step_ = tStep::None;
    tPriceDates serverDates_{};
    QString datesPath_;
    std::vector<platform::FtpEntry> listing_;
    std::vector<tPriceRow> rows_;
    std::vector<int> processed_;
    tTransferProgress progress_;
    QString retryPrefix_;
    bool inUpdate_ = false;
    bool abortQueue_ = false;
    bool someUpdates_ = false;
    int checked_ = 0;
    int index_ = 0;
    int row_ = -1;          // the row being fetched
    bool rowFailed_ = false;
};
