#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "core/program/settings.h"
#include "support/recordingstores.h"
#include "core/model/dates.h"
#include "core/program/log.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "support/scriptedui.h"
#include "updates/pricelists/ui/countrychecklist.h"
#include "updates/pricelists/ui/priceupdateform.h"

namespace {

// The update server's account as the program has it built in.
const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

const int Belgium = 40;
const int UnitedStates = 1;
const int CanadaPaper = 301;

QByteArray PriceDates(const std::map<int, int> &dates)
{
    QByteArray out;
    for (int i = 0; i < CountryTableSize; ++i) {
        const auto it = dates.find(i);
        const quint32 v = static_cast<quint32>(it == dates.end() ? -1 : it->second);
        for (int b = 0; b < 4; ++b)
            out.append(static_cast<char>((v >> (8 * b)) & 0xFF));
    }
    return out;
}

int Day(int y, int m, int d)
{
    return DateToDay(QDate(y, m, d));
}

// A program state with three countries and working folders, the hooks of
// the price lists, tree and settings recorded, and a server whose account
// lands in /home, where a decoy Prices7 waits for a client that goes there.
struct Fixture {
    QTemporaryDir dir;
    tMainState s;
    std::unique_ptr<LoopbackFtpServer> server;
    tScriptedUi messages{tScriptedUi::tUnscripted::FirstButton};
    FakeRetryClock clock;

    std::vector<int> reloads;
    QList<QByteArray> reloadedBytes;  // the local price list each reload found
    int resorts = 0;
    int renders = 0;
    int newTypeChecks = 0;
    int saves = 0;
    RecordingSettings settings;  // "PLU", the lists the last download fetched
    // What an earlier download stored.
    void SetPlu(const QString &v) { settings.Seed(QStringLiteral("PLU"), v); }
    QString Plu() const { return ReadRegString(QStringLiteral("PLU"), QString()); }
    qsizetype PluWrites() const { return settings.Writes.count(QStringLiteral("PLU")); }

    explicit Fixture(LoopbackFtpServer::Options options = {})
    {
        LogMode = true;
        LogList.clear();
        const QString root = dir.path() + QLatin1Char('/');
        s.PricesRedirect = root + QStringLiteral("Prices/");
        s.CountriesRedirect = root + QStringLiteral("Countries/");
        s.BackupsRedirect = root + QStringLiteral("Backups/");
        s.OtherRedirect = root + QStringLiteral("Other/");
        QDir().mkpath(s.OtherRedirect);
        s.PricesDatesArray.fill(-1);
        s.PricesDatesArray[Belgium] = Day(2023, 1, 1);
        s.PricesDatesArray[CanadaPaper] = Day(2024, 6, 1);
        // The country list's own order: by continent, coins before paper.
        AddCountry(UnitedStates, QStringLiteral("United States"), 1, false);
        AddCountry(CanadaPaper, QStringLiteral("Canada Paper"), 1, true, QStringLiteral("Canada"));
        AddCountry(Belgium, QStringLiteral("Belgium"), 4, false);

        WriteFixtureFile(s.PricesRedirect + QStringLiteral("Belgium.OVP"), PriceListFixture(Belgium, Day(2023, 1, 1), 'o'));
        WriteFixtureFile(s.PricesRedirect + QStringLiteral("United States.ovp"), PriceListFixture(UnitedStates, 0, 'o'));

        QObject::connect(s.Events.get(), &tStateEvents::ReloadCountryPrices, [this](int country) {
            reloads.push_back(country);
            const QString name = country == Belgium ? QStringLiteral("Belgium.OVP") : QStringLiteral("United States.OVP");
            reloadedBytes << ReadFixtureFile(s.PricesRedirect + platform::findEntryIgnoreCase(s.PricesRedirect, name));
            // Reading lists afresh used to clear every country's mark.
            s.PricesModifiedArray.fill(false);
        });
        QObject::connect(s.Events.get(), &tStateEvents::ResortPrices, [this] { ++resorts; });
        QObject::connect(s.Events.get(), &tStateEvents::RenderTree, [this] { ++renders; });
        QObject::connect(s.Events.get(), &tStateEvents::CheckForNewTypes, [this] { ++newTypeChecks; });
        QObject::connect(s.Events.get(), &tStateEvents::SavePricesToFile, [this] { ++saves; });

        options.user = ServerUser;
        options.password = ServerPassword;
        options.loginFolder = QStringLiteral("/home");
        server = std::make_unique<LoopbackFtpServer>(options);
        s.UpdateServerHost = server->host();
        server->putFile(QStringLiteral("home/Prices7/PriceDates.Dat"), PriceDates({{Belgium, Day(2001, 1, 1)}}));
        server->putFile(QStringLiteral("Prices7/PriceDates.Dat"),
                        PriceDates({{Belgium, Day(2024, 9, 1)}, {UnitedStates, Day(2024, 9, 2)}, {CanadaPaper, Day(2024, 6, 1)}}));
        server->putFile(QStringLiteral("Prices7/Belgium.OVP"), PriceListFixture(Belgium, Day(2024, 9, 1), 'B'));
        server->putFile(QStringLiteral("Prices7/Belgium.OVCD"), QByteArray(300, 'b'));
        server->putFile(QStringLiteral("Prices7/United States.OVP"), PriceListFixture(UnitedStates, Day(2024, 9, 2), 'U'));
        server->putFile(QStringLiteral("Prices7/UNITED STATES.OVP"), PriceListFixture(UnitedStates, Day(2024, 9, 3), 'V'));
        server->putFile(QStringLiteral("Prices7/United States.OVCD"), QByteArray(200, 'u'));
        server->putFile(QStringLiteral("Prices7/Canada Paper.OVP"), PriceListFixture(CanadaPaper, Day(2024, 6, 1), 'C'));
    }
    ~Fixture() { LogMode = false; }

