// The main window's menu commands: the File menu's collection commands, the
// tree commands of the Display menu and of the series menu, the options of
// "Program settings" with their check marks, the stored shortcuts, and the
// busy indicator. The work itself is the subsystems' plain code; this file
// places the commands and connects them.
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QListWidget>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "core/collection/collectionlifecycle.h"
#include "core/catalogue/countries.h"
#include "core/program/settings.h"
#include "core/model/shortcutcodes.h"
#include "browse/shell/largefonts.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/countries/ui/collectioncommands.h"
#include "browse/finders/ui/findercommands.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/series/ui/seriescommands.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/shell/ui/shortcutform.h"
#include "pricing/pricelists/pricefile.h"

namespace {

QAction *MenuAction(const QWidget *form, const char *name)
{
    return form->findChild<QAction *>(QString::fromLatin1(name));
}

QAction *NewAction(QObject *parent, const char *name, const QString &caption)
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}


// The coin editor's field labels.
const char *const EditorLabelNames[] = {"Label2", "Label4",  "Label40", "Label26", "Label28", "Label126",
                                        "Label7", "Label5", "Label1",  "Label6",  "Label24", "Label41"};

void SetPixelSize(QWidget *w, int px)
{
    QFont f = w->font();
    f.setPixelSize(px);
    w->setFont(f);
}

void SetPixelSizeOfAll(const QWidget *root, const char *name, int px)
{
    for (QWidget *w : root->findChildren<QWidget *>(QString::fromLatin1(name)))
        SetPixelSize(w, px);
}

} // namespace

