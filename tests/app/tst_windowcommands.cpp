#include <QtTest>

#include <QListWidget>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "browse/coins/ui/coingridpage.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/shell/layoutcommands.h"
#include "browse/shell/ui/mainform.h"
#include "browse/shell/ui/shortcutform.h"
#include "browse/tips/tips.h"
#include "browse/tips/ui/tipform.h"
#include "core/model/seriestree.h"
#include "core/model/shortcutcodes.h"
#include "core/program/about.h"
#include "core/program/ui/aboutform.h"
#include "platform/settingsstore.h"
#include "support/programfixture.h"

// The window's own commands as a collector reaches them: the tip of the day,
// the About box, "Resize main window", the maker's links, the caption at the
// top, and the menu-shortcuts window's checks before OK.
namespace {

using platform::SettingValue;

// Receives the addresses the program hands to the desktop.
class tUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
    tUrlCatcher()
    {
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~tUrlCatcher() override
    {
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
public Q_SLOTS:
    void open(const QUrl &url) { Opened << url; }
};

tnodeinfo *FirstLeaf(tMainState &s)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (!found && n->ChildNodes.empty() && n != s.EntireCollection.get())
            found = n;
    });
    return found;
}

QList<TAboutForm *> AboutBoxes(const TMainForm &form)
{
    QList<TAboutForm *> boxes;
    for (TAboutForm *box : form.findChildren<TAboutForm *>())
        if (box->isVisible())
            boxes << box;
    return boxes;
}

bool InMenu(const QMenu *menu, const QString &item)
{
    for (const QAction *a : menu->actions())
        if (a->objectName() == item || (a->menu() && InMenu(a->menu(), item)))
            return true;
    return false;
}

} // namespace

