#include "browse/shell/ui/mainform.h"
#include "browse/tree/ui/seriestreeview.h"

#include <QIcon>
#include <QToolButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <cstdlib>

#include "core/collection/collectionlifecycle.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/model/varietytext.h"
#include "core/catalogue/countries.h"
#include "core/program/startup.h"
#include "browse/shell/mainlayout.h"
#include "browse/shell/pageswitch.h"
#include "pricing/pricelists/ui/pricegridview.h"
#include "browse/tree/seriesnav.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/shell/ui/titleform.h"

TMainForm *MainForm = nullptr;

namespace {

constexpr QSize DesignedSize(1514, 966);
constexpr QSize MinimumSize(900, 600);

QRect Truncated(const QRectF &r)
{
    return QRect(static_cast<int>(r.x()), static_cast<int>(r.y()), static_cast<int>(r.width()),
                 static_cast<int>(r.height()));
}

QPoint Truncated(const QPointF &p)
{
    return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

// Moves a control into another container, keeping it shown or hidden.
void MoveInto(QWidget *w, QWidget *parent)
{
    if (w->parentWidget() == parent)
        return;
    const bool hidden = w->isHidden();
    w->setParent(parent);
    w->setVisible(!hidden);
}

// The report bin, empty or holding entries, drawn at 110 x 110.
QPixmap BinPicture(bool full)
{
    QPixmap pm(110, 110);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x70, 0x80, 0x90), 4));
    p.setBrush(QColor(0xDC, 0xDC, 0xDC));
    if (full) {
        // Sheets standing out of the open bin.
        p.save();
        p.setPen(QPen(QColor(0x50, 0x50, 0x50), 2));
        p.setBrush(QColor(0xFF, 0xFF, 0xF0));
        p.drawRect(QRectF(34, 8, 26, 34));
        p.setBrush(QColor(0xE8, 0xF0, 0xFF));
        p.drawRect(QRectF(50, 14, 26, 30));
        p.restore();
    } else {
        p.drawRoundedRect(QRectF(20, 14, 70, 10), 3, 3);
        p.drawRect(QRectF(44, 6, 22, 8));
    }
    QPolygonF body;
    body << QPointF(26, 28) << QPointF(84, 28) << QPointF(78, 102) << QPointF(32, 102);
    p.setBrush(full ? QColor(0x9C, 0xC8, 0x9C) : QColor(0xDC, 0xDC, 0xDC));
    p.drawPolygon(body);
    for (double x : {42.0, 55.0, 68.0})
        p.drawLine(QPointF(x, 38), QPointF(x, 92));
    return pm;
}

// Hands the keys typed anywhere in the window to its keyboard handler before
// the focused control sees them, as the Series page's type-ahead needs.
class TKeyPreview : public QObject {
public:
    explicit TKeyPreview(TMainForm *form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != form_)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        int key = ke->key();
        QChar ch = ke->text().size() == 1 ? ke->text().front() : QChar();
        form_->FormKeyDown(key, ch, ke->modifiers());
        return key == 0;  // the handler took the key
    }

private:
    TMainForm *form_;
};

} // namespace

TMainForm::TMainForm(const tMainFormSeams &seams, const tMainFormTimings &timings, QWidget *parent)
    : QMainWindow(parent), Seams(seams)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvanta"));
    setMinimumSize(MinimumSize);
    QSize size = DesignedSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size.expandedTo(MinimumSize));
    CommandLine = QCoreApplication::arguments().mid(1);

    StartupTimer = new QTimer(this);
    StartupTimer->setObjectName(QStringLiteral("Timer1"));
    StartupTimer->setSingleShot(true);
    StartupTimer->setInterval(timings.StartupTimerInterval);
    FormsTimer = new QTimer(this);
    FormsTimer->setObjectName(QStringLiteral("FormsTimer"));
    FormsTimer->setInterval(timings.FormsTimerInterval);
    KeyTimer = new QTimer(this);
    KeyTimer->setObjectName(QStringLiteral("KeyTimer"));
    KeyTimer->setInterval(1000);
    TreeScrollTimer = new QTimer(this);
    TreeScrollTimer->setObjectName(QStringLiteral("TreeScrollTimer"));
    TreeScrollTimer->setInterval(100);

    SetupControls(this);
    EmbedSeriesTree();
    InstallSubsystems();
    ConnectHandlers();
    ConnectMenuCommands();
    FormCreate();
}

