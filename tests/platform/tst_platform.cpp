#include <QtTest>

#include "platform/cp1252.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/zip.h"

using namespace platform;

class tst_Platform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two entries of one name are refused rather than one silently
    // replacing the other, and the archive already there stays.
    void zipNeverReplacesAnEntry()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath(QStringLiteral("b.zip"));
        QFile old(zip);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older");
        old.close();
        const std::vector<ZipEntry> entries{{QStringLiteral("Repository/a.jpg"), "one", {}},
                                            {QStringLiteral("Repository/a.jpg"), "two", {}}};
        QVERIFY_THROWS_EXCEPTION(ZipError, zipEntries(entries, zip));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("older"));
    }

    // Keys are found whatever their case; deleting one keeps the others
    // found by name.
    void iniKeysByName()
    {
        IniFile ini;
        ini.parse(QStringLiteral("[S]\nA=1\nB=2\nC=3\nb=4\n"));
        QCOMPARE(ini.keys(QStringLiteral("s")), (QStringList{"A", "B", "C"}));
        QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("b")), 4);
        ini.deleteKey(QStringLiteral("S"), QStringLiteral("a"));
        QVERIFY(!ini.valueExists(QStringLiteral("S"), QStringLiteral("A")));
        QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("C")), 3);
        ini.writeString(QStringLiteral("S"), QStringLiteral("c"), QStringLiteral("5"));
        QCOMPARE(ini.keys(QStringLiteral("S")), (QStringList{"B", "C"}));
        QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("C")), 5);
    }

    void iniKeepsValuesLiterally()
    {
        IniFile ini;
        ini.parse(QStringLiteral("[Directories]\r\nPrices = C:\\My Coins\\Prices\\ \r\nList=a,b,c\r\n"
                                 "[Other]\nX=1\nx=2\n"));
        QCOMPARE(ini.readString(QStringLiteral("directories"), QStringLiteral("PRICES")),
                 QStringLiteral("C:\\My Coins\\Prices\\"));
        QCOMPARE(ini.readString(QStringLiteral("Directories"), QStringLiteral("List")), QStringLiteral("a,b,c"));
        QCOMPARE(ini.readInteger(QStringLiteral("Other"), QStringLiteral("X")), 2);  // last duplicate wins
        QCOMPARE(ini.readInteger(QStringLiteral("Other"), QStringLiteral("missing"), 7), 7);
        QCOMPARE(ini.readString(QStringLiteral("Nope"), QStringLiteral("X"), QStringLiteral("d")), QStringLiteral("d"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.ini"));
        ini.writeString(QStringLiteral("DIRECTORIES"), QStringLiteral("Ebooks"), QStringLiteral("/x, y\\z"));
        QVERIFY(ini.save(path));
        IniFile back(path);
        QCOMPARE(back.readString(QStringLiteral("Directories"), QStringLiteral("Ebooks")), QStringLiteral("/x, y\\z"));
        QCOMPARE(back.sections().size(), 2);
        QVERIFY(!IniFile().load(dir.filePath(QStringLiteral("absent.ini"))));
    }

    void cp1252RoundTrip()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(static_cast<char>(i));
        const QString text = fromCp1252(all);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0x81], QChar(0x81));  // undefined bytes stay as C1 controls
        QCOMPARE(toCp1252(text), all);
        QVERIFY(!fitsCp1252(QStringLiteral("\u0420")));
        QCOMPARE(toCp1252(QStringLiteral("a\u0420")), QByteArray("a?"));
    }

    void resolvesStoredPaths()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Folder Images/France")));
        QFile f(dir.filePath(QStringLiteral("Folder Images/France/Franc.JPG")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString stored = dir.path() + QStringLiteral("\\folder images\\FRANCE\\franc.jpg");
        QCOMPARE(resolvePath(stored), dir.filePath(QStringLiteral("Folder Images/France/Franc.JPG")));
        const QString missing = dir.path() + QStringLiteral("\\nothing\\here.jpg");
        QCOMPARE(resolvePath(missing), toSlashes(missing));
        QCOMPARE(fileNamePart(QStringLiteral("C:\\a\\b.jpg")), QStringLiteral("b.jpg"));
        QCOMPARE(folderPart(QStringLiteral("/a/b.jpg")), QStringLiteral("/a/"));
    }

    void listingsAreSorted()
    {
        QTemporaryDir dir;
        for (const char *n : {"b.txt", "A.txt", "a.txt", "C.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(n)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(sortedEntries(dir.path()),
                 (QStringList{QStringLiteral("A.txt"), QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                              QStringLiteral("C.txt")}));
        QCOMPARE(findEntryIgnoreCase(dir.path(), QStringLiteral("c.TXT")), QStringLiteral("C.txt"));
        QCOMPARE(findEntryIgnoreCase(dir.path(), QStringLiteral("a.txt")), QStringLiteral("a.txt"));
    }
};

QTEST_APPLESS_MAIN(tst_Platform)
#include "tst_platform.moc"
