#include <QtTest>

#include "core/files/collectionsettings.h"
#include "core/model/mainstate.h"

// Picture paths kept relative to the image repository: what is packed, how
// a packed path comes back, and the boundary between the folder and a
// sibling whose name merely begins the same.
class tst_collectionsettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pack_data()
    {
        QTest::addColumn<QString>("repository");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("resolved");

        QTest::newRow("inside, folder without separator")
            << "/pics/Coins" << "/pics/Coins/Cents/1909.jpg" << "R~/Cents/1909.jpg" << "/pics/Coins/Cents/1909.jpg";
        QTest::newRow("inside, folder ending in a separator is normalised")
            << "/pics/Coins/" << "/pics/Coins/Cents/1909.jpg" << "R~/Cents/1909.jpg" << "/pics/Coins/Cents/1909.jpg";
        QTest::newRow("folder with doubled trailing separators")
            << "/pics/Coins//" << "/pics/Coins/a.jpg" << "R~/a.jpg" << "/pics/Coins/a.jpg";
        QTest::newRow("sibling folder sharing the name's start stays full")
            << "/pics/Coins" << "/pics/Coins2/x.jpg" << "/pics/Coins2/x.jpg" << "/pics/Coins2/x.jpg";
        QTest::newRow("other case is another folder here")
            << "/pics/Coins" << "/PICS/coins/x.jpg" << "/PICS/coins/x.jpg" << "/PICS/coins/x.jpg";
        QTest::newRow("the folder itself is no picture")
            << "/pics/Coins" << "/pics/Coins/" << "/pics/Coins/" << "/pics/Coins/";
        QTest::newRow("no repository: nothing packed")
            << "" << "/pics/Coins/a.jpg" << "/pics/Coins/a.jpg" << "/pics/Coins/a.jpg";
        QTest::newRow("blank repository: nothing packed")
            << "   " << "/pics/a.jpg" << "/pics/a.jpg" << "/pics/a.jpg";
        QTest::newRow("root as repository")
            << "/" << "/pics/a.jpg" << "R~/pics/a.jpg" << "/pics/a.jpg";
        QTest::newRow("repository stored with backslashes")
            << "\\pics\\Coins" << "/pics/Coins/a.jpg" << "R~/a.jpg" << "/pics/Coins/a.jpg";
        QTest::newRow("climbing out of the folder is outside it")
            << "/pics" << "/pics/../etc/x.jpg" << "/pics/../etc/x.jpg" << "/pics/../etc/x.jpg";
        QTest::newRow("climbing out and back in is inside")
            << "/pics/Coins" << "/pics/Other/../Coins/./a.jpg" << "R~/a.jpg" << "/pics/Coins/a.jpg";
        QTest::newRow("backslashed climb out of the folder")
            << "C:\\pics" << "C:\\pics\\..\\etc\\x.jpg" << "C:\\pics\\..\\etc\\x.jpg" << "C:\\pics\\..\\etc\\x.jpg";
        QTest::newRow("repository named with a climb")
            << "/pics/Coins/../Coins" << "/pics/Coins/a.jpg" << "R~/a.jpg" << "/pics/Coins/a.jpg";
        QTest::newRow("a repository path is not packed again")
            << "/pics" << "R~/a.jpg" << "R~/a.jpg" << "/pics/a.jpg";
    }
    void pack()
    {
        QFETCH(QString, repository);
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, resolved);
        tMainState s;
        s.RepositoryPath = repository;
        QCOMPARE(PackRepositoryPath(s, chosen), stored);
        QCOMPARE(UnpackRepositoryPath(s, stored), resolved);
    }

    // Paths stored by older versions on another system are read as they
    // stand: either separator, with or without one after "R~".
    void unpackStoredForms_data()
    {
        QTest::addColumn<QString>("repository");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("backslash after the marker") << "/pics/Coins" << "R~\\Cents\\1909.jpg" << "/pics/Coins/Cents/1909.jpg";
        QTest::newRow("no separator after the marker") << "/pics/Coins/" << "R~Cents\\1909.jpg" << "/pics/Coins/Cents/1909.jpg";
        QTest::newRow("forward slashes") << "/pics/Coins" << "R~a/b.jpg" << "/pics/Coins/a/b.jpg";
        QTest::newRow("no repository set") << "" << "R~x.jpg" << "/x.jpg";
        QTest::newRow("marker in either case") << "/pics" << "r~x.jpg" << "/pics/x.jpg";
        // A stored path never reaches outside the repository, however it
        // climbs: each ".." takes back one folder named before it, no more.
        QTest::newRow("climb above the folder") << "/pics/Coins" << "R~../secret.jpg" << "/pics/Coins/secret.jpg";
        QTest::newRow("backslashed climb, other case") << "/pics/Coins" << "r~\\..\\..\\etc\\x.jpg"
                                                       << "/pics/Coins/etc/x.jpg";
        QTest::newRow("climb within the folder") << "/pics/Coins" << "R~/a/../b/./c.jpg" << "/pics/Coins/b/c.jpg";
        QTest::newRow("doubled separators") << "/pics" << "R~//a//b.jpg" << "/pics/a/b.jpg";
        QTest::newRow("full path unchanged") << "/pics" << "/home/a.jpg" << "/home/a.jpg";
    }
    void unpackStoredForms()
    {
        QFETCH(QString, repository);
        QFETCH(QString, stored);
        QFETCH(QString, resolved);
        tMainState s;
        s.RepositoryPath = repository;
        QCOMPARE(UnpackRepositoryPath(s, stored), resolved);
    }
};

QTEST_GUILESS_MAIN(tst_collectionsettings)
#include "tst_collectionsettings.moc"