// The series tree view brings its own painted area, scroll bar, arrow
// buttons and drag timer: it takes the place kept for it in TreeLayout, and
// the window's handlers work on its controls.
void TMainForm::EmbedSeriesTree()
{
    SeriesTree = new TSeriesTreeView(State, TreeLayout);
    TreeLayout->layout()->addWidget(SeriesTree);
    // The placeholders go for good, so each name stands for one control.
    for (QWidget *placeholder : {static_cast<QWidget *>(TreeScrollUpButton), static_cast<QWidget *>(TreeScrollDownButton),
                                 static_cast<QWidget *>(TreeScrollBar)})
        delete placeholder;
    TreeScrollBar = SeriesTree->TreeScrollBar();
    TreeScrollUpButton = SeriesTree->findChild<QToolButton *>(QStringLiteral("Button7"));
    TreeScrollDownButton = SeriesTree->findChild<QToolButton *>(QStringLiteral("Button8"));
    delete TreeScrollTimer;
    TreeScrollTimer = SeriesTree->TreeScrollTimer();

    // Seams a caller installed (tests record them) are left in place.
    tSeriesTree &tree = SeriesTree->Tree();
    if (!Seams.BuildNodePorts)
        Seams.BuildNodePorts = [&tree] { tree.BuildNodePorts(); };
    if (!Seams.AssignNodePorts)
        Seams.AssignNodePorts = [&tree] { tree.AssignNodePorts(); };
    if (!Seams.RenderTree)
        Seams.RenderTree = [&tree] { tree.RenderTree(); };
    if (!Seams.MakeTreeNodeVisible)
        Seams.MakeTreeNodeVisible = [&tree](tnodeinfo *node) { tree.MakeTreeNodeVisible(node); };
    QObject::connect(State.Events.get(), &tStateEvents::CalcVisibleNodes, this, [&tree] { tree.CalcVisibleNodes(); });
    QObject::connect(State.Events.get(), &tStateEvents::AssignNodePorts, this, [&tree] { tree.AssignNodePorts(); });
    QObject::connect(State.Events.get(), &tStateEvents::RenderTree, this, [&tree] { tree.RenderTree(); });
    connect(SeriesTree, &TSeriesTreeView::StatusHint, this, [this](const QString &hint) { StatusLabel->setText(hint); });
}

TMainForm::~TMainForm()
{
    // Hidden while the state is still there: the base class closes the
    // window after the members are gone, and hiding asks the pages (the
    // coin grid's header, for one) for sizes they read from the state.
    hide();
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::ConnectHandlers()
{
    connect(StartupTimer, &QTimer::timeout, this, &TMainForm::StartupTimerTimeout);
    connect(FormsTimer, &QTimer::timeout, this, [this] { CallSeam(Seams.FormsTimerTimer); });
    connect(KeyTimer, &QTimer::timeout, this, &TMainForm::KeyTimerTimer);
    connect(PageTabs, &QTabWidget::currentChanged, this, &TMainForm::PageTabsChange);
    connect(SideTabs, &QTabWidget::currentChanged, this, &TMainForm::SideTabsChange);
    connect(TreeScrollBar, &QScrollBar::valueChanged, this, [this] {
        CallSeam(Seams.AssignNodePorts);
        CallSeam(Seams.RenderTree);
    });
    for (QPushButton *b : {ImageCornerButton, ThemesCornerButton, StatsCornerButton})
        connect(b, &QPushButton::clicked, this, [this, b] {
            const int tag = b->property("Tag").toInt();
            if (SideTabs->currentIndex() == tag)
                b->setChecked(true);  // a second click leaves the page shown
            else
                SideTabs->setCurrentIndex(tag);
        });
    connect(LegendCheckBox, &QCheckBox::toggled, this, &TMainForm::LegendCheckBoxChange);
    connect(FavoriteBox, &QCheckBox::toggled, this, &TMainForm::FavoriteBoxChange);
    connect(FaceBook1, &QAction::triggered, this, &TMainForm::FaceBook1Click);
    connect(TodayButton, &QPushButton::clicked, this, &TMainForm::TodayButtonClick);
    connect(DatePopup, &TDatePopup::Closed, this, [this] { CallSeam(Seams.DatePopupClosePopup); });
    connect(SettingSlideLabel, &TRotatedLabel::clicked, this,
            [this] { CallSeam(Seams.SettingSlideLabelClick, SettingSlideLabel); });

    connect(ImageSidePanel, &TSizePanel::Resized, this, &TMainForm::ArrangePicturePanel);
    connect(PaperTabsLayout, &TSizePanel::Resized, this, &TMainForm::ArrangePicturePanel);
    connect(PricingHeader, &TSizePanel::Resized, this, &TMainForm::PlacePricingHeader);
    connect(SettingSlideLabelPanel, &TSizePanel::Resized, this, &TMainForm::PlaceSlideStrips);
    connect(ImageSlideLabelPanel, &TSizePanel::Resized, this, &TMainForm::PlaceSlideStrips);
    // The window's resize handling runs once the window's layout has given
    // the page area its new size, which the layout rules depend on.
    PageTabs->installEventFilter(this);
    ThemesBox->viewport()->installEventFilter(this);
    BigLabelLayout->installEventFilter(this);
    for (QWidget *w : {static_cast<QWidget *>(SelectedLabel), static_cast<QWidget *>(ObverseLabel),
                       static_cast<QWidget *>(ReverseLabel), static_cast<QWidget *>(NextSeriesLabel)})
        w->installEventFilter(this);
    qApp->installEventFilter(new TKeyPreview(this));  // owned by the window
}

// ---------------------------------------------------------------------------
// Start-up

void TMainForm::FormCreate()
{
    ResetStartupState();
    LoadStartupData();
    ArrangeStartupControls();
    ShowStartupValues();

    // 46.
    AutoSaveTicks = 0;
    StartupTimer->start();
    FormsTimer->start();
}

// Start-up, steps 1-9: the log, the flags and the first pages.
void TMainForm::ResetStartupState()
{
    // 1. New user series numbers are random.
    std::srand(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));

    // 2. Log mode.
    LogMode = Seams.LogModeKeysHeld ? Seams.LogModeKeysHeld() : LogModeRequested(CtrlDown(), ShiftDown());
    LogList.clear();
    LogEntry(QStringLiteral("MainForm.Init"));

    // 3. The pages open once a collection is open.
    PageTabs->setEnabled(false);

    // 4-6. Flags, counters and markers. The state's own members start in
    // their reset values; the window's are reset here.
    // The maintainer tools are for the people who keep the catalogue; they
    // ask for them by starting the program with ORVANTA_MAINTAINER=1.
    State.MaintainerMode = qEnvironmentVariable("ORVANTA_MAINTAINER") == QLatin1String("1");
    NoteMaxed = false;
    SettingOut = false;
    SearchingThemes = false;
    PricePaisterInUse = false;
    HotPrice = -1;
    State.OVversionString = GetVersionString();

    // 7. First pages, without running their change handlers.
    {
        const QSignalBlocker block1(PageTabs);
        PageTabs->setCurrentWidget(TabSeries);
        const QSignalBlocker block2(SideTabs);
        SideTabs->setCurrentWidget(Tab2Image);
    }
    PageTabs->setProperty("Tag", int(PageSeries));

    // 8-9. Lists live in the state; the tree area shows.
    ImagePanel->hide();
    TreeBaseLayout->show();
}

