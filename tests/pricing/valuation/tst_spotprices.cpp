#include <QtTest>

#include <climits>
#include <functional>

#include "core/model/dates.h"
#include "core/program/log.h"
#include "core/program/settings.h"
#include "core/files/valuestream.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/spotprices.h"
#include "support/fakeftp.h"
#include "support/ftpserver.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"

namespace {

// Pair i carries 2 + i/2 units per dollar: every rate differs and is exact
// in single precision, so derived rates can be compared exactly.
float PairRate(int i)
{
    return 2.0f + 0.5f * static_cast<float>(i);
}

// A spot-price file laid out value by value, independently of the
// program's own writer. itemLimit cuts the file after that many values
// (the list begin counts as one, each pair as two).
struct SpotFixture {
    int32_t day = 45000;
    std::array<Money, 4> values{250000, 19000000, 9500000, 9000000};
    std::array<Money, 4> changes{-1500, 125000, 0, -3000};
    QString title = QStringLiteral("  Market note ");
    QString text = QStringLiteral(" Gold is up. ");
    int pairs = 161;
    std::function<float(int)> rate = PairRate;

    QByteArray bytes(int itemLimit = INT_MAX) const
    {
        ValueWriter w;
        int items = 0;
        const auto more = [&] { return items++ < itemLimit; };
        if (more())
            w.WriteListBegin();
        if (more())
            w.WriteInteger(7);
        if (more())
            w.WriteInteger(day);
        for (Money v : values)
            if (more())
                w.WriteCurrency(v);
        for (Money v : changes)
            if (more())
                w.WriteCurrency(v);
        if (more())
            w.WriteString(title);
        if (more())
            w.WriteString(text);
        if (more())
            w.WriteInteger(pairs);
        for (int i = 0; i < pairs; ++i) {
            if (more())
                w.WriteString(QStringLiteral("C%1").arg(i));
            if (more())
                w.WriteSingle(rate(i));
        }
        if (items <= itemLimit)
            w.WriteListEnd();
        return w.Data();
    }
};

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

float RateAt(const tMainState &s, int pos)
{
    return s.ForexList[pos]->Rate;
}

// A state ready for the start-up step: a working Other folder, log mode on,
// a recording notifier, and the registry's earlier prices.
struct StartupFixture {
    RecordingClipboard clipboard;  // the log records only with a clipboard to copy to
    QTemporaryDir dir;
    tMainState s;
    RecordingNotifier notifier;
    RecordingSettings settings;

    // Seeds the title an earlier run stored; the seeding is not a write of this run.
    void Seed(const QString &title)
    {
        settings.write(QStringLiteral("PushNote"), platform::SettingValue::string(title));
        settings.Writes.clear();
    }
    // The titles this run stored, in order.
    QStringList Stored() const
    {
        QStringList out;
        for (const QString &name : settings.Writes)
            if (name == QStringLiteral("PushNote"))
                out << ReadRegString(QStringLiteral("PushNote"), QString());
        return out;
    }

    StartupFixture()
    {
        s.OtherRedirect = dir.path() + QLatin1Char('/');
        s.UpdateServerHost = QStringLiteral("updates.example");
        s.AutoSpotPrices = true;
        s.MetalValues = {111, 222, 333, 444};
        s.MetalChanges = {5, 6, 7, 8};
        platform::setNotifier(&notifier);
        LogMode = true;
        LogList.clear();
    }
    ~StartupFixture()
    {
        platform::setNotifier(nullptr);
        LogMode = false;
        LogList.clear();
    }
    QString spotPath() const { return s.OtherRedirect + QStringLiteral("Spot prices"); }
};

} // namespace

