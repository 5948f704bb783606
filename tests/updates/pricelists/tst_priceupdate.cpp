#include <QtTest>

#include <zip.h>

#include "core/model/dates.h"
#include "platform/ini.h"
#include "support/downloadfixtures.h"
#include "updates/pricelists/priceupdate.h"

namespace {

struct ZipEntry {
    QString name;
    QByteArray bytes;
    int method = -1;
};

// Reads an archive back with libzip, entries in stored order.
std::vector<ZipEntry> ReadZip(const QString &path)
{
    std::vector<ZipEntry> out;
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z)
        return out;
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
        ZipEntry e;
        e.name = QString::fromUtf8(st.name);
        e.method = st.comp_method;
        e.bytes.resize(static_cast<qsizetype>(st.size));
        zip_file_t *f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        zip_fread(f, e.bytes.data(), st.size);
        zip_fclose(f);
        out.push_back(e);
    }
    zip_close(z);
    return out;
}

QByteArray EntryBytes(const std::vector<ZipEntry> &entries, const QString &name)
{
    for (const ZipEntry &e : entries)
        if (e.name == name)
            return e.bytes;
    return "<missing>";
}

tCountryInfo Country(int id, const QString &name, bool paper = false)
{
    tCountryInfo c;
    c.CountryID = id;
    c.Name = name;
    c.Description = name;
    c.IsPaper = paper;
    c.Path = QStringLiteral("/data/Countries/") + name + QStringLiteral(".OVCD");
    return c;
}

} // namespace

