#pragma once
// The main window: the hub that owns the shared state. It builds its
// controls, runs the start-up sequence, lays itself out for coins or paper
// money, and refreshes each page as it is entered. Its logic lives in the
// subsystems' plain code, which takes the state by reference; calls into
// units that are not part of the program yet go through Seams.
#include <array>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include "core/model/mainstate.h"
#include "browse/shell/housekeeping.h"
#include "browse/shell/makerlinks.h"
#include "browse/tree/seriesselection.h"

class TSeriesTreeView;
class TShortcutForm;
#include "browse/shell/ui/mainformcontrols.h"
#include "browse/coins/calendar.h"
#include "browse/shell/ui/seams.h"

class QProgressBar;
class QRadioButton;
class QSizeGrip;
class QTimer;
class TStatsPanel;
class TToolWindowHoming;
class TBullionForm;
class TForexForm;
class TGradesForm;
class TPastePriceForm;
class TCoinEditorPanel;
class TCoinGridPage;
class TPriceGridView;
class TFinderCommands;
class TSeriesCommands;
class TDayCell;
class TSeriesPicturePanel;
class TThumbnailStrip;
class TQuarterForm;
class TNACallout;
class TUDFform;
struct tCalendarState;
class TCoinImagesPage;
class TRepositoryForm;

// Intervals of the window's timers; tests shorten or stop them.
struct tMainFormTimings {
    int StartupTimerInterval = 5000;  // deferred start-up, one shot
    int FormsTimerInterval = 1000; // housekeeping tick
};

class TMainForm : public QMainWindow, public TMainFormControls {
    Q_OBJECT
public:
    explicit TMainForm(const tMainFormSeams &seams = {}, const tMainFormTimings &timings = {},
                       QWidget *parent = nullptr);
    ~TMainForm() override;

    tMainState State;

    // ---- Series tree view and series selection ----
    TSeriesTreeView *SeriesTree = nullptr;
    // The steps of a selection that other pages carry out; each page
    // installs its own when it is built.
    tSelectionSeams SelectionSeams;
    void EmbedSeriesTree();
    // ---- end of series tree view and series selection ----
    // ---- Subsystems wired into the window ----
    TCoinGridPage *CoinGridPage = nullptr;
    TCoinEditorPanel *CoinEditor = nullptr;
    TPriceGridView *PriceGrid = nullptr;      // the Pricing page's grid
    QLabel *MetalStrip = nullptr;             // bullion prices on the status line
    QAction *DownloadPriceLists1 = nullptr;
    TStatsPanel *StatsPanel = nullptr;        // the Stats side page
    void EmbedStatsPage();
    // ---- Housekeeping timer and tool-window homing ----
    tHousekeeping Housekeeping{State};        // FormsTimer's tick
    TToolWindowHoming *Homing = nullptr;      // the glide animations and the walk
    QSizeGrip *WindowSizeGrip = nullptr;
    void InstallHousekeeping();
    // ---- end of housekeeping ----
    // ---- Coin pictures (mainformimages.cpp) ----
    // The Images page in TabImages, with the page-switch seams it serves.
    TCoinImagesPage *ImagesPage = nullptr;
    void EmbedImagesPage();
    // Tools "Image Repository": the window, one at a time.
    void Repository1Click();
    QPointer<TRepositoryForm> RepositoryForm;
    // ---- end of coin pictures ----
    // The finder windows and the tracking commands.
    TFinderCommands *Finders = nullptr;
    // The series menu's editing commands, themes, the series menus of
    // "Favorites", the credit picture and the empty-series callout.
    TSeriesCommands *SeriesCommands = nullptr;
    // Installs the subsystems' functions for every seam and state hook a
    // caller left unset, and embeds the Coins and Reports pages.
    void InstallSubsystems();
    // The price tools: grade scales, exchange rates, bullion values and the
    // paste-price tool, with the menu items and labels that open them.
    void InstallPriceTools();
    QAction *ExchangeRates1 = nullptr;
    QPointer<TGradesForm> GradesForm;
    QPointer<TForexForm> ForexForm;
    QPointer<TBullionForm> BullionForm;
    QPointer<TPastePriceForm> PastePriceForm;
    void UserGrades1Click();
    void ExchangeRates1Click();
    void Bullionvalues1Click();
    void ShowPastePriceForm();
    void EmbedCoinsPage();
    // The editor's calendar, value callout and user-defined fields
    // (mainformeditor.cpp).
    void InstallCoinEditor();
    // Closes, unapplied, the tool windows that hold the open collection's
    // data (the CollectionReplaced event).
    void CloseCollectionWindows();
    void OpenDatePopup(QWidget *target);
    void DatePopupPopup();
    void RenderDatePopup();
    void DatePopupClosePopup();
    tCalendarState CalendarState() const;
    void SetCalendarState(const tCalendarState &c);
    void ShowNAHint(int row);
    void Userfields1Click();
    TNACallout *NA_Popup = nullptr;
    QPointer<TUDFform> UDFform;
    // The price grid, its buttons and the copy and paste commands.
    void EmbedPricingPage();
    // Opens or closes the settings strip of the Coins page.
    void SlideSettings(QObject *sender);
    void ApplyFormState();
    // Writes the settings kept at close; true when all were written.
    bool SaveFormState();
    // ---- Series pictures (mainformpictures.cpp) ----
    TSeriesPicturePanel *SeriesPictures = nullptr;  // small pictures, large and real-size views
    TThumbnailStrip *Thumbnails = nullptr;          // the Coins page's picture strip
    QPointer<TQuarterForm> QuarterForm;             // "Special Series Images", one at a time
    void InstallSeriesPictures();
    void QuarterForm1Click();
    // ---- end of subsystems ----
    // ---- Menu commands (mainformmenus.cpp) ----
    QAction *NewCollectionAction = nullptr;  // File "New"
    QAction *SaveBackup1 = nullptr;       // File "Save Backup"
    QAction *CreateBackupZip1 = nullptr;  // File "Create Backup zip file"
    QAction *UpdateSeries1 = nullptr;     // series menu "Update this series"
    QMenu *RightMenu = nullptr;           // the series menu of the tree
    QProgressBar *BusyIndicator = nullptr;  // busy indicator, centred on the window
    // Adds the commands the layout leaves out and connects every menu
    // command whose unit is built.
    void ConnectMenuCommands();
    // Check marks and shortcuts from the settings read at start.
    void ApplyMenuSettings();
    // Puts the shortcuts kept in the state on their menu items.
    void ApplyMenuShortcuts();
    // "Menu Shortcuts": the window, one at a time.
    void MenuShortcuts1Click();
    QPointer<TShortcutForm> ShortcutForm;
    // Shows the Save commands that have something to save.
    void SetSaveMenuVisibility();
    // Large or normal fonts throughout the window, as "Use large fonts" says.
    void ApplyLargeFonts(bool large);
    void ShowBusy(bool busy);
    int BusyDepth = 0;
    // ---- end of menu commands ----
    // ---- The window's own commands and the maker's links
    // (mainformlayoutcommands.cpp) ----
    void InstallLayoutCommands();
    // The caption at the top, at the largest size that fits.
    void SetSelectedLabelCaption(const QString &caption);
    // 80 % of the screen, not maximised (F11 by default).
    void ResizeMainWindow1Click();
    // Opens another About box over the window.
    void AboutOrvanta1Click();
    // Opens the address kept in the link's setting, or says it has none.
    void OpenMakerLink(tMakerLink link);
    // ---- end of the window's own commands ----
    tMainFormSeams Seams;