class tst_SpotPrices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void pairsSetPositionsAndDerivedRates_data()
    {
        QTest::addColumn<int>("pairs");
        QTest::addColumn<float>("xof");
        QTest::addColumn<float>("xaf");
        QTest::addColumn<float>("ilr");
        QTest::addColumn<float>("ilp");
        QTest::addColumn<float>("vef");
        const float eur = PairRate(43), ils = PairRate(61), ves = PairRate(147);
        QTest::newRow("43 pairs: no euro yet") << 43 << 1.0f << 1.0f << 1.0f << 1.0f << 1.0f;
        QTest::newRow("44 pairs: CFA francs from the euro") << 44 << eur * 100 << eur * 100 << 1.0f << 1.0f << 1.0f;
        QTest::newRow("61 pairs: no shekel yet") << 61 << eur * 100 << eur * 100 << 1.0f << 1.0f << 1.0f;
        QTest::newRow("62 pairs: old shekel and pound") << 62 << eur * 100 << eur * 100 << ils * 1000 << ils * 10000 << 1.0f;
        QTest::newRow("148 pairs: bolivar not pegged yet") << 148 << eur * 100 << eur * 100 << ils * 1000 << ils * 10000 << 1.0f;
        QTest::newRow("149 pairs: old bolivar from the new")
            << 149 << eur * 100 << eur * 100 << ils * 1000 << ils * 10000 << ves * 1000000;
        // A full file carries its own rates for positions 157..161.
        QTest::newRow("161 pairs: the file's own rates win")
            << 161 << PairRate(157) << PairRate(156) << PairRate(159) << PairRate(160) << PairRate(158);
        QTest::newRow("163 pairs: the two extra are dropped")
            << 163 << PairRate(157) << PairRate(156) << PairRate(159) << PairRate(160) << PairRate(158);
    }
    void pairsSetPositionsAndDerivedRates()
    {
        QFETCH(int, pairs);
        QFETCH(float, xof);
        QFETCH(float, xaf);
        QFETCH(float, ilr);
        QFETCH(float, ilp);
        QFETCH(float, vef);
        SpotFixture f;
        f.pairs = pairs;
        const tSpotFile file = ReadSpotFile(f.bytes());
        QVERIFY2(file.Complete(), qPrintable(file.Error));
        tMainState s;
        LoadForexList(s);
        ApplySpotFile(s, file);

        QCOMPARE(RateAt(s, UsdForexIndex), 1.0f);  // the first pair is AED's
        QCOMPARE(RateAt(s, 1), PairRate(0));
        QCOMPARE(RateAt(s, std::min(pairs, 156)), PairRate(std::min(pairs, 156) - 1));
        if (pairs < 156)
            QCOMPARE(RateAt(s, pairs + 1), 1.0f);
        QCOMPARE(RateAt(s, XofForexIndex), xof);
        QCOMPARE(RateAt(s, XafForexIndex), xaf);
        QCOMPARE(RateAt(s, IlrForexIndex), ilr);
        QCOMPARE(RateAt(s, IlpForexIndex), ilp);
        QCOMPARE(RateAt(s, VefForexIndex), vef);
        QCOMPARE(RateAt(s, DemonetizedForexIndex), 0.0f);
        QCOMPARE(RateAt(s, NoneForexIndex), 0.0f);
    }

    void unusableRatesKeepThePreviousOne()
    {
        SpotFixture f;
        f.pairs = 62;
        f.rate = [](int i) {
            if (i == 43)
                return 0.0f;                  // the euro
            if (i == 9)
                return -4.0f;
            if (i == 61)
                return std::numeric_limits<float>::quiet_NaN();  // the shekel
            return PairRate(i);
        };
        tMainState s;
        LoadForexList(s);
        s.ForexList[EurForexIndex]->Rate = 0.9f;  // set earlier by the exchange-rates window
        ApplySpotFile(s, ReadSpotFile(f.bytes()));
        QCOMPARE(RateAt(s, EurForexIndex), 0.9f);
        QCOMPARE(RateAt(s, 10), 1.0f);
        QCOMPARE(RateAt(s, IlsForexIndex), 1.0f);
        // Nothing is pegged to a rate the file did not give.
        QCOMPARE(RateAt(s, XofForexIndex), 1.0f);
        QCOMPARE(RateAt(s, IlrForexIndex), 1.0f);
        QCOMPARE(RateAt(s, 11), PairRate(10));
        s.ActiveForexIndex = EurForexIndex;
        QCOMPARE(ValidForexIndex(s, EurForexIndex), EurForexIndex);
    }

    void writerAndReaderAgree()
    {
        SpotFixture f;
        const QByteArray bytes = f.bytes();
        const tSpotFile file = ReadSpotFile(bytes);
        QVERIFY(file.Complete());
        QCOMPARE(file.Date.value(), 45000);
        QCOMPARE(file.Values, std::vector<Money>(f.values.begin(), f.values.end()));
        QCOMPARE(file.Title.value(), f.title);
        QCOMPARE(file.Pairs.size(), size_t(161));
        QCOMPARE(WriteSpotFile(file), bytes);
        const QJsonObject json = SpotFileToJson(file);
        QCOMPARE(json[QStringLiteral("values")].toObject()[QStringLiteral("gold")].toString(), QStringLiteral("1900.0000"));
        QCOMPARE(json[QStringLiteral("rates")].toArray().size(), 161);
    }

    void dumpToolReadsAndRewrites()
    {
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/../orvanta-dump");
        QVERIFY2(QFile::exists(tool), qPrintable(tool));
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("Spot prices"));
        SpotFixture f;
        f.pairs = 3;
        WriteFile(in, f.bytes());

        QProcess dump;
        dump.start(tool, {in});
        QVERIFY(dump.waitForFinished(30000));
        QCOMPARE(dump.exitCode(), 0);
        const QJsonObject json = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
        QCOMPARE(json[QStringLiteral("date")].toInt(), 45000);
        QCOMPARE(json[QStringLiteral("title")].toString(), f.title);
        QCOMPARE(json[QStringLiteral("rates")].toArray().at(2).toObject()[QStringLiteral("rate")].toDouble(), 3.0);

        const QString out = dir.filePath(QStringLiteral("copy"));
        dump.start(tool, {QStringLiteral("--rewrite"), in, out});
        QVERIFY(dump.waitForFinished(30000));
        QCOMPARE(dump.exitCode(), 0);
        QCOMPARE(ReadFile(out), f.bytes());

        // A damaged file prints what was readable and says so.
        WriteFile(in, f.bytes(6));
        dump.start(tool, {in});
        QVERIFY(dump.waitForFinished(30000));
        QCOMPARE(dump.exitCode(), 1);
        const QJsonObject partial = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
        QCOMPARE(partial[QStringLiteral("values")].toObject().size(), 3);
        QVERIFY(!partial[QStringLiteral("error")].toString().isEmpty());
    }

    void loadsFetchesReadsAndNotifies()
    {
        StartupFixture t;
        FakeFtpServer server;
        server.files[QStringLiteral("Spot prices")] = SpotFixture().bytes();
        FakeFtpInstalled installed(server);

        LoadForexAndSpotPrices(t.s);

        QCOMPARE(t.s.ForexList.size(), size_t(164));
        QCOMPARE(t.s.MetalValuesDate, 45000);
        QCOMPARE(t.s.MetalValues, (std::array<Money, 4>{250000, 19000000, 9500000, 9000000}));
        QCOMPARE(t.s.MetalChanges, (std::array<Money, 4>{-1500, 125000, 0, -3000}));
        QCOMPARE(t.s.SpotPricesCurrencyIndex, UsdForexIndex);
        QCOMPARE(RateAt(t.s, EurForexIndex), PairRate(43));

        QCOMPARE(server.accounts.size(), size_t(1));
        QCOMPARE(server.accounts[0].host, QStringLiteral("updates.example"));
        QCOMPARE(server.accounts[0].password, QStringLiteral("Qm#tw27v84"));
        QCOMPARE(server.fetched, QStringList{QStringLiteral("Spot prices")});
        QCOMPARE(server.disconnects, 1);

        QCOMPARE(t.notifier.shown.size(), size_t(1));
        QCOMPARE(t.notifier.shown[0].appName, QStringLiteral("Orvanta"));
        QCOMPARE(t.notifier.shown[0].title, QStringLiteral("Market note"));
        QCOMPARE(t.notifier.shown[0].body, QStringLiteral("Gold is up."));
        QCOMPARE(t.s.PushNote, QStringLiteral("Market note"));
        QCOMPARE(t.Stored(), QStringList{QStringLiteral("Market note")});
        QCOMPARE(LogLinesWithoutTime(), QStringList({QStringLiteral("Pull Spot file <Done>"), QStringLiteral("Process Spot Prices <Done>"),
                                       QStringLiteral("Push Notice  <Done>")}));

        // The next start with the same notice shows nothing.
        LoadForexAndSpotPrices(t.s);
        QCOMPARE(t.notifier.shown.size(), size_t(1));
    }

    void serverTroubleFallsBackToTheEarlierFile_data()
    {
        QTest::addColumn<bool>("refuseConnect");
        QTest::addColumn<bool>("failTransfers");
        QTest::addColumn<QString>("pullLine");
        QTest::newRow("no connection") << true << false << QStringLiteral("Pull Spot file <Failed>");
        QTest::newRow("transfer fails") << false << true << QStringLiteral("Pull Spot file <Done>");
    }
    void serverTroubleFallsBackToTheEarlierFile()
    {
        QFETCH(bool, refuseConnect);
        QFETCH(bool, failTransfers);
        QFETCH(QString, pullLine);
        StartupFixture t;
        SpotFixture earlier;
        earlier.day = 44000;
        earlier.title.clear();
        WriteFile(t.spotPath(), earlier.bytes());
        FakeFtpServer server;
        server.refuseConnect = refuseConnect;
        server.failTransfers = failTransfers;
        server.files[QStringLiteral("Spot prices")] = SpotFixture().bytes();
        FakeFtpInstalled installed(server);

        LoadForexAndSpotPrices(t.s);

        QCOMPARE(t.s.MetalValuesDate, 44000);
        QCOMPARE(ReadFile(t.spotPath()), earlier.bytes());
        QCOMPARE(server.connects, server.disconnects);
        QVERIFY(t.notifier.shown.empty());  // no title, no notice
        QCOMPARE(LogLinesWithoutTime(), QStringList({pullLine, QStringLiteral("Process Spot Prices <Done>")}));
    }

    // A server without TLS: used in the clear, and the log says so, unless
    // "Require TLS" is on; then the earlier file is read.
    void serverWithoutTls_data()
    {
        QTest::addColumn<bool>("requireTls");
        QTest::addColumn<QString>("pullLine");
        QTest::addColumn<int>("day");
        QTest::newRow("used in the clear") << false << QStringLiteral("Pull Spot file <Without TLS> <Done>")
                                           << SpotFixture().day;
        QTest::newRow("TLS required") << true << QStringLiteral("Pull Spot file <Failed>") << 44000;
    }
    void serverWithoutTls()
    {
        QFETCH(bool, requireTls);
        QFETCH(int, day);
        StartupFixture t;
        t.s.RequireTls = requireTls;
        SpotFixture earlier;
        earlier.day = 44000;
        earlier.title.clear();
        WriteFile(t.spotPath(), earlier.bytes());
        FakeFtpServer server;
        server.offersTls = false;
        SpotFixture fresh;
        fresh.title.clear();
        server.files[QStringLiteral("Spot prices")] = fresh.bytes();
        FakeFtpInstalled installed(server);

        LoadForexAndSpotPrices(t.s);

        QCOMPARE(server.accounts.size(), size_t(1));
        QCOMPARE(server.accounts[0].requireTls, requireTls);
        QCOMPARE(t.s.MetalValuesDate, day);
        QTEST(LogLinesWithoutTime().value(0), "pullLine");
    }

    void damagedFileKeepsWhatWasReadAndZeroesChanges_data()
    {
        QTest::addColumn<int>("itemLimit");
        QTest::addColumn<int>("chop");
        QTest::addColumn<int>("pricesRead");
        QTest::addColumn<int>("ratesRead");
        QTest::newRow("cut after the gold price") << 5 << 0 << 2 << 0;
        QTest::newRow("cut after the notice") << 13 << 0 << 4 << 0;
        QTest::newRow("cut after 50 pairs") << 14 + 100 << 0 << 4 << 50;
        QTest::newRow("last rate half there") << INT_MAX << 3 << 4 << 160;
        QTest::newRow("empty file") << 0 << 0 << 0 << 0;
    }
    void damagedFileKeepsWhatWasReadAndZeroesChanges()
    {
        QFETCH(int, itemLimit);
        QFETCH(int, chop);
        QFETCH(int, pricesRead);
        QFETCH(int, ratesRead);
        StartupFixture t;
        t.s.AutoSpotPrices = true;
        t.s.UpdateServerHost.clear();
        SpotFixture f;
        QByteArray bytes = f.bytes(itemLimit);
        if (chop)
            bytes.chop(1 + chop);  // the list end and part of the last rate
        WriteFile(t.spotPath(), bytes);
        FakeFtpServer server;
        FakeFtpInstalled installed(server);

        LoadForexAndSpotPrices(t.s);

        for (int i = 0; i < 4; ++i)
            QCOMPARE(t.s.MetalValues[i], i < pricesRead ? f.values[i] : Money(111 * (i + 1)));
        QCOMPARE(t.s.MetalChanges, (std::array<Money, 4>{}));
        for (int pos = 1; pos < XafForexIndex; ++pos)  // past them the rates are pegged
            QCOMPARE(RateAt(t.s, pos), pos <= ratesRead ? PairRate(pos - 1) : 1.0f);
        QVERIFY(t.notifier.shown.empty());
        QCOMPARE(LogLinesWithoutTime(),
                 QStringList({QStringLiteral("Pull Spot file <No update server>"), QStringLiteral("Process Spot Prices")}));
        QCOMPARE(server.connects, 0);
    }

    void autoOffReadsNothing()
    {
        StartupFixture t;
        t.s.AutoSpotPrices = false;
        WriteFile(t.spotPath(), SpotFixture().bytes());
        FakeFtpServer server;
        FakeFtpInstalled installed(server);
        LoadForexAndSpotPrices(t.s);
        QCOMPARE(server.accounts.size(), size_t(0));
        QCOMPARE(t.s.MetalValues, (std::array<Money, 4>{111, 222, 333, 444}));
        QCOMPARE(t.s.MetalChanges, (std::array<Money, 4>{}));
        QCOMPARE(RateAt(t.s, EurForexIndex), 1.0f);
        QCOMPARE(LogLinesWithoutTime(), QStringList{QStringLiteral("Auto spot prices is off.")});
    }

    void pushNoticeOncePerTitle_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("shown");
        QTest::newRow("same title") << QStringLiteral("Market note") << QStringLiteral("Market note") << false;
        QTest::newRow("same title in other case") << QStringLiteral("Market Note") << QStringLiteral("MARKET NOTE") << false;
        QTest::newRow("new title") << QStringLiteral("Market note") << QStringLiteral("Market note 2") << true;
        QTest::newRow("nothing shown yet") << QString() << QStringLiteral("Market note") << true;
        QTest::newRow("only A to Z fold") << QStringLiteral("\u00e9t\u00e9") << QStringLiteral("\u00c9T\u00c9") << true;
    }
    void pushNoticeOncePerTitle()
    {
        QFETCH(QString, stored);
        QFETCH(QString, title);
        QFETCH(bool, shown);
        StartupFixture t;
        t.Seed(stored);
        PushNotice(t.s, title, QStringLiteral("body"));
        QCOMPARE(t.notifier.shown.size(), size_t(shown ? 1 : 0));
        QCOMPARE(t.s.PushNote, shown ? title : stored);
        QCOMPARE(t.Stored().size(), shown ? 1 : 0);
        QCOMPARE(LogLinesWithoutTime().value(0), QStringLiteral("Push Notice  <Done>"));
    }

    void storedTitleComesFromTheSettings()
    {
        // What an earlier run stored decides, not what this run holds.
        StartupFixture t;
        t.Seed(QStringLiteral("Market note"));
        PushNotice(t.s, QStringLiteral("market NOTE"), QStringLiteral("body"));
        QVERIFY(t.notifier.shown.empty());
        t.Seed(QStringLiteral("Older note"));
        PushNotice(t.s, QStringLiteral("Market note"), QStringLiteral("body"));
        QCOMPARE(t.notifier.shown.size(), size_t(1));
        QCOMPARE(t.Stored(), QStringList{QStringLiteral("Market note")});
    }

    void noticeWithoutATrayGoesToTheLog()
    {
        StartupFixture t;
        t.notifier.presents = false;
        PushNotice(t.s, QStringLiteral("Title"), QStringLiteral("Text"));
        QCOMPARE(LogLinesWithoutTime(), QStringList({QStringLiteral("Push Notice  <Done>"), QStringLiteral("Notice: Title: Text")}));
    }

    void squewFollowsTheActiveCurrency()
    {
        tMainState s;
        LoadForexList(s);
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        s.MetalValues = {250000, 19000000, 9500000, 9000001};
        s.MetalChanges = {-1500, 125000, 0, -3};

        s.ActiveForexIndex = UsdForexIndex;
        SquewSpotPrices(s);  // already in dollars
        QCOMPARE(s.MetalValues[0], Money(250000));

        s.ActiveForexIndex = EurForexIndex;
        SquewSpotPrices(s);
        QCOMPARE(s.SpotPricesCurrencyIndex, EurForexIndex);
        QCOMPARE(s.MetalValues, (std::array<Money, 4>{125000, 9500000, 4750000, 4500000}));  // .5 rounds to even
        QCOMPARE(s.MetalChanges, (std::array<Money, 4>{-750, 62500, 0, -2}));
        SquewSpotPrices(s);
        QCOMPARE(s.MetalValues[0], Money(125000));

        s.ActiveForexIndex = UsdForexIndex;
        SquewSpotPrices(s);
        QCOMPARE(s.MetalValues[1], Money(19000000));

        // Values said to be in a currency without a rate are taken as dollars.
        s.SpotPricesCurrencyIndex = NoneForexIndex;
        s.ActiveForexIndex = EurForexIndex;
        SquewSpotPrices(s);
        QCOMPARE(s.MetalValues[1], Money(9500000));
    }

    void metalStrip()
    {
        tMainState s;
        LoadForexList(s);
        s.AutoSpotPrices = false;
        s.MetalValues = {250000, 0, 0, 0};
        QVERIFY(!DisplayMetalValues(s, FixedWidth).Visible);

        // No spot file read yet: no empty date and no arrows over zeros.
        s.AutoSpotPrices = true;
        s.MetalValues = {};
        QVERIFY(!DisplayMetalValues(s, FixedWidth).Visible);
        s.MetalValuesDate = 45000;
        QVERIFY(DisplayMetalValues(s, FixedWidth).Visible);
        s.MetalValuesDate = 0;

        s.ActiveForexIndex = EurForexIndex;
        s.MetalValues = {250000, 19000000, 9500000, 9000000};
        s.MetalChanges = {-1500, 125000, 0, -3000};
        const tMetalStrip strip = DisplayMetalValues(s, FixedWidth);
        QVERIFY(strip.Visible);
        const QStringList texts{QStringLiteral("[Close ]"),
                                QStringLiteral("(In EUR) "),
                                QStringLiteral("Silver 25.00\u25BC"),
                                QStringLiteral("(-0.15)"),
                                QStringLiteral("Gold 1900.00\u25B2"),
                                QStringLiteral("(12.50)"),
                                QStringLiteral("Palladium 950.00\u25B2"),
                                QStringLiteral("(0.00)"),
                                QStringLiteral("Platinum 900.00\u25BC"),
                                QStringLiteral("(-0.30)")};
        const std::vector<QRgb> colors{0, 0, MetalDownColor, MetalDownColor, MetalUpColor, MetalUpColor,
                                       MetalUpColor, MetalUpColor, MetalDownColor, MetalDownColor};
        QCOMPARE(strip.Labels.size(), size_t(10));
        double left = 0;
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(strip.Labels[i].Text, texts[i]);
            QCOMPARE(strip.Labels[i].Color, colors[i]);
            QCOMPARE(strip.Labels[i].Left, left);
            left += FixedWidth(texts[i]) + 10;
        }

        s.MetalValuesDate = 45000;
        QCOMPARE(DisplayMetalValues(s, FixedWidth).Labels[0].Text,
                 QStringLiteral("[Close ") + FormatShortDate(45000) + QLatin1Char(']'));

        // Only silver was ever priced: the others show no arrow, no change
        // and no colour of a trend.
        s.MetalValues = {250000, 0, 0, 0};
        s.MetalChanges = {1500, 0, 0, 0};
        const tMetalStrip partial = DisplayMetalValues(s, FixedWidth);
        QCOMPARE(partial.Labels.size(), size_t(10));
        QCOMPARE(partial.Labels[2].Text, QStringLiteral("Silver 25.00\u25B2"));
        for (int i = 4; i < 10; i += 2) {
            QVERIFY2(!partial.Labels[i].Text.contains(QChar(0x25B2)) && !partial.Labels[i].Text.contains(QChar(0x25BC)),
                     qPrintable(partial.Labels[i].Text));
            QCOMPARE(partial.Labels[i].Color, QRgb(0));
            QCOMPARE(partial.Labels[i + 1].Text, QString());
        }
        QCOMPARE(partial.Labels[4].Text, QStringLiteral("Gold 0.00"));
    }

    // The address the collector types for the update server.
    void serverAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");  // empty with an error when refused
        QTest::addColumn<bool>("refused");
        QTest::newRow("none") << QString() << QString() << false;
        QTest::newRow("blanks only") << QStringLiteral("   ") << QString() << false;
        QTest::newRow("host") << QStringLiteral(" updates.example ") << QStringLiteral("updates.example") << false;
        QTest::newRow("host and port") << QStringLiteral("127.0.0.1:2121") << QStringLiteral("127.0.0.1:2121") << false;
        QTest::newRow("IPv6 with port") << QStringLiteral("[::1]:21") << QStringLiteral("[::1]:21") << false;
        QTest::newRow("IPv6 bare") << QStringLiteral("::1") << QString() << true;
        QTest::newRow("port zero") << QStringLiteral("host:0") << QString() << true;
        QTest::newRow("port too large") << QStringLiteral("host:65536") << QString() << true;
        QTest::newRow("port not a number") << QStringLiteral("host:ftp") << QString() << true;
        QTest::newRow("colon without port") << QStringLiteral("host:") << QString() << true;
        QTest::newRow("no host") << QStringLiteral(":21") << QString() << true;
        QTest::newRow("a URL") << QStringLiteral("ftp://host/") << QString() << true;
        QTest::newRow("blank inside") << QStringLiteral("my host") << QString() << true;
        QTest::newRow("open bracket") << QStringLiteral("[::1:21") << QString() << true;
    }
    void serverAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, refused);
        QString error;
        QCOMPARE(CheckServerAddress(typed, &error), kept);
        QCOMPARE(!error.isEmpty(), refused);
    }

    // Against a real FTP server on loopback with the update server's account.
    void fetchFromARealServer_data()
    {
        QTest::addColumn<int>("dropAfter");
        QTest::addColumn<bool>("fetched");
        QTest::newRow("whole transfer") << -1 << true;
        QTest::newRow("server drops the transfer mid-way") << 300 << false;
    }
    void fetchFromARealServer()
    {
        QFETCH(int, dropAfter);
        QFETCH(bool, fetched);
        LoopbackFtpServer::Options o;
        o.user = QStringLiteral("orvanta");
        o.password = QStringLiteral("Qm#tw27v84");
        o.dropAfter = dropAfter;
        LoopbackFtpServer server(o);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        const QByteArray today = SpotFixture().bytes();
        server.putFile(QStringLiteral("Spot prices"), today);

        StartupFixture t;
        t.s.UpdateServerHost = server.host();
        SpotFixture earlier;
        earlier.day = 44000;
        WriteFile(t.spotPath(), earlier.bytes());

        LoadForexAndSpotPrices(t.s);

        QCOMPARE(ReadFile(t.spotPath()), fetched ? today : earlier.bytes());
        QCOMPARE(t.s.MetalValuesDate, fetched ? 45000 : 44000);
        // The loopback server offers no TLS, and the log says so.
        QCOMPARE(LogLinesWithoutTime().value(0), QStringLiteral("Pull Spot file <Without TLS> <Done>"));
        QVERIFY(!QFile::exists(t.spotPath() + QStringLiteral(".part")));
    }

    void unreachableServer_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("logged");
        QTest::newRow("no server set") << QString() << QStringLiteral("Pull Spot file <No update server>");
        QTest::newRow("nothing listens") << QStringLiteral("127.0.0.1:1") << QStringLiteral("Pull Spot file <Failed>");
    }
    void unreachableServer()
    {
        QFETCH(QString, host);
        QFETCH(QString, logged);
        StartupFixture t;
        t.s.UpdateServerHost = host;
        LoadForexAndSpotPrices(t.s);
        QCOMPARE(LogLinesWithoutTime(), QStringList{logged});
        QCOMPARE(t.s.MetalValues, (std::array<Money, 4>{111, 222, 333, 444}));
    }
};

QTEST_GUILESS_MAIN(tst_SpotPrices)
#include "tst_spotprices.moc"
