#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include "core/collection/coinentries.h"
#include "core/model/seriestree.h"
#include "core/model/shortcutcodes.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/shell/ui/shortcutform.h"
#include "platform/settingsstore.h"
#include "support/programfixture.h"

// The "Program settings" options and the stored menu shortcuts of the
// running program: each option switches from its menu item, does what it
// says in the window, and comes back checked or unchecked after a restart.
namespace {

using platform::SettingValue;

tnodeinfo *FirstLeaf(tMainState &s)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (!found && n->ChildNodes.empty() && n != s.EntireCollection.get())
            found = n;
    });
    return found;
}

bool OptionState(const tMainState &s, const QString &item)
{
    if (item == QLatin1String("AutoSave1"))
        return s.AutoSave;
    if (item == QLatin1String("AutoBin1"))
        return s.AutoBin;
    if (item == QLatin1String("StatusIcons1"))
        return s.StatusIcons;
    return s.HighContrast;
}

} // namespace

class tst_OptionsMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void optionSwitchesAndPersists_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("byDefault");
        QTest::newRow("auto save") << QStringLiteral("AutoSave1") << QStringLiteral("Auto Save") << true;
        QTest::newRow("auto bin") << QStringLiteral("AutoBin1") << QStringLiteral("Auto Bin") << true;
        QTest::newRow("status icons") << QStringLiteral("StatusIcons1") << QStringLiteral("Status icons") << false;
        QTest::newRow("large fonts") << QStringLiteral("HighContrast1") << QStringLiteral("Large text") << false;
    }
    void optionSwitchesAndPersists()
    {
        QFETCH(QString, item);
        QFETCH(QString, setting);
        QFETCH(bool, byDefault);
        tProgramFixture program;
        program.Open();
        program.Start();
        QAction *option = program.Action(item);
        QVERIFY(option->isCheckable());
        QVERIFY(option->isEnabled());
        QCOMPARE(option->isChecked(), byDefault);
        QCOMPARE(OptionState(program.State(), item), byDefault);

        program.Trigger(item);
        QCOMPARE(option->isChecked(), !byDefault);
        QCOMPARE(OptionState(program.State(), item), !byDefault);
        QVERIFY(program.Close());
        QCOMPARE(program.Settings.read(setting)->Integer, byDefault ? 0 : 1);

        program.Open();
        QCOMPARE(program.Action(item)->isChecked(), !byDefault);
        QCOMPARE(OptionState(program.State(), item), !byDefault);
    }

    void autoSaveSavesOnlyWhileOn_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void autoSaveSavesOnlyWhileOn()
    {
        QFETCH(bool, on);
        tProgramFixture program;
        program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));
        const QString file = program.Home() + QStringLiteral("/Auto.OVD");
        program.Ui.pick({file});
        program.Trigger(QStringLiteral("SaveCoinData1"));
        const QDateTime saved = QFileInfo(file).lastModified();
        if (!on)
            program.Trigger(QStringLiteral("AutoSave1"));
        program.State().DataModified = true;
        QTest::qWait(20);  // a later modification time can be seen
        for (int tick = 0; tick < 120; ++tick)
            program.Tick();
        QCOMPARE(program.State().DataModified, !on);
        QCOMPARE(QFileInfo(file).lastModified() > saved, on);
    }

    void autoBinPutsNewEntriesInTheBin()
    {
        for (bool on : {true, false}) {
            tProgramFixture program;
            program.Open();
            program.Start();
            if (!on)
                program.Trigger(QStringLiteral("AutoBin1"));
            program.Trigger(QStringLiteral("MenuItem17"));
            tMainState &s = program.State();
            s.SelectedTreeNode = FirstLeaf(s);
            Q_EMIT s.Events->SeriesSelected();
            const tCoinInfo *coin = NewCoinBtnClick(s, false);
            QCOMPARE(coin->InBin, on);
        }
    }

    void largeFontsEnlargeTheWindowAndGoBack()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto editorLabel = [&form] { return form.TabCoins->findChild<QLabel *>(QStringLiteral("Label2")); };
        QVERIFY(editorLabel());
        const int normalLabel = editorLabel()->font().pixelSize();
        QCOMPARE(form.SelectedPanel->height(), 29);

        program.Trigger(QStringLiteral("HighContrast1"));
        QCOMPARE(form.SelectedPanel->height(), 34);
        QCOMPARE(editorLabel()->font().pixelSize(), 16);
        QVERIFY(form.PageTabs->tabBar()->styleSheet().contains(QStringLiteral("18px")));
        QCOMPARE(form.ImageSlideLabelPanel->width(), 36);

        program.Trigger(QStringLiteral("HighContrast1"));
        QCOMPARE(form.SelectedPanel->height(), 29);
        QCOMPARE(editorLabel()->font().pixelSize(), 12);
        QVERIFY(normalLabel > 0);
        QCOMPARE(form.ImageSlideLabelPanel->width(), 24);
    }

    void statusIconsShowWhatDiffersFromTheCatalogue()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));
        tMainState &s = program.State();
        tnodeinfo *renamed = FirstLeaf(s);
        renamed->GlyphStats |= 0x8;  // its name differs from the catalogue's
        s.SelectedTreeNode = renamed;
        Q_EMIT s.Events->SeriesSelected();
        tSeriesTree &tree = form.SeriesTree->Tree();
        auto glyphs = [&] {
            tree.RenderTree();
            const int row = tree.RowOf(renamed);
            return row < 0 ? QString() : tree.NodePorts[static_cast<size_t>(row)].StatusHints[6];
        };
        QVERIFY(glyphs().isEmpty());
        program.Trigger(QStringLiteral("StatusIcons1"));
        QVERIFY(glyphs().contains(QStringLiteral("differs from it's name")));
        program.Trigger(QStringLiteral("StatusIcons1"));
        QVERIFY(glyphs().isEmpty());
    }

    void storedShortcutsApplyAtStart_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("stored");  // -1: nothing stored
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("F12 by default") << "S35" << -1 << "PullToFront1" << QKeySequence(Qt::Key_F12);
        QTest::newRow("F11 by default") << "S36" << -1 << "ResizeMainWindow1" << QKeySequence(Qt::Key_F11);
        QTest::newRow("Ctrl+P by default") << "S39" << -1 << "PreviousItem1" << QKeySequence(Qt::CTRL | Qt::Key_P);
        QTest::newRow("Ctrl+N by default") << "S40" << -1 << "NextItem1" << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("none by default") << "S1" << -1 << "Menu_open" << QKeySequence();
        QTest::newRow("stored 0 clears a default") << "S35" << 0 << "PullToFront1" << QKeySequence();
        QTest::newRow("stored Ctrl+O") << "S1" << (ShortcutCtrl + 'O') << "Menu_open"
                                       << QKeySequence(Qt::CTRL | Qt::Key_O);
        QTest::newRow("stored Shift+F5") << "S8" << (ShortcutShift + 116) << "Expandall1"
                                         << QKeySequence(Qt::SHIFT | Qt::Key_F5);
    }
    void storedShortcutsApplyAtStart()
    {
        QFETCH(QString, slot);
        QFETCH(int, stored);
        QFETCH(QString, item);
        QFETCH(QKeySequence, keys);
        tProgramFixture program;
        if (stored >= 0)
            program.Settings.write(slot, SettingValue::integer(stored));
        program.Open();
        QCOMPARE(program.Action(item)->shortcut(), keys);
        // Kept as they were at the close.
        QVERIFY(program.Close());
        QCOMPARE(program.Settings.read(slot)->Integer, stored >= 0 ? stored : KeySequenceToShortcutCode(keys));
    }

    void shortcutsWindowChangesTheMenuItems_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK applies and keeps them") << true;
        QTest::newRow("Cancel changes nothing") << false;
    }
    void shortcutsWindowChangesTheMenuItems()
    {
        QFETCH(bool, ok);
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuShortcuts1"));
        TShortcutForm *window = form.ShortcutForm;
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Orvanta: Menu Shortcuts"));
        QCOMPARE(window->SlotKeyLabel(35)->text(), QStringLiteral("F12"));
        QCOMPARE(window->SlotKeyLabel(8)->text(), QStringLiteral("None"));
        // A second command brings the same window forward.
        program.Trigger(QStringLiteral("MenuShortcuts1"));
        QCOMPARE(form.ShortcutForm, window);

        // "Expand all" gets Ctrl+Alt+E; "Bring windows forward" loses F12.
        QTest::mouseClick(window->SlotKeyLabel(8), Qt::LeftButton);
        QCOMPARE(window->EditedSlot(), 8);
        QVERIFY(window->Popup1->isVisible());
        window->CheckBox2->setChecked(true);
        window->CheckBox3->setChecked(true);
        window->ComboBox1->setCurrentIndex(window->ComboBox1->findText(QStringLiteral("E")));
        window->Popup1->hide();
        QCOMPARE(window->SlotKeyLabel(8)->text(), QStringLiteral("Alt-Ctrl-E"));
        window->EditSlot(35);
        window->ComboBox1->setCurrentIndex(0);
        window->Popup1->hide();
        QCOMPARE(window->SlotKeyLabel(35)->text(), QStringLiteral("None"));

        QTest::mouseClick(ok ? window->OKbutton : window->CancelButton, Qt::LeftButton);
        QCoreApplication::processEvents();
        const QKeySequence expand = ok ? QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E) : QKeySequence();
        const QKeySequence pull = ok ? QKeySequence() : QKeySequence(Qt::Key_F12);
        QCOMPARE(program.Action(QStringLiteral("Expandall1"))->shortcut(), expand);
        QCOMPARE(program.Action(QStringLiteral("PullToFront1"))->shortcut(), pull);

        QVERIFY(program.Close());
        program.Open();
        QCOMPARE(program.Action(QStringLiteral("Expandall1"))->shortcut(), expand);
        QCOMPARE(program.Action(QStringLiteral("PullToFront1"))->shortcut(), pull);
    }

    void shortcutReachesItsCommand()
    {
        tProgramFixture program;
        program.Settings.write(QStringLiteral("S9"), SettingValue::integer(ShortcutCtrl + 'K'));
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));
        tMainState &s = program.State();
        s.SelectedTreeNode = s.EntireCollection.get();
        ForEachNode(s.EntireCollection.get(), [](tnodeinfo *n) { n->Expanded = true; });
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // Through the window system, where shortcuts are looked up.
        QTest::keyClick(form.windowHandle(), Qt::Key_K, Qt::ControlModifier);
        int expanded = 0;
        ForEachNode(s.EntireCollection.get(),
                    [&](tnodeinfo *n) { expanded += n->Expanded && !n->ChildNodes.empty() ? 1 : 0; });
        QCOMPARE(expanded, 0);
    }
};

QTEST_MAIN(tst_OptionsMenu)
#include "tst_optionsmenu.moc"
