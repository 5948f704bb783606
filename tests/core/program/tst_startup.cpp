#include <QtTest>

#include <map>

#include "core/model/gradetitles.h"
#include "core/program/log.h"
#include "core/model/mainstate.h"
#include "core/program/startup.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"

namespace {

void WriteFile(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void MakeReadOnly(const QString &path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;
    QString Home(const QString &rel = {}) const { return home_.path() + QLatin1Char('/') + rel; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(home_.isValid());
        qputenv("ORVANTA_HOME", home_.path().toUtf8());
        LogMode = false;
        LogList.clear();
    }
    void cleanup()
    {
        QDir(home_.path()).removeRecursively();
        QDir().mkpath(home_.path());
    }

    void foldersDefaultUnderTheUsersFolders()
    {
        tMainState s;
        LoadRedirections(s, QStringLiteral("/usr/bin/orvanta"));
        const QString common = Home(QStringLiteral(".local/share/Orvanta/"));
        QCOMPARE(s.BaseRedirect, Home(QStringLiteral("Documents/Orvanta/")));
        QCOMPARE(s.FolderImagesRedirect, common + QStringLiteral("Folder Images/"));
        QCOMPARE(s.EbooksRedirect, s.BaseRedirect + QStringLiteral("eBooks/"));
        QCOMPARE(s.PricesRedirect, s.BaseRedirect + QStringLiteral("Prices/"));
        QCOMPARE(s.CountriesRedirect, common + QStringLiteral("Countries/"));
        QCOMPARE(s.BackupsRedirect, s.BaseRedirect + QStringLiteral("Backups/"));
        QCOMPARE(s.ReportsRedirect, s.BaseRedirect + QStringLiteral("Reports/"));
        QCOMPARE(s.OtherRedirect, common + QStringLiteral("Other/"));
        QCOMPARE(s.downloadsRedirect, Home(QStringLiteral("Downloads/")));
        QVERIFY(s.SearchDriveRedirect.startsWith(QLatin1Char('/')));
        QVERIFY(s.SearchDriveRedirect.endsWith(QLatin1Char('/')));
        // Only the Documents folder is made at start.
        QVERIFY(QFileInfo(s.BaseRedirect).isDir());
        QVERIFY(!QFileInfo::exists(s.PricesRedirect));
        QVERIFY(!QFileInfo::exists(s.OtherRedirect));
        QVERIFY(LogList.isEmpty());  // nothing is kept outside log mode
    }

    void redirectIniOverridesFolders_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("iniValue");
        QTest::addColumn<QString>("expected");  // empty: the default stays
        QTest::newRow("three trailing backslashes") << "Prices" << "/data/My Prices\\\\\\" << "/data/My Prices/";
        QTest::newRow("windows path") << "Prices" << "D:\\Coins\\Prices\\" << "D:/Coins/Prices/";
        QTest::newRow("blanks and a slash around") << "Ebooks" << "  /srv/books/  " << "/srv/books/";
        QTest::newRow("no sub-folder is added") << "Folder Images" << "/pics" << "/pics/";
        QTest::newRow("blank value keeps default") << "Backups" << "   " << "";
        QTest::newRow("separators only keep default") << "Reports" << "\\\\" << "";
        QTest::newRow("downloads") << "Downloads" << "/tmp/dl" << "/tmp/dl/";
        QTest::newRow("countries") << "Countries" << "/opt/countries" << "/opt/countries/";
    }
    void redirectIniOverridesFolders()
    {
        QFETCH(QString, key);
        QFETCH(QString, iniValue);
        QFETCH(QString, expected);
        tMainState defaults;
        LoadRedirections(defaults, {});
        WriteFile(defaults.OtherRedirect + QStringLiteral("Redirect.ini"),
                  ("[Directories]\r\n" + key + "=" + iniValue + "\r\n").toUtf8());

        tMainState s;
        LoadRedirections(s, {});
        const std::map<QString, QString tMainState::*> fields{
            {QStringLiteral("Prices"), &tMainState::PricesRedirect},
            {QStringLiteral("Ebooks"), &tMainState::EbooksRedirect},
            {QStringLiteral("Folder Images"), &tMainState::FolderImagesRedirect},
            {QStringLiteral("Backups"), &tMainState::BackupsRedirect},
            {QStringLiteral("Reports"), &tMainState::ReportsRedirect},
            {QStringLiteral("Downloads"), &tMainState::downloadsRedirect},
            {QStringLiteral("Countries"), &tMainState::CountriesRedirect}};
        for (const auto &[name, field] : fields) {
            const QString want = name == key && !expected.isEmpty() ? expected : defaults.*field;
            QCOMPARE(s.*field, want);
        }
    }

    void redirectEntryLogsWhatItApplies()
    {
        RecordingClipboard clipboard;  // the log records only with a clipboard to copy to
        LogMode = true;
        QCOMPARE(RedirectEntry(QStringLiteral("Prices"), QStringLiteral("/a/b//"), QStringLiteral("/d/")),
                 QStringLiteral("/a/b/"));
        QCOMPARE(RedirectEntry(QStringLiteral("eBooks"), QString(), QStringLiteral("/d/")), QStringLiteral("/d/"));
        QCOMPARE(LogLinesWithoutTime(), QStringList{QStringLiteral("Prices redirected to /a/b/")});
    }

    void countFilesWalksTheWholeTree()
    {
        const QString root = Home(QStringLiteral("count/"));
        WriteFile(root + QStringLiteral("a.ovd"));
        WriteFile(root + QStringLiteral(".hidden"));
        WriteFile(root + QStringLiteral("sub/deeper/b.jpg"));
        WriteFile(root + QStringLiteral("sub/locked.txt"));
        MakeReadOnly(root + QStringLiteral("sub/locked.txt"));
        QDir().mkpath(root + QStringLiteral("empty"));
        // A link back to the top must not make the walk endless.
        QVERIFY(QFile::link(root, root + QStringLiteral("sub/loop")));

        const tFileCount c = CountFiles(root);
        QCOMPARE(c.Files, 5);  // four files and the link
        QCOMPARE(c.ReadOnly, 1);
        QCOMPARE(CountFiles(Home(QStringLiteral("missing/"))).Files, 0);
    }

    void testDirectoryReportsEachFolder()
    {
        const QString ok = Home(QStringLiteral("ok/"));
        WriteFile(ok + QStringLiteral("one.txt"));
        WriteFile(ok + QStringLiteral("two.txt"));
        MakeReadOnly(ok + QStringLiteral("two.txt"));

        RecordingClipboard clipboard;
        TestDirectory(QStringLiteral("Prices"), ok);
        QVERIFY(LogList.isEmpty());  // only in log mode

        LogMode = true;
        TestDirectory(QStringLiteral("Prices"), ok);
        TestDirectory(QStringLiteral("Other"), Home(QStringLiteral("absent/")));
        QCOMPARE(LogLinesWithoutTime(), (QStringList{QStringLiteral("Prices R/W test: Success (1 of 2 files are read-only)"),
                                       QStringLiteral("Other R/W test: Failed (0 of 0 files are read-only)")}));
        QVERIFY(!QFileInfo::exists(ok + QStringLiteral("RW test")));
    }

    void commandLineNamesACollection_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no argument") << QStringList{} << "";
        QTest::newRow("upper-case extension") << QStringList{"/home/a/My Coins.OVD"} << "/home/a/My Coins.OVD";
        QTest::newRow("lower-case extension") << QStringList{"/home/a/My Coins.ovd"} << "";
        QTest::newRow("mixed case") << QStringList{"coins.Ovd"} << "";
        QTest::newRow("other extension") << QStringList{"coins.OVDX"} << "";
        QTest::newRow("no extension") << QStringList{"OVD"} << "";
        QTest::newRow("dot in the folder only") << QStringList{"/a/b.OVD/coins"} << "";
        QTest::newRow("only the first argument counts") << QStringList{"notes.txt", "coins.OVD"} << "";
    }
    void commandLineNamesACollection()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(CommandLineCollection(arguments), expected);
    }

    void activeCurrencyFallsBackToDollars_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        const QStringList codes{"EUR", "GBP", "USD", "-", ""};
        QTest::newRow("missing (-1)") << codes << -1 << 2;
        QTest::newRow("past the end") << codes << 5 << 2;
        QTest::newRow("last valid") << codes << 4 << 4;
        QTest::newRow("in range") << codes << 1 << 1;
        QTest::newRow("no dollar listed") << QStringList{"EUR"} << 7 << 0;
        QTest::newRow("empty table") << QStringList{} << 3 << 0;
    }
    void activeCurrencyFallsBackToDollars()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, stored);
        QFETCH(int, expected);
        tMainState s;
        for (const QString &code : codes) {
            auto f = std::make_unique<tForex>();
            f->Code = code;
            s.ForexList.push_back(std::move(f));
        }
        s.ActiveForexIndex = stored;
        CheckActiveForexIndex(s);
        QCOMPARE(s.ActiveForexIndex, expected);
    }

    void builtInGradeTitles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("title");
        QTest::newRow("coins: no grade") << 0 << 0 << -1 << "";
        QTest::newRow("coins: first") << 0 << 0 << 0 << "PO-1";
        QTest::newRow("coins: last circulated") << 0 << 0 << 18 << "AU-58";
        QTest::newRow("coins: first mint state") << 0 << 0 << 19 << "MS-60";
        QTest::newRow("coins: last mint state") << 0 << 0 << 29 << "MS-70";
        QTest::newRow("coins: first proof") << 0 << 0 << 30 << "PF-60";
        QTest::newRow("coins: last proof") << 0 << 0 << 40 << "PF-70";
        QTest::newRow("notes: first") << 1 << 0 << 0 << "Poor1";
        QTest::newRow("notes: uncirculated run") << 1 << 0 << 22 << "CN-63";
        QTest::newRow("notes: last") << 1 << 0 << 29 << "PN-70";
        QTest::newRow("notes: past the scale") << 1 << 0 << 30 << "";
        QTest::newRow("decimal: grade 0") << 0 << 4 << 0 << "NGCX 1";
        QTest::newRow("decimal: grade 1 empty") << 0 << 4 << 1 << "";
        QTest::newRow("decimal: grade 2") << 0 << 4 << 2 << "NGCX 1.5";
        QTest::newRow("decimal: MS9") << 0 << 4 << 19 << "NGCX MS9";
        QTest::newRow("decimal: MS9.1") << 0 << 4 << 20 << "NGCX MS9.1";
        QTest::newRow("decimal: MS10") << 0 << 4 << 29 << "NGCX MS10";
        QTest::newRow("decimal: PF9") << 0 << 4 << 30 << "NGCX PF9";
        QTest::newRow("decimal: PF9.9") << 0 << 4 << 39 << "NGCX PF9.9";
        QTest::newRow("decimal: PF10") << 0 << 4 << 40 << "NGCX PF10";
        QTest::newRow("user scale empty") << 0 << 2 << 10 << "";
        QTest::newRow("paper decimal scale empty") << 1 << 4 << 0 << "";
        QTest::newRow("out of range") << 0 << 5 << 0 << "";
    }
    void builtInGradeTitles()
    {
        QFETCH(int, kind);
        QFETCH(int, scale);
        QFETCH(int, grade);
        QFETCH(QString, title);
        tGradeTitles t;
        t.SetTitle(0, 2, 10, QStringLiteral("left over"));
        FillBuiltInGradeTitles(t);
        QCOMPARE(t.Title(kind, scale, grade), title);
    }

    void gradeTitlesFitTheirSlots()
    {
        tGradeTitles t;
        FillBuiltInGradeTitles(t);
        for (int kind = 0; kind < GradeKinds; ++kind)
            for (int scale = 0; scale < GradeScales; ++scale)
                for (int grade = -1; grade <= 40; ++grade)
                    QVERIFY(t.Title(kind, scale, grade).size() <= MaxGradeTitleLength);
        t.SetTitle(1, 3, 5, QStringLiteral("Extremely long"));
        QCOMPARE(t.Title(1, 3, 5), QStringLiteral("Extremely "));
    }
};

QTEST_APPLESS_MAIN(tst_Startup)
#include "tst_startup.moc"
