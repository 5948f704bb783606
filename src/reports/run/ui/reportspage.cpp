#include "reports/run/ui/reportspage.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/model/currproc.h"
#include "platform/uiservices.h"
#include "reports/bin/reportbin.h"
#include "reports/bin/ui/reportbinpane.h"
#include "reports/engine/reportexport.h"
#include "reports/run/starterreports.h"
#include "reports/run/ui/reportprint.h"
#include "reports/run/ui/reportpreview.h"

namespace {

template <class T>
T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TReportsPage::TReportsPage(tMainState &state, QWidget *parent) : QWidget(parent), State(state), Runner(state)
{
    setObjectName(QStringLiteral("ReportsPage"));
    ReportTabControl = Named(new QTabWidget(this), "ReportTabControl");

    // Description pane
    DescriptionTab = Named(new QWidget, "DescriptionTab");
    auto *caption = Named(new QLabel(QStringLiteral("Available reports:"), DescriptionTab), "Label134");
    ReportListBox = Named(new QListWidget(DescriptionTab), "ReportListBox");
    ReportListBox->setStyleSheet(QStringLiteral(
        "QListWidget#ReportListBox { font-size: 18px; }"
        "QListWidget#ReportListBox::item { padding-left: 8px; border: none; }"
        "QListWidget#ReportListBox::item:selected { background: #0000FF; color: white; }"));
    ReportDescriptionLabel = Named(new QLabel(DescriptionTab), "ReportDescriptionLabel");
    ReportDescriptionLabel->setWordWrap(true);
    ReportDescriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *descLayout = new QHBoxLayout(DescriptionTab);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(caption);
    listColumn->addWidget(ReportListBox, 1);
    descLayout->addLayout(listColumn, 1);
    descLayout->addWidget(ReportDescriptionLabel, 1);
    ReportTabControl->addTab(DescriptionTab, QStringLiteral("Description"));

    // Preview pane
    PreviewTab = Named(new QWidget, "PreviewTab");
    ReportPreview = new TReportPreview(PreviewTab);
    Label99 = Named(new QLabel(QStringLiteral("Zoom amount:"), PreviewTab), "Label99");
    ReportZoomTrackBar = Named(new QSlider(Qt::Horizontal, PreviewTab), "ReportZoomTrackBar");
    ReportZoomTrackBar->setRange(5, 500);
    ReportZoomTrackBar->setValue(100);
    ReportWidthBtn = Named(new QPushButton(QStringLiteral("Fit width"), PreviewTab), "ReportWidthBtn");
    ReportHeightBtn = Named(new QPushButton(QStringLiteral("Fit height"), PreviewTab), "ReportHeightBtn");
    Label115 = Named(new QLabel(QStringLiteral("Page number"), PreviewTab), "Label115");
    FirstPageBtn = Named(new QPushButton(QStringLiteral("|<"), PreviewTab), "FirstPageBtn");
    ReportSpinEdit = Named(new QSpinBox(PreviewTab), "ReportSpinEdit");
    ReportSpinEdit->setRange(1, 9999);  // four digits at most
    ReportSpinEdit->setValue(1);
    Label116 = Named(new QLabel(QStringLiteral("of 1"), PreviewTab), "Label116");
    LastPageBtn = Named(new QPushButton(QStringLiteral(">|"), PreviewTab), "LastPageBtn");
    PrintReportBtn = Named(new QPushButton(QStringLiteral("Print"), PreviewTab), "PrintReportBtn");
    ExportComboBox = Named(new QComboBox(PreviewTab), "ExportComboBox");
    ExportComboBox->addItems({QStringLiteral("PDF "), QStringLiteral("CSV"), QStringLiteral("GIF")});
    ExportComboBox->setCurrentIndex(0);
    ExportReportBtn = Named(new QPushButton(QStringLiteral("Export"), PreviewTab), "ExportReportBtn");
    auto *bar = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{Label99, ReportZoomTrackBar, ReportWidthBtn, ReportHeightBtn,
                                                       Label115, FirstPageBtn, ReportSpinEdit, Label116, LastPageBtn})
        bar->addWidget(w);
    bar->addStretch(1);
    for (QWidget *w : std::initializer_list<QWidget *>{PrintReportBtn, ExportComboBox, ExportReportBtn})
        bar->addWidget(w);
    auto *previewLayout = new QVBoxLayout(PreviewTab);
    previewLayout->addLayout(bar);
    previewLayout->addWidget(ReportPreview, 1);
    ReportTabControl->addTab(PreviewTab, QStringLiteral("Preview"));

