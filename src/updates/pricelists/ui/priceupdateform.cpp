#include "updates/pricelists/ui/priceupdateform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/program/settings.h"
#include "pricing/valuation/spotprices.h"
#include "updates/pricelists/ui/countrychecklist.h"

TPriceUpdateForm *PriceUpdateForm = nullptr;
bool PriceUpdateInUse = false;

namespace {

constexpr int RowHeight = 26;

QString NoAccelerator(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void SetTextColor(QLabel *label, QRgb color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgba(color));
    label->setPalette(p);
}

} // namespace

TPriceUpdateForm::TPriceUpdateForm(tMainState &s, QWidget *parent, tRetryTimer::Clock clock)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s), Machine_(s, std::move(clock))
{
    setObjectName(QStringLiteral("PriceUpdateForm"));
    setWindowTitle(QStringLiteral("Download price lists"));
    setFixedSize(646, 424);

    ScrollBox1 = new TCountryChecklist(this);
    ScrollBox1->setGeometry(8, 8, 470, 300);

    const tButtonColumn column{488, 150};
    static constexpr tSelectionButton Selection[] = {
        {"SelectAllBtn", "Select all", SelectAllTag},
        {"SelectCoinsBtn", "Select coins", SelectCoinsTag},
        {"SelectPaperBtn", "Select paper", SelectPaperTag},
        {"SuggestBtn", "Suggest", SuggestTag},
        {"SelectNoneBtn", "Select none", SelectNoneTag},
    };
    SelectionButtons = AddSelectionButtons(this, column, Selection, [this](int tag) { SelectCoinsBtnClick(tag); });
    SelectionButtons.front()->setToolTip(QStringLiteral("Check every price list for download"));
    UpdateButton = AddColumnButton(this, column, "UpdateButton", QStringLiteral("Begin update"), 240);
    OKbutton = AddColumnButton(this, column, "OKbutton", QStringLiteral("Done"), 276);
    connect(UpdateButton, &QPushButton::clicked, this, &TPriceUpdateForm::UpdateButtonClick);
    connect(OKbutton, &QPushButton::clicked, this, &TPriceUpdateForm::OKbuttonClick);

    Label1 = new QLabel(QStringLiteral("Idle..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 314, 630, 20);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 336, 630, 12);
    ProgressBar1->setTextVisible(false);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setGeometry(8, 350, 630, 12);
    ProgressBar2->setTextVisible(false);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 364, 630, 20);

    ServerLabel = new QLabel(QStringLiteral("Update server:"), this);
    ServerLabel->setObjectName(QStringLiteral("ServerLabel"));
    ServerLabel->setGeometry(8, 390, 100, 28);
    ServerEdit = new QLineEdit(this);
    ServerEdit->setObjectName(QStringLiteral("ServerEdit"));
    ServerEdit->setGeometry(112, 390, 366, 28);
    ServerEdit->setPlaceholderText(QStringLiteral("host or host:port"));
    ServerLabel->setBuddy(ServerEdit);
    ServerButton = AddColumnButton(this, column, "ServerButton", QStringLiteral("Connect"), 390);
    connect(ServerButton, &QPushButton::clicked, this, &TPriceUpdateForm::ServerButtonClick);
    connect(ServerEdit, &QLineEdit::returnPressed, this, &TPriceUpdateForm::ServerButtonClick);

    connect(&Machine_, &tPriceUpdateMachine::StatusText, Label1, &QLabel::setText);
    connect(&Machine_, &tPriceUpdateMachine::ProgressText, Label2, &QLabel::setText);
    connect(&Machine_, &tPriceUpdateMachine::FileBar, this,
            [this](qint64 v, qint64 m) { ShowByteProgress(ProgressBar1, v, m); });
    connect(&Machine_, &tPriceUpdateMachine::OverallBar, this,
            [this](qint64 v, qint64 m) { ShowByteProgress(ProgressBar2, v, m); });
    connect(&Machine_, &tPriceUpdateMachine::RowFinished, this, &TPriceUpdateForm::OnRowFinished);
    connect(&Machine_, &tPriceUpdateMachine::StatusChanged, this, &TPriceUpdateForm::ShowPriceListStatus);
    connect(&Machine_, &tPriceUpdateMachine::DatesReady, this, &TPriceUpdateForm::OnDatesReady);
    connect(&Machine_, &tPriceUpdateMachine::Problem, this, &TPriceUpdateForm::Report);
    connect(&Machine_, &tPriceUpdateMachine::UpdateStarted, this, &TPriceUpdateForm::OnUpdateStarted);
    connect(&Machine_, &tPriceUpdateMachine::UpdateFinished, this, &TPriceUpdateForm::OnUpdateFinished);

    FormCreate();
}

TPriceUpdateForm::~TPriceUpdateForm()
{
    // Members go before the base class frees the child widgets: Machine_
    // stops and joins its worker first, so no signal of it reaches a widget
    // being torn down. The rows' widgets belong to the scroll box.
    if (PriceUpdateForm == this) {
        PriceUpdateForm = nullptr;
        PriceUpdateInUse = false;
    }
}

void TPriceUpdateForm::FormCreate()
{
    PriceUpdateInUse = true;
    ScrollBox1->Build(s_.CountryList, tChecklistMetrics{RowHeight, 0, 36}, [this](tCountryInfo &c, QWidget *content) {
        auto item = std::make_unique<tOneItem>();
        item->Country = &c;
        item->ItemLayout = new QWidget(content);
        item->ItemLayout->setObjectName(QStringLiteral("ItemLayout%1").arg(c.CountryID));
        item->ItemLayout->resize(ScrollBox1->ClientWidth() - 24, RowHeight);
        item->ItemCheckBox = new QCheckBox(item->ItemLayout);
        item->ItemCheckBox->setObjectName(QStringLiteral("ItemCheckBox%1").arg(c.CountryID));
        QFont f = item->ItemCheckBox->font();
        f.setPixelSize(14);
        item->ItemCheckBox->setFont(f);
        item->ItemCheckBox->setGeometry(0, 0, item->ItemLayout->width(), RowHeight);
        item->ItemLabel = new QLabel(item->ItemLayout);
        item->ItemLabel->setObjectName(QStringLiteral("ItemLabel%1").arg(c.CountryID));
        item->ItemLabel->setFont(f);
        item->ItemLabel->setWordWrap(false);
        item->ItemLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->ItemLabel->hide();
        connect(item->ItemCheckBox, &QCheckBox::toggled, this, &TPriceUpdateForm::ShowSelectedCount);
        QWidget *row = item->ItemLayout;
        ItemList_.push_back(std::move(item));
        return row;
    });
    ResetRowCaptions();
    SortItemList();

    const std::vector<int> last = ParsePLU(ReadRegString(PLUSettingName, QString()));
    for (const auto &item : ItemList_)
        if (std::find(last.begin(), last.end(), item->Country->CountryID) != last.end())
            item->ItemCheckBox->setChecked(true);

    ServerEdit->setText(s_.UpdateServerHost);
    Label1->clear();
    ProgressBar1->hide();
    ProgressBar2->hide();
    Label2->hide();
    SetControlsEnabled(false);
    OKbutton->setEnabled(false);
}

void TPriceUpdateForm::SetControlsEnabled(bool on)
{
    for (QPushButton *b : SelectionButtons)
        b->setEnabled(on);
    ScrollBox1->setEnabled(on);
    UpdateButton->setEnabled(on && HasUpdateServer(s_));
    ServerEdit->setEnabled(on);
    ServerButton->setEnabled(on);
}

void TPriceUpdateForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TPriceUpdateForm::FormShow()
{
    if (!HasUpdateServer(s_)) {
        ShowNoServer();
        return;
    }
    Label1->setText(QStringLiteral("Downloading the list of price lists..."));
    Machine_.DownloadPriceDates();
}

void TPriceUpdateForm::ShowNoServer()
{
    ShowPriceListStatus();
    SetControlsEnabled(true);
    OKbutton->setEnabled(true);
    Label1->setText(NoServerText);
    ServerEdit->setFocus();
}

void TPriceUpdateForm::ServerButtonClick()
{
    if (Machine_.Busy())
        return;
    QString error;
    const QString address = CheckServerAddress(ServerEdit->text(), &error);
    if (!error.isEmpty()) {
        Label1->setText(error);
        ServerEdit->setFocus();
        return;
    }
    ServerEdit->setText(address);
    if (address != s_.UpdateServerHost) {
        s_.UpdateServerHost = address;
        WriteRegString(RegName::UpdateServer, address);
    }
    if (address.isEmpty()) {
        ShowNoServer();
        return;
    }
    SetControlsEnabled(false);
    Label1->setText(QStringLiteral("Downloading the list of price lists..."));
    Machine_.DownloadPriceDates();
}

void TPriceUpdateForm::OnDatesReady(const QString &error)
{
    ShowPriceListStatus();
    SetControlsEnabled(true);
    OKbutton->setEnabled(true);
    if (error.isEmpty())
        ShowSelectedCount();
    else
        Report(error);
    if (closeWanted_)
        close();
}

void TPriceUpdateForm::ShowPriceListStatus()
{
    for (const auto &item : ItemList_) {
        const int n = item->Country->CountryID;
        const bool known = n >= 0 && n <= MaxCountry;
        const int32_t server = known ? Machine_.ServerDates()[static_cast<size_t>(n)] : 0;
        const int32_t local = known ? s_.PricesDatesArray[static_cast<size_t>(n)] : -1;
        const tPriceRowStatus st = PriceListStatus(server, local);
        item->ItemCheckBox->setToolTip(st.Hint);
        if (!st.Visible) {
            item->ItemLabel->hide();
            continue;
        }
        item->ItemLabel->setText(st.Text);
        SetTextColor(item->ItemLabel, st.Color);
        item->ItemLabel->adjustSize();
        const int w = item->ItemLabel->width();
        item->ItemLabel->setGeometry(item->ItemLayout->width() - w, 0, w, RowHeight);
        item->ItemLabel->show();
        item->ItemLabel->raise();
    }
}

void TPriceUpdateForm::SelectCoinsBtnClick(int tag)
{
    for (const auto &item : ItemList_) {
        const int n = item->Country->CountryID;
        const bool known = n >= 0 && n <= MaxCountry;
        const int32_t server = known ? Machine_.ServerDates()[static_cast<size_t>(n)] : 0;
        const int32_t local = known ? s_.PricesDatesArray[static_cast<size_t>(n)] : -1;
        item->ItemCheckBox->setChecked(SelectionChecks(tag, *item->Country, server, local));
    }
}

void TPriceUpdateForm::ShowSelectedCount()
{
    const auto n = std::count_if(ItemList_.begin(), ItemList_.end(),
                                 [](const auto &item) { return item->ItemCheckBox->isChecked(); });
    Label1->setText(SelectedCountText(static_cast<int>(n)));
}

void TPriceUpdateForm::ResetRowCaptions()
{
    for (const auto &item : ItemList_) {
        item->ItemCheckBox->setText(NoAccelerator(CountryRowCaption(*item->Country)));
        QFont f = item->ItemCheckBox->font();
        f.setBold(false);
        item->ItemCheckBox->setFont(f);
        QPalette p = item->ItemCheckBox->palette();
        p.setColor(QPalette::WindowText, QColor::fromRgba(0xFF000000));
        p.setColor(QPalette::ButtonText, QColor::fromRgba(0xFF000000));
        item->ItemCheckBox->setPalette(p);
    }
}

void TPriceUpdateForm::SortItemList()
{
    SortItemsByCaption(ItemList_, [](const std::unique_ptr<tOneItem> &item) { return CountryRowCaption(*item->Country); });
}

void TPriceUpdateForm::UpdateButtonClick()
{
    if (Machine_.Busy())
        return;
    ScrollBox1->setUpdatesEnabled(false);
    ResetRowCaptions();
    ScrollBox1->setUpdatesEnabled(true);
    std::vector<tPriceRow> rows;
    rows.reserve(ItemList_.size());
    for (const auto &item : ItemList_)
        rows.push_back({item->Country, item->ItemCheckBox->isChecked(), 0});
    try {
        Machine_.BeginUpdate(std::move(rows));
    } catch (const std::exception &e) {
        Report(QString::fromUtf8(e.what()));
    }
}

void TPriceUpdateForm::OnUpdateStarted()
{
    SetControlsEnabled(false);
    Label1->show();
    Label2->clear();
    Label2->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar2->setValue(0);
    ProgressBar2->show();
}

void TPriceUpdateForm::OnRowFinished(int row, bool failed)
{
    if (row < 0 || row >= static_cast<int>(ItemList_.size()))
        return;
    const tOneItem &item = *ItemList_[static_cast<size_t>(row)];
    item.ItemCheckBox->setText(NoAccelerator(CountryRowCaption(*item.Country)) +
                               (failed ? QStringLiteral(" (Failed)") : QStringLiteral(" (Done)")));
    QFont f = item.ItemCheckBox->font();
    f.setBold(true);
    item.ItemCheckBox->setFont(f);
}

void TPriceUpdateForm::OnUpdateFinished()
{
    ProgressBar1->hide();
    ProgressBar2->hide();
    Label2->hide();
    SetControlsEnabled(true);
    if (Machine_.AbortQueue() || closeWanted_)
        close();
}

void TPriceUpdateForm::OKbuttonClick()
{
    // During an update Done stops it at once (the window closes when the
    // update has ended); while the dates come in, closing gives them up.
    if (Machine_.InUpdate())
        Machine_.RequestStop();
    else
        close();
}

void TPriceUpdateForm::closeEvent(QCloseEvent *event)
{
    // The window stays while a transfer runs; it closes once the transfer
    // is over (during an update: once the running country is done).
    if (Machine_.Busy()) {
        closeWanted_ = true;
        // An update ends with the running country; the dates, which nothing
        // depends on once the window goes, are given up at once.
        if (Machine_.InUpdate())
            Machine_.RequestStop();
        else
            Machine_.CancelTransfers();
        event->ignore();
        return;
    }
    event->accept();
    hide();
    if (Machine_.SomeUpdates()) {
        Q_EMIT s_.Events->CheckForNewTypes();
        s_.Events->RethrowFailure();
    }
    PriceUpdateInUse = false;
    if (PriceUpdateForm == this)
        PriceUpdateForm = nullptr;
    // Freed by WA_DeleteOnClose when opened as the program's tool window.
}

void TPriceUpdateForm::Report(const QString &text)
{
    ShowEpicMessage(text, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
}

TPriceUpdateForm *OpenPriceUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock)
{
    CurrProcGuard guard(PriceUpdateBlock);
    if (!PriceUpdateForm) {
        PriceUpdateForm = new TPriceUpdateForm(s, mainWindow, std::move(clock));
        PriceUpdateForm->setAttribute(Qt::WA_DeleteOnClose);
        if (mainWindow) {
            const QPoint centre = mainWindow->frameGeometry().center();
            PriceUpdateForm->move(centre - QPoint(PriceUpdateForm->width() / 2, PriceUpdateForm->height() / 2));
        }
    }
    PriceUpdateForm->show();
    PriceUpdateForm->raise();
    PriceUpdateForm->activateWindow();
    return PriceUpdateForm;
}
