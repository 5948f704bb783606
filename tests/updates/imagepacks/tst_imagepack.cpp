#include <QtTest>

#include <zip.h>

#include <sys/stat.h>

#include "core/model/model.h"
#include "core/model/seriestree.h"
#include "support/downloadfixtures.h"
#include "updates/imagepacks/imagepack.h"

namespace {

// One entry of a test archive: a file, a folder ("x/") or a symbolic link.
struct tRawEntry {
    QByteArray Name;
    QByteArray Data;
    bool Link = false;
};

// Writes the entries as they stand, hostile names included: the program's
// own writer would never make such an archive.
void WriteRawZip(const QString &path, const std::vector<tRawEntry> &entries)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(z);
    std::vector<QByteArray> keep;
    keep.reserve(entries.size());
    for (const tRawEntry &e : entries) {
        zip_int64_t index = -1;
        if (e.Name.endsWith('/')) {
            index = zip_dir_add(z, e.Name.constData(), ZIP_FL_ENC_RAW);
        } else {
            keep.push_back(e.Data);
            zip_source_t *src = zip_source_buffer(z, keep.back().constData(), static_cast<zip_uint64_t>(keep.back().size()), 0);
            index = zip_file_add(z, e.Name.constData(), src, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        }
        QVERIFY2(index >= 0, e.Name.constData());
        if (e.Link)
            zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
    }
    QCOMPARE(zip_close(z), 0);
}

tCountryInfo Country(int id, const QString &name, bool paper)
{
    tCountryInfo c;
    c.CountryID = id;
    c.Name = name;
    c.Description = name;
    c.IsPaper = paper;
    c.Continent = 4;
    c.Path = QStringLiteral("/catalogue/") + name + QStringLiteral(".OVCD");
    return c;
}

// Every file below folder, relative, sorted.
QStringList FilesBelow(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(folder).relativeFilePath(it.next());
    out.sort();
    return out;
}

} // namespace

