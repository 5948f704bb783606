#pragma once
// The controls of the main window, built in code. Every control carries its
// design name as its Qt object name, so other units and tests find it with
// findChild. The eBooks, Images, Graphs and Reports tabs stay empty until
// their units build their pages into them (the members of those pages are
// null until then); the Coins page holds containers, and a few stand-ins,
// for what its units build, each marked in mainformcontrols.cpp.
#include <QString>

class QAction;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGraphicsDropShadowEffect;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;
class TDatePopup;
class TRotatedLabel;
class TSizePanel;

struct TMainFormControls {
    // ---- Frame of the window ----
    QFrame *SelectedPanel = nullptr;      // caption line across the top, 29 high
    QLabel *SelectedLabel = nullptr;      // the red caption naming the selection
    QTabWidget *PageTabs = nullptr;       // the seven pages, tab strip at the bottom
    QWidget *TabSeries = nullptr;
    QWidget *TabEbooks = nullptr;
    QWidget *TabPricing = nullptr;
    QWidget *TabCoins = nullptr;
    QWidget *TabImages = nullptr;
    QWidget *TabGraphs = nullptr;
    QWidget *TabReports = nullptr;
    QLabel *StatusLabel = nullptr;
    QProgressBar *StatusProgressBar = nullptr;

    // ---- Menus ----
    QMenu *ProductMenu = nullptr;         // product-name menu, removed at start
    QMenu *FileMenu = nullptr;
    QMenu *DisplayMenu = nullptr;
    QMenu *FavoritesMenu = nullptr;
    QMenu *ToolsMenu = nullptr;           // "Tools"
    QMenu *OptionsMenu = nullptr;         // "Program settings"
    QMenu *Contact1 = nullptr;
    QMenu *RecentSeriesMenu = nullptr;
    QMenu *FavoriteSeriesMenu = nullptr;
    QAction *AboutOrvanta1 = nullptr;
    QAction *FaceBook1 = nullptr;

    // ---- Series page ----
    QBoxLayout *SeriesPageLayout = nullptr;  // tree area and side panel
    QWidget *SeriesViewArea = nullptr;    // the tree area or the enlarged picture
    QWidget *TreeBaseLayout = nullptr;
    QWidget *TreeLayout = nullptr;        // the series tree view goes in here
    QScrollBar *TreeScrollBar = nullptr;
    QToolButton *TreeScrollUpButton = nullptr;  // Tag -1, above the scroll bar
    QToolButton *TreeScrollDownButton = nullptr;  // Tag 1, below it
    QWidget *ImagePanel = nullptr;        // enlarged-picture view
    QLabel *BigImage = nullptr;
    QLabel *MagnifierGlass = nullptr;
    QWidget *BigLabelLayout = nullptr;
    TRotatedLabel *BigLabel = nullptr;
    QWidget *itsLayout = nullptr;         // side panel: right (coins) or bottom (paper)
    QTabWidget *SideTabs = nullptr;
    QWidget *Tab2Image = nullptr;
    QWidget *Tab2Themes = nullptr;
    QWidget *Tab2Stats = nullptr;
    TSizePanel *ImageSidePanel = nullptr;  // client area of the Image side page
    QFrame *ObversePanel = nullptr;       // obverse / front
    QFrame *ReversePanel = nullptr;       // reverse / back
    QLabel *ObverseImage = nullptr;
    QLabel *ReverseImage = nullptr;
    QLabel *ObverseLabel = nullptr;
    QLabel *ReverseLabel = nullptr;
    QLabel *ObverseNoImageLabel = nullptr;
    QLabel *ReverseNoImageLabel = nullptr;
    QPushButton *ViewSizeBtn = nullptr;
    QCheckBox *FavoriteBox = nullptr;
    QWidget *StackPickerLayout = nullptr;
    QComboBox *StackPickerBox = nullptr;
    QCheckBox *LegendCheckBox = nullptr;
    QScrollArea *ThemesBox = nullptr;
    TSizePanel *ThemesContent = nullptr;  // parent of the theme rows
    QLabel *ThemespacerLabel = nullptr;
    QScrollArea *StatsScrollBox = nullptr;
    QWidget *StatsContent = nullptr;      // parent of the statistics labels
    QLabel *NextSeriesLabel = nullptr;    // "Next series: " line of maintainer mode
    TSizePanel *PaperTabsLayout = nullptr;
    QPushButton *ImageCornerButton = nullptr;
    QPushButton *ThemesCornerButton = nullptr;
    QPushButton *StatsCornerButton = nullptr;
    QGraphicsDropShadowEffect *CornerButtonShadow = nullptr;

    // ---- Pricing page ----
    TSizePanel *PricingHeader = nullptr;
    QWidget *PriceListNameLayout = nullptr;  // price-list name, left
    QWidget *PriceTitleLayout = nullptr;
    QLabel *PriceCountryLabel = nullptr;  // country of the price list
    QLabel *PriceDateLabel = nullptr;     // its price date
    QWidget *PriceColumnsLayout = nullptr;  // "Columns:" width box
    QComboBox *PriceColWidthBox = nullptr;
    QWidget *PriceButtonsLayout = nullptr;  // price row buttons
    QWidget *ForexLayout = nullptr;       // currency note, right
    QLabel *ForexLabel = nullptr;
    QWidget *PriceGridPanel = nullptr;    // the price grid goes in here
    QLabel *WarningLabelPrices = nullptr;