void TMainForm::ConnectMenuCommands()
{
    tMainState &s = State;

    // ---- File ----
    QAction *open = MenuAction(this, "Menu_open");
    QAction *saveCoins = MenuAction(this, "SaveCoinData1");
    QAction *savePrices = MenuAction(this, "SavePriceData1");
    NewCollectionAction = NewAction(FileMenu, "MenuItem17", QStringLiteral("New"));
    FileMenu->insertAction(open, NewCollectionAction);
    SaveBackup1 = NewAction(FileMenu, "SaveBackup1", QStringLiteral("Save Backup"));
    CreateBackupZip1 = NewAction(FileMenu, "CreateBackupZip1", QStringLiteral("Create Backup zip file"));
    FileMenu->insertAction(savePrices, SaveBackup1);
    FileMenu->insertAction(savePrices, CreateBackupZip1);

    connect(NewCollectionAction, &QAction::triggered, this, [this] {
        // The Series page shows while the new collection is made; a
        // collector who cancels the question stays where they were.
        const int page = PageTabs->currentIndex();
        CallSeam(Seams.BigImageDown);
        PageTabs->setCurrentIndex(PageSeries);
        if (NewCollection(State))
            PageTabs->setEnabled(true);
        else
            PageTabs->setCurrentIndex(page);
    });
    // "Save this collection file" and "Save Backup" are one command: the
    // backup writes only the chosen file.
    connect(saveCoins, &QAction::triggered, this, [this] { SaveDataToFile(State, false, false); });
    connect(SaveBackup1, &QAction::triggered, this, [this] { SaveDataToFile(State, false, true); });
    connect(CreateBackupZip1, &QAction::triggered, this, [this] { CreateBackupZip(State); });
    connect(savePrices, &QAction::triggered, this, [this] {
        SavePriceData1Click(State);
        CallSeam(Seams.RenderTree);  // the status glyphs of changed price lists
        SetSaveMenuVisibility();
    });
    connect(MenuAction(this, "SaveAllChanges1"), &QAction::triggered, this, [this] {
        tSaveAllSteps steps;
        steps.SaveEbookIndexes = [this] { Q_EMIT State.Events->SaveEbookIndexes(); };
        // A collection that has no file yet is saved through the dialog
        // rather than skipped, so the command never leaves changes unsaved
        // while appearing done.
        steps.SaveCollection = [this] { SaveDataToFile(State, !State.LastFileName.isEmpty(), false); };
        SaveAllChanges1Click(State, steps);
        CallSeam(Seams.RenderTree);
        SetSaveMenuVisibility();
    });
    connect(MenuAction(this, "Exit1"), &QAction::triggered, this, &QWidget::close);
    QObject::connect(s.Events.get(), &tStateEvents::SetSaveMenuVisibility, this, [this] { SetSaveMenuVisibility(); });
    // The flags behind the Save commands change in many places; the menu is
    // brought up to date whenever it opens as well.
    connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::SetSaveMenuVisibility);

    // ---- Display, and the status-icons option: the tree view's own commands ----
    QAction *special = MenuAction(this, "QuarterForm1");
    DisplayMenu->insertAction(special, SeriesTree->Expandall1);
    DisplayMenu->insertAction(special, SeriesTree->Collapseall1);

    // ---- Program settings ----
    QAction *autoSave = MenuAction(this, "AutoSave1");
    QAction *autoBin = MenuAction(this, "AutoBin1");
    QAction *largeFonts = MenuAction(this, "HighContrast1");
    OptionsMenu->insertAction(largeFonts, SeriesTree->StatusIcons1);
    connect(autoSave, &QAction::toggled, this, [this](bool on) { State.AutoSave = on; });
    connect(autoBin, &QAction::toggled, this, [this](bool on) { State.AutoBin = on; });
    connect(largeFonts, &QAction::toggled, this, [this](bool on) {
        State.HighContrast = on;
        ApplyLargeFonts(on);
    });
    connect(MenuAction(this, "MenuShortcuts1"), &QAction::triggered, this, &TMainForm::MenuShortcuts1Click);

    // ---- The series menu that a right press on the tree opens ----
    RightMenu = new QMenu(this);
    RightMenu->setObjectName(QStringLiteral("RightMenu"));
    const std::pair<const char *, const char *> items[] = {
        {"Properties1", "Properties"},
        {"Addanewseries1", "Add a new series"},
        {"Sortsubseriesalphabetically1", "Sort subseries alphabetically"},
        {"SortsubseriesByDate1", "Sort subseries by date"},
        {"UpdateSeries1", "Update this series"},
        {"Copytoclipboard1", "Copy to clipboard"},
        {"PasteFromClipboard1", "Paste from clipboard"},
        {"Movetracked1", "Move tracked coins here"},
        {"SetupEbook", "Edit eBook"},
        {"Emptythisfolder1", "Empty this series"},
        {"Deletethisfolder1", "Delete this series"},
    };
    for (const auto &[name, caption] : items) {
        if (qstrcmp(name, "Copytoclipboard1") == 0 || qstrcmp(name, "Emptythisfolder1") == 0)
            RightMenu->addSeparator();
        RightMenu->addAction(NewAction(RightMenu, name, QString::fromLatin1(caption)));
    }
    UpdateSeries1 = RightMenu->findChild<QAction *>(QStringLiteral("UpdateSeries1"));
    connect(UpdateSeries1, &QAction::triggered, this, [this] {
        if (State.StructureLoadActive)
            return;  // a structure load is running; its result would be mixed
        UpdateSeries1Click(State);
    });
    SeriesTree->RightMenu = RightMenu;

    // ---- Finders and tracking: the Tools menu, the item keys and the
    // series menu's "Move tracked coins here" ----
    Finders = new TFinderCommands(*this);
    SeriesCommands = new TSeriesCommands(*this);
    // ---- The Countries Explorer and the collection clipboard ----
    new TCollectionCommands(*this);

    // ---- Busy indicator ----
    BusyIndicator = new QProgressBar(this);
    BusyIndicator->setObjectName(QStringLiteral("AniIndicator1"));
    BusyIndicator->setRange(0, 0);  // runs without an end
    BusyIndicator->setTextVisible(false);
    BusyIndicator->setFixedSize(160, 16);
    BusyIndicator->hide();
    QObject::connect(s.Events.get(), &tStateEvents::ShowBusy, this, [this](bool busy) { ShowBusy(busy); });
}

void TMainForm::ApplyMenuSettings()
{
    const std::pair<const char *, bool> checks[] = {
        {"AutoSave1", State.AutoSave}, {"AutoBin1", State.AutoBin}, {"HighContrast1", State.HighContrast}};
    for (const auto &[name, on] : checks)
        if (QAction *a = MenuAction(this, name))
            a->setChecked(on);
    SeriesTree->StatusIcons1->setChecked(State.StatusIcons);
    ApplyLargeFonts(State.HighContrast);
    ApplyMenuShortcuts();
}

