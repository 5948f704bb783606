#pragma once
// Notifications from the logic up to the windows. The state owns one
// tStateEvents; the logic emits, and each window that shows what changed
// connects with itself as the context object, so a window that is gone
// never receives. Without a window nothing is connected and an emit reaches
// nobody, which is how the logic runs in its own tests.
//
// Every signal is connected once the program's window is assembled, or its
// name ("Events.X") is in the table of what waits for its unit; such a
// signal gets a stand-in receiver (StandIn) that logs and tells the user,
// and the action-walk test checks the rule for every signal here.
//
// All are emitted and received on the window's thread; the few whose
// receiver stores something the logic reads right after (the coin grid's
// column layout, the eBooks' unsaved mark) are connected directly.
#include <exception>
#include <utility>

#include <QHash>
#include <QMetaMethod>
#include <QObject>
#include <QString>

struct tCoinInfo;

class tStateEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether something is connected to the signal.
    bool HasReceiver(const QMetaMethod &signal) const { return isSignalConnected(signal); }
    // Connects a receiver that logs "name is not available yet: it waits
    // for unit" and says on the status line that the unit is not available.
    void StandIn(const QMetaMethod &signal, const QString &name, const QString &unit);

    // The commands sent up to the price lists (save, reload, resort, look
    // for new types) can fail, and what they throw must not cross the
    // signal. Their receivers run them through RunCommand, which keeps the
    // first failure; the sender calls RethrowFailure right after the emit,
    // so the failure reaches the command that started the work.
    template <class Fn>
    void RunCommand(Fn &&fn) noexcept
    {
        try {
            fn();
        } catch (...) {
            if (!failure_)
                failure_ = std::current_exception();
        }
    }
    void RethrowFailure()
    {
        if (std::exception_ptr failure = std::exchange(failure_, nullptr))
            std::rethrow_exception(failure);
    }

Q_SIGNALS:
    // ---- Series tree and selection ----
    void SeriesSelected();
    void CalcVisibleNodes();
    void AssignNodePorts();
    void RenderTree();
    void RefreshThemeButtons();
    void BuildFavoritesMenu();
    void ClearRecentSeriesMenu();

    // ---- Main window: caption, menus, status line, progress ----
    void SetSaveMenuVisibility();
    void SetMainCaption();
    // Lets the window draw and stay responsive during long work on its thread.
    void ProcessEvents();
    void SetStatusText(const QString &text);
    void ShowProgress(bool visible);
    void SetProgress(int position, int maximum);
    void ShowBusy(bool busy);
    void FormResize();

    // ---- Prices (pricing/pricelists, pricing/valuation) ----
    // Read every price list afresh from the Prices folder.
    void ReloadPriceLists();
    // After a price-list conversion: show statusText on the status line when
    // it is not empty, set the currency label to the active currency and
    // redraw the price grid when the Pricing page is showing.
    void PriceListsConverted(const QString &statusText);
    // Writes every price list with unsaved changes.
    void SavePricesToFile();
    // Puts PriceList into price-list order.
    void ResortPrices();
    // Removes the country's entries from PriceList after clearing every link
    // to them and reads the country's list afresh from the Prices folder.
    void ReloadCountryPrices(int country);
    void CheckForNewTypes();

    // ---- Coins page: grid and entry editor ----
    // Refills the coin grid from CurrCoinList and redraws it.
    void RefreshCoinGrid();
    // Fills the entry editor from the coin on CoinGridRow.
    void FillCoinEditor();
    // Commits the editor control that has the focus, as leaving it would.
    // Save, Close and a series change emit it first: menus and shortcuts
    // reach them without moving the focus.
    void CommitPendingEdit();
    // Rebuilds CurrCoinList for the selected series through the view filter
    // and sets up the Coins page.
    void PrepCoinsPage();
    // Sorts CurrCoinList by the coin list's sort keys.
    void SortFolderCoins();
    // Makes the entry's row the grid's current row and scrolls it into
    // view; the caller has already set CoinGridRow to the entry's index.
    void SelectCoin(const tCoinInfo *coin);
    // Totals of a multi-selection.
    void UpdateSelectionSummary();
    // When the notes memo fills the editor, shows the other controls again.
    void RestoreNotesMemo();
    // Makes the Coins page the active page.
    void ShowCoinsPage();
    // The report-bin count on the Coins page.
    void ShowBinCount();

    // ---- Collection file: the window-side steps of reading a collection ----
    void ClearClickTrackList();
    // After every entry was freed: find windows, eBook mark.
    void CoinsCleared();
    // Another collection is about to replace the open one (read or made
    // new): tool windows holding the old one's data close unapplied.
    void CollectionReplaced();
    // Frees the user-field controls.
    void ClearUDFControls();
    void CreateUDFobjects();
    void BuildUDFHistoryLists();
    // The coin grid's layout is about to be written: its owner stores the
    // packed layout in ColumnLayout.
    void ColumnLayoutWanted();
    void UnpackColumnData(const QString &layout);
    void ResetCoinGridColumnWidths();
    void SetupCoinGridCols();
    // The Coins and Images pages.
    void HideCoinPages();
    void CreateDefaultDatabase();
    void LoadReportList();
    void UpdateRecentFiles(const QString &fileName);

    // ---- eBooks ----
    // The closing and saving questions are about to read EbooksModified:
    // the eBooks page stores whether some index has unsaved changes.
    void EbooksModifiedWanted();
    // Writes the changed eBook index files.
    void SaveEbookIndexes();
    // Marks the series the chosen eBook indexes; the Countries window emits
    // it after adding series, which arrive unmarked.
    void DesignateIndexedeBooks();

private Q_SLOTS:
    void NotAvailable();

private:
    std::exception_ptr failure_;
    struct tWaiting {
        QString Name;
        QString Unit;
    };
    QHash<int, tWaiting> waiting_;
};