class tst_PriceUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void countryFileNames()
    {
        tCountryInfo c = Country(40, QStringLiteral("St. Helena"));
        c.Path = QStringLiteral("C:\\Orvanta\\Countries\\St. Helena.ovcd");
        QCOMPARE(CountryFileName(c, QStringLiteral(".OVP")), QStringLiteral("St. Helena.OVP"));
        c.Path = QStringLiteral("/x/Countries/Chile.OVCD");
        QCOMPARE(CountryFileName(c, QStringLiteral(".OVCD")), QStringLiteral("Chile.OVCD"));
    }

    void sixBackupsKeepFive()
    {
        QTemporaryDir dir;
        tMainState s;
        s.PricesRedirect = dir.filePath(QStringLiteral("Prices")) + QLatin1Char('/');
        s.BackupsRedirect = dir.filePath(QStringLiteral("Backups")) + QLatin1Char('/');
        WriteFixtureFile(s.PricesRedirect + QStringLiteral("Canada.OVP"), QByteArray(5000, 'c'));
        WriteFixtureFile(s.PricesRedirect + QStringLiteral("User/Mine.OVP"), "mine");
        for (int press = 1; press <= 6; ++press) {
            WriteFixtureFile(s.PricesRedirect + QStringLiteral("press.txt"), QByteArray::number(press));
            BackupPriceFiles(s);
        }
        for (int n = 1; n <= 5; ++n) {
            const auto entries = ReadZip(s.BackupsRedirect + PriceBackupName(n));
            QCOMPARE(EntryBytes(entries, QStringLiteral("press.txt")), QByteArray::number(7 - n));
        }
        QVERIFY(!QFile::exists(s.BackupsRedirect + QStringLiteral("Price Files_6.zip")));
        const auto newest = ReadZip(s.BackupsRedirect + PriceBackupName(1));
        QStringList names;
        for (const ZipEntry &e : newest) {
            names << e.name;
            QCOMPARE(e.method, ZIP_CM_DEFLATE);
        }
        QCOMPARE(names, (QStringList{QStringLiteral("Canada.OVP"), QStringLiteral("User/Mine.OVP"), QStringLiteral("press.txt")}));
        QCOMPARE(EntryBytes(newest, QStringLiteral("Canada.OVP")), QByteArray(5000, 'c'));
    }

    void backupOfAnEmptyFolderAndOfAnUnwritableOne()
    {
        QTemporaryDir dir;
        tMainState s;
        s.PricesRedirect = dir.filePath(QStringLiteral("Prices")) + QLatin1Char('/');
        s.BackupsRedirect = dir.filePath(QStringLiteral("Backups")) + QLatin1Char('/');
        QDir().mkpath(s.PricesRedirect);
        BackupPriceFiles(s);
        QVERIFY(QFile::exists(s.BackupsRedirect + PriceBackupName(1)));
        int err = 0;
        zip_t *z = zip_open(QFile::encodeName(s.BackupsRedirect + PriceBackupName(1)).constData(), ZIP_RDONLY, &err);
        QVERIFY(z);
        QCOMPARE(zip_get_num_entries(z, 0), zip_int64_t(0));
        zip_close(z);

        // A file where the backup folder should be: the backup fails loudly.
        s.BackupsRedirect = dir.filePath(QStringLiteral("blocked")) + QLatin1Char('/');
        WriteFixtureFile(dir.filePath(QStringLiteral("blocked")), "not a folder");
        QVERIFY_THROWS_EXCEPTION(std::exception, BackupPriceFiles(s));
    }

    void plu_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("countries");
        QTest::newRow("three") << QStringLiteral("12,40,301") << QList<int>{12, 40, 301};
        QTest::newRow("empty") << QString() << QList<int>{};
        QTest::newRow("junk items skipped") << QStringLiteral("12,,x, 40 ,3.5") << QList<int>{12, 40};
    }
    void plu()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, countries);
        const std::vector<int> parsed = ParsePLU(text);
        QCOMPARE(QList<int>(parsed.begin(), parsed.end()), countries);
        QCOMPARE(FormatPLU({12, 40, 301}), QStringLiteral("12,40,301"));
        QCOMPARE(FormatPLU({}), QString());
    }

    void selectionButtons_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("paper");
        QTest::addColumn<int>("server");
        QTest::addColumn<int>("local");
        QTest::addColumn<bool>("checked");
        QTest::newRow("all") << int(SelectAllTag) << true << 0 << 0 << true;
        QTest::newRow("coins: a coin country") << int(SelectCoinsTag) << false << 0 << 0 << true;
        QTest::newRow("coins: a paper country") << int(SelectCoinsTag) << true << 0 << 0 << false;
        QTest::newRow("paper: a paper country") << int(SelectPaperTag) << true << 0 << 0 << true;
        QTest::newRow("suggest: server newer") << int(SuggestTag) << false << 45000 << 44000 << true;
        QTest::newRow("suggest: same date") << int(SuggestTag) << false << 45000 << 45000 << false;
        QTest::newRow("suggest: no server dates, no local list") << int(SuggestTag) << false << 0 << -1 << true;
        QTest::newRow("suggest: no server dates, a local list") << int(SuggestTag) << false << 0 << 44000 << false;
        QTest::newRow("none") << int(SelectNoneTag) << false << 45000 << -1 << false;
    }
    void selectionButtons()
    {
        QFETCH(int, tag);
        QFETCH(bool, paper);
        QFETCH(int, server);
        QFETCH(int, local);
        QFETCH(bool, checked);
        QCOMPARE(SelectionChecks(tag, Country(1, QStringLiteral("X"), paper), server, local), checked);
    }

    void rowStatus()
    {
        const int server = DateToDay(QDate(2024, 3, 1));
        tPriceRowStatus st = PriceListStatus(0, -1);
        QVERIFY(!st.Visible);
        QVERIFY(st.Hint.isEmpty());

        st = PriceListStatus(server, server);
        QVERIFY(st.Visible);
        QCOMPARE(st.Text, QStringLiteral("3/1/2024"));
        QCOMPARE(st.Color, QRgb(0xFF000000));
        QVERIFY(st.Hint.isEmpty());

        // No local list: red, and the hint shows -1 as the date it stands for.
        st = PriceListStatus(server, -1);
        QCOMPARE(st.Color, OutdatedColor);
        QCOMPARE(st.Hint, QStringLiteral("Current price list: 12/29/1899   Available price list: 3/1/2024"));
    }

    void priceDatesFile()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        for (int i = 0; i < CountryTableSize; ++i) {
            const qint32 v = i == 0 ? -1 : (i == 1000 ? 0x01020304 : i * 10);
            for (int b = 0; b < 4; ++b)
                bytes.append(static_cast<char>((static_cast<quint32>(v) >> (8 * b)) & 0xFF));
        }
        WriteFixtureFile(dir.filePath(QStringLiteral("PriceDates.Dat")), bytes + "trailing bytes are ignored");
        const tPriceDates dates = ReadPriceDatesFile(dir.filePath(QStringLiteral("PriceDates.Dat")));
        QCOMPARE(dates[0], -1);
        QCOMPARE(dates[12], 120);
        QCOMPARE(dates[1000], 0x01020304);

        WriteFixtureFile(dir.filePath(QStringLiteral("short.Dat")), bytes.left(4000));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReadPriceDatesFile(dir.filePath(QStringLiteral("short.Dat"))));

        // The download reads the fetched file with the same reader.
        tMainState s;
        QCOMPARE(ReadServerPriceDates(s, dir.filePath(QStringLiteral("PriceDates.Dat")))[12], 120);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 ReadServerPriceDates(s, dir.filePath(QStringLiteral("short.Dat"))));
    }

    void recordPriceDate_data()
    {
        QTest::addColumn<int>("countryInFile");
        QTest::addColumn<bool>("stored");
        QTest::newRow("country number of the file") << 12 << true;
        QTest::newRow("country number out of range") << 1001 << false;
    }
    void recordPriceDate()
    {
        QFETCH(int, countryInFile);
        QFETCH(bool, stored);
        QTemporaryDir dir;
        tMainState s;
        s.PricesRedirect = dir.filePath(QStringLiteral("Prices")) + QLatin1Char('/');
        s.OtherRedirect = dir.filePath(QStringLiteral("Other")) + QLatin1Char('/');
        s.PricesDatesArray.fill(-1);
        const int date = DateToDay(QDate(2024, 11, 5));
        // Spelt otherwise than the country's file name: found all the same.
        WriteFixtureFile(s.PricesRedirect + QStringLiteral("CANADA.ovp"), PriceListFixture(countryInFile, date));
        WriteFixtureFile(s.OtherRedirect + QStringLiteral("PriceDates.ini"), "[Price Dates]\nMexico=1/2/2023\nCanada=1/1/2020\n");

        RecordPriceDate(s, Country(12, QStringLiteral("Canada")));
        QCOMPARE(s.PricesDatesArray[12], stored ? date : -1);
        const platform::IniFile ini(s.OtherRedirect + QStringLiteral("PriceDates.ini"));
        QCOMPARE(ini.readString(QStringLiteral("Price Dates"), QStringLiteral("Canada")), QStringLiteral("11/5/2024"));
        QCOMPARE(ini.readString(QStringLiteral("Price Dates"), QStringLiteral("Mexico")), QStringLiteral("1/2/2023"));

        // No file: nothing happens.
        RecordPriceDate(s, Country(13, QStringLiteral("Peru")));
        QVERIFY(!ini.valueExists(QStringLiteral("Price Dates"), QStringLiteral("Peru")));
        QCOMPARE(platform::IniFile(s.OtherRedirect + QStringLiteral("PriceDates.ini")).keys(QStringLiteral("Price Dates")).size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_PriceUpdate)
#include "tst_priceupdate.moc"
