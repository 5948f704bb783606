#include <QtTest>

#include <QFile>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "core/files/collectionfile.h"
#include "core/program/epicmessage.h"
#include "core/model/mainstate.h"
#include "core/model/model.h"
#include "core/program/settings.h"
#include "core/files/valuestream.h"
#include "core/collection/ui/filetoopenform.h"
#include "support/downloadfixtures.h"
#include "core/model/dates.h"
#include "support/programfixture.h"

namespace {

// A collection file with one entry, written by the program's own writer.
QString WriteCollection(const QString &path)
{
    tMainState other;
    auto coin = std::make_unique<tCoinInfo>();
    coin->CoinType = RootCoinType;
    coin->Folder = other.EntireCollection.get();
    coin->Notes = QStringLiteral("first coin");
    other.CoinList.push_back(std::move(coin));
    QDir().mkpath(QFileInfo(path).path());
    SaveCollectionFile(other, path);
    return path;
}

// The welcome window once it is up (it runs modally inside Start()).
TFileToOpenForm *OpenWelcomeWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TFileToOpenForm *>(w); form && form->isVisible())
            return form;
    return nullptr;
}

// Runs what a collector does in the welcome window once it shows.
void WhenWelcomeWindowShows(std::function<void(TFileToOpenForm &)> act, bool *seen)
{
    QTimer::singleShot(0, [act = std::move(act), seen] {
        TFileToOpenForm *form = OpenWelcomeWindow();
        *seen = form != nullptr;
        if (form)
            act(*form);
    });
}

} // namespace

