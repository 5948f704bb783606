#include "core/collection/ui/filetoopenform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/model/blocks.h"
#include "core/collection/collectionlifecycle.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "core/model/seriestree.h"
#include "core/program/ui/centring.h"
#include "platform/knownfolders.h"
#include "platform/paths.h"
#include "platform/uiservices.h"

namespace {

// Designed places: the advanced form shows every choice here; the compact
// form moves the recent choice and its list up into the import choice's
// place.
constexpr int WindowWidth = 520;
constexpr int Left = 20;
constexpr int ListLeft = 44;
constexpr int ListWidth = WindowWidth - ListLeft - 20;
constexpr int RadioHeight = 26;
constexpr int ListHeight = 36;
constexpr int Label1Top = 12;
constexpr int BrowseTop = 46;
constexpr int NewTop = 76;
constexpr int ImportTop = 106;
constexpr int MergeTop = 136;
constexpr int RecentTop = 166;
constexpr int SearchTop = 246;
constexpr int ListBelowRadio = 30;  // from a choice's top to its list's top
constexpr int ItemFontSize = 18;
// From the bottom of the last list to the window's bottom: the switch row
// and the buttons.
constexpr int Footer = 100;
constexpr int ShortPathWidth = 240;

const QString SearchCaption = QStringLiteral("Open an existing file");

QFont ItemFont(const QFont &base)
{
    QFont f(base);
    f.setPointSize(ItemFontSize);
    return f;
}

} // namespace