// Start-up, steps 10-26: settings, countries, currencies, prices, the tree
// and the eBooks.
void TMainForm::LoadStartupData()
{
    // 10. Exception handler.
    CallSeam(Seams.InstallAppException);

    // 12. Settings strip closed.
    CloseSettingStrip();

    // 13.
    if (QWidget *admin = findChild<QWidget *>(QStringLiteral("AdminImage")))
        admin->setProperty("Tag", -1);
    LogEntry(QStringLiteral("Variable.Init"));

    // 14.
    CallSeam(Seams.BuildThemePanel);
    StackPickerLayout->hide();

    // 15.
    State.PriceListForexLinks.fill(0);

    // 16-17.
    CallSeam(Seams.LoadMetals);
    LoadRedirections(State, QCoreApplication::applicationFilePath());
    LogEntry(QStringLiteral("Redirect.ini loaded"));

    // 18-21.
    CallSeam(Seams.LoadFormState);
    CallSeam(Seams.LoadCountries);
    State.ForexList.clear();
    CallSeam(Seams.LoadForexAndSpotPrices);
    CheckActiveForexIndex(State);

    // 22. The state made the root "Entire Collection"; it starts selected.
    State.SelectedTreeNode = State.EntireCollection.get();

    // 23-24.
    CallSeam(Seams.LoadPriceDates);
    LogEntry(QStringLiteral("NodePorts.Init"));
    const qsizetype nodePortsLine = LogList.size() - 1;
    CallSeam(Seams.BuildNodePorts);
    // Marked done on its own line, whatever the tree logged meanwhile.
    if (LogMode && nodePortsLine >= 0 && nodePortsLine < LogList.size())
        LogList[nodePortsLine] += QStringLiteral(" <Done>");

    // 25-26.
    FillBuiltInGradeTitles(State.GradeTitles3D);
    CallSeam(Seams.LoadEbooks);
    LogEntry(QStringLiteral("eLibrary.Init"));
}

// Start-up, steps 27-37: menus, the date pop-up and boxes, the layout and
// the view check boxes.
void TMainForm::ArrangeStartupControls()
{
    // 27. CoinGrid and WarningPanelCoins share the grid panel's whole area.
    SumPanel->hide();

    // 28.
    RecordNoteMemoPos();

    // 29. The contact items and the About box go into "Tools".
    ProductMenu->removeAction(Contact1->menuAction());
    ToolsMenu->addMenu(Contact1);
    ProductMenu->removeAction(AboutOrvanta1);
    ToolsMenu->addAction(AboutOrvanta1);
    menuBar()->removeAction(ProductMenu->menuAction());

    // 30.
    BuildDatePopup();

    // 31. Date boxes take digits and the separators of the short date only.
    const QRegularExpression dateChars(QStringLiteral("[0-9%1]*")
                                           .arg(QRegularExpression::escape(DateTypingCharacters())));
    BuyDateBox->setValidator(new QRegularExpressionValidator(dateChars, BuyDateBox));
    SellDateBox->setValidator(new QRegularExpressionValidator(dateChars, SellDateBox));

    // 32.
    ApplyScrollBarPolicies();

    // 33.
    LayoutMainForm(false);

    // 34. View check boxes, set without their handler, then bound to it.
    const std::array<bool, 4> flags = Seams.ViewFlags ? Seams.ViewFlags() : std::array<bool, 4>{true, true, true, true};
    const std::array<QCheckBox *, 4> boxes{ViewHaveCheckBox, ViewNeedCheckBox, ViewSellCheckBox, ViewSoldCheckBox};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const QSignalBlocker block(boxes[i]);
        boxes[i]->setChecked(flags[i]);
    }
    for (QCheckBox *box : boxes)
        connect(box, &QCheckBox::toggled, this, [this, box] { CallSeam(Seams.ViewHaveCheckBoxChange, box); });

    // 35-36.
    CallSeam(Seams.PlaceThumbnailPanel, false);
    CallSeam(Seams.InstallAppHint);

    // 37.
    MagnifierGlass->hide();
    BigLabelLayout->hide();
}