    // ---- Coins page ----
    QWidget *SettingPanel = nullptr;
    QScrollArea *SettingScrollBox = nullptr;
    QCheckBox *ViewHaveCheckBox = nullptr;
    QCheckBox *ViewNeedCheckBox = nullptr;
    QCheckBox *ViewSellCheckBox = nullptr;
    QCheckBox *ViewSoldCheckBox = nullptr;
    QPlainTextEdit *GradedByMemo = nullptr;
    QPlainTextEdit *StoredInMemo = nullptr;
    TSizePanel *SettingSlideLabelPanel = nullptr;
    QWidget *SettingSlideBackground = nullptr;
    TRotatedLabel *SettingSlideLabel = nullptr;
    QWidget *CoinGridPanel = nullptr;     // the coin grid goes in here
    QTableWidget *CoinGrid = nullptr;
    QWidget *WarningPanelCoins = nullptr;
    QWidget *SumPanel = nullptr;
    QToolButton *BinImage = nullptr;  // the report bin's picture: puts the selection in or out
    QLabel *BinLabel = nullptr;       // how many entries the bin holds
    QScrollArea *CoinScrollBox = nullptr; // the coin entry editor
    QComboBox *DateMintBox = nullptr;
    QComboBox *GradeBox = nullptr;
    QComboBox *GMbox = nullptr;
    QLineEdit *BuyDateBox = nullptr;
    QLineEdit *SellDateBox = nullptr;
    QToolButton *BuyDateButton = nullptr;
    QToolButton *SellDateButton = nullptr;
    QLabel *CommentCaption = nullptr;     // caption of the comment box
    QLineEdit *CommentEdit = nullptr;
    QPlainTextEdit *NotesMemo = nullptr;
    QToolButton *NoteMaxedBtn = nullptr;
    QWidget *UserFieldsPanel = nullptr;   // cells of the user-defined fields
    QWidget *ThumbnailPanel = nullptr;
    TSizePanel *ImageSlideLabelPanel = nullptr;
    QWidget *ImageSlideBackground = nullptr;
    TRotatedLabel *ImageSlideLabel = nullptr;
    TDatePopup *DatePopup = nullptr;
    QWidget *DayArea = nullptr;           // parent of the day cells
    QLabel *MonthLabel = nullptr;
    QLabel *YearLabel = nullptr;
    QPushButton *TodayButton = nullptr;   // "Today"
    QPushButton *DateCancelButton = nullptr;  // "Cancel"
    QToolButton *PrevMonthButton = nullptr;  // previous month
    QToolButton *NextMonthButton = nullptr;  // next month

    // ---- Images page ----
    QRadioButton *ImageRadioObv = nullptr;
    QRadioButton *ImageRadioRev = nullptr;
    QRadioButton *ImageRadioReceipt = nullptr;
    QRadioButton *ImageRadioAdd = nullptr;
    QPushButton *SaveImageButton = nullptr;
    QPushButton *PrintImageButton = nullptr;
    QScrollArea *iView = nullptr;
    QWidget *ImageEffectsLayout = nullptr;
    QWidget *CoinPDFLayout = nullptr;

    // ---- eBooks page ----
    QListWidget *BookListBox = nullptr;
    QListWidget *BookmarkBox = nullptr;
    QScrollArea *eBookScrollBox = nullptr;
    QWidget *eBookSearchLayout = nullptr;
    QWidget *eBookButtonsLayout = nullptr;

    // ---- Graphs page ----
    QComboBox *ChartPickerComboBox = nullptr;
    QScrollArea *GraphsVertScrollBox = nullptr;

    // ---- Reports page: the reports subsystem's page, whose controls the
    // window reaches through these once the program has built it into
    // TabReports (null until then). ----
    QListWidget *ReportListBox = nullptr;
    QTabWidget *ReportTabControl = nullptr;
    QWidget *DescriptionTab = nullptr;
    QWidget *PreviewTab = nullptr;
    QSlider *ReportZoomTrackBar = nullptr;

    // Builds every control into the window.
    void SetupControls(QMainWindow *form);

private:
    void BuildMenus(QMainWindow *form);
    QWidget *BuildSeriesPage();
    QWidget *BuildSeriesViewArea();
    void BuildImageSidePage();
    void BuildThemesSidePage();
    void BuildStatsSidePage();
    QWidget *BuildPaperTabs();
    QWidget *BuildPricingPage();
    QWidget *BuildCoinsPage(QMainWindow *form);
    QWidget *BuildCoinsSettingPanel();
    void BuildCoinGridArea(QVBoxLayout *cv);
    QWidget *BuildCoinEditor();
    void BuildThumbnailStrip(QHBoxLayout *h);
    void BuildDatePopupControls(QMainWindow *form);
};

// The caption of the slide strip of the settings panel, closed and open.
inline const QString SettingsClosedCaption = QStringLiteral("\u25BC Settings \u25BC");
inline const QString SettingsOpenCaption = QStringLiteral("\u25B2 Settings \u25B2");