class tst_WindowCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tipOfTheDayStepsAndRemembers()
    {
        const QStringList tips = LoadTips();
        QCOMPARE(tips.size(), qsizetype(36));
        tProgramFixture program;
        program.RealTipCommand = true;
        program.Settings.write(QStringLiteral("Tip Index"), SettingValue::integer(34));
        TMainForm &form = program.Open();
        program.Start();
        // Shown after start-up, with the tip after the one shown last.
        TTipForm *tip = form.findChild<TTipForm *>();
        QVERIFY(tip && tip->isVisible());
        QVERIFY(tip->isModal());
        QCOMPARE(tip->windowTitle(), QStringLiteral("Orvanta: Tip of the day"));
        QCOMPARE(tip->Label1->text(), tips[35]);
        QVERIFY(tip->CheckBox1->isChecked());
        QTest::mouseClick(tip->Button1, Qt::LeftButton);  // "Next tip" past the last
        QCOMPARE(tip->Label1->text(), tips[0]);
        QTest::mouseClick(tip->Button2, Qt::LeftButton);  // "Previous tip" on the first
        QCOMPARE(tip->Label1->text(), tips[35]);
        QTest::mouseClick(tip->Button2, Qt::LeftButton);
        QCOMPARE(tip->Label1->text(), tips[34]);
        // The menu item brings up the same window while it is open.
        program.Trigger(QStringLiteral("Tipoftheday1"));
        QCOMPARE(form.findChildren<TTipForm *>().size(), qsizetype(1));

        tip->CheckBox1->setChecked(false);
        QPointer<TTipForm> gone(tip);
        QTest::mouseClick(tip->OKButton, Qt::LeftButton);
        QTRY_VERIFY(!gone);
        QCOMPARE(program.Settings.read(QStringLiteral("Tip Index"))->Integer, 34);
        QCOMPARE(program.Settings.read(QStringLiteral("Show Tips"))->Integer, 0);

        // Not at the next start, but from the Tools menu, with the next tip.
        program.Open();
        program.Start();
        QVERIFY(!program.Form().findChild<TTipForm *>());
        QVERIFY(InMenu(program.Form().ToolsMenu, QStringLiteral("Tipoftheday1")));
        program.Trigger(QStringLiteral("Tipoftheday1"));
        tip = program.Form().findChild<TTipForm *>();
        QVERIFY(tip && tip->isVisible());
        QCOMPARE(tip->Label1->text(), tips[35]);
        QVERIFY(!tip->CheckBox1->isChecked());
        // Esc closes it too, and the place in the list is kept all the same.
        QTest::mouseClick(tip->Button1, Qt::LeftButton);
        QTest::keyClick(tip, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCOMPARE(program.Settings.read(QStringLiteral("Tip Index"))->Integer, 0);
    }

    void aboutBoxShowsTheCollection()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));  // File > New
        tMainState &s = program.State();
        QVERIFY(InMenu(form.ToolsMenu, QStringLiteral("AboutOrvanta1")));
        program.Trigger(QStringLiteral("AboutOrvanta1"));
        QList<TAboutForm *> boxes = AboutBoxes(form);
        QCOMPARE(boxes.size(), qsizetype(1));
        TAboutForm *box = boxes.front();
        QCOMPARE(box->windowTitle(), QStringLiteral("About Orvanta"));
        QVERIFY(!box->isModal());
        const QStringList lines = box->Label1->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("Version ") + s.OVversionString);
        QCOMPARE(lines.value(1), QStringLiteral("Edition: Linux"));
        QCOMPARE(lines.value(2), QStringLiteral("Coins on file: %1").arg(s.CoinList.size()));
        QCOMPARE(lines.value(3), QStringLiteral("Prices on file: %1").arg(s.PriceList.size()));
        QCOMPARE(lines.value(4), QStringLiteral("Series defined: %1").arg(CountNodes(s.EntireCollection.get())));
        QVERIFY(CountNodes(s.EntireCollection.get()) > 1);
        QVERIFY(box->Label2->text().contains(QStringLiteral("\nPlatform: Linux\n")));
        // Centred over the main window.
        QVERIFY(qAbs(box->geometry().center().x() - form.geometry().center().x()) <= 1);

        // OK closes it; the next click opens a new box.
        QPointer<TAboutForm> first(box);
        QTest::mouseClick(box->DoneBtn, Qt::LeftButton);
        QTRY_VERIFY(!first);
        QVERIFY(AboutBoxes(form).isEmpty());
        program.Trigger(QStringLiteral("AboutOrvanta1"));
        QCOMPARE(AboutBoxes(form).size(), qsizetype(1));
    }

    void aboutBoxClosesWhenTheMainWindowIsActivated()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("AboutOrvanta1"));
        QPointer<TAboutForm> box(AboutBoxes(form).value(0));
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowActive(box));
        form.activateWindow();
        QTRY_VERIFY(!box);
    }

    void resizeMainWindowUsesTheScreen()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QCOMPARE(program.Action(QStringLiteral("ResizeMainWindow1"))->shortcut(), QKeySequence(Qt::Key_F11));
        form.showMaximized();
        QCoreApplication::processEvents();
        program.Trigger(QStringLiteral("ResizeMainWindow1"));
        QVERIFY(!form.isMaximized());
        // On a screen too small for it the window keeps its smallest size.
        const QRect bounds = ResizedMainWindowBounds(form.screen()->availableGeometry());
        QTRY_COMPARE(form.geometry().topLeft(), bounds.topLeft());
        QCOMPARE(form.geometry().size(), bounds.size().expandedTo(form.minimumSize()));
        QVERIFY(form.screen()->availableGeometry().width() >= 800);
    }

    void makerLinksOpenTheirSettingOrSaySo_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");
        QTest::newRow("web site") << "VisitQuillfenSoftware1" << "Maker web site" << "https://quillfen.example/"
                                  << "https://quillfen.example/";
        QTest::newRow("video page") << "YouTube1" << "Maker video page" << "https://video.example/quillfen"
                                    << "https://video.example/quillfen";
        QTest::newRow("e-mail") << "eMailQuillfen1" << "Maker e-mail" << "help@quillfen.example"
                                << "mailto:help@quillfen.example";
        QTest::newRow("a local file is never opened") << "VisitQuillfenSoftware1" << "Maker web site"
                                                      << "file:///usr/bin/xterm" << "";
    }
    void makerLinksOpenTheirSettingOrSaySo()
    {
        QFETCH(QString, item);
        QFETCH(QString, setting);
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        tUrlCatcher desktop;
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QVERIFY(InMenu(form.ToolsMenu, item));
        QVERIFY(program.Action(item)->isEnabled());

        program.Trigger(item);  // nothing set
        QVERIFY(desktop.Opened.isEmpty());
        QCOMPARE(program.Ui.Messages.size(), size_t(1));
        QVERIFY(program.Ui.Messages.back().Text.contains(QStringLiteral("No address is set")));
        QVERIFY(program.Ui.Messages.back().Text.contains(setting));

        program.Settings.write(setting, SettingValue::string(stored));
        program.Trigger(item);
        if (opened.isEmpty()) {
            QVERIFY(desktop.Opened.isEmpty());
            QCOMPARE(program.Ui.Messages.size(), size_t(2));
            QVERIFY(program.Ui.Messages.back().Text.contains(QStringLiteral("not a valid address")));
        } else {
            QCOMPARE(desktop.Opened, QList<QUrl>{QUrl(opened)});
            QCOMPARE(program.Ui.Messages.size(), size_t(1));
        }
    }

    void captionFitsItsLine()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));
        tMainState &s = program.State();
        tnodeinfo *series = FirstLeaf(s);
        QVERIFY(series);
        QLabel *caption = form.SelectedLabel;
        const QSize room = caption->contentsRect().size() - QSize(8, 0);
        auto fits = [&] {
            return QFontMetrics(caption->font()).size(Qt::TextSingleLine, caption->text()).width() <= room.width();
        };

        series->NodeName = QStringLiteral("Cents");
        s.SelectedTreeNode = series;
        Q_EMIT s.Events->SeriesSelected();
        QCOMPARE(caption->text(), QStringLiteral("Cents"));
        const int shortSize = caption->font().pixelSize();
        QVERIFY(shortSize > 8 && shortSize <= 28);
        QVERIFY(fits());

        series->NodeName = QStringLiteral("A series name far too long for the caption line. ").repeated(20);
        Q_EMIT s.Events->SeriesSelected();
        QCOMPARE(caption->font().pixelSize(), 8);
        // The caption never widens the window.
        QVERIFY(form.width() <= 1280);
    }

    void largeFontsSizeTheGridAndComeBack()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));  // a caption to fit
        QHeaderView *rows = form.CoinGridPage->CoinGrid->verticalHeader();
        QLabel *caption = form.SelectedLabel;
        QVERIFY(!caption->text().isEmpty());
        // The caption is refitted to the line's height of the mode switched to.
        auto captionFits = [caption] {
            return QFontMetrics(caption->font()).height() <= caption->contentsRect().height();
        };
        QCOMPARE(rows->defaultSectionSize(), 32);
        QVERIFY(captionFits());
        for (int round = 0; round < 2; ++round) {
            program.Trigger(QStringLiteral("HighContrast1"));
            QCOMPARE(rows->defaultSectionSize(), 48);
            QCOMPARE(form.SelectedPanel->height(), 34);
            QCOMPARE(form.BinLabel->font().pixelSize(), 22);
            QVERIFY(captionFits());
            program.Trigger(QStringLiteral("HighContrast1"));
            QCOMPARE(rows->defaultSectionSize(), 32);
            QCOMPARE(form.SelectedPanel->height(), 29);
            QCOMPARE(form.BinLabel->font().pixelSize(), 18);
            QVERIFY(captionFits());
        }
        // The report names read large and red in both modes.
        QVERIFY(form.ReportListBox->count() > 0);
        QListWidgetItem *report = form.ReportListBox->item(0);
        QCOMPARE(report->font().pixelSize(), 24);
        QCOMPARE(report->foreground().color(), QColor(Qt::red));
    }

    void shortcutsWindowRefusesASharedShortcut()
    {
        tProgramFixture program;
        // "Expand all" kept on Ctrl+Delete, which the key list does not offer.
        program.Settings.write(QStringLiteral("S8"), SettingValue::integer(ShortcutCtrl + 0x2E));
        TMainForm &form = program.Open();
        program.Start();
        QCOMPARE(program.Action(QStringLiteral("Expandall1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        program.Trigger(QStringLiteral("MenuShortcuts1"));
        TShortcutForm *window = form.ShortcutForm;
        QVERIFY(window);
        QVERIFY(window->StatusLabel->isVisible());
        QVERIFY2(window->StatusLabel->text().contains(QStringLiteral("Expand all (Ctrl+Del)")),
                 qPrintable(window->StatusLabel->text()));

        // "Colapse all" and "Bullion Values" both on Ctrl+B.
        for (int slot : {9, 12}) {
            QTest::mouseClick(window->SlotKeyLabel(slot), Qt::LeftButton);
            window->CheckBox2->setChecked(true);
            window->ComboBox1->setCurrentIndex(window->ComboBox1->findText(QStringLiteral("B")));
            window->Popup1->hide();
        }
        QTest::mouseClick(window->OKbutton, Qt::LeftButton);
        QCOMPARE(program.Ui.Messages.size(), size_t(1));
        QVERIFY2(program.Ui.Messages.back().Text.contains(QStringLiteral("Ctrl-B: \"Colapse all\" and \"Bullion Values\"")),
                 qPrintable(program.Ui.Messages.back().Text));
        QVERIFY(window->isVisible());  // nothing applied, the window stays
        QCOMPARE(program.Action(QStringLiteral("Collapseall1"))->shortcut(), QKeySequence());
        QCOMPARE(program.Action(QStringLiteral("Bullionvalues1"))->shortcut(), QKeySequence());

        window->EditSlot(12);
        window->ComboBox1->setCurrentIndex(window->ComboBox1->findText(QStringLiteral("V")));
        window->Popup1->hide();
        QTest::mouseClick(window->OKbutton, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(program.Ui.Messages.size(), size_t(1));
        QCOMPARE(program.Action(QStringLiteral("Collapseall1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
        QCOMPARE(program.Action(QStringLiteral("Bullionvalues1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
        QCOMPARE(program.Action(QStringLiteral("Expandall1"))->shortcut(), QKeySequence());
    }
};

QTEST_MAIN(tst_WindowCommands)
#include "tst_windowcommands.moc"