    // Report Bin pane
    BinTab = Named(new QWidget, "BinTab");
    BinPane = new TReportBinPane(state, BinTab);
    auto *binLayout = new QVBoxLayout(BinTab);
    binLayout->setContentsMargins(0, 0, 0, 0);
    binLayout->addWidget(BinPane);
    ReportTabControl->addTab(BinTab, QStringLiteral("Report Bin"));

    // The corner buttons stand for the tabs, whose own headers are hidden.
    ReportTabControl->tabBar()->hide();
    auto *corners = new QHBoxLayout;
    corners->setSpacing(4);
    CornerButton1 = Named(new QPushButton(QStringLiteral("Description"), this), "CornerButton1");
    CornerButton2 = Named(new QPushButton(QStringLiteral("Preview"), this), "CornerButton2");
    CornerButton3 = Named(new QPushButton(QStringLiteral("Report Bin"), this), "CornerButton3");
    ShadowEffect2 = new QGraphicsDropShadowEffect(this);
    ShadowEffect2->setOffset(3 * 0.7071, 3 * 0.7071);  // distance 3 towards the lower right
    ShadowEffect2->setBlurRadius(6);
    ShadowEffect2->setColor(QColor(0, 0, 0, 153));
    int tag = 0;
    for (QPushButton *b : {CornerButton1, CornerButton2, CornerButton3}) {
        b->setProperty("Tag", tag++);
        b->setProperty("CornerButton", true);
        // Not checkable: a checkable button offers a screen reader "toggle"
        // rather than "press"; the pressed look is the Down style's.
        b->setFixedSize(123, 32);
        // The window's style sheet draws the two corner-button styles.
        b->setProperty("StyleLookup", QStringLiteral("CornerButtonStyleUp"));
        corners->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { ShowPane(b->property("Tag").toInt()); });
    }
    corners->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(corners);
    layout->addWidget(ReportTabControl, 1);
    EnablePreviewControls(false);
    ShowBinCount();
    ReportTabControlChange();

    connect(ReportListBox, &QListWidget::currentRowChanged, this, [this] { ReportListBoxChange(); });
    connect(ReportTabControl, &QTabWidget::currentChanged, this, [this] { ReportTabControlChange(); });
    connect(BinPane, &TReportBinPane::BinChanged, this, &TReportsPage::ShowBinCount);
    connect(ReportPreview, &TReportPreview::PageChanged, this, &TReportsPage::ReportPreviewPageChanged);
    connect(ReportSpinEdit, &QSpinBox::valueChanged, this, &TReportsPage::ReportSpinEditChange);
    connect(FirstPageBtn, &QPushButton::clicked, this, [this] { ReportSpinEdit->setValue(1); });
    connect(LastPageBtn, &QPushButton::clicked, this,
            [this] { ReportSpinEdit->setValue(ReportPreview->PageCount()); });
    connect(ReportZoomTrackBar, &QSlider::valueChanged, this,
            [this](int value) { ReportPreview->SetZoom(value / 100.0); });
    connect(ReportWidthBtn, &QPushButton::clicked, this, [this] { ReportFitBtnClick(true); });
    connect(ReportHeightBtn, &QPushButton::clicked, this, [this] { ReportFitBtnClick(false); });
    connect(PrintReportBtn, &QPushButton::clicked, this, &TReportsPage::PrintReportBtnClick);
    connect(ExportReportBtn, &QPushButton::clicked, this, &TReportsPage::ExportReportBtnClick);

    Runner.Engine.OnProgress = [this](int page) { ReportProgress(page); };
}

void TReportsPage::ShowPane(int tag)
{
    QWidget *panes[] = {DescriptionTab, PreviewTab, BinTab};
    if (tag < 0 || tag > 2)
        return;
    if (ReportTabControl->currentWidget() == panes[tag])
        ReportTabControlChange();  // a second click keeps the button down
    else
        ReportTabControl->setCurrentWidget(panes[tag]);
}