    // ---- Timers ----
    QTimer *StartupTimer = nullptr;
    QTimer *FormsTimer = nullptr;
    QTimer *KeyTimer = nullptr;
    QTimer *TreeScrollTimer = nullptr;

    // ---- Window state ----
    QStringList CommandLine;       // arguments after the program name
    QString SeriesKeyFilter;       // letters typed so far on the Series page
    bool NoteMaxed = false;        // the notes memo fills the editor page
    bool SettingOut = false;       // the settings strip of the Coins page is open
    bool SearchingThemes = false;
    bool PricePaisterInUse = false;
    int HotPrice = -1;             // index in CurrPriceList matching the current coin
    int AutoSaveTicks = 0;
    int DataSetCoinsFieldCount = 0;
    bool PaperLayout = false;      // the layout applied last
    // Design position of the notes area: X, Y of NoteMaxedBtn; X, Y, width,
    // height of NotesMemo; restored after the notes were maximised.
    std::array<int, 6> NoteMemoPos{};
    // Day cells of the date pop-up, index 1..31.
    std::array<TDayCell *, 32> DateShapes{};
    // Element 0: the date shown as current; element 1: the month on display
    // and, once picked, the day picked.
    std::array<quint16, 2> PurchasedYY{};
    std::array<quint16, 2> PurchasedMM{};
    std::array<quint16, 2> PurchasedDD{};
    std::vector<QRadioButton *> ImageRadios;

    // ---- Start-up ----
    void FormCreate();
    void StartupTimerTimeout();
    // The Coins page's report-bin picture (empty or full) and count.
    void ShowBinPicture(int count);

    // ---- Layout ----
    void LayoutMainForm(bool paperMode);
    void FormResize();
    void PlaceBigLabel();
    // Applies the picture rules of the Image side page for the layout in force.
    void ArrangePicturePanel();
    void PlaceThemeButtons();
    void PlacePricingHeader();
    void PlaceSlideStrips();
    // True when the selected series is paper money.
    bool SelectedIsPaper() const;

    // ---- Series page keyboard and tree scrolling ----
    // key is a Qt key code, keyChar the character typed (if any).
    void FormKeyDown(int &key, QChar &keyChar, Qt::KeyboardModifiers shift);
    void KeyTimerTimer();
    void TreeScrollButtonClick(QObject *sender);
    void ScrollTreePage(bool up);

    // ---- Page switching ----
    void PageTabsChange();
    void SideTabsChange();
    int CurrentPageTag() const;

    // ---- Date pop-up ----
    void BuildDatePopup();
    void TodayButtonClick();

    // ---- Handlers ----
    void LegendCheckBoxChange();
    void FavoriteBoxChange();
    void FaceBook1Click();
    void NextSeriesLabelClick();
    void ObverseLabelClick(QObject *sender);
    void SelectedLabelClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The parts of InstallSubsystems, in the order it runs them.
    void InstallStartupLoaders();
    void InstallPageSeams();
    void InstallStateEvents();
    void InstallSelectionSteps();
    void EmbedUpperPages();
    // The parts of FormCreate, in the order it runs them.
    void ResetStartupState();
    void LoadStartupData();
    void ArrangeStartupControls();
    void ShowStartupValues();
    void ConnectHandlers();
    void ShowSelectedCaption(const QString &caption);
    void CloseSettingStrip();
    int CoinGridRow() const;
    void CopyToClipboard(const QString &text);
    void RecordNoteMemoPos();
    void ApplyScrollBarPolicies();

    // The close ends the program at start without a collection: no closing
    // questions.
    bool closeUnasked_ = false;
};

// The one main window of the process, set while it exists.
extern TMainForm *MainForm;

// The address behind "Visit Quillfen on Facebook".
inline const QString FacebookPageAddress = QStringLiteral("https://www.facebook.com/QuillfenSoftware");
