// Stored series-picture names to files, reading the files, and the state of
// the large view that replaces the tree.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/model/mainstate.h"
#include "browse/seriespictures/seriespictures.h"
#include "support/testsupport.h"

class tst_SeriesPictures : public QObject {
    Q_OBJECT

    tMainState s_;

private Q_SLOTS:
    void initTestCase()
    {
        s_.FolderImagesRedirect = QStringLiteral("/pics/");
        auto country = std::make_unique<tCountryInfo>();
        country->Name = QStringLiteral("Canada");
        country->CountryID = 2;
        s_.CountryList.push_back(std::move(country));
    }

    void fullpath_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("country");
        QTest::addColumn<QString>("path");
        QTest::newRow("empty stays empty") << QString() << 2 << QString();
        QTest::newRow("absolute path unchanged") << "/home/a/b.jpg" << 2 << "/home/a/b.jpg";
        QTest::newRow("country folder") << "~Loon.jpg" << 2 << "/pics/Canada/Loon.jpg";
        QTest::newRow("country folder keeps sub-folders") << "~1990/Loon.jpg" << 2 << "/pics/Canada/1990/Loon.jpg";
        QTest::newRow("euro reverse") << "~Euro Germany 2r.jpg" << 2 << "/pics/Euro/Euro Germany 2r.jpg";
        QTest::newRow("euro name not ending r.jpg goes to the country")
            << "~Euro Germany 2o.jpg" << 2 << "/pics/Canada/Euro Germany 2o.jpg";
        QTest::newRow("euro test is case exact") << "~euro 2r.jpg" << 2 << "/pics/Canada/euro 2r.jpg";
        QTest::newRow("state quarters") << "~SQ~Delaware.jpg" << 2 << "/pics/United States/State Quarters/Delaware.jpg";
        QTest::newRow("presidential dollars")
            << "~PD~John Adams.jpg" << 0 << "/pics/United States/Presidential Dollars/John Adams.jpg";
        QTest::newRow("innovation dollars")
            << "~ID~Reverse 2.jpg" << 0 << "/pics/United States/Innovation Dollars/Reverse 2.jpg";
        QTest::newRow("euro wins over the prefixes") << "~EuroSQ~r.jpg" << 2 << "/pics/Euro/EuroSQ~r.jpg";
        QTest::newRow("prefix is case exact") << "~sq~Ohio.jpg" << 2 << "/pics/Canada/sq~Ohio.jpg";
        QTest::newRow("unknown country gives an empty folder") << "~Photo.jpg" << 77 << "/pics//Photo.jpg";
    }

    void fullpath()
    {
        QFETCH(QString, stored);
        QFETCH(int, country);
        QFETCH(QString, path);
        QCOMPARE(::fullpath(s_, stored, country), path);
        // Obverse and paper money do not change the path.
        QCOMPARE(::fullpath(s_, stored, country, false, true), path);
    }

    // Older files stored Windows paths, and names built from country names
    // may differ in case from the folders on disk.
    void picturesAreFoundIgnoringCaseAndBackslashes()
    {
        QTemporaryDir dir;
        WriteTestFile(dir.filePath(QStringLiteral("Canada/Loon.JPG")), PngBytes(Qt::red));
        tMainState s;
        s.FolderImagesRedirect = dir.path() + QLatin1Char('/');
        auto country = std::make_unique<tCountryInfo>();
        country->Name = QStringLiteral("CANADA");
        country->CountryID = 2;
        s.CountryList.push_back(std::move(country));

        const QString viaCountry = FindPictureFile(::fullpath(s, QStringLiteral("~loon.jpg"), 2));
        QCOMPARE(viaCountry, dir.filePath(QStringLiteral("Canada/Loon.JPG")));
        const QString windowsForm = dir.path() + QStringLiteral("\\canada\\LOON.jpg");
        QCOMPARE(FindPictureFile(windowsForm), viaCountry);
        QVERIFY(FindPictureFile(dir.filePath(QStringLiteral("Canada/Missing.jpg"))).isEmpty());
        QVERIFY(FindPictureFile(QStringLiteral("  ")).isEmpty());
        // A folder is not a picture.
        QVERIFY(FindPictureFile(dir.filePath(QStringLiteral("Canada"))).isEmpty());
    }

    void loadPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        QTest::newRow("picture") << PngBytes(Qt::blue) << true;
        QTest::newRow("damaged file") << QByteArray("\x89PNG\r\n\x1a\n garbage") << false;
        QTest::newRow("empty file") << QByteArray() << false;
    }

    void loadPicture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.png"));
        WriteTestFile(file, bytes);
        const QImage img = LoadPicture(file);
        QCOMPARE(!img.isNull(), loads);
        QVERIFY(LoadPicture(dir.filePath(QStringLiteral("none.png"))).isNull());
        QVERIFY(LoadPicture(QString()).isNull());
    }

    // Where a small picture is drawn and the size it is decoded at: fitted
    // with its proportions, centred; never enlarged when decoded.
    void fitting_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QRect>("drawn");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("wide in a square") << QSize(400, 100) << QRect(0, 0, 100, 100) << QRect(0, 37, 100, 25)
                                          << QSize(100, 25);
        QTest::newRow("tall in a square, offset box") << QSize(50, 200) << QRect(10, 20, 80, 80)
                                                      << QRect(40, 20, 20, 80) << QSize(20, 80);
        QTest::newRow("small picture grows to the box, decoded as it is")
            << QSize(20, 10) << QRect(0, 0, 200, 200) << QRect(0, 50, 200, 100) << QSize(20, 10);
        QTest::newRow("large photo") << QSize(8000, 6000) << QRect(0, 0, 512, 512) << QRect(0, 64, 512, 384)
                                     << QSize(512, 384);
        QTest::newRow("extreme strip keeps a pixel") << QSize(30000, 1) << QRect(0, 0, 100, 100)
                                                     << QRect(0, 49, 100, 1) << QSize(100, 1);
        QTest::newRow("empty box: nothing drawn, no scaling") << QSize(40, 30) << QRect() << QRect() << QSize();
    }
    void fitting()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, box);
        QFETCH(QRect, drawn);
        QFETCH(QSize, decoded);
        QCOMPARE(FittedPictureRect(picture, box), drawn);
        QCOMPARE(PictureDecodeSize(picture, box.size()), decoded);
    }

    // With a box, a large picture comes back at the box's size, its
    // proportions kept; a small one at its own.
    void loadAtShownSize()
    {
        QTemporaryDir dir;
        const QString big = dir.filePath(QStringLiteral("big.jpg"));
        QImage img(1600, 1200, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        QVERIFY(img.save(big, "JPEG"));
        QCOMPARE(LoadPicture(big, QSize(200, 200)).size(), QSize(200, 150));
        QCOMPARE(LoadPicture(big).size(), QSize(1600, 1200));
        QCOMPARE(LoadPicture(big, QSize(4000, 4000)).size(), QSize(1600, 1200));
    }

    void pictureClick_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("obverse");
        QTest::addColumn<bool>("hasPicture");
        QTest::addColumn<int>("newTag");
        QTest::addColumn<int>("action");
        const int close = int(tBigViewAction::Close), nothing = int(tBigViewAction::Nothing),
                  open = int(tBigViewAction::Open);
        QTest::newRow("closed, obverse opens") << 0 << true << true << 2 << open;
        QTest::newRow("obverse open, obverse again closes") << 2 << true << true << 2 << close;
        QTest::newRow("obverse open, reverse switches") << 2 << false << true << 3 << open;
        QTest::newRow("view size open, reverse opens") << 4 << false << true << 3 << open;
        QTest::newRow("no picture opens nothing but takes the tag") << 0 << true << false << 2 << nothing;
        QTest::newRow("second click on a side without picture closes") << 3 << false << false << 3 << close;
    }

    void pictureClick()
    {
        QFETCH(int, tag);
        QFETCH(bool, obverse);
        QFETCH(bool, hasPicture);
        QFETCH(int, newTag);
        QFETCH(int, action);
        const tPictureClick c = PictureClick(tag, obverse, hasPicture);
        QCOMPARE(c.Tag, newTag);
        QCOMPARE(int(c.Action), action);
    }

    void viewSizeToggles()
    {
        QVERIFY(ViewSizeCloses(BigViewSize, true, false));
        QVERIFY(!ViewSizeCloses(BigViewSize, true, true));  // picker and legend redraw
        QVERIFY(!ViewSizeCloses(BigViewSize, false, false));
        QVERIFY(!ViewSizeCloses(BigViewObverse, true, false));
        QVERIFY(!ViewSizeCloses(BigViewClosed, false, false));
    }
};

QTEST_GUILESS_MAIN(tst_SeriesPictures)
#include "tst_seriespictures.moc"
