#include <QtTest>

#include "core/model/dates.h"
#include "core/program/log.h"
#include "core/files/valuestream.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/pricelists/pricelist.h"
#include "support/pricefixtures.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"

namespace {

const int FileDate = DateToDay(QDate(2020, 6, 1));

// A Prices and an Other folder in a temporary directory, a state pointing
// at them, and the status line captured.
struct tDisk {
    QTemporaryDir dir;
    tMainState s;
    QStringList status;
    int rendered = 0;
    RecordingSettings settings;

    tDisk()
    {
        QDir(dir.path()).mkpath("Prices");
        QDir(dir.path()).mkpath("Other");
        s.PricesRedirect = dir.path() + "/Prices/";
        s.OtherRedirect = dir.path() + "/Other/";
        QObject::connect(s.Events.get(), &tStateEvents::SetStatusText, [this](const QString &t) { status << t; });
        QObject::connect(s.Events.get(), &tStateEvents::RenderTree, [this] { ++rendered; });
    }
    void Put(const QString &name, const QByteArray &data)
    {
        QFile f(s.PricesRedirect + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray Get(const QString &name) const
    {
        QFile f(s.PricesRedirect + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int Count(int country) const
    {
        return int(std::count_if(s.PriceList.begin(), s.PriceList.end(),
                                 [&](const auto &p) { return p->CoinType / 1000 == country; }));
    }
};

QByteArray PriceFileOf(int version, int currency, int country, const std::vector<int32_t> &types, int date = FileDate)
{
    std::vector<tPriceInfo> entries;
    for (int32_t t : types)
        entries.push_back(SamplePriceEntry(t, 1900 + static_cast<int>(entries.size())));
    return WriteOldPriceFile(version, currency, country, date, entries);
}

// United States (352: 352001, 352002), Germany (block 160 with member 161:
// 160001, 161001), User (1000: 5000123).
void AddCountries(tMainState &s)
{
    AddFixtureCountry(s, 352, "United States", {352001, 352002});
    tnodeinfo *germany = AddFixtureCountry(s, 160, "Germany", {160001});
    AddChildNode(germany, 161001)->NodeName = "Member series";
    AddChildNode(germany, 481005)->NodeName = "Other member series";
    AddFixtureCountry(s, 1000, "User", {5000123, 1000500});
}

} // namespace

class tst_PriceFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup()
    {
        LogMode = false;
        LogList.clear();
    }

    void readsEveryVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1: 2007 banner, no version") << 1;
        for (int v = 2; v <= 11; ++v)
            QTest::newRow(qPrintable(QString("version %1").arg(v))) << v;
        QTest::newRow("12 reads as 11") << 12;
    }
    void readsEveryVersion()
    {
        QFETCH(int, version);
        tPriceInfo a = SamplePriceEntry(352001, 1921);
        a.Value[3] = 123400;  // stored as 1234 cents before version 8
        const tPriceFile f = ReadPriceFile(WriteOldPriceFile(version, 7, 352, FileDate, {a, a}));
        const int v = std::min(version, 11);
        QCOMPARE(f.Header.Version, v);
        QCOMPARE(f.Header.Currency, v < 6 ? 0 : 7);
        QCOMPARE(f.Header.Count, 2);
        QCOMPARE(f.Header.Country, 352);
        QCOMPARE(f.Header.Date, v >= 10 ? FileDate : -1);
        QCOMPARE(f.Entries.size(), size_t(2));
        const tPriceInfo &e = *f.Entries[1];
        QCOMPARE(e.CoinType, a.CoinType);
        QCOMPARE(e.Year, a.Year);
        QCOMPARE(e.Mint, a.Mint);
        QCOMPARE(e.Mintage, a.Mintage);
        QCOMPARE(e.ProofMintage, a.ProofMintage);
        QCOMPARE(e.Included, a.Included);
        QCOMPARE(e.ProofIncluded, a.ProofIncluded);
        QCOMPARE(e.Variety, a.Variety);
        QCOMPARE(e.GM, a.GM);
        QCOMPARE(e.Catalog, v >= 2 ? a.Catalog : QString());
        QCOMPARE(e.Metal, a.Metal);
        QCOMPARE(e.Content, a.Content);
        QCOMPARE(e.Weight, v >= 3 ? a.Weight : 0.0f);
        for (int slot = 0; slot < GradeSlots; ++slot) {
            const bool missing = v < 6 && QList<int>{0, 1, 2, 4, 6, 10, 12}.contains(slot);
            QCOMPARE(e.Value[size_t(slot)], missing ? -5 * MoneyScale : a.Value[size_t(slot)]);
        }
        QCOMPARE(e.Value[3], Money(123400));
        QCOMPARE(e.DateBits, v < 11 ? DateBitRunEnd : DateBitRunEnd | DateBitCirca);
        QVERIFY(!e.Folder);
    }

    void writerRoundTrip()
    {
        tPriceInfo a = SamplePriceEntry(352001, 1921);
        a.Mint = "\u00d8";
        a.Catalog = QString(300, 'K');
        a.Mintage = INT32_MIN;
        a.Value[40] = INT64_MAX;
        a.Value[0] = -23 * MoneyScale;
        a.Content = 214748.34f;
        a.Weight = 0.0001f;
        a.DateBits = DateBitCirca | DateBitNoRange;
        tPriceInfo noYear = SamplePriceEntry(352002, 0);
        std::vector<tPriceInfo *> entries{&a, &noYear};
        const QByteArray bytes = WritePriceFile(4, 352, FileDate, entries);

        // An entry without a year loses its circa bit, on disk and in memory.
        QCOMPARE(noYear.DateBits, DateBitRunEnd);
        const tPriceFile f = ReadPriceFile(bytes);
        QCOMPARE(f.Header.Version, PriceFileVersion);
        QCOMPARE(f.Header.Banner, PriceFileBanner());
        QVERIFY(!f.Header.Banner.contains("2007"));
        QCOMPARE(f.Header.Currency, 4);
        QCOMPARE(f.Header.Country, 352);
        QCOMPARE(f.Header.Date, FileDate);
        QCOMPARE(f.Entries.size(), size_t(2));
        for (size_t i = 0; i < 2; ++i) {
            const tPriceInfo &w = *entries[i];
            const tPriceInfo &r = *f.Entries[i];
            QCOMPARE(r.CoinType, w.CoinType);
            QCOMPARE(r.Year, w.Year);
            QCOMPARE(r.Mint, w.Mint);
            QCOMPARE(r.Mintage, w.Mintage);
            QCOMPARE(r.ProofMintage, w.ProofMintage);
            QCOMPARE(r.Included, w.Included);
            QCOMPARE(r.Variety, w.Variety);
            QCOMPARE(r.GM, w.GM);
            QCOMPARE(r.Catalog, w.Catalog);
            QCOMPARE(r.Metal, w.Metal);
            QCOMPARE(r.Content, w.Content);
            QCOMPARE(r.Weight, w.Weight);
            QCOMPARE(r.Value, w.Value);
            QCOMPARE(r.DateBits, w.DateBits);
        }
    }

    void writerRefusesMeasuresThatDoNotFit_data()
    {
        QTest::addColumn<float>("content");
        QTest::addColumn<float>("weight");
        QTest::newRow("content") << 300000.0f << 1.0f;
        QTest::newRow("negative weight") << 1.0f << -214749.0f;
        QTest::newRow("weight not a number") << 1.0f << std::numeric_limits<float>::quiet_NaN();
    }
    void writerRefusesMeasuresThatDoNotFit()
    {
        QFETCH(float, content);
        QFETCH(float, weight);
        tPriceInfo a = SamplePriceEntry(352001, 1921);
        a.Content = content;
        a.Weight = weight;
        QVERIFY_THROWS_EXCEPTION(PriceFileError, WritePriceFile(0, 352, FileDate, {&a}));
    }

    void damagedFilesAreRefusedWhole_data()
    {
        const QByteArray good = PriceFileOf(11, 0, 352, {352001, 352002});
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("cut in the header") << good.left(20);
        QTest::newRow("cut in the second record") << good.left(good.size() - 100);
        QTest::newRow("no end marker") << good.left(good.size() - 1);
        // Version 11, currency 0, then the record count 2 made into 3.
        QTest::newRow("fewer records than counted")
            << QByteArray(good).replace(QByteArray::fromHex("020b0200020203"), QByteArray::fromHex("020b0200020303"));
        ValueWriter v0;
        v0.WriteListBegin();
        v0.WriteString("banner");
        v0.WriteInteger(0);
        v0.WriteInteger(0);
        QTest::newRow("version 0") << v0.Data();
        ValueWriter text;
        text.WriteListBegin();
        text.WriteString("banner");
        for (int v : {11, 0, 1, 352, FileDate})
            text.WriteInteger(v);
        text.WriteString("352001");
        QTest::newRow("text where a number belongs") << text.Data();
    }
    void damagedFilesAreRefusedWhole()
    {
        QFETCH(QByteArray, data);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReadPriceFile(data));
    }

