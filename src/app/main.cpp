#include <QAction>

#include "core/collectionlifecycle.h"
#include "core/ui/application.h"
#include "core/ui/filetoopenform.h"
#include "core/ui/userinterface.h"
#include "mainwindow/ui/mainform.h"
#include "mainwindow/ui/titleform.h"
#include "pricing/spotprices.h"
#include "reports/ui/reportspage.h"
#include "updates/ui/priceupdateform.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/ui/traynotifier.h"

namespace {

// Names the one running instance of the program.
const QString InstanceKey = QStringLiteral("{AD12094E-7308-4067-8CAC-565A1FF3ADDC}");

// The Reports page lives in a library above the main window's, so the
// program builds it into the window's Reports tab and links its services.
void EmbedReportsPage(QWidget *tab)
{
    TMainForm &form = *MainForm;
    auto *page = new TReportsPage(form.State, tab);
    tab->layout()->addWidget(page);
    // The window's own report controls are the page's from now on: the
    // report selected at close is the page's.
    form.ReportListBox = page->ReportListBox;
    form.ReportTabControl = page->ReportTabControl;
    form.DescriptionTab = page->DescriptionTab;
    form.PreviewTab = page->PreviewTab;
    QObject::connect(page, &TReportsPage::StatusChanged, form.StatusLabel, &QLabel::setText);

    tReportEnvironment &env = page->Environment();
    env.CurrentCoinRow = [&form] { return form.State.CoinGridRow; };
    env.ThemeName = [&form](int theme) {
        return theme >= 0 && theme < ThemeCount ? form.State.ThemeNames[static_cast<size_t>(theme)] : QString();
    };
    env.GradeTitle = [&form](bool paper, int scale, int grade) {
        return form.State.GradeTitles3D.Title(paper ? 1 : 0, scale, grade);
    };
    env.SeriesPicturePath = [&form](const tnodeinfo &series, bool obverse) {
        const QString &picture = obverse ? series.Obverse : series.Reverse;
        if (picture.isEmpty() || !form.Seams.FullPath)
            return QString();
        return form.Seams.FullPath(picture, series.Country, obverse, series.CoinShape == PaperMoneyShape);
    };
    form.State.Hooks.LoadReportList = [page] { page->LoadReportList(); };
    form.Seams.ShowReportDescription = [page](int index) { page->ShowReportDescription(index); };
}

// What the welcome window asks of the main window.
tFileToOpenHooks WelcomeHooks()
{
    tFileToOpenHooks hooks;
    hooks.ShowSeriesPage = [] { MainForm->TabControl1->setCurrentIndex(0); };
    hooks.EnableMainPages = [] { MainForm->TabControl1->setEnabled(true); };
    return hooks;
}

// The collection's life cycle: caption, save commands, open, save, the
// closing questions and the automatic save.
void WireCollectionLifecycle(TMainForm &form)
{
    tMainState &s = form.State;
    InstallLifecycleHooks(s);
    s.Hooks.SetMainCaption = [&form] { form.setWindowTitle(MainCaption(form.State)); };
    if (auto *save = form.findChild<QAction *>(QStringLiteral("SaveCoinData1"))) {
        QObject::connect(save, &QAction::triggered, &form, [&form] {
            if (form.State.Hooks.CommitPendingEdit)
                form.State.Hooks.CommitPendingEdit();
            SaveDataToFile(form.State, false, false);
        });
    }
    if (auto *open = form.findChild<QAction *>(QStringLiteral("Menu_open")))
        QObject::connect(open, &QAction::triggered, &form, [&form] { Menu_openClick(form.State, WelcomeHooks(), &form); });
    s.Hooks.SetMainCaption();
}

// Calls into units built later are installed here (see mainwindow/ui/seams.h).
tMainFormSeams ProgramSeams()
{
    tMainFormSeams seams;
    // The running program fetches the day's spot prices; the fetch has
    // tight time limits so an unreachable server holds start-up only briefly.
    seams.LoadForexAndSpotPrices = [] { LoadForexAndSpotPrices(MainForm->State); };
    seams.EmbedReportsPage = EmbedReportsPage;
    seams.OpenPriceUpdateForm = [] { OpenPriceUpdateForm(MainForm->State, MainForm); };
    seams.ShowWelcomeWindow = [] { ShowWelcomeWindow(MainForm->State, WelcomeHooks(), MainForm); };
    seams.FormsTimerTimer = [] { AutoSaveTick(MainForm->State); };
    seams.CanClose = [] { return FormCloseQuery(MainForm->State); };
    return seams;
}

int ProgramEntry(int argc, char *argv[])
{
    TOrvantaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));

    // Another instance runs: end at once, without a window or a message.
    const platform::SingleInstance instance(InstanceKey);
    if (!instance.isFirst())
        return 0;

    // Message box, error window, pickers, notifications and the settings
    // file: the real services replace the silent and in-memory defaults.
    TUserInterface services;
    platform::setUserInterface(&services);
    platform::TrayNotifier tray;
    platform::setNotifier(&tray);
    platform::FileSettingsStore settingsFile(platform::settingsFilePath());
    platform::setSettingsStore(&settingsFile);

    int status = 0;
    try {
        TMainForm form(ProgramSeams());
        WireCollectionLifecycle(form);
        new TTitle_Form;  // owned through Title_Form, freed by the deferred start-up
        CallSeam(form.Seams.CreateNewFolderForm);
        form.show();
        Title_Form->raise();
        status = app.exec();
        delete Title_Form;  // the window closed before the deferred start-up ran
    } catch (...) {
        // A failure while the window is created or the loop runs ends the
        // program quietly; failures inside handlers are reported there.
    }
    platform::setSettingsStore(nullptr);
    platform::setNotifier(nullptr);
    platform::setUserInterface(nullptr);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    return ProgramEntry(argc, argv);
}