// The assembled program from its start: the welcome window, a collection
// named on the command line that cannot be read, the status line, the
// message box's pictures and what a restart brings back.
class tst_ProgramStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Closing the welcome window at start ends the program: nothing is
    // open, so nothing is asked. Browsing first starts in the collections
    // folder, not in the folder the program was started from.
    void closingTheWelcomeWindowQuits()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        program.RealWelcomeWindow = true;
        TMainForm &form = program.Open();
        bool seen = false;
        bool closable = false;
        WhenWelcomeWindowShows(
            [&](TFileToOpenForm &welcome) {
                closable = welcome.windowFlags().testFlag(Qt::WindowCloseButtonHint);
                welcome.RadioBrowseExisting->setChecked(true);
                welcome.OKBtn->click();  // the file dialog is cancelled
                welcome.close();
            },
            &seen);
        program.Start();
        QVERIFY(seen);
        QVERIFY(closable);
        QCOMPARE(program.Ui.FileRequests.size(), size_t(1));
        QCOMPARE(program.Ui.FileRequests[0].Folder, program.State().BaseRedirect);
        QVERIFY(program.State().BaseRedirect.startsWith(program.Home()));
        QVERIFY(!form.isVisible());
        QVERIFY(program.Ui.Messages.empty());
        // The close was an ordinary one: the window's place is stored.
        QVERIFY(program.Settings.read(QString(RegName::WindowWidth)).has_value());
    }

    // Esc does the same; a choice keeps the program running.
    void welcomeWindowEscQuitsAndNewCollectionStays_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("Esc") << false;
        QTest::newRow("new collection") << true;
    }
    void welcomeWindowEscQuitsAndNewCollectionStays()
    {
        QFETCH(bool, choose);
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        program.RealWelcomeWindow = true;
        TMainForm &form = program.Open();
        bool seen = false;
        WhenWelcomeWindowShows(
            [choose](TFileToOpenForm &welcome) {
                if (choose) {
                    welcome.RadioNewFile->setChecked(true);
                    welcome.OKBtn->click();
                } else {
                    QTest::keyClick(&welcome, Qt::Key_Escape);
                }
            },
            &seen);
        program.Start();
        QVERIFY(seen);
        QCOMPARE(form.isVisible(), choose);
        QVERIFY(program.Ui.Messages.empty());
    }

    // A collection named on the command line that cannot be read: the
    // message says why on a line of its own, and the welcome window follows.
    void failedOpenSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("The file does not exist.");
        QTest::newRow("not a collection") << QByteArray("Dear diary, today I bought a coin.")
                                          << QStringLiteral("The file is not an Orvanta collection.");
        ValueWriter future;  // a version no program wrote yet, by an older program
        future.WriteListBegin();
        future.WriteInteger(100000);
        future.WriteString(QStringLiteral("1.0.0"));
        QTest::newRow("unknown version")
            << future.Data()
            << QStringLiteral("The file has version 100000; this program reads versions 95461 to 99999.");
        QTest::newRow("cut short") << QByteArray("cut") << QStringLiteral("The file is damaged or incomplete");
    }
    void failedOpenSaysWhy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        tProgramFixture program;
        const QString path = program.Home() + QStringLiteral("/Collections/Broken.OVD");
        if (bytes == "cut") {
            const QByteArray whole = ReadFixtureFile(WriteCollection(path));
            bytes = whole.left(whole.size() * 2 / 3);
        }
        if (!bytes.isEmpty())
            WriteFixtureFile(path, bytes);

        program.Open({path});
        program.Start();
        QCOMPARE(program.Ui.Messages.size(), size_t(1));
        const QStringList lines = program.Ui.Messages[0].Text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Orvanta was unable to load the file"));
        QCOMPARE(lines[1], QLatin1Char('"') + path + QStringLiteral("\"."));
        QVERIFY2(lines[2].startsWith(reason), qPrintable(lines[2]));
        QCOMPARE(program.Calls.value(0), QStringLiteral("ShowWelcomeWindow"));
        QVERIFY(program.State().LastFileName.isEmpty());
    }

    // No spot prices known yet (nothing fetched, nothing stored): the
    // status line shows no empty date and no arrows.
    void statusLineWithoutSpotPrices()
    {
        tProgramFixture program;
        program.Open();
        {
            // The spot-price file of the sample catalogue holds nothing.
            QFile spot(program.State().OtherRedirect + QStringLiteral("Spot prices"));
            QVERIFY(spot.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        TMainForm &form = program.Open();
        program.Start();
        auto *strip = form.findChild<QLabel *>(QStringLiteral("MetalStrip"));
        QVERIFY(strip);
        QVERIFY(strip->isHidden());
        QVERIFY(!strip->text().contains(QStringLiteral("Close")));
    }

    // A first start installs the spot prices of the sample catalogue: the
    // status line shows their day and prices.
    void statusLineWithTheSampleSpotPrices()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto *strip = form.findChild<QLabel *>(QStringLiteral("MetalStrip"));
        QVERIFY(strip);
        QVERIFY(!strip->isHidden());
        QVERIFY2(strip->text().contains(FormatShortDate(DateToDay(QDate(2013, 5, 22)))), qPrintable(strip->text()));
        QVERIFY2(strip->text().contains(QStringLiteral("Gold 1368.00")), qPrintable(strip->text()));
    }

    // The report selected when the program closed is selected again after
    // a restart with the same collection.
    void selectedReportSurvivesARestart()
    {
        tProgramFixture program;
        const QString path = WriteCollection(program.Home() + QStringLiteral("/Collections/Mine.OVD"));
        TMainForm &first = program.Open({path});
        program.Start();
        QListWidget *list = first.ReportListBox;
        QVERIFY(list->count() > 2);
        const QList<QListWidgetItem *> items = list->findItems(QStringLiteral("Series list"), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QVERIFY(list->row(items[0]) != 0);  // the first item is what a failed restore selects
        list->setCurrentItem(items[0]);
        QVERIFY(program.Close());
        QCOMPARE(program.Settings.read(QString(RegName::Report))->Text, QStringLiteral("Series list"));

        TMainForm &second = program.Open({path});
        program.Start();
        QVERIFY(second.ReportListBox->currentItem());
        QCOMPARE(second.ReportListBox->currentItem()->text(), QStringLiteral("Series list"));
    }

    // The closing questions show their pictures and the buttons theirs; the
    // large-font option reaches the message box.
    void messageBoxPicturesAndHooks()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        for (const char *name : {"SaveCoin", "SavePrice", "SaveEbook", "MoveMap"})
            QVERIFY2(!LoadForcedImage(QStringLiteral("Resource/") + QLatin1String(name)).isNull(), name);

        program.State().DataModified = true;
        program.Ui.answer(QStringLiteral("Cancel"));
        QVERIFY(!program.Close());
        QCOMPARE(program.Ui.Messages.size(), size_t(1));
        const platform::MessageRequest &asked = program.Ui.Messages[0];
        QVERIFY(asked.Text.startsWith(QStringLiteral("Your collection changes have not been saved.")));
        QVERIFY(!asked.Image.isNull());
        QVERIFY(!asked.LargeText);
        for (const platform::MessageButton &b : asked.Buttons) {
            QVERIFY(b.ImageIndex >= 0);
            QVERIFY2(EpicMessageHooks.ButtonIcon && !EpicMessageHooks.ButtonIcon(b.ImageIndex).isNull(),
                     qPrintable(b.Caption));
        }

        program.State().HighContrast = true;
        program.Ui.answer(QStringLiteral("Cancel"));
        QVERIFY(!program.Close());
        QVERIFY(program.Ui.Messages.back().LargeText);
        program.State().DataModified = false;
    }
};

QTEST_MAIN(tst_ProgramStart)
#include "tst_programstart.moc"