void TReportsPage::ReportTabControlChange()
{
    CurrProcGuard guard(28800);
    QWidget *current = ReportTabControl->currentWidget();
    const std::pair<QPushButton *, QWidget *> buttons[] = {
        {CornerButton1, DescriptionTab}, {CornerButton2, PreviewTab}, {CornerButton3, BinTab}};
    for (const auto &[b, pane] : buttons) {
        const bool down = pane == current;
        b->setProperty("StyleLookup", down ? QStringLiteral("CornerButtonStyleDown")
                                           : QStringLiteral("CornerButtonStyleUp"));
        b->setProperty("Pressed", down);
        b->setAccessibleDescription(down ? QStringLiteral("shown") : QString());
        // The pressed Description and Preview buttons widen; Report Bin keeps its width.
        b->setFixedWidth(down && b != CornerButton3 ? 133 : 123);
        if (down)
            b->setGraphicsEffect(ShadowEffect2);
        b->style()->unpolish(b);
        b->style()->polish(b);
    }
    if (current == PreviewTab)
        ShowReportPreview();
    else if (current == BinTab)
        BinPane->RefreshBinList();
}

void TReportsPage::ShowBinCount()
{
    const int count = BinCount(State);
    if (count == 0)
        ReportTabControl->setCurrentWidget(DescriptionTab);
    // The rows hold the entries themselves: a pane on show follows any
    // change (an entry deleted, another collection read); a hidden one is
    // rebuilt when next shown.
    if (count > 0 && ReportTabControl->currentWidget() == BinTab)
        BinPane->RefreshBinList();
    else
        State.BinList.clear();
    ReportTabControl->setTabVisible(ReportTabControl->indexOf(BinTab), count > 0);
    CornerButton3->setVisible(count > 0);
    Q_EMIT BinCountChanged(count);
}

void TReportsPage::ShowError(const QString &text)
{
    ShowReportMessage(QStringLiteral("%1\n(block %2)").arg(text).arg(CurrProc));
}

void TReportsPage::LoadReportList()
{
    if (!starterChecked_ && !State.ReportsRedirect.isEmpty()) {
        starterChecked_ = true;
        try {
            InstallStarterReports(State.ReportsRedirect);
        } catch (const std::exception &e) {
            ShowError(QString::fromUtf8(e.what()));
        }
    }
    std::array<QString, ThemeCount> themes{};
    if (Runner.Env.ThemeName)
        for (int i = 0; i < ThemeCount; ++i)
            themes[static_cast<size_t>(i)] = Runner.Env.ThemeName(i);
    // The list box follows the list: its old selection is the list's.
    List.Selected = ReportListBox->currentRow();
    ::LoadReportList(List, State.ReportsRedirect, themes, State.DefaultReport);
    FillListBox();
}

void TReportsPage::FillListBox()
{
    const QSignalBlocker block(ReportListBox);
    ReportListBox->clear();
    // An item's text is the entry's name exactly: the name stored at close
    // must find the entry again at the next start.
    for (const tReportItem &item : List.Items)
        ReportListBox->addItem(item.Text);
    ReportListBox->setCurrentRow(List.Selected);
}

void TReportsPage::ShowReportDescription(int itemIndex)
{
    ReportDescriptionLabel->setText(ReportDescription(List, itemIndex));
}

void TReportsPage::ReportListBoxChange()
{
    CurrProcGuard guard(19100);
    List.Selected = ReportListBox->currentRow();
    ShowReportDescription(List.Selected);
}

