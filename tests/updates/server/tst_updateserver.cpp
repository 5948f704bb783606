#include <QtTest>

#include <thread>

#include "support/downloadfixtures.h"
#include "updates/server/updateserver.h"

using platform::FtpEntry;
using platform::FtpError;

namespace {

std::unique_ptr<tCountryInfo> Country(const QString &description, int continent, bool paper)
{
    auto c = std::make_unique<tCountryInfo>();
    c->Description = description;
    c->Continent = continent;
    c->IsPaper = paper;
    return c;
}

} // namespace

class tst_UpdateServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void findInListing_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("result");
        const QStringList twins{QStringLiteral("PriceDates.Dat"), QStringLiteral("Canada.OVP"), QStringLiteral("canada.ovp"),
                                QStringLiteral("Mexico.OVP")};
        QTest::newRow("the later of two names differing in case wins") << twins << QStringLiteral("CANADA.ovp") << true
                                                                       << QStringLiteral("canada.ovp");
        QTest::newRow("either spelling finds the later one") << twins << QStringLiteral("Canada.OVP") << true
                                                             << QStringLiteral("canada.ovp");
        QTest::newRow("server spelling taken") << twins << QStringLiteral("pricedates.dat") << true
                                               << QStringLiteral("PriceDates.Dat");
        QTest::newRow("no match leaves the name") << twins << QStringLiteral("Peru.OVP") << false << QStringLiteral("Peru.OVP");
        QTest::newRow("empty listing leaves the name") << QStringList() << QStringLiteral("Peru.OVP") << false
                                                       << QStringLiteral("Peru.OVP");
    }
    void findInListing()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, wanted);
        QFETCH(bool, found);
        QFETCH(QString, result);
        std::vector<FtpEntry> listing;
        qint64 size = 100;
        for (const QString &n : names)
            listing.push_back({n, size++, false});
        QString name = wanted;
        const FtpEntry *e = FindInListing(listing, name);
        QCOMPARE(e != nullptr, found);
        QCOMPARE(name, result);
        if (e)
            QCOMPARE(e->name, result);  // the entry carries the size of that spelling
    }

    void formatSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << QStringLiteral("C") << QStringLiteral("0 bytes");
        QTest::newRow("1023") << qint64(1023) << QStringLiteral("C") << QStringLiteral("1023 bytes");
        QTest::newRow("1024") << qint64(1024) << QStringLiteral("C") << QStringLiteral("1.0KB");
        QTest::newRow("1,048,575 rounds up, no group separator")
            << qint64(1048575) << QStringLiteral("en_US") << QStringLiteral("1024.0KB");
        QTest::newRow("1,048,576") << qint64(1048576) << QStringLiteral("C") << QStringLiteral("1.0MB");
        QTest::newRow("1,073,741,823") << qint64(1073741823) << QStringLiteral("C") << QStringLiteral("1024.0MB");
        QTest::newRow("1,073,741,824") << qint64(1073741824) << QStringLiteral("C") << QStringLiteral("1.0GB");
        QTest::newRow("past 32 bits") << qint64(5) * 1073741824 + 536870912 << QStringLiteral("C") << QStringLiteral("5.5GB");
        QTest::newRow("comma locale") << qint64(1536) << QStringLiteral("de_DE") << QStringLiteral("1,5KB");
    }
    void formatSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(FormatSize(bytes, QLocale(locale)), text);
    }

    void progressText_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << qint64(1536) << qint64(3072) << QStringLiteral("Progress: 1.5KB of 3.0KB (50.0%)");
        QTest::newRow("listing before the total is known")
            << qint64(300) << qint64(0) << QStringLiteral("Progress: 300 bytes of 0 bytes (0.0%)");
        QTest::newRow("never past 100%") << qint64(2048) << qint64(1024) << QStringLiteral("Progress: 2.0KB of 1.0KB (100.0%)");
    }
    void progressText()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QFETCH(QString, text);
        QCOMPARE(ProgressText(done, total, QLocale::c()), text);
    }

    void progressCountsEachTransferOnce()
    {
        tTransferProgress p;
        p.Work(700);          // the listing, before the total is known
        p = {};               // the update starts counting once the sizes are in
        p.TotalSize = 3000;
        p.Work(1000);
        p.Work(2000);
        p.FileFinished();     // the price list: 2000
        p.FileFinished();     // a structure file that was not fetched
        QCOMPARE(p.Done(), qint64(2000));
        p.Work(400);
        QCOMPARE(p.Done(), qint64(2400));
        p.FileFinished();
        QCOMPARE(p.WorkStart, qint64(2400));
    }

    void cleanName_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("accents, blanks and ampersand")
            << QStringLiteral("S\u00e3o Tom\u00e9 & Pr\u00edncipe.zip") << QStringLiteral("SoTomPrncipe.zip");
        QTest::newRow("hyphen, apostrophe, digits kept") << QStringLiteral("C\u00f4te d'Ivoire - 1960.ZIP")
                                                         << QStringLiteral("CtedIvoire1960.ZIP");
        QTest::newRow("letters beyond ASCII dropped") << QStringLiteral("\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.zip")
                                                      << QStringLiteral(".zip");
    }
    void cleanName()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(CleanName(in), out);
    }

    void selectedCount()
    {
        QCOMPARE(SelectedCountText(0), QStringLiteral("0 items selected"));
        QCOMPARE(SelectedCountText(1), QStringLiteral("1 item selected"));
        QCOMPARE(SelectedCountText(12), QStringLiteral("12 items selected"));
    }

    void retryRuleFiveFailures()
    {
        // Every event in order: attempts with the fake time they started at,
        // and the failures reported.
        FakeRetryClock fake;
        tRetryTimer timer(fake.clock());
        QStringList events;
        const bool ok = RunWithRetries(
            timer, [&] {
                events << QStringLiteral("attempt@%1").arg(fake.now.load());
                throw FtpError("refused");
            },
            [&](int n) { events << QStringLiteral("Connecting to server (Retry %1)").arg(n); });
        QVERIFY(!ok);
        QCOMPARE(events, (QStringList{QStringLiteral("attempt@0"), QStringLiteral("Connecting to server (Retry 1)"),
                                      QStringLiteral("attempt@3000"), QStringLiteral("Connecting to server (Retry 2)"),
                                      QStringLiteral("attempt@6000"), QStringLiteral("Connecting to server (Retry 3)"),
                                      QStringLiteral("attempt@9000"), QStringLiteral("Connecting to server (Retry 4)"),
                                      QStringLiteral("attempt@12000"), QStringLiteral("Connecting to server (Retry 5)")}));
        // The pause after the last failure still runs: the next exchange's
        // first attempt waits for it.
        QVERIFY(timer.Enabled());
        int attempts = 0;
        fake.now += 1000;
        QVERIFY(RunWithRetries(timer, [&] { ++attempts; }, {}));
        QCOMPARE(attempts, 1);
        QCOMPARE(fake.now.load(), qint64(15000));
        QVERIFY(!timer.Enabled());
    }

    void retryRuleStopsAtTheFirstSuccess()
    {
        FakeRetryClock fake;
        tRetryTimer timer(fake.clock());
        int attempts = 0;
        QList<int> reported;
        QVERIFY(RunWithRetries(
            timer, [&] {
                if (++attempts < 3)
                    throw FtpError("busy");
            },
            [&](int n) { reported << n; }));
        QCOMPARE(attempts, 3);
        QCOMPARE(reported, (QList<int>{1, 2}));
        QCOMPARE(fake.now.load(), qint64(6000));
        QCOMPARE(fake.sleeps.load(), 2);
    }

    void retryRuleLetsOtherErrorsThroughAndEndsOnCancel()
    {
        FakeRetryClock fake;
        tRetryTimer timer(fake.clock());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, RunWithRetries(timer, [] { throw std::logic_error("bug"); }, {}));
        int attempts = 0;
        QVERIFY(!RunWithRetries(
            timer, [&] {
                ++attempts;
                throw FtpError("down");
            },
            [&](int) { timer.Cancel(); }));
        QCOMPARE(attempts, 1);

        // Cancelled before the step began: it runs once, and only once.
        for (const bool fails : {false, true}) {
            attempts = 0;
            const bool ok = RunWithRetries(timer, [&] {
                ++attempts;
                if (fails)
                    throw FtpError("down");
            }, {});
            QCOMPARE(ok, !fails);
            QCOMPARE(attempts, 1);
        }
    }

    void realPauseEndsOnCancel()
    {
        tRetryTimer timer;
        timer.Start();
        QVERIFY(timer.Enabled());
        std::thread canceller([&] { timer.Cancel(); });
        timer.Wait();  // would take 3 seconds without the cancel
        canceller.join();
        QVERIFY(timer.Cancelled());
    }

    void checklistGroups_data()
    {
        QTest::addColumn<QList<int>>("continents");  // negative: paper money of that continent
        QTest::addColumn<QList<int>>("barKeys");
        QTest::addColumn<QList<int>>("rowYs");
        QTest::newRow("one continent, coins and paper: two bars")
            << QList<int>{4, 4, -4} << QList<int>{7, 8} << QList<int>{44, 70, 140};
        QTest::newRow("a lower key later starts no bar")
            << QList<int>{1, 4, 2} << QList<int>{1, 7} << QList<int>{44, 114, 140};
        QTest::newRow("paper of one continent before coins of the next")
            << QList<int>{-1, 2} << QList<int>{2, 3} << QList<int>{44, 114};
    }
    void checklistGroups()
    {
        QFETCH(QList<int>, continents);
        QFETCH(QList<int>, barKeys);
        QFETCH(QList<int>, rowYs);
        OwningList<tCountryInfo> owned;
        std::vector<const tCountryInfo *> list;
        for (int c : continents) {
            owned.push_back(Country(QStringLiteral("X"), std::abs(c), c < 0));
            list.push_back(owned.back().get());
        }
        const tChecklistLayout layout = LayoutCountryChecklist(list, tChecklistMetrics{26, 0, 36});
        QList<int> keys, ys;
        for (const auto &b : layout.Bars)
            keys << b.Key;
        for (const auto &r : layout.Rows)
            ys << r.Y;
        QCOMPARE(keys, barKeys);
        QCOMPARE(ys, rowYs);
        QCOMPARE(layout.EndY, rowYs.last() + 26);
        QCOMPARE(layout.Bars.front().Y, 8);
    }

    void groupLooks()
    {
        QCOMPARE(GroupHeaderCaption(1), QStringLiteral("Coins of North America"));
        QCOMPARE(GroupHeaderCaption(12), QStringLiteral("Paper money of the Middle East"));
        QCOMPARE(GroupHeaderCaption(16), QStringLiteral("Paper money of Oceania"));
        QCOMPARE(GroupBarColor(7), QRgb(0xFFB0E0E6));
        QCOMPARE(GroupBarColor(8), QRgb(0xFFB0E0E6));
        QCOMPARE(GroupBarColor(15), QRgb(0xFF00FFFF));
        QCOMPARE(GroupHeaderCaption(17), QString());
        const auto paper = Country(QStringLiteral("Peru"), 3, true);
        QCOMPARE(CountryGroupKey(*paper), 6);
        QCOMPARE(CountryRowCaption(*paper), QStringLiteral("Paper: Peru"));
    }

    void captionOrderPutsCoinsFirstAndIgnoresAsciiCase()
    {
        OwningList<tCountryInfo> list;
        list.push_back(Country(QStringLiteral("Zambia"), 7, false));
        list.push_back(Country(QStringLiteral("argentina"), 3, true));
        list.push_back(Country(QStringLiteral("Belgium"), 4, false));
        list.push_back(Country(QStringLiteral("austria"), 4, false));
        list.push_back(Country(QStringLiteral("Austria"), 4, true));
        std::vector<tCountryInfo *> rows;
        for (auto &c : list)
            rows.push_back(c.get());
        SortItemsByCaption(rows, [](const tCountryInfo *c) { return CountryRowCaption(*c); });
        QStringList captions;
        for (const tCountryInfo *c : rows)
            captions << CountryRowCaption(*c);
        QCOMPARE(captions, (QStringList{QStringLiteral("Coins: austria"), QStringLiteral("Coins: Belgium"),
                                        QStringLiteral("Coins: Zambia"), QStringLiteral("Paper: argentina"),
                                        QStringLiteral("Paper: Austria")}));
        QVERIFY(CompareCaptions(QStringLiteral("abc"), QStringLiteral("ABC")) == 0);
        QVERIFY(CompareCaptions(QStringLiteral("ab"), QStringLiteral("ABC")) < 0);
        // Characters past ASCII keep their code order.
        QVERIFY(CompareCaptions(QStringLiteral("\u00e9"), QStringLiteral("z")) > 0);
    }
};

QTEST_GUILESS_MAIN(tst_UpdateServer)
#include "tst_updateserver.moc"