    void loadsTheCountriesOfTheTree()
    {
        tDisk d;
        AddCountries(d.s);
        AddFixtureCountry(d.s, 2, "Canada", {2001});
        // Countries 1, 133 and 298 never read a price list, even with a file.
        for (auto [country, name] : {std::pair{1, "Country One"}, {133, "Country 133"}, {298, "Country 298"}}) {
            tnodeinfo *n = AddFixtureCountry(d.s, country, name, {});
            n->Country = country;
            d.Put(QString(name) + ".OVP", PriceFileOf(11, 0, country, {country * 1000 + 1}));
        }
        d.Put("United States.OVP", PriceFileOf(11, 5, 352, {352001, 352002}));
        d.Put("GERMANY.ovp", PriceFileOf(9, 3, 160, {160001, 161001, 481005}));
        d.Put("User.OVP", PriceFileOf(11, 0, 1000, {5000123}));
        RecordingClipboard clipboard;  // the log records only with a clipboard to copy to
        LogMode = true;  // leaves the User list out

        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(352), 2);
        QCOMPARE(d.Count(160) + d.Count(161) + d.Count(481), 3);
        QCOMPARE(d.Count(5000), 0);
        QCOMPARE(int(d.s.PriceList.size()), 5);
        for (const auto &p : d.s.PriceList)
            QCOMPARE(p->Folder ? p->Folder->CoinType : 0, p->CoinType);
        QCOMPARE(d.s.PriceListForexLinks[352], 5);
        QCOMPARE(d.s.PriceListForexLinks[160], 3);
        QVERIFY(LogLinesWithoutTime().contains(">>>>> Load Prices Section <<<<<"));
        QVERIFY(LogLinesWithoutTime().contains("Checking prices for United States... <Done>"));
        QVERIFY(LogLinesWithoutTime().contains("Price file " + d.s.PricesRedirect + "User.OVP not found."));
        QVERIFY(LogLinesWithoutTime().contains("Price file " + d.s.PricesRedirect + "Canada.OVP not found."));
        QCOMPARE(d.status.last(), QString());
        QVERIFY(!d.s.PricesModified);