    void AddCountry(int id, const QString &name, int continent, bool paper, const QString &description = {})
    {
        auto c = std::make_unique<tCountryInfo>();
        c->CountryID = id;
        c->Name = name;
        c->Description = description.isEmpty() ? name : description;
        c->Continent = continent;
        c->IsPaper = paper;
        c->Path = s.CountriesRedirect + name + QStringLiteral(".OVCD");
        s.CountryList.push_back(std::move(c));
    }

    // The spelling of the United States list that a look-up in the server's
    // own listing picks: the later of the two.
    QByteArray ServerUnitedStates() const
    {
        auto client = platform::newCurlFtpClient();
        platform::FtpAccount a{server->host(), 21, ServerUser, ServerPassword};
        client->connectTo(a, {});
        client->changeDir(QStringLiteral("/Prices7"));
        QString name = QStringLiteral("united states.ovp");
        FindInListing(client->list(), name);
        return ReadFixtureFile(server->root() + QStringLiteral("/Prices7/") + name);
    }
};

QCheckBox *Row(QWidget *form, int country)
{
    return form->findChild<QCheckBox *>(QStringLiteral("ItemCheckBox%1").arg(country));
}

QLabel *DateLabel(QWidget *form, int country)
{
    return form->findChild<QLabel *>(QStringLiteral("ItemLabel%1").arg(country));
}

QPushButton *Button(QWidget *form, const char *name)
{
    return form->findChild<QPushButton *>(QString::fromLatin1(name));
}

QString Status(QWidget *form)
{
    return form->findChild<QLabel *>(QStringLiteral("Label1"))->text();
}

// Shows the window and waits for the server's dates.
bool ShowAndWaitForDates(TPriceUpdateForm *form)
{
    form->show();
    return QTest::qWaitFor([&] { return Button(form, "UpdateButton")->isEnabled(); }, 20000);
}

bool WaitForUpdate(TPriceUpdateForm *form)
{
    return QTest::qWaitFor([&] { return !form->Machine().Busy(); }, 60000);
}

} // namespace