void TReportsPage::RunReport(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(List.Items.size()))
        return;
    // The window's one busy indicator runs while the report prepares.
    struct tBusy {
        tMainState &s;
        explicit tBusy(tMainState &state) : s(state)
        {
            Q_EMIT s.Events->ShowBusy(true);
        }
        ~tBusy()
        {
            Q_EMIT s.Events->ShowBusy(false);
        }
    } busy{State};
    // The item's parameters are copied: a reload of the list while the
    // report prepares frees the records.
    const tParamInfo params = *List.Items[static_cast<size_t>(itemIndex)].Params;
    ReportPreview->Clear();
    try {
        if (Runner.Run(params, State.ReportsRedirect))
            ReportPreview->SetReport(Runner.Engine.Prepared());
    } catch (const std::exception &e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

void TReportsPage::ShowReportPreview()
{
    CurrProcGuard guard(19300);
    EnablePreviewControls(false);
    RunReport(ReportListBox->currentRow());
    const int pages = ReportPreview->PageCount();
    if (pages > 0) {
        const QSignalBlocker block(ReportSpinEdit);
        ReportSpinEdit->setMaximum(pages);
        ReportSpinEdit->setValue(ReportPreview->CurrentPage());
        Label116->setText(QStringLiteral("of ") + QString::number(pages));
    }
    EnablePreviewControls(pages > 0);
    Q_EMIT StatusChanged(QString());
}

void TReportsPage::EnablePreviewControls(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{ReportZoomTrackBar, ReportWidthBtn, ReportHeightBtn,
                                                       ExportComboBox, PrintReportBtn, ExportReportBtn, FirstPageBtn,
                                                       ReportSpinEdit, LastPageBtn, Label99, Label115, Label116})
        w->setEnabled(enabled);
}

void TReportsPage::ReportPreviewPageChanged(int page)
{
    if (page > 0)
        ReportSpinEdit->setValue(page);
}

void TReportsPage::ReportProgress(int page)
{
    Q_EMIT StatusChanged(QStringLiteral("Processing page ") + QString::number(page));
    // Keep the window alive while long reports prepare; a run asked for
    // meanwhile stops this one and follows it.
    QCoreApplication::processEvents();
}

void TReportsPage::ReportSpinEditChange(int value)
{
    CurrProcGuard guard(19400);
    ReportPreview->SetPage(value);
}

void TReportsPage::ReportFitBtnClick(bool width)
{
    CurrProcGuard guard(23300);
    ReportPreview->SetZoomMode(width ? TReportPreview::PageWidth : TReportPreview::WholePage);
    const QSignalBlocker block(ReportZoomTrackBar);  // the fit mode stays
    ReportZoomTrackBar->setValue(static_cast<int>(std::lround(ReportPreview->Zoom() * 100)));
}

void TReportsPage::PrintReportBtnClick()
{
    const auto report = ReportPreview->Report();
    if (!report)
        return;
    try {
        if (ChoosePrinter) {
            QPrinter printer(QPrinter::HighResolution);
            if (ChoosePrinter(printer, report->PageCount()))
                PrintPreparedReport(*report, printer);
        } else {
            PrintPreparedReportWithDialog(*report, this);
        }
    } catch (const std::exception &e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

void TReportsPage::ExportReportBtnClick()
{
    CurrProcGuard guard(19000);
    EnablePreviewControls(false);
    const auto report = ReportPreview->Report();
    const int kind = ExportComboBox->currentIndex();
    bool written = false;
    if (report && kind >= 0 && kind <= 2) {
        static const char *const filters[] = {"PDF files (*.pdf)", "CSV files (*.csv)", "GIF pictures (*.gif)"};
        static const char *const suffixes[] = {"pdf", "csv", "gif"};
        platform::FileRequest req;
        req.Title = QStringLiteral("Export the report");
        req.Folder = State.ReportsRedirect;
        req.FileName = report->Template->Title;
        req.Filter = QString::fromLatin1(filters[kind]);
        req.DefaultSuffix = QString::fromLatin1(suffixes[kind]);
        const QString path = platform::ui().saveFileName(req);
        if (!path.isEmpty()) {
            try {
                if (kind == 0)
                    ExportReportPdf(*report, path);
                else if (kind == 1)
                    ExportReportCsv(*report, path);
                else
                    ExportReportGif(*report, path);
                written = true;
            } catch (const std::exception &e) {
                ShowError(QString::fromUtf8(e.what()));
            }
        }
    }
    Q_EMIT StatusChanged(QString());
    EnablePreviewControls(report != nullptr && report->PageCount() > 0);
    // Only a written file is complete: a cancelled dialog says nothing, and
    // a failure has been shown as such.
    if (written)
        ShowReportMessage(QStringLiteral("The export process is now complete."));
}