        // A second load reads nothing again; outside log mode the User list
        // is read as well.
        LoadPricesFromFile(d.s);
        QCOMPARE(int(d.s.PriceList.size()), 5);
        LogMode = false;
        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(5000), 1);
        QCOMPARE(int(d.s.PriceList.size()), 6);
    }

    // The User list left out in log mode is not in memory, so a save of a
    // user price entry made in that run must not replace the file.
    void userListLeftOutInLogModeIsNeverOverwritten()
    {
        tDisk d;
        AddCountries(d.s);
        const QByteArray user = PriceFileOf(11, 0, 1000, {5000123, 1000500});
        d.Put("User.OVP", user);
        RecordingClipboard clipboard;
        LogMode = true;
        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(5000) + d.Count(1000), 0);

        d.s.PriceList.push_back(std::make_unique<tPriceInfo>(SamplePriceEntry(5000123, 2001)));
        d.s.PricesModifiedArray[1000] = true;
        d.s.PricesModified = true;
        SavePricesToFile(d.s);
        QCOMPARE(d.Get("User.OVP"), user);
        QVERIFY(d.s.PricesModifiedArray[1000]);
    }

    void priceDatesFromIniAndFiles()
    {
        tDisk d;
        AddCountries(d.s);
        AddFixtureCountry(d.s, 2, "Canada", {2001});
        QFile ini(d.s.OtherRedirect + "pricedates.INI");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Price Dates]\nUnited States=1/2/2020\nGermany=3/4/2021\nCanada=soon\n");
        ini.close();
        LoadPriceDates(d.s);
        QCOMPARE(d.s.PricesDatesArray[352], DateToDay(QDate(2020, 1, 2)));
        QCOMPARE(d.s.PricesDatesArray[160], DateToDay(QDate(2021, 3, 4)));
        QCOMPARE(d.s.PricesDatesArray[2], -1);
        QCOMPARE(d.s.PricesDatesArray[999], -1);

        // A version-10 file's date wins; a version-9 file has none to give.
        d.Put("United States.OVP", PriceFileOf(10, 0, 352, {352001, 352002}));
        d.Put("Germany.OVP", PriceFileOf(9, 0, 160, {160001, 160002}));
        LoadPricesFromFile(d.s);
        QCOMPARE(d.s.PricesDatesArray[352], FileDate);
        QCOMPARE(d.s.PricesDatesArray[160], DateToDay(QDate(2021, 3, 4)));
    }

    void damagedFileIsSkippedAndNeverOverwritten()
    {
        tDisk d;
        AddCountries(d.s);
        const QByteArray damaged = PriceFileOf(11, 0, 352, {352001, 352002, 352001}).chopped(150);
        d.Put("United States.OVP", damaged);
        d.Put("Germany.OVP", PriceFileOf(9, 0, 160, {160001, 161001}));
        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(352), 0);
        QCOMPARE(d.Count(160) + d.Count(161), 2);
        QVERIFY(d.s.PricesDamagedArray[352]);
        QVERIFY(d.status.last().contains("United States"));

        // The user adds an entry to the damaged country and edits Germany.
        auto e = std::make_unique<tPriceInfo>(SamplePriceEntry(352001, 2000));
        d.s.PriceList.push_back(std::move(e));
        d.s.PricesModifiedArray[352] = d.s.PricesModifiedArray[160] = true;
        d.s.PricesModified = true;
        SavePricesToFile(d.s);
        QCOMPARE(d.Get("United States.OVP"), damaged);
        QCOMPARE(ReadPriceFile(d.Get("Germany.OVP")).Header.Version, PriceFileVersion);
        QVERIFY(d.s.PricesModifiedArray[352]);  // the edit is still unsaved, and says so
        QVERIFY(!d.s.PricesModifiedArray[160]);
        QVERIFY(d.s.PricesModified);
        QVERIFY(d.status.last().contains("United States"));
    }

    void savesABlockIntoItsRootFile()
    {
        tDisk d;
        AddCountries(d.s);
        d.Put("GERMANY.ovp", PriceFileOf(9, 3, 160, {161001, 160001, 481005}));
        const QByteArray us = PriceFileOf(11, 0, 352, {352001, 352002});
        d.Put("United States.OVP", us);
        d.Put("User.OVP", PriceFileOf(11, 0, 1000, {5000123}));
        LoadPricesFromFile(d.s);
        // Circa without a year is dropped on save.
        d.s.PriceList[0]->Year = 0;
        d.s.PriceList[0]->DateBits |= DateBitCirca;
        // The user's own series: every number from 1,000,000 on is theirs.
        auto mine = std::make_unique<tPriceInfo>(SamplePriceEntry(1000500, 1999));
        d.s.PriceList.push_back(std::move(mine));
        d.s.PricesModifiedArray[160] = d.s.PricesModifiedArray[1000] = true;
        d.s.PricesModified = true;
        SavePricesToFile(d.s);

        QCOMPARE(QDir(d.s.PricesRedirect).entryList(QDir::Files).size(), 3);  // GERMANY.ovp replaced in place
        const tPriceFile g = ReadPriceFile(d.Get("GERMANY.ovp"));
        QCOMPARE(g.Header.Country, 160);
        QCOMPARE(g.Header.Currency, 3);
        QCOMPARE(g.Header.Date, TodayDay());
        QList<int> types;
        for (const auto &e : g.Entries)
            types << e->CoinType;
        QCOMPARE(types, (QList<int>{161001, 160001, 481005}));
        QCOMPARE(g.Entries[0]->Year, 0);
        QCOMPARE(g.Entries[0]->DateBits & DateBitCirca, 0);
        QCOMPARE(d.s.PriceList[0]->DateBits & DateBitCirca, 0);
        QCOMPARE(ReadPriceFile(d.Get("User.OVP")).Entries.size(), size_t(2));
        QCOMPARE(d.Get("United States.OVP"), us);  // not modified, not written
        QVERIFY(!d.s.PricesModified);
        QVERIFY(!d.s.PricesModifiedArray[160]);
        QCOMPARE(d.rendered, 1);
        QCOMPARE(d.settings.Writes.count(QStringLiteral("Currency Index")), 1);
    }

    void deletedEntriesDoNotComeBack()
    {
        tDisk d;
        AddCountries(d.s);
        d.Put("United States.OVP", PriceFileOf(11, 0, 352, {352001, 352002}));
        LoadPricesFromFile(d.s);
        QCOMPARE(RemovePriceEntries(d.s, [](const tPriceInfo &p) { return p.CoinType / 1000 == 352; }), 2);
        d.s.PricesModifiedArray[352] = true;
        d.s.PricesModified = true;
        SavePricesToFile(d.s);
        const tPriceFile f = ReadPriceFile(d.Get("United States.OVP"));
        QCOMPARE(f.Header.Country, 352);
        QCOMPARE(f.Entries.size(), size_t(0));
        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(352), 0);
    }

    void unsavedEditsSurviveALoadOfOtherCountries()
    {
        tDisk d;
        AddCountries(d.s);
        d.Put("United States.OVP", PriceFileOf(11, 0, 352, {352001, 352002}));
        LoadPricesFromFile(d.s);
        d.s.PricesModifiedArray[352] = true;
        AddFixtureCountry(d.s, 2, "Canada", {2001});
        d.Put("Canada.OVP", PriceFileOf(11, 0, 2, {2001}));
        LoadPricesFromFile(d.s);
        QCOMPARE(d.Count(2), 1);
        QVERIFY(d.s.PricesModifiedArray[352]);
        QVERIFY(d.s.PricesModified);
    }

    void refusedSaveLeavesFileAndMarks()
    {
        tDisk d;
        AddCountries(d.s);
        const QByteArray us = PriceFileOf(11, 0, 352, {352001, 352002});
        d.Put("United States.OVP", us);
        LoadPricesFromFile(d.s);
        d.s.PriceList[1]->Content = 1e6f;
        d.s.PricesModifiedArray[352] = true;
        d.s.PricesModified = true;
        QVERIFY_THROWS_EXCEPTION(PriceFileError, SavePricesToFile(d.s));
        QCOMPARE(d.Get("United States.OVP"), us);
        QVERIFY(d.s.PricesModifiedArray[352]);
        QVERIFY(d.s.PricesModified);
        QCOMPARE(d.status.last(), QString());
    }

    void saveCommands_data()
    {
        QTest::addColumn<bool>("saveAll");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("converted");
        QTest::addColumn<bool>("written");
        QTest::newRow("all changes, only converted") << true << false << true << false;
        QTest::newRow("all changes, modified") << true << true << false << true;
        QTest::newRow("price list changes, only converted") << false << false << true << true;
        QTest::newRow("price list changes, nothing changed") << false << false << false << false;
    }
    void saveCommands()
    {
        QFETCH(bool, saveAll);
        QFETCH(bool, modified);
        QFETCH(bool, converted);
        QFETCH(bool, written);
        tDisk d;
        AddCountries(d.s);
        d.Put("United States.OVP", PriceFileOf(9, 0, 352, {352001, 352002}));
        LoadPricesFromFile(d.s);
        d.s.PricesModified = d.s.PricesModifiedArray[352] = modified;
        d.s.PricesConverted = d.s.PricesConvertedArray[352] = converted;
        QStringList steps;
        if (saveAll)
            SaveAllChanges1Click(d.s, {[&] { steps << "ebooks"; }, [&] { steps << "collection"; }});
        else
            SavePriceData1Click(d.s);
        QCOMPARE(ReadPriceFile(d.Get("United States.OVP")).Header.Version, written ? 11 : 9);
        QCOMPARE(steps, saveAll ? QStringList({"ebooks", "collection"}) : QStringList());
    }

    void maintainerBuildsPriceDates()
    {
        tDisk d;
        qputenv("ORVANTA_HOME", d.dir.path().toUtf8());
        AddCountries(d.s);
        d.s.MaintainerMode = true;
        d.s.PricesDatesArray[160] = 777;
        d.Put("united states.ovp", PriceFileOf(11, 0, 352, {352001}, 44000));
        d.Put("Germany.OVP", PriceFileOf(9, 0, 160, {160001}));
        bool stepRan = false;
        SaveAllChanges1Click(d.s, {[&] { stepRan = true; }, [&] { stepRan = true; }});
        QVERIFY(!stepRan);
        for (const QString &path : {d.dir.path() + "/.local/share/Orvanta/Other/PriceDates.Dat",
                                    d.s.PricesRedirect + "PriceDates.Dat"}) {
            QFile f(path);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
            const QByteArray b = f.readAll();
            QCOMPARE(b.size(), 4004);
            auto at = [&](int i) { return qFromLittleEndian<qint32>(b.constData() + 4 * i); };
            QCOMPARE(at(352), 44000);
            QCOMPARE(at(160), 777);  // a version-9 file holds no date
            QCOMPARE(at(0), -1);
            QCOMPARE(at(1000), -1);
        }
        qunsetenv("ORVANTA_HOME");
    }
};

QTEST_APPLESS_MAIN(tst_PriceFile)
#include "tst_pricefile.moc"