// Start-up, steps 38-45: date buttons, picture notes, the bin, the status
// line and the Images page.
void TMainForm::ShowStartupValues()
{
    // 38. Each date button serves its date box.
    BuyDateButton->setProperty("TagObject", QVariant::fromValue<QObject *>(BuyDateBox));
    SellDateButton->setProperty("TagObject", QVariant::fromValue<QObject *>(SellDateBox));

    // 40.
    ObverseNoImageLabel->hide();
    ReverseNoImageLabel->hide();
    ObverseNoImageLabel->setText(QStringLiteral("No\nObverse image\nattached"));
    ReverseNoImageLabel->setText(QStringLiteral("No\nReverse image\nattached"));

    // 41-42.
    DataSetCoinsFieldCount = CallSeam(Seams.DataSetCoinsFieldCount);
    ImageRadios = {ImageRadioObv, ImageRadioRev, ImageRadioReceipt, ImageRadioAdd};

    // 43.
    ShowBinPicture(0);
    CallSeam(Seams.ShowBinCount);

    // 44.
    StatusProgressBar->hide();
    Q_EMIT State.Events->SetSaveMenuVisibility();
    CallSeam(Seams.SquewSpotPrices);
    CallSeam(Seams.DisplayMetalValues);

    // 45.
    ImageEffectsLayout->show();
    CoinPDFLayout->hide();
    LogEntry(QStringLiteral("Init.Complete"));
}

void TMainForm::StartupTimerTimeout()
{
    StartupTimer->stop();
    LogEntry(QStringLiteral("Timer1.Init"));
    if (State.MaintainerMode) {
        ObverseLabel->setProperty("HitTest", true);
        ReverseLabel->setProperty("HitTest", true);
    }
    if (Title_Form) {
        TTitle_Form *splash = Title_Form;
        splash->hide();
        delete splash;
    }

    const QString fileName = CommandLineCollection(CommandLine);
    bool opened = false;
    if (!fileName.isEmpty()) {
        State.LastFileName = fileName;
        bool loaded = false;
        try {
            loaded = CallSeam(Seams.LoadDataFromFile, fileName, false);
        } catch (const std::exception &) {
            loaded = false;
        }
        if (loaded) {
            Q_EMIT State.Events->SetMainCaption();
            CalcNodeDates(State);
            CalcNodeEntries(State);
            PageTabs->setEnabled(true);
            opened = true;
        } else {
            // The file stays as it is on disk: without a file name no later
            // save can write over it.
            State.LastFileName.clear();
            ShowLoadFailure(State, fileName);
        }
    }
    if (!opened && Seams.ShowWelcomeWindow && !Seams.ShowWelcomeWindow()) {
        // Closed without a choice: no collection is open, so the program
        // ends without the questions about one.
        LogEntry(QStringLiteral("Timer1.Quit"));
        closeUnasked_ = true;
        close();
        return;
    }

    if (!Seams.UseTips || Seams.UseTips())
        CallSeam(Seams.Tipoftheday1Click);
    ViewSizeBtn->show();
    LogEntry(QStringLiteral("Timer1.Complete"));
}

void TMainForm::RecordNoteMemoPos()
{
    NoteMemoPos = {NoteMaxedBtn->x(), NoteMaxedBtn->y(), NotesMemo->x(), NotesMemo->y(), NotesMemo->width(),
                   NotesMemo->height()};
}

