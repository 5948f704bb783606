// The special United States series: the design lists, the picture names a
// choice writes, and the stock pictures of the thumbnail strip.
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "browse/seriespictures/specialseries.h"
#include "support/testsupport.h"
#include "support/treefixture.h"

class tst_SpecialSeries : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void designTables()
    {
        QCOMPARE(DesignCategoryNames().size(), DesignCategoryCount);
        QCOMPARE(DesignCount(0), 56);
        QCOMPARE(DesignCount(1), 56);
        QCOMPARE(DesignCount(2), 10);
        QCOMPARE(DesignCount(3), 40);
        QCOMPARE(DesignCount(4), 57);
        // Every name fits the width the lists were made for, and no two
        // designs of a category share a picture.
        const int widths[] = {20, 35, 35, 30, 20};
        for (int c = 0; c < DesignCategoryCount; ++c) {
            QSet<QString> pictures;
            for (int i = 0; i < DesignCount(c); ++i) {
                QVERIFY2(DesignName(c, i).size() <= widths[c], qPrintable(DesignName(c, i)));
                pictures.insert(DesignPictureName(c, i).toLower());
            }
            QCOMPARE(pictures.size(), DesignCount(c));
        }
    }

    void designs_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("item");
        QTest::newRow("first state") << 0 << 0 << 1999 << "~SQ~Delaware.jpg" << "Delaware (1999)";
        QTest::newRow("full stops leave the picture name") << 0 << 50 << 2009 << "~SQ~DC.jpg" << "D.C. (2009)";
        QTest::newRow("territories stay in 2009") << 0 << 55 << 2009 << "~SQ~Mariana Islands.jpg"
                                                  << "Mariana Islands (2009)";
        QTest::newRow("fifth state starts a year") << 0 << 5 << 2000 << "~SQ~Massachusetts.jpg"
                                                   << "Massachusetts (2000)";
        QTest::newRow("first park") << 1 << 0 << 2010 << "~SQ~Hot Springs.jpg" << "Hot Springs (2010)";
        QTest::newRow("park of American Samoa keeps apart from the state quarter")
            << 1 << 50 << 2020 << "~SQ~American Samoa Park.jpg" << "American Samoa (2020)";
        QTest::newRow("last park") << 1 << 55 << 2021 << "~SQ~Tuskegee Airmen.jpg" << "Tuskegee Airmen (2021)";
        QTest::newRow("women second year") << 2 << 5 << 2023 << "~SQ~Bessie Coleman.jpg" << "Bessie Coleman (2023)";
        QTest::newRow("first president") << 3 << 0 << 2007 << "~PD~George Washington.jpg"
                                         << "2007: George Washington 1st President";
        QTest::newRow("fifth president") << 3 << 4 << 2008 << "~PD~James Monroe.jpg" << "2008: James Monroe 5th President";
        QTest::newRow("full stops out of a president's picture")
            << 3 << 10 << 2009 << "~PD~James K Polk.jpg" << "2009: James K. Polk 11th President";
        QTest::newRow("last president came in 2020")
            << 3 << 39 << 2020 << "~PD~George HW Bush.jpg" << "2020: George H.W. Bush 41st President";
        QTest::newRow("introductory innovation dollar")
            << 4 << 0 << 2018 << "~ID~Introductory Coin.jpg" << "Introductory Coin (2018)";
        QTest::newRow("innovation dollars four a year")
            << 4 << 1 << 2019 << "~ID~Delaware.jpg" << "Delaware (2019)";
        QTest::newRow("innovation dollar of a territory")
            << 4 << 56 << 2032 << "~ID~Mariana Islands.jpg" << "Mariana Islands (2032)";
    }

    void designs()
    {
        QFETCH(int, category);
        QFETCH(int, index);
        QFETCH(int, year);
        QFETCH(QString, picture);
        QFETCH(QString, item);
        QCOMPARE(DesignYear(category, index), year);
        QCOMPARE(DesignPictureName(category, index), picture);
        QCOMPARE(DesignListItem(category, index), item);
    }

    void okWritesTheSpecialSeries()
    {
        tMainState s;
        const auto n = BuildTree(s, QStringLiteral("Q #345\nFDC #379\nATB #375\nFive #377\nW #442\nD #356\n"
                                                   "DFDC #380\nI #417\nOther #2001"));
        FindQuarterNode(s);
        s.DataModified = false;
        const std::vector<tnodeinfo *> changed = ApplySpecialSeriesPictures(s, {1, 50, 7, 39, 0});
        QCOMPARE(int(changed.size()), 8);
        QVERIFY(s.DataModified);
        auto pics = [&](const char *name) {
            const tnodeinfo *series = n[QString::fromLatin1(name)];
            return series->Obverse + QLatin1Char('|') + series->Reverse;
        };
        QCOMPARE(pics("Q"), QStringLiteral("~SQ~Obverse.jpg|~SQ~Pennsylvania.jpg"));
        QCOMPARE(pics("FDC"), QStringLiteral("~SQ~FDC Pennsylvania.jpg|"));
        QCOMPARE(pics("ATB"), QStringLiteral("~SQ~ATB Obverse.jpg|~SQ~American Samoa Park.jpg"));
        QCOMPARE(pics("Five"), QStringLiteral("~SQ~ATB Obverse.jpg|~SQ~American Samoa Park.jpg"));
        QCOMPARE(pics("W"), QStringLiteral("~SQ~2023 Woman Quarter Obverse.jpg|~SQ~Eleanor Roosevelt.jpg"));
        QCOMPARE(pics("D"), QStringLiteral("~PD~George HW Bush.jpg|~PD~MS Reverse.jpg"));
        QCOMPARE(pics("DFDC"), QStringLiteral("~PD~FDC George HW Bush.jpg|"));
        QCOMPARE(pics("I"), QStringLiteral("~ID~Introductory Coin.jpg|~ID~Reverse.jpg"));
        QCOMPARE(pics("Other"), QStringLiteral("|"));

        // Reopening finds the designs chosen before.
        QCOMPARE(CurrentDesigns(s), (tDesignIndexes{1, 50, 7, 39, 0}));

        // The same choice again changes nothing and leaves the flag alone.
        s.DataModified = false;
        QVERIFY(ApplySpecialSeriesPictures(s, {1, 50, 7, 39, 0}).empty());
        QVERIFY(!s.DataModified);

        // Other dollar and innovation designs take the plain reverses.
        ApplySpecialSeriesPictures(s, {1, 50, 2, 3, 5});
        QCOMPARE(pics("D"), QStringLiteral("~PD~James Madison.jpg|~PD~Reverse.jpg"));
        QCOMPARE(pics("I"), QStringLiteral("~ID~Connecticut.jpg|~ID~Reverse 2.jpg"));
        QCOMPARE(pics("W"), QStringLiteral("~SQ~2022 Woman Quarter Obverse.jpg|~SQ~Wilma Mankiller.jpg"));
    }

    void missingSeriesAreSkipped()
    {
        tMainState s;
        const auto n = BuildTree(s, QStringLiteral("D #356\nOther #2001"));
        FindQuarterNode(s);
        QVERIFY(!CategorySeries(s, 0));
        QCOMPARE(CategorySeries(s, 3), n[QStringLiteral("D")]);
        const std::vector<tnodeinfo *> changed = ApplySpecialSeriesPictures(s, {0, 0, 0, 2, 0});
        QCOMPARE(changed, std::vector<tnodeinfo *>{n[QStringLiteral("D")]});
    }

    void currentDesigns_data()
    {
        QTest::addColumn<QString>("obverse");
        QTest::addColumn<QString>("reverse");
        QTest::addColumn<int>("quarter");
        QTest::addColumn<int>("dollar");
        QTest::newRow("nothing matches: first design") << "~PD~Nobody.jpg" << "~SQ~Atlantis.jpg" << 0 << 0;
        QTest::newRow("compared ignoring case") << "~pd~JOHN ADAMS.JPG" << "~sq~ohio.jpg" << 16 << 1;
        QTest::newRow("older file's own picture") << "/home/me/coin.jpg" << "" << 0 << 0;
    }

    void currentDesigns()
    {
        QFETCH(QString, obverse);
        QFETCH(QString, reverse);
        QFETCH(int, quarter);
        QFETCH(int, dollar);
        tMainState s;
        const auto n = BuildTree(s, QStringLiteral("Q #345\nD #356"));
        FindQuarterNode(s);
        n[QStringLiteral("Q")]->Reverse = reverse;
        n[QStringLiteral("D")]->Obverse = obverse;
        const tDesignIndexes idx = CurrentDesigns(s);
        QCOMPARE(idx[0], quarter);
        QCOMPARE(idx[3], dollar);
    }

    void cleanStockImageName_data()
    {
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("clean");
        QTest::newRow("blanks inside stay") << "P - Silver Proof" << "P   Proof";
        QTest::newRow("digits and punctuation go") << "Delaware (1999)" << "Delaware";
        QTest::newRow("only the first of each word goes") << "Clad clad Satin" << "clad";
        QTest::newRow("letters outside ASCII go") << QStringLiteral("Jovita Id\u00e1r") << "Jovita Idr";
        QTest::newRow("case of the rest kept") << "  american samoa " << "american samoa";
        QTest::newRow("empty") << "" << "";
    }

    void cleanStockImageName()
    {
        QFETCH(QString, variety);
        QFETCH(QString, clean);
        QCOMPARE(CleanStockImageName(variety), clean);
    }

    void stockPictureNames_data()
    {
        QTest::addColumn<int>("coinType");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("obverse");
        QTest::addColumn<QString>("reverse");
        QTest::newRow("state quarter") << 345 << "Delaware" << "~SQ~Obverse.jpg" << "~SQ~Delaware.jpg";
        QTest::newRow("dollar") << 356 << "John Adams" << "~PD~John Adams.jpg" << "~PD~Reverse.jpg";
        QTest::newRow("park of american samoa in any case")
            << 375 << "american samoa" << "~SQ~ATB Obverse.jpg" << "~SQ~american samoa Park.jpg";
        QTest::newRow("five-ounce park") << 377 << "Yosemite 5 oz" << "~SQ~ATB Obverse.jpg" << "~SQ~Yosemite  oz.jpg";
        QTest::newRow("quarter first-day cover") << 379 << "Ohio" << "~SQ~FDC Ohio.jpg" << "";
        QTest::newRow("dollar first-day cover") << 380 << "John Tyler" << "~PD~FDC John Tyler.jpg" << "";
        QTest::newRow("innovation dollar") << 417 << "Delaware" << "~ID~Delaware.jpg" << "~ID~Reverse.jpg";
        QTest::newRow("women quarters have no stock pictures") << 442 << "Sally Ride" << "" << "";
        QTest::newRow("other series") << 2001 << "Delaware" << "" << "";
    }

    void stockPictureNames()
    {
        QFETCH(int, coinType);
        QFETCH(QString, variety);
        QFETCH(QString, obverse);
        QFETCH(QString, reverse);
        const tStockPictures p = StockPictureNames(coinType, variety);
        QCOMPARE(p.Obverse, obverse);
        QCOMPARE(p.Reverse, reverse);
    }

    void thumbnails_data()
    {
        QTest::addColumn<int>("coinType");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("ownObverse");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("obverse");  // file under the picture folder, or the label
        QTest::addColumn<QString>("reverse");
        const QString noObv = QStringLiteral("No\nObverse\nImage"), noRev = QStringLiteral("No\nReverse\nImage");
        QTest::newRow("state quarter without pictures shows the stock")
            << 345 << 1999 << "Delaware" << "" << true << "United States/State Quarters/Obverse.jpg"
            << "United States/State Quarters/Delaware.jpg";
        QTest::newRow("entry naming no design gets no stock") << 345 << 0 << "" << "" << true << noObv << noRev;
        QTest::newRow("closed strip shows the labels") << 345 << 1999 << "Delaware" << "" << false << noObv << noRev;
        QTest::newRow("own picture wins") << 345 << 1999 << "Delaware" << "own/front.png" << true << "own/front.png"
                                          << "United States/State Quarters/Delaware.jpg";
        QTest::newRow("own picture found ignoring case") << 2001 << 1990 << "" << "OWN/Front.PNG" << true
                                                         << "own/front.png" << noRev;
        QTest::newRow("missing stock file") << 345 << 1999 << "Nowhere" << "" << true
                                            << "United States/State Quarters/Obverse.jpg" << noRev;
        QTest::newRow("pdf attachment shows the label") << 2001 << 1990 << "" << "own/receipt.pdf" << true << noObv
                                                        << noRev;
        QTest::newRow("park of american samoa")
            << 375 << 2020 << "american samoa" << "" << true << "United States/State Quarters/ATB Obverse.jpg"
            << "United States/State Quarters/American Samoa Park.jpg";
    }

    void thumbnails()
    {
        QFETCH(int, coinType);
        QFETCH(int, year);
        QFETCH(QString, variety);
        QFETCH(QString, ownObverse);
        QFETCH(bool, open);
        QFETCH(QString, obverse);
        QFETCH(QString, reverse);
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        for (const char *f : {"United States/State Quarters/Obverse.jpg", "United States/State Quarters/Delaware.jpg",
                              "United States/State Quarters/ATB Obverse.jpg",
                              "United States/State Quarters/American Samoa Park.jpg", "own/front.png",
                              "own/receipt.pdf"})
            WriteTestFile(root + QString::fromLatin1(f), PngBytes(Qt::green));
        tMainState s;
        s.FolderImagesRedirect = root;
        tCoinInfo e;
        e.CoinType = coinType;
        e.Year = year;
        e.Variety = variety;
        if (!ownObverse.isEmpty())
            e.Obverse = root + ownObverse;
        const tThumbnails t = ChooseThumbnails(s, &e, open);
        auto shown = [&](const tThumbnailSide &side) {
            return side.File.isEmpty() ? side.Label : side.File.mid(root.size());
        };
        QCOMPARE(shown(t.Obverse), obverse);
        QCOMPARE(shown(t.Reverse), reverse);
        const tThumbnails none = ChooseThumbnails(s, nullptr, true);
        QVERIFY(none.Obverse.File.isEmpty() && !none.Obverse.Label.isEmpty());
    }
};

QTEST_MAIN(tst_SpecialSeries)
#include "tst_specialseries.moc"
