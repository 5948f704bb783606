#pragma once
// The calls the main window makes into units that are not part of the program
// yet, gathered in one place. Each is a function the owning unit installs
// when it lands (in src/app/main.cpp, before the window is created, or on the
// window's Seams member afterwards). An unset entry does nothing, or the
// least that keeps the window usable, as noted beside it; tests install
// recording doubles.
#include <array>
#include <functional>
#include <vector>

#include <QString>

class QObject;
class QWidget;
struct tnodeinfo;
struct tCoinInfo;
struct tPriceInfo;

struct tMainFormSeams {
    // ---- Program entry and window creation, in the order they are called ----
    // Whether the keys that ask for log mode are held (unset: Ctrl without Shift).
    std::function<bool()> LogModeKeysHeld;
    // The application's exception handler (error window).
    std::function<void()> InstallAppException;
    // The theme rows of the Themes side page.
    std::function<void()> BuildThemePanel;
    // Names of the precious metals.
    std::function<void()> LoadMetals;
    // Window placement, options, view flags and menu shortcuts from the settings store.
    std::function<void()> LoadFormState;
    // Headers of the default-structure files into CountryList.
    std::function<void()> LoadCountries;
    // Currency table and spot-price file into ForexList (never holds start-up long).
    std::function<void()> LoadForexAndSpotPrices;
    // Price dates of the country price lists.
    std::function<void()> LoadPriceDates;
    // The series tree's row pool for the height of TreeLayout.
    std::function<void()> BuildNodePorts;
    // The eBook library from EbooksRedirect.
    std::function<void()> LoadEbooks;
    // The coin-list view filter (Have, Need, Sell, Sold; unset: all shown).
    std::function<std::array<bool, 4>()> ViewFlags;
    // Change handler of the four view check boxes.
    std::function<void(QObject *sender)> ViewHaveCheckBoxChange;
    // The thumbnail strip of the Coins page, with or without animation.
    std::function<void(bool animate)> PlaceThumbnailPanel;
    // The application's hint handler.
    std::function<void()> InstallAppHint;
    // Number of fields of the coin report data set (unset: 0).
    std::function<int()> DataSetCoinsFieldCount;
    // Report-bin count and picture.
    std::function<void()> ShowBinCount;
    // Metal prices re-scaled to the active currency and shown.
    std::function<void()> SquewSpotPrices;
    std::function<void()> DisplayMetalValues;
    // The one-second housekeeping tick.
    std::function<void()> FormsTimerTimer;
    // The series-properties dialog, created once at program start.
    std::function<void()> CreateNewFolderForm;
    // Reads a collection file; false (or an exception) when it cannot be read.
    std::function<bool(const QString &fileName, bool mergeMode)> LoadDataFromFile;
    // The welcome window at start, modal: true when a collection was chosen,
    // false when the collector closed it, which ends the program.
    std::function<bool()> ShowWelcomeWindow;
    // Whether the tip of the day is wanted (unset: the stored default, on).
    std::function<bool()> UseTips;
    std::function<void()> Tipoftheday1Click;

    // ---- Series tree ----
    std::function<void()> AssignNodePorts;
    std::function<void()> RenderTree;
    std::function<void(tnodeinfo *node)> MakeTreeNodeVisible;

    // ---- Series page side panel ----
    // Leaves the enlarged-picture view.
    std::function<void()> BigImageDown;
    // Statistics labels for the coin (true) or paper layout.
    std::function<void(bool coinLayout)> ArrangeStatsLabels;
    // Shows the named theme rows and hides the others.
    std::function<void()> SetupThemesBox;
    // The row widgets of the named themes, in theme order, for placing.
    std::function<std::vector<QWidget *>()> NamedThemeRows;
    // Opens or redraws the real-size view.
    std::function<void(QObject *sender)> ViewSizeBtnClick;
    std::function<void()> BuildFavoritesMenu;
    // Next free series number of the selected subtree (statistics).
    std::function<int()> NextSeries;
    // Full path of a stored series picture name (unset: the name itself).
    std::function<QString(const QString &path, int country, bool obverse, bool paper)> FullPath;