TFileToOpenForm::TFileToOpenForm(tMainState &state, const tFileToOpenHooks &hooks, QWidget *parent)
    : QDialog(parent), s(state), Hooks(hooks)
{
    setObjectName(QStringLiteral("FileToOpenForm"));
    setWindowTitle(WelcomeCaption);
    setModal(true);
    // Closing the window is "Cancel" from the menu; at start-up, where
    // there is nothing to go back to, it ends the program.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);

    auto radio = [&](const char *name, const QString &text) {
        auto *r = new QRadioButton(text, this);
        r->setObjectName(QLatin1String(name));
        r->resize(WindowWidth - 2 * Left, RadioHeight);
        return r;
    };
    auto combo = [&](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setFont(ItemFont(c->font()));
        c->resize(ListWidth, ListHeight);
        return c;
    };
    Label1 = new QLabel(QStringLiteral("Please select the collection file that you'd like to use..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Left, Label1Top, WindowWidth - 2 * Left, RadioHeight);
    RadioRecentFile = radio("RadioRecentFile", QStringLiteral("Open a recently used file..."));
    ComboBox1 = combo("ComboBox1");
    RadioBrowseExisting = radio("RadioBrowseExisting", QStringLiteral("Browse for an existing file"));
    RadioNewFile = radio("RadioNewFile", QStringLiteral("Create a new collection file"));
    RadioImportFile = radio("RadioImportFile", QStringLiteral("Import a CSV collection file "));
    RadioAppendFile = radio("RadioAppendFile", QStringLiteral("Merge in another collection file"));
    RadioSearchFile = radio("RadioSearchFile", SearchCaption);
    ComboBox2 = combo("ComboBox2");
    Switch1 = new QCheckBox(this);
    Switch1->setObjectName(QStringLiteral("Switch1"));
    Label2 = new QLabel(QStringLiteral("Show advanced options"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(Switch1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    SearchTimer = new QTimer(this);
    SearchTimer->setInterval(0);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    connect(Switch1, &QCheckBox::toggled, this, [this] { Switch1Switch(); });
    connect(SearchTimer, &QTimer::timeout, this, [this] { SearchTick(); });

    FormCreate();
}

TFileToOpenForm::~TFileToOpenForm()
{
    FormClose();
}

void TFileToOpenForm::FormCreate()
{
    s.FileToOpenInUse = true;
    for (const QString &path : RecentFiles())
        if (!path.isEmpty())
            RecentList << path;
    for (int i = 0; i < RecentList.size(); ++i) {
        const QString path = platform::resolvePath(RecentList[i]);
        if (QFileInfo(path).isFile())
            ComboBox1->addItem(platform::fileNamePart(RecentList[i]), i);
    }
    if (ComboBox1->count() == 0) {
        RadioNewFile->setChecked(true);
        RadioRecentFile->setEnabled(false);
        ComboBox1->setEnabled(false);
    } else {
        ComboBox1->setCurrentIndex(0);
        RadioRecentFile->setChecked(true);
    }
    RadioSearchFile->setEnabled(false);
    ComboBox2->setEnabled(false);
    RadioImportFile->setEnabled(static_cast<bool>(Hooks.ImportFile));
    SetCancelability(false);
    ShowAdvanced(false);
}

void TFileToOpenForm::FormClose()
{
    if (Closed)
        return;
    Closed = true;
    s.FileToOpenInUse = false;
    if (Hooks.EnableMainPages)
        Hooks.EnableMainPages();
    StopSearch();
}

void TFileToOpenForm::SetCancelability(bool InVal)
{
    Cancelable = InVal;
    CancelBtn->setVisible(InVal);
    ShowAdvanced(Switch1->isChecked());
}

void TFileToOpenForm::ShowAdvanced(bool Advanced)
{
    RadioBrowseExisting->move(Left, BrowseTop);
    RadioNewFile->move(Left, NewTop);
    const int recentTop = Advanced ? RecentTop : ImportTop;
    RadioRecentFile->move(Left, recentTop);
    ComboBox1->move(ListLeft, recentTop + ListBelowRadio);
    RadioImportFile->move(Left, ImportTop);
    RadioAppendFile->move(Left, MergeTop);
    RadioSearchFile->move(Left, SearchTop);
    ComboBox2->move(ListLeft, SearchTop + ListBelowRadio);
    for (QWidget *w : {static_cast<QWidget *>(RadioImportFile), static_cast<QWidget *>(RadioAppendFile),
                       static_cast<QWidget *>(RadioSearchFile), static_cast<QWidget *>(ComboBox2)})
        w->setVisible(Advanced);

    const QWidget *lastList = Advanced ? ComboBox2 : ComboBox1;
    const int listBottom = lastList->y() + ListHeight;
    Switch1->move(Left, listBottom + 16);
    Label2->setGeometry(Left + 26, listBottom + 14, 200, RadioHeight);
    // Without "Cancel" (at start-up) OK takes its place at the right.
    OKBtn->setGeometry(Cancelable ? WindowWidth - 2 * 100 - 30 : WindowWidth - 100 - 20, listBottom + 52, 100, 32);
    CancelBtn->setGeometry(WindowWidth - 100 - 20, listBottom + 52, 100, 32);
    setFixedSize(WindowWidth, listBottom + Footer);
}

void TFileToOpenForm::EnableControls(bool Enabled)
{
    const bool haveRecent = ComboBox1->count() > 0;
    const bool haveFound = ComboBox2->count() > 0;
    OKBtn->setEnabled(Enabled);
    CancelBtn->setEnabled(Enabled);
    RadioRecentFile->setEnabled(Enabled && haveRecent);
    ComboBox1->setEnabled(Enabled && haveRecent);
    RadioBrowseExisting->setEnabled(Enabled);
    RadioNewFile->setEnabled(Enabled);
    RadioSearchFile->setEnabled(Enabled && haveFound);
    ComboBox2->setEnabled(Enabled && haveFound);
    RadioImportFile->setEnabled(Enabled && Hooks.ImportFile);
    RadioAppendFile->setEnabled(Enabled);
    Switch1->setEnabled(Enabled);
}

bool TFileToOpenForm::Searching() const
{
    return SearchThread && !SearchThread->Terminated();
}

void TFileToOpenForm::Switch1Switch()
{
    const bool advanced = Switch1->isChecked();
    ShowAdvanced(advanced);
    if (!advanced && (RadioImportFile->isChecked() || RadioAppendFile->isChecked() || RadioSearchFile->isChecked()))
        RadioBrowseExisting->setChecked(true);
    if (!SearchTriggered) {
        SearchTriggered = true;
        SearchThread = std::make_unique<TSearchThread>(platform::homeFolder());
        RadioSearchFile->setText(SearchCaption + QStringLiteral(" (Searching...)"));
        SearchThread->FileFound = [this](const QString &path) { FileFound(path); };
        SearchThread->FOnResultCalculated = [this] { SearchFinished(); };
        SearchTimer->start();
    }
}

void TFileToOpenForm::SearchTick()
{
    if (!SearchThread || SearchThread->Execute(SearchEntriesPerTick))
        SearchTimer->stop();
}

void TFileToOpenForm::FileFound(const QString &path)
{
    FindList << path;
    const QFontMetrics metrics(ComboBox2->font());
    const QString shown =
        ShortPath(path, ShortPathWidth, [&](const QString &t) { return double(metrics.horizontalAdvance(t)); });
    ComboBox2->addItem(shown, path);
    if (ComboBox2->currentIndex() < 0)
        ComboBox2->setCurrentIndex(0);
    RadioSearchFile->setText(SearchCaption + QStringLiteral(" (Searching, %1 found)").arg(ComboBox2->count()));
    // Not while an open is under way with the controls disabled.
    if (OKBtn->isEnabled()) {
        RadioSearchFile->setEnabled(true);
        ComboBox2->setEnabled(true);
    }
}

void TFileToOpenForm::SearchFinished()
{
    RadioSearchFile->setText(SearchCaption + QStringLiteral(" (%1 found)").arg(ComboBox2->count()));
}

void TFileToOpenForm::StopSearch()
{
    if (SearchThread)
        SearchThread->Terminate();
    if (SearchTimer)
        SearchTimer->stop();
}

void TFileToOpenForm::ComboBox1Change()
{
    if (RadioRecentFile->isEnabled())
        RadioRecentFile->setChecked(true);
}

void TFileToOpenForm::ComboBox2Change()
{
    if (RadioSearchFile->isEnabled())
        RadioSearchFile->setChecked(true);
    ComboBox2->setToolTip(ComboBox2->currentData().toString());
}

void TFileToOpenForm::Conceal(bool concealed)
{
    setWindowOpacity(concealed ? 0.0 : 1.0);
}

void TFileToOpenForm::OKBtnClick()
{
    CurrProcGuard guard(Blocks::FileToOpenOK);
    if (RadioBrowseExisting->isChecked())
        OpenChosenFile(false);
    else if (RadioAppendFile->isChecked())
        OpenChosenFile(true);
    else if (RadioNewFile->isChecked())
        NewFile();
    else if (RadioImportFile->isChecked())
        ImportFile();
    else if (RadioSearchFile->isChecked())
        OpenSearchResult();
    else if (RadioRecentFile->isChecked())
        OpenRecentFile();
}

void TFileToOpenForm::OpenChosenFile(bool merge)
{
    EnableControls(false);
    platform::FileRequest request;
    request.Title = merge ? QStringLiteral("Merge an Orvanta database") : QStringLiteral("Open an Orvanta database");
    request.Filter = QStringLiteral("Orvanta Database (*.OVD)");
    request.Folder = CollectionsFolder(s);
    Conceal(true);
    const QString chosen = platform::ui().openFileName(request);
    bool opened = false;
    try {
        if (!chosen.isEmpty()) {
            if (Hooks.ShowSeriesPage)
                Hooks.ShowSeriesPage();
            if (merge && !Cancelable)
                CreateDefaultDatabase(s);
            if (QFileInfo(chosen).suffix().toUpper() == QLatin1String("OVD"))
                opened = OpenCollectionFile(s, chosen, merge, chosen);
        }
    } catch (...) {
        Conceal(false);
        EnableControls(true);
        throw;
    }
    if (opened) {
        StopSearch();
        accept();
        return;
    }
    Conceal(false);
    EnableControls(true);
}

void TFileToOpenForm::NewFile()
{
    EnableControls(false);
    StopSearch();
    try {
        CreateDefaultDatabase(s);
    } catch (...) {
        EnableControls(true);
        throw;
    }
    Q_EMIT s.Events->SetStatusText(QStringLiteral("Your new collection is ready."));
    CalcNodeDates(s);
    EnableControls(true);
    accept();
}

void TFileToOpenForm::ImportFile()
{
    if (!Hooks.ImportFile)
        return;
    if (!Cancelable)
        CreateDefaultDatabase(s);
    platform::FileRequest request;
    request.Title = QStringLiteral("Import data from a text file into Orvanta");
    request.Filter = QStringLiteral("Orvanta Import file (*.TXT *.CSV *.OVI)");
    request.Folder = CollectionsFolder(s);
    Conceal(true);
    const QString chosen = platform::ui().openFileName(request);
    if (chosen.isEmpty()) {
        Conceal(false);
        return;
    }
    StopSearch();
    Hooks.ImportFile(chosen);
    CalcNodeEntries(s);
    accept();
}

void TFileToOpenForm::OpenSearchResult()
{
    const int item = ComboBox2->currentIndex();
    if (item >= 0 && item < FindList.size())
        OpenListedFile(FindList[item], ComboBox2->itemText(item).trimmed());
}

void TFileToOpenForm::OpenRecentFile()
{
    const int item = ComboBox1->currentIndex();
    if (item < 0)
        return;
    // A successful read puts the file first in the recent list.
    const QString path = RecentList.value(ComboBox1->itemData(item).toInt());
    OpenListedFile(platform::resolvePath(path), ComboBox1->itemText(item));
}

void TFileToOpenForm::OpenListedFile(const QString &path, const QString &shownName)
{
    EnableControls(false);
    Conceal(true);
    bool opened = false;
    try {
        opened = OpenCollectionFile(s, path, false, shownName);
    } catch (...) {
        Conceal(false);
        EnableControls(true);
        throw;
    }
    Conceal(false);
    EnableControls(true);
    if (opened) {
        StopSearch();
        accept();
    }
}

void TFileToOpenForm::CancelBtnClick()
{
    if (!Cancelable)
        return;
    StopSearch();
    QDialog::reject();
}

void TFileToOpenForm::reject()
{
    // Esc and the window's close button: "Cancel" from the menu, the end of
    // the program at start-up (the caller sees the rejection).
    StopSearch();
    QDialog::reject();
}

void TFileToOpenForm::closeEvent(QCloseEvent *event)
{
    StopSearch();
    QDialog::closeEvent(event);
}

bool ShowWelcomeWindow(tMainState &s, const tFileToOpenHooks &hooks, QWidget *parent)
{
    TFileToOpenForm form(s, hooks, parent);
    CentreOnScreen(&form);
    return form.exec() == QDialog::Accepted;
}

bool Menu_openClick(tMainState &s, const tFileToOpenHooks &hooks, QWidget *parent)
{
    Q_EMIT s.Events->CommitPendingEdit();
    if (!AskToSaveBeforeReplacing(s))
        return false;
    if (hooks.ShowSeriesPage)
        hooks.ShowSeriesPage();
    TFileToOpenForm form(s, hooks, parent);
    form.setWindowTitle(OpenCollectionCaption);
    form.SetCancelability(true);
    CentreOnScreen(&form);
    form.raise();
    return form.exec() == QDialog::Accepted;
}
