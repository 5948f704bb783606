#include <QtTest>

#include "core/model/mainstate.h"
#include "browse/images/coinpictures.h"

namespace {

tCoinInfo Coin(const QString &files, const QString &names)
{
    tCoinInfo c;
    c.OtherImages = files;
    c.OtherImageNames = names;
    return c;
}

// The radios as "caption" with a trailing "*" for italics.
QStringList Captions(const tCoinInfo &c)
{
    QStringList out;
    for (const tPictureRadio &r : PictureRadios(c))
        out << r.Caption + (r.Italic ? QStringLiteral("*") : QString());
    return out;
}

void WriteFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

tCoinInfo *AddEntry(tMainState &s, const QString &obverse, const QString &reverse, const QString &receipt)
{
    s.CoinList.push_back(std::make_unique<tCoinInfo>());
    tCoinInfo *c = s.CoinList.back().get();
    c->Obverse = obverse;
    c->Reverse = reverse;
    c->Receipt = receipt;
    return c;
}

constexpr tPictureSlot Obv{tPictureKind::Obverse, 0};
constexpr tPictureSlot Rec{tPictureKind::Receipt, 0};
constexpr tPictureSlot Add{tPictureKind::Add, 0};
constexpr tPictureSlot Further(int tag)
{
    return {tPictureKind::Further, tag};
}

} // namespace