class tst_ImagePack : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countJpgFiles()
    {
        QTemporaryDir dir;
        const QString f = dir.path() + QStringLiteral("/Belgium");
        for (int i = 0; i < 3; ++i)
            WriteFixtureFile(f + QStringLiteral("/a%1.jpg").arg(i), "x");
        WriteFixtureFile(f + QStringLiteral("/B.JPG"), "x");
        WriteFixtureFile(f + QStringLiteral("/c.Jpg"), "x");
        WriteFixtureFile(f + QStringLiteral("/.hidden.jpg"), "x");
        WriteFixtureFile(f + QStringLiteral("/sub/deeper/d.jpg"), "x");
        // Not pictures of the count: other extensions, and ".jpeg".
        WriteFixtureFile(f + QStringLiteral("/e.jpeg"), "x");
        WriteFixtureFile(f + QStringLiteral("/f.png"), "x");
        WriteFixtureFile(f + QStringLiteral("/jpg"), "x");
        QDir().mkpath(f + QStringLiteral("/folder.jpg"));
        // A link back up must not make the count loop or double.
        QVERIFY(QFile::link(f, f + QStringLiteral("/sub/loop")));
        QCOMPARE(CountJpgFiles(f), 7);
        QCOMPARE(CountJpgFiles(dir.path() + QStringLiteral("/Nowhere")), 0);
        QCOMPARE(CountJpgFiles(f + QStringLiteral("/f.png")), 0);
    }

    void suggestions_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("paper");
        QTest::addColumn<bool>("current");
        QTest::addColumn<int>("server");
        QTest::addColumn<int>("local");
        QTest::addColumn<bool>("inCollection");
        QTest::addColumn<bool>("checked");
        QTest::newRow("more on the server") << int(ImageSuggestCoinsTag) << false << false << 120 << 100 << true << true;
        QTest::newRow("as many locally") << int(ImageSuggestCoinsTag) << false << true << 100 << 100 << true << false;
        QTest::newRow("more locally") << int(ImageSuggestCoinsTag) << false << true << 10 << 100 << true << false;
        QTest::newRow("not in the collection") << int(ImageSuggestCoinsTag) << false << false << 500 << 0 << false << false;
        QTest::newRow("missing key") << int(ImageSuggestCoinsTag) << false << true << 0 << 0 << true << false;
        QTest::newRow("coin suggestion keeps paper row") << int(ImageSuggestCoinsTag) << true << true << 0 << 0 << true << true;
        QTest::newRow("paper suggestion keeps coin row") << int(ImageSuggestPaperTag) << false << true << 0 << 9 << false << true;
        QTest::newRow("paper suggested") << int(ImageSuggestPaperTag) << true << false << 3 << 1 << true << true;
        QTest::newRow("select coins, coin") << int(ImageSelectCoinsTag) << false << false << 0 << 0 << false << true;
        QTest::newRow("select coins, paper") << int(ImageSelectCoinsTag) << true << true << 0 << 0 << false << false;
        QTest::newRow("select paper, paper") << int(ImageSelectPaperTag) << true << false << 0 << 0 << false << true;
        QTest::newRow("select none") << int(ImageSelectNoneTag) << false << true << 9 << 0 << true << false;
    }
    void suggestions()
    {
        QFETCH(int, tag);
        QFETCH(bool, paper);
        QFETCH(bool, current);
        QFETCH(int, server);
        QFETCH(int, local);
        QFETCH(bool, inCollection);
        const tCountryInfo c = Country(1, QStringLiteral("X"), paper);
        QTEST(ImageSelectionChecks(tag, c, current, server, local, inCollection), "checked");
    }

    void suggestionTextsAndDirectory()
    {
        QCOMPARE(SuggestionText(ImageSuggestCoinsTag, 1), QStringLiteral("Coins for 1 country suggested."));
        QCOMPARE(SuggestionText(ImageSuggestPaperTag, 0), QStringLiteral("Paper money for 0 countries suggested."));
        QCOMPARE(SuggestionText(ImageSuggestCoinsTag, 12), QStringLiteral("Coins for 12 countries suggested."));

        platform::IniFile ini;
        ini.parse(QStringLiteral("[Countries]\nSoTomPrncipe=120\nBelgium=7\n"));
        QCOMPARE(ServerImageCount(ini, Country(1, QStringLiteral("São Tomé & Príncipe"), false)), 120);
        QCOMPARE(ServerImageCount(ini, Country(2, QStringLiteral("belgium"), false)), 7);
        QCOMPARE(ServerImageCount(ini, Country(3, QStringLiteral("Chile"), false)), 0);
        QCOMPARE(ImagePackName(Country(4, QStringLiteral("São Tomé"), false)), QStringLiteral("SoTom.ZIP"));
    }

    void collectionCountries()
    {
        tMainState s;
        s.EntireCollection = std::make_unique<tnodeinfo>();
        s.EntireCollection->CoinType = RootCoinType;
        tnodeinfo *parent = s.EntireCollection.get();
        // A deep chain of series, one country at its bottom.
        for (int i = 0; i < 2000; ++i) {
            auto child = std::make_unique<tnodeinfo>();
            child->CoinType = i == 1999 ? 40 * 1000 + 5 : 0;
            child->ParentNode = parent;
            parent->ChildNodes.push_back(std::move(child));
            parent = parent->ChildNodes.back().get();
        }
        const tCountryMarks marks = MarkCollectionCountries(s);
        const int country = CoinTypeToCountry(40 * 1000 + 5);
        QVERIFY(country > 0);
        QCOMPARE(marks[static_cast<size_t>(country)], true);
        QCOMPARE(marks[static_cast<size_t>(CoinTypeToCountry(41 * 1000 + 5))], country == CoinTypeToCountry(41 * 1000 + 5));
    }

    void safeEntryPaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "Belgium/1.jpg" << "Belgium/1.jpg";
        QTest::newRow("backslashes") << "Sub\\Two\\x.jpg" << "Sub/Two/x.jpg";
        QTest::newRow("dot parts") << "./a/./b.jpg" << "a/b.jpg";
        QTest::newRow("double slash") << "a//b.jpg" << "a/b.jpg";
        QTest::newRow("dots in a name") << "a..b/c...jpg" << "a..b/c...jpg";
        QTest::newRow("parent") << "../x.jpg" << "";
        QTest::newRow("parent inside") << "a/../../x.jpg" << "";
        QTest::newRow("parent with backslash") << "a\\..\\..\\x.jpg" << "";
        QTest::newRow("absolute") << "/etc/x.jpg" << "";
        QTest::newRow("absolute backslash") << "\\x.jpg" << "";
        QTest::newRow("drive") << "C:\\x.jpg" << "";
        QTest::newRow("drive relative") << "c:x.jpg" << "";
        QTest::newRow("nothing left") << "./" << "";
    }
    void safeEntryPaths()
    {
        QFETCH(QString, name);
        QTEST(SafeEntryPath(name), "path");
    }

    void unpacksIntoTheFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/Images/Belgium");
        WriteFixtureFile(folder + QStringLiteral("/old.jpg"), "old");
        WriteFixtureFile(folder + QStringLiteral("/keep.jpg"), "keep");
        const QString zip = dir.path() + QStringLiteral("/Belgium.ZIP");
        WriteRawZip(zip, {{"old.jpg", "new"}, {"Sub/", {}}, {"Sub\\Deep\\a.jpg", "aaa"}, {"./b.jpg", "bbb"}});
        const tUnzipResult r = UnzipImagePack(zip, folder);
        QVERIFY2(r.Ok, qPrintable(r.Error));
        QCOMPARE(r.Written, 3);
        QCOMPARE(FilesBelow(folder), (QStringList{"Sub/Deep/a.jpg", "b.jpg", "keep.jpg", "old.jpg"}));
        QCOMPARE(ReadFixtureFile(folder + QStringLiteral("/old.jpg")), QByteArray("new"));
        QCOMPARE(ReadFixtureFile(folder + QStringLiteral("/Sub/Deep/a.jpg")), QByteArray("aaa"));

        // Not an archive, or none at all: failed, nothing written.
        WriteFixtureFile(dir.path() + QStringLiteral("/broken.ZIP"), QByteArray(300, 'z'));
        QVERIFY(!UnzipImagePack(dir.path() + QStringLiteral("/broken.ZIP"), folder).Ok);
        QVERIFY(!UnzipImagePack(dir.path() + QStringLiteral("/none.ZIP"), folder).Ok);
        QCOMPARE(FilesBelow(folder).size(), 4);
    }

    void hostilePacks_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("parent") << QByteArray("../outside.jpg");
        QTest::newRow("parent deep") << QByteArray("a/b/../../../outside.jpg");
        QTest::newRow("backslash parent") << QByteArray("..\\outside.jpg");
        QTest::newRow("absolute") << QByteArray("/tmp/outside.jpg");
        QTest::newRow("drive") << QByteArray("C:\\outside.jpg");
    }
    void hostilePacks()
    {
        QFETCH(QByteArray, name);
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/Images/Belgium");
        const QString zip = dir.path() + QStringLiteral("/pack.ZIP");
        // The harmless entry comes first: a pack with a refused entry writes
        // nothing at all.
        WriteRawZip(zip, {{"first.jpg", "1"}, {name, "evil"}});
        const tUnzipResult r = UnzipImagePack(zip, folder);
        QVERIFY(!r.Ok);
        QVERIFY2(r.Error.contains(QStringLiteral("refused")), qPrintable(r.Error));
        QCOMPARE(FilesBelow(dir.path()), QStringList{"pack.ZIP"});
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/outside.jpg")) || name != "/tmp/outside.jpg");
    }

    void linksAreNeverFollowed()
    {
        QTemporaryDir dir;
        QTemporaryDir outside;
        const QString folder = dir.path() + QStringLiteral("/Belgium");
        QDir().mkpath(folder);
        // A symbolic-link entry is skipped; the rest unpacks.
        const QString zip = dir.path() + QStringLiteral("/links.ZIP");
        WriteRawZip(zip, {{"link", outside.path().toUtf8(), true}, {"a.jpg", "a"}});
        tUnzipResult r = UnzipImagePack(zip, folder);
        QVERIFY2(r.Ok, qPrintable(r.Error));
        QCOMPARE(r.SkippedLinks, 1);
        QCOMPARE(FilesBelow(folder), QStringList{"a.jpg"});
        QVERIFY(!QFileInfo(folder + QStringLiteral("/link")).exists());

        // A link already in the folder leads nowhere: an entry through it
        // fails the pack, and an entry in its place replaces the link itself.
        QVERIFY(QFile::link(outside.path(), folder + QStringLiteral("/Away")));
        WriteRawZip(zip, {{"Away/x.jpg", "x"}});
        r = UnzipImagePack(zip, folder);
        QVERIFY(!r.Ok);
        QCOMPARE(FilesBelow(outside.path()), QStringList{});

        WriteFixtureFile(outside.path() + QStringLiteral("/victim.jpg"), "victim");
        QVERIFY(QFile::link(outside.path() + QStringLiteral("/victim.jpg"), folder + QStringLiteral("/b.jpg")));
        WriteRawZip(zip, {{"b.jpg", "mine"}});
        r = UnzipImagePack(zip, folder);
        QVERIFY2(r.Ok, qPrintable(r.Error));
        QCOMPARE(ReadFixtureFile(outside.path() + QStringLiteral("/victim.jpg")), QByteArray("victim"));
        QVERIFY(!QFileInfo(folder + QStringLiteral("/b.jpg")).isSymLink());
        QCOMPARE(ReadFixtureFile(folder + QStringLiteral("/b.jpg")), QByteArray("mine"));
    }
};

QTEST_GUILESS_MAIN(tst_ImagePack)
#include "tst_imagepack.moc"