void TMainForm::ApplyScrollBarPolicies()
{
    // Scroll bars show whenever there is something to scroll, and stay.
    const char *const names[] = {"ThemesBox", "ReportListBox", "eBookScrollBox", "BookListBox", "BookmarkBox",
                                 "MetalEdit", "DateMintBox", "GradeBox", "GMbox", "VertScrollBox1", "ScrollBox1",
                                 "iView", "SettingScrollBox", "GraphsVertScrollBox", "CoinScrollBox", "CoinGrid"};
    for (const char *name : names) {
        QObject *o = findChild<QObject *>(QString::fromLatin1(name));
        QAbstractScrollArea *area = qobject_cast<QAbstractScrollArea *>(o);
        if (auto *combo = qobject_cast<QComboBox *>(o))
            area = combo->view();
        if (area)
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

// ---------------------------------------------------------------------------
// Layout

bool TMainForm::SelectedIsPaper() const
{
    return State.SelectedTreeNode && State.SelectedTreeNode->CoinShape == PaperMoneyShape;
}

void TMainForm::LayoutMainForm(bool paperMode)
{
    PaperLayout = paperMode;
    if (!paperMode) {
        SideTabs->setTabPosition(QTabWidget::South);
        SideTabs->tabBar()->show();
        PageTabs->setTabText(PageCoins, QStringLiteral("Coins"));
        CommentCaption->setText(QStringLiteral("Comment"));
        ObverseLabel->setText(QStringLiteral("Obverse"));
        ReverseLabel->setText(QStringLiteral("Reverse"));

        SeriesPageLayout->setDirection(QBoxLayout::LeftToRight);
        itsLayout->setMinimumHeight(0);
        itsLayout->setMaximumHeight(QWIDGETSIZE_MAX);
        itsLayout->setFixedWidth(PageTabs->width() / 4);
        PaperTabsLayout->hide();
        MoveInto(ViewSizeBtn, ImageSidePanel);
        MoveInto(FavoriteBox, ImageSidePanel);
    } else {
        PageTabs->setTabText(PageCoins, QStringLiteral("Bills"));
        CommentCaption->setText(QStringLiteral("Comment (Serial number)"));
        ObverseLabel->setText(QStringLiteral("Front"));
        ReverseLabel->setText(QStringLiteral("Back"));

        PaperTabsLayout->show();
        SeriesPageLayout->setDirection(QBoxLayout::TopToBottom);
        itsLayout->setMinimumWidth(0);
        itsLayout->setMaximumWidth(QWIDGETSIZE_MAX);
        itsLayout->setFixedHeight(PageTabs->height() / 3);
        MoveInto(ViewSizeBtn, PaperTabsLayout);
        MoveInto(FavoriteBox, PaperTabsLayout);
        // The corner buttons stand for the tab strip.
        SideTabs->tabBar()->hide();
    }
    ObverseLabel->adjustSize();
    ReverseLabel->adjustSize();
    // Apply the new split at once, so the pictures are placed for the
    // panel's new size rather than the old one.
    if (TabSeries->layout())
        TabSeries->layout()->activate();
    SeriesPageLayout->activate();

    ArrangePicturePanel();
    CallSeam(Seams.ArrangeStatsLabels, !paperMode);
    PlaceThemeButtons();
}

void TMainForm::ArrangePicturePanel()
{
    if (!PaperLayout) {
        const tCoinLayout l = ComputeCoinLayout({QSizeF(ImageSidePanel->size()), QSizeF(ViewSizeBtn->size()),
                                                 QSizeF(FavoriteBox->size()), QSizeF(ObverseLabel->size()),
                                                 QSizeF(ReverseLabel->size()), QSizeF(StackPickerLayout->size())});
        ObversePanel->setGeometry(l.Pictures.ObversePanel);
        ReversePanel->setGeometry(l.Pictures.ReversePanel);
        ObverseLabel->move(l.Pictures.ObverseLabel);
        ReverseLabel->move(l.Pictures.ReverseLabel);
        FavoriteBox->move(l.FavoriteBox);
        ViewSizeBtn->move(l.ViewSizeBtn);
        StackPickerLayout->move(l.StackPicker);
        return;
    }
    const tPaperLayout l = ComputePaperLayout({QSizeF(ImageSidePanel->size()), QSizeF(ObverseLabel->size()),
                                               QSizeF(ReverseLabel->size())});
    ObversePanel->setGeometry(Truncated(l.ObversePanel));
    ReversePanel->setGeometry(Truncated(l.ReversePanel));
    ObverseLabel->move(Truncated(l.ObverseLabel));
    ReverseLabel->move(Truncated(l.ReverseLabel));
    const QRect stats = StatsCornerButton->geometry();
    const tPaperButtons b = PlacePaperButtons(PaperTabsLayout->width(), stats.y() + stats.height(),
                                              QSizeF(ViewSizeBtn->size()), QSizeF(FavoriteBox->size()));
    ViewSizeBtn->move(b.ViewSizeBtn);
    FavoriteBox->move(b.FavoriteBox);
}

void TMainForm::PlaceThemeButtons()
{
    CallSeam(Seams.SetupThemesBox);
    std::vector<QWidget *> rows;
    if (Seams.NamedThemeRows)
        rows = Seams.NamedThemeRows();
    const QSizeF rowSize = rows.empty() ? QSizeF() : QSizeF(rows.front()->size());
    const tThemePlacement p = PlaceThemeRows(static_cast<int>(rows.size()), ThemesBox->width(), rowSize);
    int right = 0;
    for (size_t k = 0; k < rows.size(); ++k) {
        rows[k]->move(p.Rows[k]);
        right = std::max(right, p.Rows[k].x() + rows[k]->width());
    }
    // Four blanks keep the scroll extent below the last row.
    ThemespacerLabel->setText(QStringLiteral("    "));
    ThemespacerLabel->adjustSize();
    ThemespacerLabel->move(0, p.SpacerY);
    ThemesContent->resize(std::max(right, ThemesBox->viewport()->width()), p.SpacerY + ThemespacerLabel->height());
}

void TMainForm::PlacePricingHeader()
{
    ForexLayout->move(PricingHeader->width() - ForexLayout->width(), 0);
    const tPricingHeader h = ::PlacePricingHeader(ForexLayout->x(), PriceListNameLayout->width(), PriceColumnsLayout->width(),
                                                  PriceButtonsLayout->width());
    PriceColumnsLayout->setVisible(h.ShowColumns);
    PriceColumnsLayout->move(static_cast<int>(h.ColumnsX), 0);
    PriceButtonsLayout->move(static_cast<int>(h.ButtonsX), 0);
}

void TMainForm::PlaceBigLabel()
{
    const QWidget *strip = BigLabelLayout->isHidden() ? SeriesViewArea : BigLabelLayout;
    const int length = std::max(0, strip->height() - 20);
    // Turned -90 degrees the caption runs up the strip from its foot.
    BigLabel->setGeometry(0, 0, BigLabelLayout->width(), length);
}

void TMainForm::PlaceSlideStrips()
{
    SettingSlideBackground->setGeometry(SettingSlideLabelPanel->rect());
    ImageSlideBackground->setGeometry(ImageSlideLabelPanel->rect());
    SettingSlideLabel->setGeometry(SettingSlideLabelPanel->rect());
    ImageSlideLabel->setGeometry(ImageSlideLabelPanel->rect());
}

void TMainForm::FormResize()
{
    CallSeam(Seams.BuildNodePorts);
    CallSeam(Seams.AssignNodePorts);
    CallSeam(Seams.RenderTree);
    if (CurrentPageTag() == PagePricing) {
        CallSeam(Seams.SetupPricelistColumns, -1);
        CallSeam(Seams.RenderPrices);
    }
    if (State.SelectedTreeNode)
        LayoutMainForm(SelectedIsPaper());
    CallSeam(Seams.PlaceThumbnailPanel, false);
    PlaceBigLabel();
    PlaceSlideStrips();
    const int row = CoinGridRow();
    CallSeam(Seams.ClearUDFlist2);
    CallSeam(Seams.CreateUDFobjects);
    CallSeam(Seams.ShowUDFValues, row);
    PlacePricingHeader();
    CallSeam(Seams.ShowNAHint, row);
    CallSeam(Seams.ShowUserSeriesHint);
}

// ---------------------------------------------------------------------------
// Series page keyboard and tree scrolling

void TMainForm::FormKeyDown(int &key, QChar &keyChar, Qt::KeyboardModifiers)
{
    switch (SeriesPageKey(CurrentPageTag(), key, keyChar)) {
    case tSeriesKey::None:
        return;
    case tSeriesKey::TypeAhead:
        SeriesKeyFilter = TypeAheadFilter(SeriesKeyFilter, KeyTimer->isActive(), keyChar);
        KeyTimer->stop();
        if (tnodeinfo *match = FindTypeAheadSeries(*State.EntireCollection, SeriesKeyFilter)) {
            State.SelectedTreeNode = match;
            CallSeam(Seams.MakeTreeNodeVisible, match);
            Q_EMIT State.Events->SeriesSelected();
        }
        KeyTimer->start();
        keyChar = QChar();
        break;
    case tSeriesKey::Parent:
        if (State.SelectedTreeNode && State.SelectedTreeNode->ParentNode) {
            State.SelectedTreeNode = State.SelectedTreeNode->ParentNode;
            Q_EMIT State.Events->SeriesSelected();
        }
        break;
    case tSeriesKey::ScrollUp:
        TreeScrollButtonClick(TreeScrollUpButton);
        break;
    case tSeriesKey::ScrollDown:
        TreeScrollButtonClick(TreeScrollDownButton);
        break;
    case tSeriesKey::PageUp:
        ScrollTreePage(true);
        break;
    case tSeriesKey::PageDown:
        ScrollTreePage(false);
        break;
    }
    key = 0;
}

void TMainForm::KeyTimerTimer()
{
    KeyTimer->stop();
}

void TMainForm::TreeScrollButtonClick(QObject *sender)
{
    const int delta = sender ? sender->property("Tag").toInt() : 0;
    SeriesTree->Tree().ScrollBy(delta);
}

void TMainForm::ScrollTreePage(bool up)
{
    tSeriesTree &tree = SeriesTree->Tree();
    tree.ScrollBy(up ? -tree.ScrollPage() : tree.ScrollPage());
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == PageTabs)
            FormResize();
        else if (watched == ThemesBox->viewport())
            PlaceThemeButtons();
        else if (watched == BigLabelLayout)
            PlaceBigLabel();
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        if (watched == SelectedLabel)
            SelectedLabelClick();
        else if (watched == NextSeriesLabel)
            NextSeriesLabelClick();
        else if ((watched == ObverseLabel || watched == ReverseLabel) && watched->property("HitTest").toBool())
            ObverseLabelClick(watched);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Page switching

int TMainForm::CurrentPageTag() const
{
    const QWidget *page = PageTabs->currentWidget();
    return page ? page->property("Tag").toInt() : PageSeries;
}

int TMainForm::CoinGridRow() const
{
    return Seams.CoinGridRow ? Seams.CoinGridRow() : -1;
}

void TMainForm::ShowSelectedCaption(const QString &caption)
{
    if (Seams.SetSelectedLabelCaption)
        Seams.SetSelectedLabelCaption(caption);
    else
        SelectedLabel->setText(caption);
}

void TMainForm::CloseSettingStrip()
{
    SettingOut = false;
    SettingPanel->setFixedWidth(SettingSlideLabelPanel->width());
    SettingSlideLabel->setText(SettingsClosedCaption);
}

void TMainForm::PageTabsChange()
{
    const int page = CurrentPageTag();
    tnodeinfo *node = State.SelectedTreeNode;
    const int row = CoinGridRow();
    const bool rowValid = row >= 0 && row < static_cast<int>(State.CurrCoinList.size());

    tPageEntryFacts facts;
    facts.Page = page;
    facts.PreviousPage = PageTabs->property("Tag").toInt();
    facts.PricesModified = State.PricesModified;
    facts.DatesMayHaveChanged = State.DatesMayHaveChanged;
    facts.StatsSideShown = SideTabs->currentWidget() == Tab2Stats;
    facts.SeriesSelected = node != nullptr;
    facts.CoinRowValid = rowValid;
    const tPageEntry plan = PageEntryPlan(facts);

    CallSeam(Seams.BigImageDown);
    StatusLabel->clear();
    // A price typed into the grid belongs to the page being left.
    if (PriceGrid)
        PriceGrid->CommitEditor();

    if (plan.RecountSeries) {
        CalcNodeEntries(State);
        if (plan.RecalcDates)
            CalcNodeDates(State);
        CallSeam(Seams.RenderTree);
    }

    if (plan.ResortPrices)
        CallSeam(Seams.ResortPrices);
    PageTabs->setProperty("Tag", page);

    if (NoteMaxed) {
        NoteMaxed = false;
        CallSeam(Seams.NoteMaxedBtnClick, this);
    }

    if (plan.RefreshPricing) {
        const int country = CoinTypeToCountry(PriceSourceOf(*node));
        PriceCountryLabel->setText(GetCountryName(State, country));
        PriceDateLabel->setText(PriceDateText(State, country));
        PriceCountryLabel->adjustSize();
        PriceDateLabel->adjustSize();
        const tCentredPair pair = CentrePair(PriceTitleLayout->width(), PriceCountryLabel->width(), PriceDateLabel->width(), 10);
        PriceCountryLabel->move(static_cast<int>(pair.FirstX), (PriceTitleLayout->height() - PriceCountryLabel->height()) / 2);
        PriceDateLabel->move(static_cast<int>(pair.SecondX), (PriceTitleLayout->height() - PriceDateLabel->height()) / 2);

        const QString shared = SharedPricesStatus(State, *node);
        if (!shared.isEmpty())
            StatusLabel->setText(shared);

        HotPrice = -1;
        // The grid may have no current row; only a coin actually listed is
        // compared.
        if (!State.CurrCoinList.empty() && !State.CurrPriceList.empty() && rowValid) {
            HotPrice = FindHotPrice(State.CurrPriceList, *State.CurrCoinList[row]);
        }
        CallSeam(Seams.SetupPricelistColumns, HotPrice);
        CallSeam(Seams.RenderPrices);
    }

    if (Seams.SettingSlideLabelClick)
        Seams.SettingSlideLabelClick(PageTabs);
    else
        CloseSettingStrip();

    if (plan.RefreshStats)
        SideTabsChange();

    if (plan.CoinCaption) {
        const tCoinInfo &coin = *State.CurrCoinList[row];
        ShowSelectedCaption(CompoundVariety(coin.Year, false, coin.Mint, coin.Variety));
        CallSeam(Seams.BuildImageRadios);
        CallSeam(Seams.LoadCoinImage);
        CallSeam(Seams.UpdateImageButtons);
        CallSeam(Seams.ResetImageEffects);
    } else if (plan.SeriesCaption) {
        ShowSelectedCaption(node->NodeName);
    }

    if (plan.RefreshCoins) {
        CallSeam(Seams.AddRecent);
        CallSeam(Seams.BuildDateMintBoxList, false);
        CallSeam(Seams.UpdateSelectionSummary);
        const int r = rowValid ? row : 0;
        if (!State.CurrCoinList.empty()) {
            CallSeam(Seams.SortFolderCoins);
            CallSeam(Seams.SetCoinGridRow, -1);
            // Whatever entry sits at the old row after sorting.
            if (r < static_cast<int>(State.CurrCoinList.size()))
                CallSeam(Seams.SelectCoin, State.CurrCoinList[r]);
        }
        CallSeam(Seams.ShowNAHint, CoinGridRow());
    }

    if (plan.RefreshEbooks)
        CallSeam(Seams.BookListBoxChange);
    if (plan.RefreshChart)
        CallSeam(Seams.BuildCollectionChart);
    if (plan.RefreshReports) {
        CallSeam(Seams.ShowReportDescription, ReportListBox ? ReportListBox->currentRow() : -1);
        if (ReportTabControl && DescriptionTab)
            ReportTabControl->setCurrentWidget(DescriptionTab);
        const double zoom = Seams.PreviewZoom ? Seams.PreviewZoom() : 1.0;
        if (ReportZoomTrackBar) {
            // Showing the preview's zoom, not setting it.
            const QSignalBlocker block(ReportZoomTrackBar);
            ReportZoomTrackBar->setValue(static_cast<int>(std::lround(zoom * 100)));
        }
    }
}

void TMainForm::ShowBinPicture(int count)
{
    BinImage->setIcon(QIcon(BinPicture(count > 0)));
    BinImage->setProperty("BinFull", count > 0);
    BinLabel->setText(QString::number(count));
}

void TMainForm::SideTabsChange()
{
    CallSeam(Seams.BigImageDown);
    const QWidget *current = SideTabs->currentWidget();
    const int side = current ? current->property("Tag").toInt() : SideImage;
    for (QPushButton *b : {ImageCornerButton, ThemesCornerButton, StatsCornerButton}) {
        const bool down = b->property("Tag").toInt() == side;
        b->setProperty("StyleLookup", down ? QStringLiteral("CornerButtonStyleDown")
                                           : QStringLiteral("CornerButtonStyleUp"));
        b->resize(down ? 110 : 103, b->height());
        b->setChecked(down);
        if (down)
            b->setGraphicsEffect(CornerButtonShadow);
        b->style()->unpolish(b);
        b->style()->polish(b);
    }
    if (side == SideStats)
        Q_EMIT State.Events->SeriesSelected();
    LayoutMainForm(SelectedIsPaper());
}

// ---------------------------------------------------------------------------
// Date pop-up

void TMainForm::BuildDatePopup()
{
    for (int d = 1; d <= 31; ++d) {
        auto *cell = new TDayCell(d, DayArea);
        cell->hide();  // placed and shown for each month displayed
        connect(cell, &TDayCell::MouseEntered, this, [this](QObject *l) { CallSeam(Seams.DayCellMouseEnter, l); });
        connect(cell, &TDayCell::MouseLeft, this, [this](QObject *l) { CallSeam(Seams.DayCellMouseLeave, l); });
        connect(cell, &TDayCell::Clicked, this, [this](QObject *l) { CallSeam(Seams.DayCellClick, l); });
        DateShapes[d] = cell;
    }
}

void TMainForm::TodayButtonClick()
{
    const QDate today = QDate::currentDate();
    PurchasedYY = {quint16(today.year()), quint16(today.year())};
    PurchasedMM = {quint16(today.month()), quint16(today.month())};
    PurchasedDD = {quint16(today.day()), quint16(today.day())};
    CallSeam(Seams.RenderDatePopup);
    QWidget *target = DatePopup->PlacementTarget.data();
    DatePopup->hide();  // its close handler writes the date into the target
    CallSeam(Seams.StuffCoinInfo, target);
}

// ---------------------------------------------------------------------------
// Handlers

void TMainForm::LegendCheckBoxChange()
{
    CallSeam(Seams.ViewSizeBtnClick, StackPickerBox);
}

void TMainForm::FavoriteBoxChange()
{
    State.DataModified = true;
    Q_EMIT State.Events->SetMainCaption();
    if (State.SelectedTreeNode)
        State.SelectedTreeNode->Favorite = FavoriteBox->isChecked();
    CallSeam(Seams.BuildFavoritesMenu);
}

void TMainForm::FaceBook1Click()
{
    MultiPlatformOpen(FacebookPageAddress);
}

void TMainForm::CopyToClipboard(const QString &text)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(text);
}

void TMainForm::NextSeriesLabelClick()
{
    if (!State.MaintainerMode)
        return;
    CopyToClipboard(QString::number(CallSeam(Seams.NextSeries)));
}

void TMainForm::ObverseLabelClick(QObject *sender)
{
    const tnodeinfo *node = State.SelectedTreeNode;
    if (!State.MaintainerMode || !node)
        return;
    const bool obverse = sender == ObverseLabel;
    const QString stored = obverse ? node->Obverse : node->Reverse;
    const bool paper = node->CoinShape == PaperMoneyShape;
    CopyToClipboard(Seams.FullPath ? Seams.FullPath(stored, node->Country, obverse, paper) : stored);
}

void TMainForm::SelectedLabelClick()
{
    const tnodeinfo *node = State.SelectedTreeNode;
    if (!State.MaintainerMode || !node)
        return;
    if (CtrlDown())
        resize(1600, 1000);
    if (CurrentPageTag() == PagePricing)
        CallSeam(Seams.ShowPastePriceForm);
    CopyToClipboard(QStringLiteral("AddNode(") + QString::number(node->CoinType) + QStringLiteral(","));
}