    // ---- Caption line ----
    // Shows a caption in SelectedLabel (unset: the text as it is).
    std::function<void(const QString &caption)> SetSelectedLabelCaption;

    // ---- Pricing page ----
    std::function<void(int hotPrice)> SetupPricelistColumns;
    std::function<void()> RenderPrices;
    std::function<void()> ResortPrices;
    // Country name by number (unset: empty).
    // A packed variety in display form (unset: unchanged).
    std::function<void()> ShowUserSeriesHint;
    // The paste-price window of maintainer mode.
    std::function<void()> ShowPastePriceForm;
    // The price entry of the price grid's selected column; unset or null
    // when no price entry is selected.
    std::function<tPriceInfo *()> SelectedPriceEntry;
    // Records an undo snapshot of a price entry before a tool overwrites it.
    std::function<void(tPriceInfo &entry)> RecordPriceUndo;

    // ---- Coins page ----
    // The coin grid's current row (unset: -1, no row).
    std::function<int()> CoinGridRow;
    // Sets the coin grid's current row; -1 clears the selection.
    std::function<void(int row)> SetCoinGridRow;
    std::function<void(tCoinInfo *coin)> SelectCoin;
    std::function<void()> SortFolderCoins;
    std::function<void()> AddRecent;
    std::function<void(bool keepPos)> BuildDateMintBoxList;
    std::function<void()> UpdateSelectionSummary;
    std::function<void(int row)> ShowNAHint;
    std::function<void(QObject *sender)> NoteMaxedBtnClick;
    // Opens or closes the settings strip; sender PageTabs snaps it shut
    // (unset: the strip is closed at once when sender is PageTabs).
    std::function<void(QObject *sender)> SettingSlideLabelClick;
    std::function<void()> ClearUDFlist2;
    std::function<void()> CreateUDFobjects;
    std::function<void(int row)> ShowUDFValues;
    // Writes the value of an editor control into the selected coins.
    std::function<void(QObject *sender)> StuffCoinInfo;
    // Date pop-up: month display, cells, and writing the picked date.
    std::function<void()> RenderDatePopup;
    std::function<void()> DatePopupClosePopup;
    std::function<void(QObject *label)> DayCellMouseEnter;
    std::function<void(QObject *label)> DayCellMouseLeave;
    std::function<void(QObject *label)> DayCellClick;

    // ---- Images page ----
    // One-line label of a coin (unset: year, mint and variety joined by blanks).
    std::function<void()> BuildImageRadios;
    std::function<void()> LoadCoinImage;
    std::function<void()> UpdateImageButtons;
    std::function<void()> ResetImageEffects;

    // ---- eBooks, Graphs and Reports pages ----
    std::function<void()> BookListBoxChange;
    std::function<void()> BuildCollectionChart;
    std::function<void(int itemIndex)> ShowReportDescription;
    // Zoom of the report preview, 1 for 100 % (unset: 1).
    std::function<double()> PreviewZoom;

    // ---- Pages and windows of libraries above the main window ----
    // Builds the Reports page inside the Reports tab (unset: the tab keeps
    // its empty layout).
    std::function<void(QWidget *reportsTab)> EmbedReportsPage;
    // Builds the eBooks page inside the eBooks tab in place of the window's
    // stand-in (unset: the stand-in stays).
    std::function<void(QWidget *ebooksTab)> EmbedEbooksPage;
    // "Download price lists" (unset: the menu item is hidden).
    std::function<void()> OpenPriceUpdateForm;
    // Asks the closing questions; false keeps the window open. Unset: the
    // window closes.
    std::function<bool()> CanClose;
};

// Installs fn in a seam or hook unless a caller (a test recording calls)
// set it already.
template <class F, class G>
void SetIfUnset(F &slot, G &&fn)
{
    if (!slot)
        slot = std::forward<G>(fn);
}

// Calls a seam when it is set; an unset seam gives its result type's default.
template <class R, class... Params, class... Args>
R CallSeam(const std::function<R(Params...)> &seam, Args &&...args)
{
    if (seam)
        return seam(std::forward<Args>(args)...);
    if constexpr (!std::is_void_v<R>)
        return R{};
}
