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
class QWidget;
class TDatePopup;
class TRotatedLabel;
class TSizePanel;

struct TMainFormControls {
    // ---- Frame of the window ----
    QFrame *SelectedPanel = nullptr;      // caption line across the top, 29 high
    QLabel *SelectedLabel = nullptr;      // the red caption naming the selection
    QTabWidget *TabControl1 = nullptr;    // the seven pages, tab strip at the bottom
    QWidget *TabSeries = nullptr;
    QWidget *TabEbooks = nullptr;
    QWidget *TabPricing = nullptr;
    QWidget *TabCoins = nullptr;
    QWidget *TabImages = nullptr;
    QWidget *TabGraphs = nullptr;
    QWidget *TabReports = nullptr;
    QLabel *StatusLabel = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // ---- Menus ----
    QMenu *MenuItem8 = nullptr;           // product-name menu, removed at start
    QMenu *FileMenu = nullptr;
    QMenu *DisplayMenu = nullptr;
    QMenu *FavoritesMenu = nullptr;
    QMenu *MenuItem16 = nullptr;          // "Tools"
    QMenu *OptionsMenu = nullptr;         // "Program settings"
    QMenu *Contact1 = nullptr;
    QMenu *RecentSeriesMenu = nullptr;
    QMenu *FavoriteSeriesMenu = nullptr;
    QAction *AboutOrvanta1 = nullptr;
    QAction *FaceBook1 = nullptr;

    // ---- Series page ----
    QBoxLayout *SeriesPageLayout = nullptr;  // tree area and side panel
    QWidget *Layout20 = nullptr;          // the tree area or the enlarged picture
    QWidget *TreeBaseLayout = nullptr;
    QWidget *TreeLayout = nullptr;        // the series tree view goes in here
    QScrollBar *TreeScrollBar = nullptr;
    QToolButton *Button7 = nullptr;       // Tag -1, above the scroll bar
    QToolButton *Button8 = nullptr;       // Tag 1, below it
    QWidget *ImagePanel = nullptr;        // enlarged-picture view
    QLabel *BigImage = nullptr;
    QLabel *MagnifierGlass1 = nullptr;
    QWidget *BigLabelLayout = nullptr;
    TRotatedLabel *BigLabel = nullptr;
    QWidget *itsLayout = nullptr;         // side panel: right (coins) or bottom (paper)
    QTabWidget *TabControl2 = nullptr;
    QWidget *Tab2Image = nullptr;
    QWidget *Tab2Themes = nullptr;
    QWidget *Tab2Stats = nullptr;
    TSizePanel *Panel6 = nullptr;         // client area of the Image side page
    QFrame *Panel1 = nullptr;             // obverse / front
    QFrame *Panel2 = nullptr;             // reverse / back
    QLabel *Image2 = nullptr;
    QLabel *Image3 = nullptr;
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
    QLabel *Label45 = nullptr;            // "Next series: " line of maintainer mode
    TSizePanel *PaperTabsLayout = nullptr;
    QPushButton *ImageCornerButton = nullptr;
    QPushButton *ThemesCornerButton = nullptr;
    QPushButton *StatsCornerButton = nullptr;
    QGraphicsDropShadowEffect *ShadowEffect1 = nullptr;

    // ---- Pricing page ----
    TSizePanel *PricingHeader = nullptr;
    QWidget *Layout13 = nullptr;          // price-list name, left
    QWidget *Layout19 = nullptr;
    QLabel *Label132 = nullptr;           // country of the price list
    QLabel *Label139 = nullptr;           // its price date
    QWidget *Layout17 = nullptr;          // "Columns:" width box
    QComboBox *PriceColWidthBox = nullptr;
    QWidget *Layout18 = nullptr;          // price row buttons
    QWidget *Layout11 = nullptr;          // currency note, right
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
    QWidget *Rectangle9 = nullptr;
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
    QLabel *Label41 = nullptr;            // caption of the comment box
    QLineEdit *CommentEdit = nullptr;
    QPlainTextEdit *NotesMemo = nullptr;
    QToolButton *NoteMaxedBtn = nullptr;
    QWidget *GridPanelLayout1 = nullptr;  // cells of the user-defined fields
    QWidget *ThumbnailPanel = nullptr;
    TSizePanel *ImageSlideLabelPanel = nullptr;
    QWidget *Rectangle10 = nullptr;
    TRotatedLabel *ImageSlideLabel = nullptr;
    TDatePopup *DatePopup = nullptr;
    QWidget *DayArea = nullptr;           // parent of the day cells
    QLabel *MonthLabel = nullptr;
    QLabel *YearLabel = nullptr;
    QPushButton *Button9 = nullptr;       // "Today"
    QPushButton *Button10 = nullptr;      // "Cancel"
    QToolButton *ImageViewer1 = nullptr;  // previous month
    QToolButton *ImageViewer2 = nullptr;  // next month

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
    QWidget *BuildPricingPage();
    QWidget *BuildCoinsPage(QMainWindow *form);
};

// The caption of the slide strip of the settings panel, closed and open.
inline const QString SettingsClosedCaption = QStringLiteral("\u25BC Settings \u25BC");
inline const QString SettingsOpenCaption = QStringLiteral("\u25B2 Settings \u25B2");