void TMainForm::ApplyMenuShortcuts()
{
    for (const tShortcutSlot &slot : ShortcutSlots())
        if (QAction *a = findChild<QAction *>(QString(slot.MenuItem)))
            a->setShortcut(ShortcutCodeToKeySequence(State.MenuShortcuts[static_cast<size_t>(slot.Slot)]));
}

void TMainForm::MenuShortcuts1Click()
{
    if (!ShortcutForm)
        ShortcutForm = new TShortcutForm(State, [this] { ApplyMenuShortcuts(); }, this);
    const QRect main = geometry();
    ShortcutForm->move(main.x() + (main.width() - ShortcutForm->width()) / 2,
                       main.y() + (main.height() - ShortcutForm->height()) / 2);
    ShortcutForm->show();
    ShortcutForm->raise();
    ShortcutForm->activateWindow();
}

void TMainForm::SetSaveMenuVisibility()
{
    const tSaveMenuVisibility v = SaveMenuVisibility(State);
    const std::pair<const char *, bool> items[] = {{"SaveCoinData1", v.SaveCoinData1},
                                                   {"SaveEbookData1", v.SaveEbookData1},
                                                   {"SavePriceData1", v.SavePriceData1},
                                                   {"SaveAllChanges1", v.SaveAllChanges1}};
    for (const auto &[name, visible] : items)
        if (QAction *a = MenuAction(this, name))
            a->setVisible(visible);
}

void TMainForm::ApplyLargeFonts(bool large)
{
    const tLargeFontSizes z = LargeFontSizes(large);
    CoinGridPage->SetLargeFonts(large);
    SelectedPanel->setFixedHeight(z.CaptionLineHeight);
    if (!SelectedLabel->text().isEmpty())
        ShowSelectedCaption(SelectedLabel->text());
    // The tab captions' size is set by the window's style sheet, which a
    // style sheet of the tab bar's own overrides.
    PageTabs->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { font-size: %1px; }").arg(z.TabCaptions));
    for (TSizePanel *strip : {SettingSlideLabelPanel, ImageSlideLabelPanel})
        strip->setFixedWidth(z.SlideStripWidth);
    for (QWidget *label : {static_cast<QWidget *>(SettingSlideLabel), static_cast<QWidget *>(ImageSlideLabel)})
        SetPixelSize(label, z.SlideStripFont);
    PlaceSlideStrips();
    for (const char *name : EditorLabelNames)
        SetPixelSizeOfAll(TabCoins, name, z.EditorLabels);
    // The user-defined fields' labels take Label7's font when they are made;
    // those already there follow it here.
    for (QLabel *label : TabCoins->findChildren<QLabel *>())
        if (label->objectName().startsWith(QLatin1String("UDFLabel")))
            SetPixelSize(label, z.EditorLabels);
    SetPixelSize(MetalStrip, z.MetalLabels);
    for (const char *name : {"CornerButton1", "CornerButton2", "CornerButton3"})
        SetPixelSizeOfAll(TabReports, name, z.ReportCornerButtons);
    SetPixelSizeOfAll(TabReports, "Label134", z.ReportListCaption);
    SetPixelSizeOfAll(TabReports, "ReportDescriptionLabel", z.ReportDescription);
    if (BinLabel)
        SetPixelSize(BinLabel, z.BinCount);
    // The report names read large and red in both modes.
    if (ReportListBox)
        for (int i = 0; i < ReportListBox->count(); ++i) {
            QListWidgetItem *item = ReportListBox->item(i);
            QFont f = item->font();
            f.setPixelSize(24);
            item->setFont(f);
            item->setForeground(QColor(Qt::red));
        }
}

void TMainForm::ShowBusy(bool busy)
{
    // Long work may nest (a load inside a new collection): the indicator
    // stays until the outermost one ends.
    if (busy) {
        if (BusyDepth++ == 0) {
            BusyIndicator->move((width() - BusyIndicator->width()) / 2, (height() - BusyIndicator->height()) / 2);
            BusyIndicator->show();
            BusyIndicator->raise();
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (BusyDepth > 0 && --BusyDepth == 0) {
        BusyIndicator->hide();
        QApplication::restoreOverrideCursor();
    }
}