class tst_PriceUpdateForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void showsServerDatesAndPreChecksTheLastUpdate()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("40,301,999"));
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(Row(&form, Belgium)->isChecked());
        QVERIFY(Row(&form, CanadaPaper)->isChecked());
        QVERIFY(!Row(&form, UnitedStates)->isChecked());
        QVERIFY(!Button(&form, "SuggestBtn")->isEnabled());
        QVERIFY(ShowAndWaitForDates(&form));
        QCOMPARE(Status(&form), QStringLiteral("2 items selected"));

        // The dates of the real /Prices7, not of the decoy below /home.
        QCOMPARE(form.Machine().ServerDates()[Belgium], Day(2024, 9, 1));
        QCOMPARE(DateLabel(&form, Belgium)->text(), QStringLiteral("9/1/2024"));
        QCOMPARE(DateLabel(&form, Belgium)->palette().color(QPalette::WindowText), QColor(0xFFFF0000));
        QCOMPARE(Row(&form, Belgium)->toolTip(),
                 QStringLiteral("Current price list: 1/1/2023   Available price list: 9/1/2024"));
        QCOMPARE(DateLabel(&form, CanadaPaper)->palette().color(QPalette::WindowText), QColor(0xFF000000));
        QVERIFY(Row(&form, CanadaPaper)->toolTip().isEmpty());

        Button(&form, "SuggestBtn")->click();
        QVERIFY(Row(&form, Belgium)->isChecked());
        QVERIFY(Row(&form, UnitedStates)->isChecked());
        QVERIFY(!Row(&form, CanadaPaper)->isChecked());
        Button(&form, "SelectPaperBtn")->click();
        QCOMPARE(Status(&form), QStringLiteral("1 item selected"));
        Button(&form, "SelectNoneBtn")->click();
        QCOMPARE(Status(&form), QStringLiteral("0 items selected"));

        // Rows walk in caption order: every coin country before any paper one.
        QStringList order;
        for (const auto &item : form.ItemList())
            order << item->ItemCheckBox->text();
        QCOMPARE(order, (QStringList{QStringLiteral("Coins: Belgium"), QStringLiteral("Coins: United States"),
                                     QStringLiteral("Paper: Canada")}));
        // One bar per group: North American coins, its paper money, Europe.
        QCOMPARE(form.findChildren<TGroupBar *>().size(), 3);
    }

    void fullUpdateOfTwoCountries()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("1,40"));
        TPriceUpdateForm *form = OpenPriceUpdateForm(f.s, nullptr, f.clock.clock());
        QPointer<TPriceUpdateForm> alive(form);
        QVERIFY(ShowAndWaitForDates(form));
        // The menu command opens one window at most.
        QCOMPARE(OpenPriceUpdateForm(f.s, nullptr), form);
        QVERIFY(PriceUpdateInUse);
        const QByteArray expectedUS = f.ServerUnitedStates();
        const qsizetype before = f.server->commands().size();

        Button(form, "UpdateButton")->click();
        QVERIFY(!Button(form, "UpdateButton")->isEnabled());
        QVERIFY(WaitForUpdate(form));

        QCOMPARE(Status(form), QStringLiteral("Update complete."));
        QCOMPARE(Row(form, Belgium)->text(), QStringLiteral("Coins: Belgium (Done)"));
        QVERIFY(Row(form, Belgium)->font().bold());
        QCOMPARE(Row(form, UnitedStates)->text(), QStringLiteral("Coins: United States (Done)"));
        QCOMPARE(Row(form, CanadaPaper)->text(), QStringLiteral("Paper: Canada"));
        QVERIFY(Button(form, "UpdateButton")->isEnabled());

        // Both lists arrived, each reload saw its new list, in caption order.
        QCOMPARE(f.reloads, (std::vector<int>{Belgium, UnitedStates}));
        QCOMPARE(f.reloadedBytes.value(0), PriceListFixture(Belgium, Day(2024, 9, 1), 'B'));
        QCOMPARE(f.reloadedBytes.value(1), expectedUS);
        // The United States list replaced the local one spelt in another case.
        QCOMPARE(QDir(f.s.PricesRedirect).entryList(QDir::Files),
                 (QStringList{QStringLiteral("Belgium.OVP"), QStringLiteral("United States.ovp")}));
        QCOMPARE(ReadFixtureFile(f.s.CountriesRedirect + QStringLiteral("Belgium.OVCD")), QByteArray(300, 'b'));
        QCOMPARE(f.s.PricesDatesArray[Belgium], Day(2024, 9, 1));
        const platform::IniFile ini(f.s.OtherRedirect + QStringLiteral("PriceDates.ini"));
        QCOMPARE(ini.readString(QStringLiteral("Price Dates"), QStringLiteral("Belgium")), QStringLiteral("9/1/2024"));
        QVERIFY(ini.valueExists(QStringLiteral("Price Dates"), QStringLiteral("United States")));
        QCOMPARE(f.Plu(), QStringLiteral("40,1"));
        QVERIFY(QFile::exists(f.s.BackupsRedirect + QStringLiteral("Price Files_1.zip")));
        QCOMPARE(f.renders, 1);
        QCOMPARE(f.clock.sleeps.load(), 0);

        // The server saw the folder changed from its root, and the password
        // only in the login.
        const QStringList commands = f.server->commands().mid(before);
        QVERIFY(commands.contains(QStringLiteral("CWD /Prices7")));
        QVERIFY(commands.contains(QStringLiteral("RETR United States.OVCD")));
        for (const QString &c : commands)
            if (c.contains(ServerPassword))
                QCOMPARE(c, QStringLiteral("PASS ") + ServerPassword);
        // The log holds every request's URL, and never the account.
        QVERIFY(!LogList.filter(QStringLiteral("RETR ftp://127.0.0.1:")).isEmpty());
        for (const QString &line : LogList) {
            QVERIFY2(!line.contains(QStringLiteral("Qm")) && !line.contains(ServerUser), qPrintable(line));
        }

        // A structure file arrived: closing offers the new series, once.
        form->close();
        QTRY_VERIFY(alive.isNull());
        QCOMPARE(f.newTypeChecks, 1);
        QVERIFY(!PriceUpdateInUse);
        QVERIFY(!PriceUpdateForm);
    }

    void aFileFailingFiveTimesIsMarkedFailed()
    {
        LoopbackFtpServer::Options o;
        o.failRetr = QStringList{QStringLiteral("Belgium.OVP")};
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("1,40"));
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(ShowAndWaitForDates(&form));
        QSignalSpy status(&form.Machine(), &tPriceUpdateMachine::StatusText);
        Button(&form, "UpdateButton")->click();
        QVERIFY(WaitForUpdate(&form));

        QCOMPARE(Row(&form, Belgium)->text(), QStringLiteral("Coins: Belgium (Failed)"));
        QCOMPARE(Row(&form, UnitedStates)->text(), QStringLiteral("Coins: United States (Done)"));
        const QStringList commands = f.server->commands();
        QCOMPARE(commands.count(QStringLiteral("RETR Belgium.OVP")), 5);
        QVERIFY(!commands.contains(QStringLiteral("RETR Belgium.OVCD")));
        QStringList texts;
        for (const auto &args : status)
            texts << args.at(0).toString();
        for (int n = 1; n <= 5; ++n)
            QVERIFY2(texts.contains(QStringLiteral("Updating Belgium (Retry %1)").arg(n)), qPrintable(texts.join(QLatin1Char('|'))));
        // Four pauses between the attempts, and the fifth, started by the
        // last failure, held back the next country's first attempt.
        QCOMPARE(f.clock.sleeps.load(), 5);
        QCOMPARE(f.clock.now.load(), qint64(5 * 3000));
        // The old list stays, its date is not recorded, it is reloaded all
        // the same, and it counts as processed.
        QCOMPARE(ReadFixtureFile(f.s.PricesRedirect + QStringLiteral("Belgium.OVP")),
                 PriceListFixture(Belgium, Day(2023, 1, 1), 'o'));
        QCOMPARE(f.s.PricesDatesArray[Belgium], Day(2023, 1, 1));
        QCOMPARE(f.reloads, (std::vector<int>{Belgium, UnitedStates}));
        QCOMPARE(f.Plu(), QStringLiteral("40,1"));
        QCOMPARE(Status(&form), QStringLiteral("Update complete."));
    }

    void stoppingMidUpdate_data()
    {
        QTest::addColumn<bool>("byDone");
        QTest::newRow("Done pressed") << true;
        QTest::newRow("window closed") << false;
    }
    void stoppingMidUpdate()
    {
        QFETCH(bool, byDone);
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("1,40,301"));
        TPriceUpdateForm *form = OpenPriceUpdateForm(f.s, nullptr, f.clock.clock());
        QPointer<TPriceUpdateForm> alive(form);
        QVERIFY(ShowAndWaitForDates(form));
        QStringList texts;
        QStringList captions;
        connect(&form->Machine(), &tPriceUpdateMachine::StatusText, form, [&, form](const QString &t) {
            texts << t;
            // The user's press reaches the window through its event queue,
            // while Belgium's price list is on its way.
            if (t == QStringLiteral("Updating Belgium (1 of 3)"))
                QMetaObject::invokeMethod(form, [&, form] {
                    if (byDone)
                        Button(form, "OKbutton")->click();
                    else
                        form->close();
                    // The window stays while its transfer runs.
                    QVERIFY(alive);
                }, Qt::QueuedConnection);
        });
        connect(&form->Machine(), &tPriceUpdateMachine::RowFinished, form,
                [&, form](int row, bool) { captions << form->ItemList()[static_cast<size_t>(row)]->ItemCheckBox->text(); });
        Button(form, "UpdateButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 60000);

        // The running country finished (its price list, caption, date and
        // reload) without starting its structure file; no other started.
        QCOMPARE(captions, QStringList{QStringLiteral("Coins: Belgium (Done)")});
        QCOMPARE(f.reloads, std::vector<int>{Belgium});
        QCOMPARE(f.reloadedBytes.value(0), PriceListFixture(Belgium, Day(2024, 9, 1), 'B'));
        QCOMPARE(f.s.PricesDatesArray[Belgium], Day(2024, 9, 1));
        QCOMPARE(texts.last(), QStringLiteral("Update complete."));
        QCOMPARE(f.Plu(), QStringLiteral("40"));
        const QStringList commands = f.server->commands();
        QVERIFY(!commands.contains(QStringLiteral("RETR Belgium.OVCD")));
        QVERIFY(!commands.contains(QStringLiteral("RETR United States.OVP")));
        QCOMPARE(f.newTypeChecks, 0);
    }

    void noConnection()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server.reset();  // nothing listens on its port any more
        f.SetPlu(QStringLiteral("40"));
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(ShowAndWaitForDates(&form));
        // No server dates: nothing shown, nothing red.
        QVERIFY(DateLabel(&form, Belgium)->isHidden());
        QVERIFY(Row(&form, Belgium)->toolTip().isEmpty());
        QSignalSpy status(&form.Machine(), &tPriceUpdateMachine::StatusText);
        Button(&form, "UpdateButton")->click();
        QVERIFY(WaitForUpdate(&form));
        QStringList texts;
        for (const auto &args : status)
            texts << args.at(0).toString();
        QCOMPARE(texts, (QStringList{QStringLiteral("Connecting to server..."), QStringLiteral("Connecting to server (Retry 1)"),
                                     QStringLiteral("Connecting to server (Retry 2)"), QStringLiteral("Connecting to server (Retry 3)"),
                                     QStringLiteral("Connecting to server (Retry 4)"), QStringLiteral("Connecting to server (Retry 5)"),
                                     QStringLiteral("Could not connect to the server")}));
        QCOMPARE(f.clock.sleeps.load(), 4);
        QCOMPARE(f.PluWrites(), 1);
        QCOMPARE(f.Plu(), QString());
        QVERIFY(f.reloads.empty());
        QVERIFY(Button(&form, "UpdateButton")->isEnabled());
        QVERIFY(Button(&form, "SelectAllBtn")->isEnabled());
    }

    void datesFileProblems_data()
    {
        QTest::addColumn<bool>("shortFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("the server's file is short") << true << QStringLiteral("is incomplete");
        QTest::newRow("the local file cannot be replaced")
            << false << QStringLiteral("The file containing the list of price lists on the server could not be overwritten, "
                                       "You may not have access to write to this file.");
    }
    void datesFileProblems()
    {
        QFETCH(bool, shortFile);
        QFETCH(QString, message);
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        if (shortFile) {
            f.server->putFile(QStringLiteral("Prices7/PriceDates.Dat"), QByteArray(4000, '\1'));
        } else {
            // A file where the Other folder should be.
            f.s.OtherRedirect = f.dir.filePath(QStringLiteral("NotAFolder")) + QLatin1Char('/');
            WriteFixtureFile(f.dir.filePath(QStringLiteral("NotAFolder")), "x");
        }
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(ShowAndWaitForDates(&form));
        QCOMPARE(f.messages.Messages.size(), size_t(1));
        QVERIFY2(f.messages.Messages[0].Text.contains(message), qPrintable(f.messages.Messages[0].Text));
        // The window opens without server dates, its controls live.
        QVERIFY(DateLabel(&form, Belgium)->isHidden());
        QCOMPARE(form.Machine().ServerDates()[Belgium], 0);
        QVERIFY(Button(&form, "OKbutton")->isEnabled());
        QVERIFY(Button(&form, "SuggestBtn")->isEnabled());
    }

    void closingWhileTheServerStallsGivesUpTheDates()
    {
        LoopbackFtpServer::Options o;
        o.mute = true;
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        TPriceUpdateForm *form = OpenPriceUpdateForm(f.s, nullptr, f.clock.clock());
        QPointer<TPriceUpdateForm> alive(form);
        QVERIFY(QTest::qWaitFor([&] { return !f.server->commands().isEmpty(); }, 10000));
        QVERIFY(form->Machine().Busy());
        form->close();
        QVERIFY(alive);  // not while the transfer runs
        // Without giving up, the wait for the greeting would last minutes.
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 15000);
    }

    void nothingCheckedStillBacksUp()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("12"));
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(ShowAndWaitForDates(&form));
        const int loginsBefore = f.server->commands().count(QStringLiteral("PASS ") + ServerPassword);
        Button(&form, "UpdateButton")->click();
        QVERIFY(!form.Machine().Busy());
        QVERIFY(QFile::exists(f.s.BackupsRedirect + QStringLiteral("Price Files_1.zip")));
        QCOMPARE(f.PluWrites(), 0);
        QCOMPARE(f.server->commands().count(QStringLiteral("PASS ") + ServerPassword), loginsBefore);
    }

    void unsavedPriceChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("runs");
        QTest::newRow("save") << 1 << 1 << true;
        QTest::newRow("don't save") << 2 << 0 << true;
        QTest::newRow("cancel") << 4 << 0 << false;
    }
    void unsavedPriceChanges()
    {
        QFETCH(int, answer);
        QFETCH(int, saves);
        QFETCH(bool, runs);
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.SetPlu(QStringLiteral("40"));
        f.s.PricesModifiedArray[CanadaPaper] = true;
        f.s.PricesModifiedArray[Belgium] = true;
        f.s.PricesModified = true;
        TPriceUpdateForm form(f.s, nullptr, f.clock.clock());
        QVERIFY(ShowAndWaitForDates(&form));
        f.messages.reply(answer);
        Button(&form, "UpdateButton")->click();
        QVERIFY(WaitForUpdate(&form));
        QCOMPARE(f.messages.Messages.size(), size_t(1));
        QCOMPARE(f.saves, saves);
        QCOMPARE(QFile::exists(f.s.BackupsRedirect + QStringLiteral("Price Files_1.zip")), runs);
        QCOMPARE(f.reloads.size(), size_t(runs ? 1 : 0));
        // The reload reads Belgium afresh; Canada's unsaved changes keep
        // their mark whatever the reload did to it.
        QCOMPARE(f.s.PricesModifiedArray[Belgium], !runs);
        QVERIFY(f.s.PricesModifiedArray[CanadaPaper]);
        QVERIFY(f.s.PricesModified);
    }
    // Byte counts of the download bars: past the int range of a progress
    // bar they are scaled down, and a value out of range is held at an end.
    void byteProgressOnTheBar_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<int>("barMaximum");
        QTest::addColumn<int>("barValue");
        constexpr qint64 G = 1024LL * 1024 * 1024;
        QTest::newRow("small") << qint64(5) << qint64(10) << 10 << 5;
        QTest::newRow("negative value") << qint64(-1) << qint64(10) << 10 << 0;
        QTest::newRow("past the end") << qint64(20) << qint64(10) << 10 << 10;
        QTest::newRow("6 GB, half done") << 3 * G << 6 * G << int(6 * G >> 2) << int(3 * G >> 2);
        QTest::newRow("unknown size") << qint64(7) << qint64(-1) << 0 << 0;
    }
    void byteProgressOnTheBar()
    {
        QFETCH(qint64, value);
        QFETCH(qint64, maximum);
        QProgressBar bar;
        ShowByteProgress(&bar, value, maximum);
        QTEST(bar.maximum(), "barMaximum");
        QTEST(bar.value(), "barValue");
    }
};

QTEST_MAIN(tst_PriceUpdateForm)
#include "tst_priceupdateform.moc"
