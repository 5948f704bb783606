#include "updates/imagepacks/ui/imageupdateform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/model/currproc.h"
#include "platform/ini.h"
#include "pricing/valuation/spotprices.h"
#include "updates/pricelists/ui/countrychecklist.h"

TImageUpdateForm *ImageUpdateForm = nullptr;
bool ImageUpdateInUse = false;

namespace {

constexpr int RowHeight = 26;
constexpr int RowGap = 6;

QString NoAccelerator(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TImageUpdateForm::TImageUpdateForm(tMainState &s, QWidget *parent, tRetryTimer::Clock clock)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s), Machine_(s, std::move(clock))
{
    setObjectName(QStringLiteral("ImageUpdateForm"));
    setWindowTitle(QStringLiteral("Download images"));
    setFixedSize(564, 418);

    ScrollBox1 = new TCountryChecklist(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(8, 8, 390, 306);

    const tButtonColumn column{408, 148};
    static constexpr tSelectionButton Selection[] = {
        {"SelectCoinsBtn", "Select coins", ImageSelectCoinsTag},
        {"SelectPaperBtn", "Select paper", ImageSelectPaperTag},
        {"SuggestCoinsBtn", "Suggest Coins", ImageSuggestCoinsTag},
        {"SuggestPaperBtn", "Suggest paper", ImageSuggestPaperTag},
        {"SelectNoneBtn", "Select none", ImageSelectNoneTag},
    };
    SelectionButtons = AddSelectionButtons(this, column, Selection, [this](int tag) { SelectCoinsBtnClick(tag); });
    UpdateButton = AddColumnButton(this, column, "UpdateButton", QStringLiteral("Begin update"), 216);
    StopButton = AddColumnButton(this, column, "StopButton", QStringLiteral("Stop update"), 250);
    OKbutton = AddColumnButton(this, column, "OKbutton", QStringLiteral("Done"), 286);
    connect(UpdateButton, &QPushButton::clicked, this, &TImageUpdateForm::UpdateButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &TImageUpdateForm::StopButtonClick);
    connect(OKbutton, &QPushButton::clicked, this, &TImageUpdateForm::OKbuttonClick);

    Label1 = new QLabel(QStringLiteral("Idle..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 320, 548, 20);
    RetryLabel = new QLabel(QStringLiteral("Retry"), this);
    RetryLabel->setObjectName(QStringLiteral("RetryLabel"));
    RetryLabel->setGeometry(470, 320, 86, 20);
    RetryLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 344, 548, 12);
    ProgressBar1->setTextVisible(false);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setGeometry(8, 360, 548, 12);
    ProgressBar2->setTextVisible(false);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 378, 548, 20);

    connect(&Machine_, &tImageUpdateMachine::StatusText, Label1, &QLabel::setText);
    connect(&Machine_, &tImageUpdateMachine::ProgressText, Label2, &QLabel::setText);
    connect(&Machine_, &tImageUpdateMachine::RetryText, this, [this](const QString &text) {
        RetryLabel->setText(text);
        RetryLabel->show();
    });
    connect(&Machine_, &tImageUpdateMachine::FileBar, this,
            [this](qint64 v, qint64 m) { ShowByteProgress(ProgressBar1, v, m); });
    connect(&Machine_, &tImageUpdateMachine::OverallBar, this,
            [this](qint64 v, qint64 m) { ShowByteProgress(ProgressBar2, v, m); });
    connect(&Machine_, &tImageUpdateMachine::RowFinished, this, &TImageUpdateForm::OnRowFinished);
    connect(&Machine_, &tImageUpdateMachine::DirectoryReady, this, &TImageUpdateForm::OnDirectoryReady);
    connect(&Machine_, &tImageUpdateMachine::UpdateStarted, this, &TImageUpdateForm::OnUpdateStarted);
    connect(&Machine_, &tImageUpdateMachine::UpdateFinished, this, &TImageUpdateForm::OnUpdateFinished);

    FormCreate();
}

TImageUpdateForm::~TImageUpdateForm()
{
    if (ImageUpdateForm == this) {
        ImageUpdateForm = nullptr;
        ImageUpdateInUse = false;
    }
}

void TImageUpdateForm::FormCreate()
{
    ImageUpdateInUse = true;
    SuggestPulled_ = false;
    RetryLabel->hide();
    CountryCheckList_ = MarkCollectionCountries(s_);
    QDir().mkpath(s_.FolderImagesRedirect);
    StopButton->hide();
    ScrollBox1->Build(s_.CountryList, tChecklistMetrics{RowHeight, RowGap, 36}, [this](tCountryInfo &c, QWidget *content) {
        auto *box = new QCheckBox(content);
        box->setObjectName(QStringLiteral("ImageCheckBox%1").arg(c.CountryID));
        QFont f = box->font();
        f.setPixelSize(14);
        box->setFont(f);
        box->setText(QStringLiteral("  ") + NoAccelerator(CountryRowCaption(c)));
        box->resize(ScrollBox1->ClientWidth() - 24, RowHeight);
        box->setProperty("CountryID", c.CountryID);
        connect(box, &QCheckBox::toggled, this, &TImageUpdateForm::ShowSelectedCount);
        CheckBoxList_.push_back({box, &c});
        return box;
    });
    ProgressBar1->hide();
    ProgressBar2->hide();
    Label2->hide();
    ShowSelectedCount();
    if (!HasUpdateServer(s_))
        Label1->setText(NoServerElsewhereText);
}

void TImageUpdateForm::ShowSelectedCount()
{
    const auto n = std::count_if(CheckBoxList_.begin(), CheckBoxList_.end(),
                                 [](const tImageItem &item) { return item.CheckBox->isChecked(); });
    Label1->setText(SelectedCountText(static_cast<int>(n)));
}

void TImageUpdateForm::SetControlsEnabled(bool on)
{
    for (QPushButton *b : SelectionButtons)
        b->setEnabled(on);
    ScrollBox1->setEnabled(on);
    UpdateButton->setEnabled(on);
}

void TImageUpdateForm::SelectCoinsBtnClick(int tag)
{
    if (Machine_.Busy())
        return;
    const bool suggestion = tag == ImageSuggestCoinsTag || tag == ImageSuggestPaperTag;
    if (suggestion && !SuggestPulled_) {
        Label1->setText(QStringLiteral("Downloading image directory..."));
        pendingSuggestion_ = tag;
        SetControlsEnabled(false);
        Machine_.FetchImageDirectory();
        return;
    }
    ApplySelection(tag);
}

void TImageUpdateForm::OnDirectoryReady(bool fetched, const QString &message)
{
    SetControlsEnabled(true);
    const int tag = pendingSuggestion_;
    pendingSuggestion_ = -1;
    if (closeWanted_) {
        close();
        return;
    }
    // A failed fetch is told on the status line; the next suggestion tries
    // again, and the old copy stays for it meanwhile.
    if (!fetched && !message.isEmpty()) {
        Label1->setText(message);
        return;
    }
    SuggestPulled_ = true;
    if (tag >= 0)
        ApplySelection(tag);
}

void TImageUpdateForm::ApplySelection(int tag)
{
    const bool suggestion = tag == ImageSuggestCoinsTag || tag == ImageSuggestPaperTag;
    int n = 0;
    if (suggestion && !QFileInfo::exists(Machine_.DirectoryPath())) {
        Label1->setText(SuggestionText(tag, 0));
        return;
    }
    platform::IniFile directory;
    if (suggestion)
        directory.load(Machine_.DirectoryPath());
    for (const tImageItem &item : CheckBoxList_) {
        const tCountryInfo &c = *item.Country;
        int server = 0;
        int local = 0;
        bool inCollection = false;
        if (suggestion && ImageSelectionTouches(tag, c)) {
            server = ServerImageCount(directory, c);
            local = CountJpgFiles(CountryImageFolder(s_, c));
            inCollection = c.CountryID >= 0 && c.CountryID < CountryTableSize &&
                           CountryCheckList_[static_cast<size_t>(c.CountryID)];
        }
        const bool checked = ImageSelectionChecks(tag, c, item.CheckBox->isChecked(), server, local, inCollection);
        item.CheckBox->setChecked(checked);
        if (suggestion && ImageSelectionTouches(tag, c) && checked)
            ++n;
    }
    if (suggestion)
        Label1->setText(SuggestionText(tag, n));
}

void TImageUpdateForm::UpdateButtonClick()
{
    if (Machine_.Busy())
        return;
    std::vector<tImageRow> rows;
    rows.reserve(CheckBoxList_.size());
    for (const tImageItem &item : CheckBoxList_)
        rows.push_back({item.Country, item.CheckBox->isChecked()});
    Machine_.BeginUpdate(std::move(rows));
}

void TImageUpdateForm::OnUpdateStarted()
{
    SetControlsEnabled(false);
    StopButton->show();
    Label2->clear();
    Label2->show();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar2->setValue(0);
    ProgressBar2->show();
}

void TImageUpdateForm::OnRowFinished(int row, bool ok)
{
    if (row < 0 || row >= static_cast<int>(CheckBoxList_.size()))
        return;
    const tImageItem &item = CheckBoxList_[static_cast<size_t>(row)];
    item.CheckBox->setText(NoAccelerator(CountryRowCaption(*item.Country)) +
                           (ok ? QStringLiteral(" (Done)") : QStringLiteral(" (Failed)")));
}

void TImageUpdateForm::OnUpdateFinished()
{
    ProgressBar1->hide();
    ProgressBar2->hide();
    Label2->hide();
    StopButton->hide();
    SetControlsEnabled(true);
    if (closeWanted_)
        close();
}

void TImageUpdateForm::StopButtonClick()
{
    Machine_.Stop();
}

void TImageUpdateForm::OKbuttonClick()
{
    close();
}

void TImageUpdateForm::closeEvent(QCloseEvent *event)
{
    // The window stays while a transfer runs: during an update the running
    // pack completes and nothing more starts; the directory is given up.
    if (Machine_.Busy() || Machine_.InUpdate()) {
        closeWanted_ = true;
        if (Machine_.InUpdate())
            Machine_.RequestStop();
        else
            Machine_.CancelTransfers();
        event->ignore();
        return;
    }
    event->accept();
    hide();
    ImageUpdateInUse = false;
    if (ImageUpdateForm == this)
        ImageUpdateForm = nullptr;
}

TImageUpdateForm *OpenImageUpdateForm(tMainState &s, QWidget *mainWindow, tRetryTimer::Clock clock)
{
    CurrProcGuard guard(ImageUpdateBlock);
    if (!ImageUpdateForm) {
        ImageUpdateForm = new TImageUpdateForm(s, mainWindow, std::move(clock));
        ImageUpdateForm->setAttribute(Qt::WA_DeleteOnClose);
        if (mainWindow) {
            const QPoint centre = mainWindow->frameGeometry().center();
            ImageUpdateForm->move(centre - QPoint(ImageUpdateForm->width() / 2, ImageUpdateForm->height() / 2));
        }
    }
    ImageUpdateForm->show();
    ImageUpdateForm->raise();
    ImageUpdateForm->activateWindow();
    return ImageUpdateForm;
}