class tst_coinpictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void radios_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QStringList>("captions");
        const QStringList fixed = {"Obverse Image", "Reverse image", "Receipt Image"};
        QTest::newRow("no further pictures") << "" << "" << fixed + QStringList{"Add another image"};
        QTest::newRow("blank list is none") << "  " << "" << fixed + QStringList{"Add another image"};
        QTest::newRow("names trimmed, missing ones italic")
            << "a.jpg,b.jpg,c.jpg" << "\" Edge \",\"\"" << fixed + QStringList{"Edge", "Click to name image*", "Click to name image*", "Add another image"};
        QTest::newRow("blank name is no name") << "a.jpg" << "\"  \"" << fixed + QStringList{"Click to name image*", "Add another image"};
        QTest::newRow("names past the files are not shown") << "a.jpg" << "One,Two" << fixed + QStringList{"One", "Add another image"};
    }
    void radios()
    {
        QFETCH(QString, files);
        QFETCH(QString, names);
        QFETCH(QStringList, captions);
        const tCoinInfo c = Coin(files, names);
        QCOMPARE(Captions(c), captions);
        const std::vector<tPictureRadio> radios = PictureRadios(c);
        for (size_t i = 3; i + 1 < radios.size(); ++i)
            QCOMPARE(radios[i].Slot, Further(int(i) - 2));
        QCOMPARE(radios.back().Slot, Add);
    }

    void storedPicture()
    {
        tCoinInfo c = Coin("\" a.jpg \",b.jpg", "");
        c.Obverse = QStringLiteral(" /x/o.jpg");
        QCOMPARE(StoredPicture(c, Obv), QStringLiteral(" /x/o.jpg"));
        QCOMPARE(StoredPicture(c, Further(1)), QStringLiteral("a.jpg"));
        QCOMPARE(StoredPicture(c, Further(2)), QStringLiteral("b.jpg"));
        QCOMPARE(StoredPicture(c, Further(3)), QString());
        QCOMPARE(StoredPicture(c, Add), QString());
    }

    // Adding, replacing, naming and removing further pictures keep the
    // files and names lists the same length, item for item.
    void furtherPicturesStayAligned()
    {
        tCoinInfo c;
        QCOMPARE(AttachPicture(c, Add, QStringLiteral("/p/one.jpg")), Further(1));
        QCOMPARE(Captions(c).at(3), QStringLiteral("Click to name image*"));
        QCOMPARE(AttachPicture(c, Add, QStringLiteral("/p/two words.jpg")), Further(2));
        QCOMPARE(AttachPicture(c, Add, QStringLiteral("/p/three.jpg")), Further(3));
        QVERIFY(NamePicture(c, 1, QStringLiteral("First")));
        QVERIFY(NamePicture(c, 3, QStringLiteral(" Third ")));
        QCOMPARE(FurtherNames(c), (QStringList{"First", "", " Third "}));  // stored as typed

        QCOMPARE(AttachPicture(c, Further(2), QStringLiteral("/p/2b.jpg")), Further(2));
        QCOMPARE(FurtherFiles(c), (QStringList{"/p/one.jpg", "/p/2b.jpg", "/p/three.jpg"}));

        QCOMPARE(DetachPicture(c, Further(2)), Further(1));
        QCOMPARE(FurtherFiles(c), (QStringList{"/p/one.jpg", "/p/three.jpg"}));
        QCOMPARE(FurtherNames(c), (QStringList{"First", " Third "}));
        QCOMPARE(Captions(c).mid(3, 2), (QStringList{"First", "Third"}));

        QCOMPARE(DetachPicture(c, Further(1)), Rec);
        QCOMPARE(DetachPicture(c, Further(1)), Rec);
        QVERIFY(c.OtherImages.isEmpty());
        QVERIFY(c.OtherImageNames.isEmpty());
    }

    // Lists written by older versions may hold fewer names than files.
    void shortNameListIsPadded()
    {
        tCoinInfo c = Coin("a.jpg,b.jpg,c.jpg", "A");
        QCOMPARE(AttachPicture(c, Add, QStringLiteral("d.jpg")), Further(4));
        QCOMPARE(FurtherNames(c), (QStringList{"A", "", "", ""}));
        QCOMPARE(DetachPicture(c, Further(1)), Rec);
        QCOMPARE(FurtherFiles(c), (QStringList{"b.jpg", "c.jpg", "d.jpg"}));
        QCOMPARE(FurtherNames(c), (QStringList{"", "", ""}));
    }

    void renameMarksOnlyRealChanges_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changed");
        QTest::newRow("new name") << "" << "Edge" << true;
        QTest::newRow("only surrounding blanks differ") << "Edge" << "  Edge " << false;
        QTest::newRow("same") << "Edge" << "Edge" << false;
        QTest::newRow("cleared") << "Edge" << "" << true;
        QTest::newRow("case differs") << "Edge" << "edge" << true;
    }
    void renameMarksOnlyRealChanges()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(bool, changed);
        tCoinInfo c = Coin("a.jpg", before.isEmpty() ? QString() : before);
        QCOMPARE(NamePicture(c, 1, typed), changed);
        QCOMPARE(FurtherNames(c), QStringList{typed});
    }

    void fixedSlots()
    {
        tCoinInfo c;
        QCOMPARE(AttachPicture(c, Obv, QStringLiteral("R~/o.jpg")), Obv);
        QCOMPARE(c.Obverse, QStringLiteral("R~/o.jpg"));
        QCOMPARE(DetachPicture(c, Obv), Obv);
        QVERIFY(c.Obverse.isEmpty());
        QVERIFY(c.OtherImages.isEmpty());
    }

    void makeRelative()
    {
        tMainState s;
        auto add = [&](const QString &o, const QString &r = {}, const QString &q = {}) {
            tCoinInfo *c = AddEntry(s, o, r, q);
            c->OtherImages = QStringLiteral("/pics/other.jpg");
            return c;
        };
        tCoinInfo *a = add("/pics/Euro/a.jpg", "/other/b.jpg", "  ");
        tCoinInfo *b = add("r~/kept.jpg", "/pics2/c.jpg", "/pics/d.jpg");
        QCOMPARE(MakeRepositoryRelative(s, QStringLiteral("/pics")), 2);
        QCOMPARE(a->Obverse, QStringLiteral("R~/Euro/a.jpg"));
        QCOMPARE(a->Reverse, QStringLiteral("/other/b.jpg"));
        QCOMPARE(a->Receipt, QStringLiteral("  "));
        QCOMPARE(b->Obverse, QStringLiteral("r~/kept.jpg"));
        QCOMPARE(b->Reverse, QStringLiteral("/pics2/c.jpg"));
        QCOMPARE(b->Receipt, QStringLiteral("R~/d.jpg"));
        QCOMPARE(a->OtherImages, QStringLiteral("/pics/other.jpg"));  // further pictures are not converted
        QCOMPARE(MakeRepositoryRelative(s, QStringLiteral("/pics")), 0);  // a second run changes nothing
        QCOMPARE(MakeRepositoryRelative(s, QString()), 0);
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        for (const char *n : {"a.jpg", "a.JPG", "b.bmp", "c.gif", "d.Tif", "e.png", "f.PDF"})
            QTest::newRow(n) << n << true;
        for (const char *n : {"a.jpeg", "b.tiff", "c.txt", "jpg", "d.jpg.bak"})
            QTest::newRow(n) << n << false;
    }
    void pictureNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        QCOMPARE(IsRepositoryPictureName(name), taken);
    }

    // A small folder tree: the files are matched by name only, ignoring
    // case and the folder the entry pointed to; of two files of one name
    // the one visited later wins.
    void reattachByName()
    {
        QTemporaryDir dir;
        const QString repo = dir.filePath(QStringLiteral("Coins"));
        WriteFile(repo + QStringLiteral("/Euro/a.JPG"));
        WriteFile(repo + QStringLiteral("/top.png"));
        WriteFile(repo + QStringLiteral("/Euro/skip.jpeg"));
        WriteFile(repo + QStringLiteral("/A/dup.gif"));
        WriteFile(repo + QStringLiteral("/B/deep/dup.gif"));
        WriteFile(dir.filePath(QStringLiteral("Coins2/outside.png")));

        tMainState s;
        QCOMPARE(AttachRepositoryImages(s, repo), 0);  // no entries: nothing to do
        auto add = [&](const QString &o, const QString &r = {}, const QString &q = {}) { return AddEntry(s, o, r, q); };
        tCoinInfo *one = add("C:\\Old\\Pictures\\A.jpg", "/elsewhere/top.PNG", "skip.jpeg");
        tCoinInfo *two = add("dup.gif", "outside.png", "");
        tCoinInfo *three = add("/x/a.jpg");

        QVERIFY(AttachRepositoryImages(s, repo + QLatin1Char('/')) > 0);
        QCOMPARE(one->Obverse, QStringLiteral("R~Euro/a.JPG"));
        QCOMPARE(one->Reverse, QStringLiteral("R~top.png"));
        QCOMPARE(one->Receipt, QStringLiteral("skip.jpeg"));
        QCOMPARE(two->Obverse, QStringLiteral("R~B/deep/dup.gif"));
        QCOMPARE(two->Reverse, QStringLiteral("outside.png"));
        QCOMPARE(three->Obverse, QStringLiteral("R~Euro/a.JPG"));
        QCOMPARE(AttachRepositoryImages(s, repo), 0);  // already attached
        QCOMPARE(AttachRepositoryImages(s, dir.filePath(QStringLiteral("missing"))), 0);
    }
};

QTEST_GUILESS_MAIN(tst_coinpictures)
#include "tst_coinpictures.moc"
