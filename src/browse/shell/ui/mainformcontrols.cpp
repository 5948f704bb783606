#include "browse/shell/ui/mainformcontrols.h"
#include "pricing/pricelists/pricegrid.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "browse/seriespictures/ui/picturebox.h"
#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainwidgets.h"

namespace {

QLabel *Caption(const QString &text, int px = 14, bool bold = false)
{
    auto *l = new QLabel(text);
    SetPixelFont(l, px, bold);
    return l;
}

QAction *AddItem(QMenu *menu, const char *name, const QString &caption, bool checkable = false)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

QScrollArea *MakeScrollBox(const char *name, QWidget *content)
{
    auto *box = Make<QScrollArea>(name);
    box->setWidgetResizable(true);
    box->setFrameShape(QFrame::NoFrame);
    box->setWidget(content);
    return box;
}

// A page of a tab control with its tag, for the page switch.
QWidget *MakePage(const char *name, int tag)
{
    auto *page = Make<QWidget>(name);
    page->setProperty("Tag", tag);
    return page;
}

// A framed square that holds a series picture and its "no image" note.
QFrame *MakePicturePanel(const char *panelName, const char *imageName, QLabel **image, const char *noImageName,
                         QLabel **noImage, QWidget *parent)
{
    auto *panel = Make<QFrame>(panelName, parent);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(1, 1, 1, 1);
    auto *img = Make<TPictureBox>(imageName);
    grid->addWidget(img, 0, 0);
    if (noImageName && noImage) {
        auto *note = Make<QLabel>(noImageName);
        note->setAlignment(Qt::AlignCenter);
        note->setStyleSheet(QStringLiteral("color: #A0A0A0;"));
        SetPixelFont(note, 14);
        grid->addWidget(note, 0, 0);
        *noImage = note;
    }
    *image = img;
    return panel;
}

const char *const StyleSheet = R"(
QFrame#SelectedPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #E9E9E9);
                       border-bottom: 1px solid #C8C8C8; }
QLabel#SelectedLabel { color: #DC143C; padding-right: 8px; }
QTabWidget#TabControl1 > QTabBar::tab { height: 32px; min-width: 96px; padding: 0 10px; font-size: 14px; }
QTabWidget#TabControl2 > QTabBar::tab { height: 26px; min-width: 70px; }
QWidget#SeriesTreePlace { background: #FFFFFF; }
QFrame#Panel1, QFrame#Panel2, QFrame#Panel8, QFrame#Panel10 { background: #FFFFFF; border: 1px solid #C8C8C8; }
QWidget#Rectangle9, QWidget#Rectangle10 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,
                                          stop:0 #F2F2F2, stop:1 #D5D5D5); }
QPushButton[CornerButton="true"] { text-align: left; padding-left: 12px; font-size: 16px;
                                   border: 1px solid #A0A0A0; border-left: none;
                                   border-top-right-radius: 15px 20px; border-bottom-right-radius: 15px 20px; }
QPushButton[StyleLookup="CornerButtonStyleUp"] { background: #E6E6E6; color: #404040; }
QPushButton[StyleLookup="CornerButtonStyleDown"] { background: #FFFFFF; color: #000000; font-weight: bold; }
QLabel#WarningLabelPrices { color: #8B0000; }
QWidget#PricingHeader { border-bottom: 1px solid #D0D0D0; }
)";

} // namespace

void TMainFormControls::SetupControls(QMainWindow *form)
{
    form->setStyleSheet(QString::fromLatin1(StyleSheet));
    BuildMenus(form);

    auto *central = Make<QWidget>("CentralLayout");
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    SelectedPanel = Make<QFrame>("SelectedPanel");
    SelectedPanel->setFixedHeight(29);
    auto *sp = new QHBoxLayout(SelectedPanel);
    sp->setContentsMargins(4, 0, 4, 0);
    SelectedLabel = Make<QLabel>("SelectedLabel");
    SelectedLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    SetPixelFont(SelectedLabel, 18);
    SelectedLabel->setToolTip(
        QStringLiteral("The red text indicates the series currently selected on the \"Series\" page."));
    SelectedLabel->setStatusTip(SelectedLabel->toolTip());
    sp->addWidget(SelectedLabel);
    v->addWidget(SelectedPanel);

    PageTabs = Make<QTabWidget>("TabControl1");
    PageTabs->setTabPosition(QTabWidget::South);
    PageTabs->setProperty("Tag", int(PageSeries));
    // Arrow keys on the Series page move through the tree, not the tabs.
    PageTabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    TabSeries = MakePage("TabSeries", PageSeries);
    TabEbooks = MakePage("TabEbooks", PageEbooks);
    TabPricing = MakePage("TabPricing", PagePricing);
    TabCoins = MakePage("TabCoins", PageCoins);
    TabImages = MakePage("TabImages", PageImages);
    TabGraphs = MakePage("TabGraphs", PageGraphs);
    TabReports = MakePage("TabReports", PageReports);
    // Pages sit in the order of their tags, so a tag is also the page's index.
    PageTabs->addTab(TabSeries, QStringLiteral("Series"));
    PageTabs->addTab(TabEbooks, QStringLiteral("eBooks"));
    PageTabs->addTab(TabPricing, QStringLiteral("Pricing"));
    PageTabs->addTab(TabCoins, QStringLiteral("Coins"));
    PageTabs->addTab(TabImages, QStringLiteral("Images"));
    PageTabs->addTab(TabGraphs, QStringLiteral("Graphs"));
    PageTabs->addTab(TabReports, QStringLiteral("Reports"));
    auto fill = [](QWidget *page, QWidget *content) {
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(content);
    };
    fill(TabSeries, BuildSeriesPage());
    fill(TabPricing, BuildPricingPage());
    fill(TabCoins, BuildCoinsPage(form));
    // The eBooks, Images, Graphs and Reports pages belong to other units,
    // which build them into these tabs; until then a tab is empty.
    for (QWidget *tab : {TabEbooks, TabImages, TabGraphs, TabReports}) {
        auto *l = new QVBoxLayout(tab);
        l->setContentsMargins(0, 0, 0, 0);
    }
    v->addWidget(PageTabs, 1);

    auto *status = Make<QFrame>("StatusPanel");
    status->setFrameShape(QFrame::NoFrame);
    auto *sl = new QHBoxLayout(status);
    sl->setContentsMargins(6, 2, 6, 2);
    StatusLabel = Make<QLabel>("StatusLabel");
    SetPixelFont(StatusLabel, 13);
    StatusLabel->setMinimumHeight(20);
    StatusProgressBar = Make<QProgressBar>("ProgressBar1");
    StatusProgressBar->setFixedWidth(240);
    sl->addWidget(StatusLabel, 1);
    sl->addWidget(StatusProgressBar);
    v->addWidget(status);

    form->setCentralWidget(central);
}

void TMainFormControls::BuildMenus(QMainWindow *form)
{
    QMenuBar *bar = form->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    // The product-name menu holds the contact items and the About box until
    // start-up moves them into "Tools".
    ProductMenu = bar->addMenu(QStringLiteral("Orvanta"));
    ProductMenu->setObjectName(QStringLiteral("MenuItem8"));
    Contact1 = ProductMenu->addMenu(QStringLiteral("Contact Quillfen Software"));
    Contact1->setObjectName(QStringLiteral("Contact1"));
    AddItem(Contact1, "VisitQuillfenSoftware1", QStringLiteral("Visit Quillfen Software on the web"));
    AddItem(Contact1, "YouTube1", QStringLiteral("Visit Quillfen Software on YouTube"));
    FaceBook1 = AddItem(Contact1, "FaceBook1", QStringLiteral("Visit Quillfen on Facebook"));
    AddItem(Contact1, "eMailQuillfen1", QStringLiteral("eMail Quillfen Software"));
    AboutOrvanta1 = AddItem(ProductMenu, "AboutOrvanta1", QStringLiteral("About Orvanta"));

    FileMenu = bar->addMenu(QStringLiteral("File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    AddItem(FileMenu, "Menu_open", QStringLiteral("Open..."));
    AddItem(FileMenu, "SaveCoinData1", QStringLiteral("Save this collection file"));
    AddItem(FileMenu, "SavePriceData1", QStringLiteral("Save price list changes"));
    AddItem(FileMenu, "SaveEbookData1", QStringLiteral("Save eBook changes"));
    AddItem(FileMenu, "SaveAllChanges1", QStringLiteral("Save all changes"));
    FileMenu->addSeparator();
    AddItem(FileMenu, "Addcountries1", QStringLiteral("Add Countries"));
    AddItem(FileMenu, "UserGrades1", QStringLiteral("User defined Grade Scales"));
    AddItem(FileMenu, "Userfields1", QStringLiteral("User defined Fields"));
    FileMenu->addSeparator();
    AddItem(FileMenu, "Exit1", QStringLiteral("Exit"));

    DisplayMenu = bar->addMenu(QStringLiteral("Display"));
    DisplayMenu->setObjectName(QStringLiteral("DisplayMenu"));
    // "Expand all" and "Collapse all" are the series tree view's own.
    AddItem(DisplayMenu, "QuarterForm1", QStringLiteral("Special Series Images"));

    FavoritesMenu = bar->addMenu(QStringLiteral("Favorites"));
    FavoritesMenu->setObjectName(QStringLiteral("FavoritesMenu"));
    RecentSeriesMenu = FavoritesMenu->addMenu(QStringLiteral("Recently used series"));
    RecentSeriesMenu->setObjectName(QStringLiteral("RecentSeriesMenu"));
    FavoriteSeriesMenu = FavoritesMenu->addMenu(QStringLiteral("Favorite series"));
    FavoriteSeriesMenu->setObjectName(QStringLiteral("FavoriteSeriesMenu"));

    ToolsMenu = bar->addMenu(QStringLiteral("Tools"));
    ToolsMenu->setObjectName(QStringLiteral("MenuItem16"));
    AddItem(ToolsMenu, "Tipoftheday1", QStringLiteral("Tip of the Day"));
    AddItem(ToolsMenu, "Bullionvalues1", QStringLiteral("Bullion Values"));
    AddItem(ToolsMenu, "Repository1", QStringLiteral("Image Repository"));
    AddItem(ToolsMenu, "NationalBanklist1", QStringLiteral("National Bank List"));
    AddItem(ToolsMenu, "Polygoncoinstool1", QStringLiteral("Polygon coins tool"));
    AddItem(ToolsMenu, "SerialNumberexplorer1", QStringLiteral("Serial Number Explorer"));
    QMenu *dates = ToolsMenu->addMenu(QStringLiteral("Date Converters"));
    dates->setObjectName(QStringLiteral("DateConverters1"));
    AddItem(dates, "Hebrewdateconverter1", QStringLiteral("Hebrew date converter"));
    AddItem(dates, "Romannumberconverter1", QStringLiteral("Roman number converter"));
    AddItem(dates, "Arabdateconverter1", QStringLiteral("Arab date converter"));
    AddItem(dates, "BurmeseDateConverter1", QStringLiteral("Burmese date converter"));
    AddItem(dates, "ThaiDateConverter1", QStringLiteral("Thailand date converter"));
    AddItem(dates, "BengaliDateConverter1", QStringLiteral("Bengali date converter"));
    AddItem(dates, "NapaleseDateConverter1", QStringLiteral("Nepal date converter"));
    AddItem(dates, "JapaneseDateConverter1", QStringLiteral("Japanese date converter"));
    AddItem(dates, "ChinaDateConverter1", QStringLiteral("China date converter"));
    AddItem(dates, "EthiopianDateConverter1", QStringLiteral("Ethiopian date converter"));
    ToolsMenu->addSeparator();
    AddItem(ToolsMenu, "Searchfortext1", QStringLiteral("Find Text"));
    AddItem(ToolsMenu, "Findcoinbyitemnumber1", QStringLiteral("Find a coin by item number"));
    AddItem(ToolsMenu, "FindCatalog1", QStringLiteral("Find a catalog number"));
    QMenu *tracking = ToolsMenu->addMenu(QStringLiteral("Coin tracking"));
    tracking->setObjectName(QStringLiteral("CoinTracking1"));
    AddItem(tracking, "Searchtrack1", QStringLiteral("Search && track"));
    AddItem(tracking, "Findnexttrackedcoin1", QStringLiteral("Find next tracked coin"));
    AddItem(tracking, "Trackallcoinsinselectedseries1", QStringLiteral("Track all coins in selected series"));
    AddItem(tracking, "Untrackallcoinsinselectedseries1", QStringLiteral("Untrack all coins in selected series"));
    AddItem(tracking, "Trackthecoinsinthereportbin1", QStringLiteral("Track the coins in the report bin"));
    AddItem(tracking, "Placetrackedcoinsinreportbin1", QStringLiteral("Place tracked coins in report bin"));
    QMenu *reportEditing = ToolsMenu->addMenu(QStringLiteral("Report Editing"));
    reportEditing->setObjectName(QStringLiteral("ReportEditing1"));
    AddItem(reportEditing, "ReportData1", QStringLiteral("Filters and Sorting"));
    AddItem(reportEditing, "ReportEditor1", QStringLiteral("Report Editor"));
    ToolsMenu->addSeparator();
    AddItem(ToolsMenu, "Checkforimageupdates1", QStringLiteral("Check for image updates"));
    AddItem(ToolsMenu, "Checkforprogramupdates1", QStringLiteral("Check for program  updates"));
    AddItem(ToolsMenu, "AutoAdd1", QStringLiteral("Adding new coin types"));
    // The text service is kept out of sight: nothing shows this item.
    AddItem(ToolsMenu, "BlueToothMenuItem", QStringLiteral("Enable bluetooth service"))->setVisible(false);
    ToolsMenu->addSeparator();

    OptionsMenu = bar->addMenu(QStringLiteral("Program settings"));
    OptionsMenu->setObjectName(QStringLiteral("OptionsMenu"));
    AddItem(OptionsMenu, "AutoSave1", QStringLiteral("Automatically save the collection every 15 minutes"), true);
    AddItem(OptionsMenu, "AutoBin1", QStringLiteral("Automatically add new coins to the report bin"), true);
    // The status-icons option is the series tree view's own.
    AddItem(OptionsMenu, "HighContrast1", QStringLiteral("Use large fonts"), true);
    AddItem(OptionsMenu, "MenuShortcuts1", QStringLiteral("Menu Shortcuts"));

    // Commands reached only by their keyboard shortcuts: kept on the window
    // so the shortcuts work while the items are not shown in any menu.
    const std::pair<const char *, const char *> hidden[] = {
        {"PullToFront1", "Bring windows forward"}, {"ResizeMainWindow1", "Resize main window"},
        {"PreviousItem1", "Go to previous item number"}, {"NextItem1", "Go to next item number"},
        {"CopyPrices1", "Copy prices"}, {"PastePrices1", "Paste prices"}};
    for (const auto &[name, caption] : hidden) {
        auto *a = new QAction(QString::fromLatin1(caption), form);
        a->setObjectName(QString::fromLatin1(name));
        form->addAction(a);
    }
}

QWidget *TMainFormControls::BuildSeriesPage()
{
    auto *page = Make<QWidget>("SeriesPage");
    SeriesPageLayout = new QBoxLayout(QBoxLayout::LeftToRight, page);
    SeriesPageLayout->setContentsMargins(0, 0, 0, 0);
    SeriesPageLayout->setSpacing(0);

    SeriesPageLayout->addWidget(BuildSeriesViewArea(), 1);

    // Side panel with the Image, Themes and Stats pages.
    itsLayout = Make<QWidget>("itsLayout");
    auto *side = new QHBoxLayout(itsLayout);
    side->setContentsMargins(4, 4, 0, 0);
    side->setSpacing(0);
    SideTabs = Make<QTabWidget>("TabControl2");
    SideTabs->setTabPosition(QTabWidget::South);
    SideTabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    Tab2Image = MakePage("Tab2Image", SideImage);
    Tab2Themes = MakePage("Tab2Themes", SideThemes);
    Tab2Stats = MakePage("Tab2Stats", SideStats);
    SideTabs->addTab(Tab2Image, QStringLiteral("Image"));
    SideTabs->addTab(Tab2Themes, QStringLiteral("Themes"));
    SideTabs->addTab(Tab2Stats, QStringLiteral("Stats"));
    side->addWidget(SideTabs, 1);

    BuildImageSidePage();
    BuildThemesSidePage();
    BuildStatsSidePage();
    side->addWidget(BuildPaperTabs());
    SeriesPageLayout->addWidget(itsLayout);
    return page;
}

// The tree with its scroll buttons, the enlarged picture that takes its
// place, and the caption beside them.
QWidget *TMainFormControls::BuildSeriesViewArea()
{
    SeriesViewArea = Make<QWidget>("Layout20");
    auto *area = new QHBoxLayout(SeriesViewArea);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(0);

    BigLabelLayout = Make<QWidget>("BigLabelLayout");
    BigLabelLayout->setFixedWidth(36);
    BigLabel = new TRotatedLabel(-90, BigLabelLayout);
    BigLabel->setObjectName(QStringLiteral("BigLabel"));
    SetPixelFont(BigLabel, 20, true);
    BigLabel->setToolTip(QStringLiteral("Double-click to open the image in your default image program"));
    BigLabel->setStatusTip(BigLabel->toolTip());
    area->addWidget(BigLabelLayout);

    TreeBaseLayout = Make<QWidget>("SeriesTreePanel");
    auto *tree = new QHBoxLayout(TreeBaseLayout);
    tree->setContentsMargins(0, 0, 0, 0);
    tree->setSpacing(0);
    // ---- Place of the series tree view: it adds its widget to TreeLayout's
    // layout and reads TreeScrollBar, TreeScrollUpButton and TreeScrollDownButton. ----
    TreeLayout = Make<QWidget>("SeriesTreePlace");
    TreeLayout->setAttribute(Qt::WA_StyledBackground);
    auto *treeInside = new QVBoxLayout(TreeLayout);
    treeInside->setContentsMargins(0, 0, 0, 0);
    tree->addWidget(TreeLayout, 1);
    auto *scrollColumn = new QVBoxLayout;
    scrollColumn->setSpacing(0);
    TreeScrollUpButton = Make<QToolButton>("Button7");
    TreeScrollUpButton->setProperty("Tag", -1);
    TreeScrollUpButton->setArrowType(Qt::UpArrow);
    TreeScrollDownButton = Make<QToolButton>("Button8");
    TreeScrollDownButton->setProperty("Tag", 1);
    TreeScrollDownButton->setArrowType(Qt::DownArrow);
    TreeScrollBar = Make<QScrollBar>("TreeScrollBar", Qt::Vertical);
    TreeScrollBar->setRange(0, 0);
    for (QWidget *w : {static_cast<QWidget *>(TreeScrollUpButton), static_cast<QWidget *>(TreeScrollDownButton),
                       static_cast<QWidget *>(TreeScrollBar)}) {
        w->setFocusPolicy(Qt::NoFocus);
        w->setFixedWidth(22);
    }
    scrollColumn->addWidget(TreeScrollUpButton);
    scrollColumn->addWidget(TreeScrollBar, 1);
    scrollColumn->addWidget(TreeScrollDownButton);
    tree->addLayout(scrollColumn);
    area->addWidget(TreeBaseLayout, 1);

    ImagePanel = Make<QWidget>("ImagePanel");
    ImagePanel->setProperty("Tag", 0);
    auto *ip = new QGridLayout(ImagePanel);
    BigImage = Make<QLabel>("BigImage");
    BigImage->setAlignment(Qt::AlignCenter);
    BigImage->setToolTip(QStringLiteral("Click to magnify"));
    ip->addWidget(BigImage, 0, 0);
    MagnifierGlass = Make<QLabel>("MagnifierGlass1", ImagePanel);
    MagnifierGlass->setFixedSize(150, 150);
    area->addWidget(ImagePanel, 1);
    return SeriesViewArea;
}

// Image side page: the pictures and buttons are placed by the layout rules.
void TMainFormControls::BuildImageSidePage()
{
    auto *imgPage = new QVBoxLayout(Tab2Image);
    imgPage->setContentsMargins(0, 0, 0, 0);
    ImageSidePanel = new TSizePanel;
    ImageSidePanel->setObjectName(QStringLiteral("Panel6"));
    imgPage->addWidget(ImageSidePanel);
    ObversePanel = MakePicturePanel("Panel1", "Image2", &ObverseImage, "ObverseNoImageLabel", &ObverseNoImageLabel, ImageSidePanel);
    ReversePanel = MakePicturePanel("Panel2", "Image3", &ReverseImage, "ReverseNoImageLabel", &ReverseNoImageLabel, ImageSidePanel);
    // Long-form hints: on the status line while the pointer is over them.
    for (QLabel *img : {ObverseImage, ReverseImage}) {
        img->setToolTip(QStringLiteral("Click to see the larger view of this image"));
        img->setStatusTip(img->toolTip());
    }
    for (QLabel *note : {ObverseNoImageLabel, ReverseNoImageLabel}) {
        note->setToolTip(QStringLiteral("No image is attached to this series"));
        note->setStatusTip(note->toolTip());
    }
    ObverseLabel = Make<QLabel>("ObverseLabel", QStringLiteral("Obverse"), ImageSidePanel);
    ReverseLabel = Make<QLabel>("ReverseLabel", QStringLiteral("Reverse"), ImageSidePanel);
    for (QLabel *l : {ObverseLabel, ReverseLabel}) {
        SetPixelFont(l, 16, true);
        l->adjustSize();
    }
    ViewSizeBtn = Make<QPushButton>("ViewSizeBtn", QStringLiteral("View Size"), ImageSidePanel);
    ViewSizeBtn->setFixedSize(110, 32);
    FavoriteBox = Make<QCheckBox>("FavoriteBox", QStringLiteral("Favorite series"), ImageSidePanel);
    FavoriteBox->adjustSize();
    StackPickerLayout = Make<QWidget>("StackPickerLayout", ImageSidePanel);
    auto *stack = new QHBoxLayout(StackPickerLayout);
    stack->setContentsMargins(0, 0, 0, 0);
    StackPickerBox = Make<QComboBox>("StackPickerBox");
    StackPickerBox->addItems({QStringLiteral("Australia"), QStringLiteral("Euro"), QStringLiteral("United States")});
    StackPickerBox->setCurrentIndex(2);
    LegendCheckBox = Make<QCheckBox>("LegendCheckBox", QStringLiteral("Show legend"));
    LegendCheckBox->setChecked(true);
    stack->addWidget(StackPickerBox);
    stack->addWidget(LegendCheckBox);
    StackPickerLayout->adjustSize();
}

// Themes side page: the theme rows are children of ThemesContent.
void TMainFormControls::BuildThemesSidePage()
{
    auto *themesPage = new QVBoxLayout(Tab2Themes);
    themesPage->setContentsMargins(0, 0, 0, 0);
    ThemesContent = new TSizePanel;
    ThemesContent->setObjectName(QStringLiteral("ThemesContent"));
    ThemespacerLabel = Make<QLabel>("ThemespacerLabel", ThemesContent);
    ThemesBox = Make<QScrollArea>("ThemesBox");
    ThemesBox->setFrameShape(QFrame::NoFrame);
    ThemesBox->setWidgetResizable(false);
    ThemesBox->setWidget(ThemesContent);
    themesPage->addWidget(ThemesBox);
}

// Stats side page: the statistics labels are children of StatsContent,
// which the statistics page lays out itself.
void TMainFormControls::BuildStatsSidePage()
{
    StatsContent = Make<QWidget>("StatsContent");
    NextSeriesLabel = Make<QLabel>("Label45", StatsContent);
    StatsScrollBox = MakeScrollBox("ScrollBox1", StatsContent);
    auto *statsPage = new QVBoxLayout(Tab2Stats);
    statsPage->setContentsMargins(0, 0, 0, 0);
    statsPage->addWidget(StatsScrollBox);
}

// The tab column that stands for the side tabs in the paper layout.
QWidget *TMainFormControls::BuildPaperTabs()
{
    PaperTabsLayout = new TSizePanel;
    PaperTabsLayout->setObjectName(QStringLiteral("PaperTabsLayout"));
    PaperTabsLayout->setFixedWidth(124);
    int y = 8;
    const std::pair<const char *, QString> corners[] = {{"ImageCornerButton", QStringLiteral("Image")},
                                                        {"ThemesCornerButton", QStringLiteral("Themes")},
                                                        {"StatsCornerButton", QStringLiteral("Stats")}};
    int tag = 0;
    for (const auto &[name, caption] : corners) {
        auto *b = Make<QPushButton>(name, caption, PaperTabsLayout);
        b->setProperty("Tag", tag++);
        b->setProperty("CornerButton", true);
        b->setProperty("StyleLookup", QStringLiteral("CornerButtonStyleUp"));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(0, y, 103, 40);
        y += 48;
    }
    ImageCornerButton = PaperTabsLayout->findChild<QPushButton *>(QStringLiteral("ImageCornerButton"));
    ThemesCornerButton = PaperTabsLayout->findChild<QPushButton *>(QStringLiteral("ThemesCornerButton"));
    StatsCornerButton = PaperTabsLayout->findChild<QPushButton *>(QStringLiteral("StatsCornerButton"));
    CornerButtonShadow = new QGraphicsDropShadowEffect;
    CornerButtonShadow->setObjectName(QStringLiteral("ShadowEffect1"));
    CornerButtonShadow->setBlurRadius(8);
    CornerButtonShadow->setOffset(2, 2);
    ImageCornerButton->setGraphicsEffect(CornerButtonShadow);
    return PaperTabsLayout;
}

QWidget *TMainFormControls::BuildPricingPage()
{
    auto *page = Make<QWidget>("PricingPage");
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    PricingHeader = new TSizePanel;
    PricingHeader->setObjectName(QStringLiteral("PricingHeader"));
    PricingHeader->setFixedHeight(44);
    PricingHeader->setAttribute(Qt::WA_StyledBackground);

    PriceListNameLayout = Make<QWidget>("Layout13", PricingHeader);
    PriceListNameLayout->setGeometry(0, 0, 330, 44);
    PriceTitleLayout = Make<QWidget>("Layout19", PriceListNameLayout);
    PriceTitleLayout->setGeometry(0, 0, 330, 44);
    PriceCountryLabel = Make<QLabel>("Label132", PriceTitleLayout);
    SetPixelFont(PriceCountryLabel, 18, true);
    PriceDateLabel = Make<QLabel>("Label139", PriceTitleLayout);
    SetPixelFont(PriceDateLabel, 16);

    PriceColumnsLayout = Make<QWidget>("Layout17", PricingHeader);
    auto *cols = new QHBoxLayout(PriceColumnsLayout);
    cols->setContentsMargins(0, 6, 0, 6);
    cols->addWidget(Caption(QStringLiteral("Columns:")));
    PriceColWidthBox = Make<QComboBox>("PriceColWidthBox");
    PriceColWidthBox->addItems(PriceColumnWidthNames());
    PriceColWidthBox->setCurrentIndex(ColWidthNormal);
    cols->addWidget(PriceColWidthBox);
    PriceColumnsLayout->setFixedSize(170, 44);

    PriceButtonsLayout = Make<QWidget>("Layout18", PricingHeader);
    auto *btns = new QHBoxLayout(PriceButtonsLayout);
    btns->setContentsMargins(0, 6, 0, 6);
    const std::pair<const char *, const char *> rowButtons[] = {{"AddPriceBtn", "Add"},
                                                                {"ClonePriceBtn", "Clone"},
                                                                {"DeletePriceBtn", "Delete"},
                                                                {"PopulateBtn", "Populate"},
                                                                {"UndoPriceBtn", "Undo"}};
    for (const auto &[name, caption] : rowButtons) {
        auto *b = Make<QPushButton>(name, QString::fromLatin1(caption));
        b->setMinimumWidth(76);
        btns->addWidget(b);
    }
    PriceButtonsLayout->setFixedSize(PriceButtonsLayout->sizeHint().width(), 44);

    ForexLayout = Make<QWidget>("Layout11", PricingHeader);
    auto *fx = new QHBoxLayout(ForexLayout);
    fx->setContentsMargins(0, 0, 8, 0);
    ForexLabel = Make<QLabel>("ForexLabel");
    ForexLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(ForexLabel, 14);
    fx->addWidget(ForexLabel);
    ForexLayout->setFixedSize(280, 44);
    v->addWidget(PricingHeader);

    // ---- Place of the price grid: it adds its widget to PriceGridPanel. ----
    PriceGridPanel = Make<QWidget>("PriceGridPanel");
    auto *grid = new QVBoxLayout(PriceGridPanel);
    WarningLabelPrices = Make<QLabel>("WarningLabelPrices");
    WarningLabelPrices->setAlignment(Qt::AlignCenter);
    SetPixelFont(WarningLabelPrices, 18);
    grid->addWidget(WarningLabelPrices);
    v->addWidget(PriceGridPanel, 1);
    return page;
}

QWidget *TMainFormControls::BuildCoinsPage(QMainWindow *form)
{
    auto *page = Make<QWidget>("CoinsPage");
    auto *h = new QHBoxLayout(page);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);

    h->addWidget(BuildCoinsSettingPanel());

    auto *center = Make<QWidget>("CoinsCenter");
    auto *cv = new QVBoxLayout(center);
    cv->setContentsMargins(4, 4, 4, 4);
    BuildCoinGridArea(cv);
    cv->addWidget(BuildCoinEditor(), 2);
    h->addWidget(center, 1);

    BuildThumbnailStrip(h);
    BuildDatePopupControls(form);
    return page;
}

// Settings panel at the left, closed down to its slide strip.
QWidget *TMainFormControls::BuildCoinsSettingPanel()
{
    SettingPanel = Make<QWidget>("SettingPanel");
    auto *sp = new QHBoxLayout(SettingPanel);
    sp->setContentsMargins(0, 0, 0, 0);
    sp->setSpacing(0);
    auto *settings = Make<QWidget>("SettingContent");
    auto *sv = new QVBoxLayout(settings);
    sv->addWidget(Caption(QStringLiteral("Show entries"), 14, true));
    ViewHaveCheckBox = Make<QCheckBox>("ViewHaveCheckBox", QStringLiteral("Have"));
    ViewNeedCheckBox = Make<QCheckBox>("ViewNeedCheckBox", QStringLiteral("Need"));
    ViewSellCheckBox = Make<QCheckBox>("ViewSellCheckBox", QStringLiteral("Sell"));
    ViewSoldCheckBox = Make<QCheckBox>("ViewSoldCheckBox", QStringLiteral("Sold"));
    for (QCheckBox *c : {ViewHaveCheckBox, ViewNeedCheckBox, ViewSellCheckBox, ViewSoldCheckBox})
        sv->addWidget(c);
    sv->addWidget(Caption(QStringLiteral("Graded by"), 14, true));
    GradedByMemo = Make<QPlainTextEdit>("GradedByMemo");
    sv->addWidget(GradedByMemo);
    sv->addWidget(Caption(QStringLiteral("Stored in"), 14, true));
    StoredInMemo = Make<QPlainTextEdit>("StoredInMemo");
    sv->addWidget(StoredInMemo);
    SettingScrollBox = MakeScrollBox("SettingScrollBox", settings);
    // The closed panel is as wide as its strip: the list must shrink to nothing.
    SettingScrollBox->setMinimumSize(0, 0);
    SettingScrollBox->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    sp->addWidget(SettingScrollBox, 1);
    SettingSlideLabelPanel = new TSizePanel;
    SettingSlideLabelPanel->setObjectName(QStringLiteral("SettingSlideLabelPanel"));
    SettingSlideLabelPanel->setFixedWidth(24);
    SettingSlideBackground = Make<QWidget>("Rectangle9", SettingSlideLabelPanel);
    SettingSlideBackground->setAttribute(Qt::WA_StyledBackground);
    SettingSlideLabel = new TRotatedLabel(-90, SettingSlideLabelPanel);
    SettingSlideLabel->setObjectName(QStringLiteral("SettingSlideLabel"));
    SetPixelFont(SettingSlideLabel, 12);
    SettingSlideLabel->setText(SettingsClosedCaption);
    sp->addWidget(SettingSlideLabelPanel);
    return SettingPanel;
}

// ---- Place of the coin grid: CoinGrid and WarningPanelCoins fill
// CoinGridPanel, one of them showing. ----
void TMainFormControls::BuildCoinGridArea(QVBoxLayout *cv)
{
    CoinGridPanel = Make<QWidget>("CoinGridPanel");
    auto *gp = new QGridLayout(CoinGridPanel);
    gp->setContentsMargins(0, 0, 0, 0);
    CoinGrid = Make<QTableWidget>("CoinGrid");
    CoinGrid->verticalHeader()->hide();
    WarningPanelCoins = Make<QWidget>("WarningPanelCoins");
    auto *wp = new QVBoxLayout(WarningPanelCoins);
    auto *warn = Make<QLabel>("WarningLabelCoins");
    warn->setAlignment(Qt::AlignCenter);
    SetPixelFont(warn, 18);
    wp->addWidget(warn);
    WarningPanelCoins->hide();
    cv->addWidget(CoinGridPanel, 3);
    SumPanel = Make<QWidget>("SumPanel");
    new QVBoxLayout(SumPanel);
    // The report bin beside the totals: its picture and count.
    auto *binPanel = Make<QWidget>("BinPanel");
    auto *bp = new QGridLayout(binPanel);
    bp->setContentsMargins(4, 0, 4, 0);
    bp->addWidget(Caption(QStringLiteral("Report Bin"), 14, true), 0, 0, 1, 2, Qt::AlignHCenter);
    BinImage = Make<QToolButton>("BinImage");
    BinImage->setFixedSize(52, 52);
    BinImage->setIconSize(QSize(48, 48));
    BinImage->setAutoRaise(true);
    BinImage->setToolTip(QStringLiteral("The report bin is a list of coins specifically designated to be included "
                                        "in any reports."));
    BinImage->setAccessibleName(QStringLiteral("Report Bin"));
    BinLabel = Make<QLabel>("BinLabel", QStringLiteral("0"));
    SetPixelFont(BinLabel, 18);
    bp->addWidget(BinImage, 1, 0);
    bp->addWidget(BinLabel, 1, 1);
    auto *sumRow = new QHBoxLayout;
    sumRow->addWidget(SumPanel, 1);
    sumRow->addWidget(binPanel);
    cv->addLayout(sumRow);
}

// ---- Place of the coin entry editor: CoinScrollBox. ----
QWidget *TMainFormControls::BuildCoinEditor()
{
    auto *editor = Make<QWidget>("CoinEditor");
    auto *eg = new QGridLayout(editor);
    eg->setHorizontalSpacing(10);
    DateMintBox = Make<QComboBox>("DateMintBox");
    GradeBox = Make<QComboBox>("GradeBox");
    GMbox = Make<QComboBox>("GMbox");
    eg->addWidget(Caption(QStringLiteral("Year / Mint / Variety")), 0, 0);
    eg->addWidget(DateMintBox, 1, 0);
    eg->addWidget(Caption(QStringLiteral("Grade")), 0, 1);
    eg->addWidget(GradeBox, 1, 1);
    eg->addWidget(Caption(QStringLiteral("Grade modifier")), 0, 2);
    eg->addWidget(GMbox, 1, 2);
    auto dateBox = [&](const char *boxName, const char *buttonName, QLineEdit **box, QToolButton **button) {
        auto *w = new QWidget;
        auto *l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(2);
        *box = Make<QLineEdit>(boxName);
        *button = Make<QToolButton>(buttonName);
        (*button)->setText(QStringLiteral("\u25BE"));
        l->addWidget(*box, 1);
        l->addWidget(*button);
        return w;
    };
    eg->addWidget(Caption(QStringLiteral("Purchased")), 2, 0);
    eg->addWidget(dateBox("BuyDateBox", "BuyDateButton", &BuyDateBox, &BuyDateButton), 3, 0);
    eg->addWidget(Caption(QStringLiteral("Date sold")), 2, 1);
    eg->addWidget(dateBox("SellDateBox", "SellDateButton", &SellDateBox, &SellDateButton), 3, 1);
    CommentCaption = Make<QLabel>("Label41", QStringLiteral("Comment"));
    SetPixelFont(CommentCaption, 14);
    CommentEdit = Make<QLineEdit>("CommentEdit");
    eg->addWidget(CommentCaption, 2, 2);
    eg->addWidget(CommentEdit, 3, 2);
    auto *notesHead = new QHBoxLayout;
    notesHead->addWidget(Caption(QStringLiteral("Notes")));
    NoteMaxedBtn = Make<QToolButton>("NoteMaxedBtn");
    NoteMaxedBtn->setText(QStringLiteral("\u2922"));
    notesHead->addStretch(1);
    notesHead->addWidget(NoteMaxedBtn);
    eg->addLayout(notesHead, 4, 0, 1, 3);
    NotesMemo = Make<QPlainTextEdit>("NotesMemo");
    NotesMemo->setMinimumHeight(60);
    eg->addWidget(NotesMemo, 5, 0, 1, 3);
    UserFieldsPanel = Make<QWidget>("GridPanelLayout1");
    eg->addWidget(UserFieldsPanel, 6, 0, 1, 3);
    eg->setRowStretch(7, 1);
    CoinScrollBox = MakeScrollBox("CoinScrollBox", editor);
    return CoinScrollBox;
}

// Thumbnail strip at the right: its slide strip, and the pictures
// beside it, closed down to nothing.
void TMainFormControls::BuildThumbnailStrip(QHBoxLayout *h)
{
    ThumbnailPanel = Make<QWidget>("ThumbnailPanel");
    ThumbnailPanel->setFixedWidth(0);
    ImageSlideLabelPanel = new TSizePanel;
    ImageSlideLabelPanel->setObjectName(QStringLiteral("ImageSlideLabelPanel"));
    ImageSlideLabelPanel->setFixedWidth(24);
    ImageSlideBackground = Make<QWidget>("Rectangle10", ImageSlideLabelPanel);
    ImageSlideBackground->setAttribute(Qt::WA_StyledBackground);
    ImageSlideLabel = new TRotatedLabel(90, ImageSlideLabelPanel);
    ImageSlideLabel->setObjectName(QStringLiteral("ImageSlideLabel"));
    SetPixelFont(ImageSlideLabel, 12);
    ImageSlideLabel->setText(QStringLiteral("\u25BC Images \u25BC"));
    h->addWidget(ImageSlideLabelPanel);
    h->addWidget(ThumbnailPanel);
}

// The date pop-up of the purchase and sale date boxes.
void TMainFormControls::BuildDatePopupControls(QMainWindow *form)
{
    DatePopup = new TDatePopup(form);
    DatePopup->setObjectName(QStringLiteral("DatePopup"));
    auto *dp = new QVBoxLayout(DatePopup);
    dp->setContentsMargins(8, 6, 8, 6);
    dp->setSpacing(4);
    auto *head = new QHBoxLayout;
    PrevMonthButton = Make<QToolButton>("ImageViewer1");
    NextMonthButton = Make<QToolButton>("ImageViewer2");
    PrevMonthButton->setArrowType(Qt::LeftArrow);
    NextMonthButton->setArrowType(Qt::RightArrow);
    for (QToolButton *b : {PrevMonthButton, NextMonthButton}) {
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    MonthLabel = Make<QLabel>("MonthLabel");
    YearLabel = Make<QLabel>("YearLabel");
    SetPixelFont(MonthLabel, 16, true);
    SetPixelFont(YearLabel, 16, true);
    head->addWidget(PrevMonthButton);
    head->addStretch(1);
    head->addWidget(MonthLabel);
    head->addWidget(YearLabel);
    head->addStretch(1);
    head->addWidget(NextMonthButton);
    dp->addLayout(head);
    // Weekday captions, Sunday first, over the day columns.
    auto *week = new QHBoxLayout;
    week->setSpacing(2);
    for (const char *day : {"S", "M", "T", "W", "T", "F", "S"}) {
        auto *l = new QLabel(QString::fromLatin1(day));
        l->setFixedWidth(24);
        l->setAlignment(Qt::AlignCenter);
        week->addWidget(l);
    }
    week->addStretch(1);
    dp->addLayout(week);
    DayArea = Make<QWidget>("DayArea");
    DayArea->setFixedSize(7 * 26, 6 * 26);
    dp->addWidget(DayArea);
    auto *foot = new QHBoxLayout;
    TodayButton = Make<QPushButton>("Button9", QStringLiteral("Today"));
    DateCancelButton = Make<QPushButton>("Button10", QStringLiteral("Cancel"));
    foot->addWidget(TodayButton);
    foot->addWidget(DateCancelButton);
    dp->addLayout(foot);
}

