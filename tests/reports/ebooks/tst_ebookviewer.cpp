// The eBooks page's rules: search order, search history, zoom and fit,
// flattened bookmarks, and the order and size of printed sheets.
#include <QStandardItemModel>
#include <QtTest>

#include "reports/ebooks/ebookviewer.h"

namespace {

// A book of page texts; find answers as the page's text search does.
struct tBook {
    QStringList Pages;
    QString Text;
    int Visited = 0;
    int find(int page, int from)
    {
        ++Visited;
        return FindOnPage(Pages.value(page - 1), Text, from);
    }
};

} // namespace

class tst_EbookViewer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findOnPageIgnoresCase()
    {
        QCOMPARE(FindOnPage(QStringLiteral("Half Dollar ABC abc"), QStringLiteral("abc"), 0), 12);
        QCOMPARE(FindOnPage(QStringLiteral("Half Dollar ABC abc"), QStringLiteral("abc"), 13), 16);
        QCOMPARE(FindOnPage(QStringLiteral("Half Dollar"), QStringLiteral("cent"), 0), -1);
        QCOMPARE(FindOnPage(QStringLiteral("x"), QString(), 0), -1);
    }

    // Pressing search again and again: both hits on the shown page, then on
    // to the later pages, and never back to the start.
    void searchOrder()
    {
        tBook book{{QStringLiteral("abc"), QStringLiteral("one abc two ABC"), QStringLiteral("none"),
                    QStringLiteral("last abc")},
                   QStringLiteral("abc")};
        auto find = [&book](int p, int f) { return book.find(p, f); };
        QList<QPair<int, int>> hits;
        int page = 2;
        int shown = -1;
        for (int press = 0; press < 4; ++press) {
            const tEbookSearchHit hit = SearchEbook(4, page, shown, 3, find, {});
            if (!hit.Found) {
                hits.append({0, -1});
                break;
            }
            hits.append({hit.Page, hit.Start});
            page = hit.Page;
            shown = hit.Start;
        }
        QCOMPARE(hits, (QList<QPair<int, int>>{{2, 4}, {2, 12}, {4, 5}, {0, -1}}));
    }

    void searchCancelsBetweenPages()
    {
        tBook book{{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("zzz")},
                   QStringLiteral("zzz")};
        QList<int> progress;
        const tEbookSearchHit hit = SearchEbook(
            4, 1, -1, 3, [&book](int p, int f) { return book.find(p, f); },
            [&progress](int done) {
                progress << done;
                return done == 2;
            });
        QVERIFY(!hit.Found);
        QVERIFY(hit.Cancelled);
        QCOMPARE(progress, (QList<int>{1, 2}));
        QCOMPARE(book.Visited, 2);  // pages 1 and 2; page 3 was never read
    }

    void searchHistory()
    {
        QStringList history{QStringLiteral("cent"), QStringLiteral(" abc "), QStringLiteral("dime")};
        AddSearchHistory(history, QStringLiteral("  ABC "));
        QCOMPARE(history, (QStringList{"ABC", "cent", "dime"}));
        for (int i = 0; i < 20; ++i)
            AddSearchHistory(history, QStringLiteral("word %1").arg(i));
        QCOMPARE(history.size(), EbookSearchHistoryMax);
        QCOMPARE(history.first(), QStringLiteral("word 19"));
        QCOMPARE(history.last(), QStringLiteral("word 4"));
    }

    void zoom_data()
    {
        QTest::addColumn<bool>("width");
        QTest::addColumn<int>("area");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<double>("zoom");
        // 96 pixels per inch: a 72-point page is 96 pixels.
        QTest::newRow("fit width") << true << 224 << QSizeF(72, 144) << 2.0;
        QTest::newRow("fit height") << false << 192 << QSizeF(72, 144) << 1.0;
        QTest::newRow("landscape page in a narrow area") << true << 100 << QSizeF(2000, 300) << 0.25;
        QTest::newRow("tall page in a huge area") << false << 100000 << QSizeF(72, 72) << 8.0;
        QTest::newRow("page without size") << true << 500 << QSizeF(0, 0) << 0.25;
    }
    void zoom()
    {
        QFETCH(bool, width);
        QFETCH(int, area);
        QFETCH(QSizeF, page);
        QFETCH(double, zoom);
        const double got = width ? FitWidthZoom(area, page, 96) : FitHeightZoom(area, page, 96);
        QCOMPARE(got, zoom);
    }

    void viewSize()
    {
        QCOMPARE(EbookViewSize(0.5, QSizeF(144, 72), 0, 96), QSize(96, 48));
        QCOMPARE(EbookViewSize(0.5, QSizeF(144, 72), 90, 96), QSize(48, 96));
        QCOMPARE(ClampEbookZoom(100), 8.0);
        QCOMPARE(ClampEbookZoom(0.01), 0.25);
    }

    void bookmarksFlattenDepthFirst()
    {
        QStandardItemModel model;
        constexpr int TitleRole = Qt::UserRole;
        constexpr int PageRole = Qt::UserRole + 1;
        auto item = [](const QString &title, int page) {
            auto *i = new QStandardItem;
            i->setData(title, TitleRole);
            i->setData(page, PageRole);
            return i;
        };
        QStandardItem *coins = item(QStringLiteral("Coins"), 0);
        QStandardItem *cents = item(QStringLiteral("Cents"), 2);
        cents->appendRow(item(QStringLiteral("Large cents"), 3));
        coins->appendRow(cents);
        coins->appendRow(item(QStringLiteral("Dimes"), 5));
        model.appendRow(coins);
        model.appendRow(item(QStringLiteral("Notes"), 5));
        const std::vector<tEbookBookmark> marks = FlattenBookmarks(model, TitleRole, PageRole);
        QStringList titles;
        QList<int> pages;
        for (const tEbookBookmark &m : marks) {
            titles << m.Title;
            pages << m.Page;
        }
        QCOMPARE(titles, (QStringList{"Coins", "Cents", "Large cents", "Dimes", "Notes"}));
        QCOMPARE(pages, (QList<int>{1, 3, 4, 6, 6}));
        QCOMPARE(BookmarkForPage(marks, 6), 3);  // the first of two
        QCOMPARE(BookmarkForPage(marks, 2), -1);
        QStandardItemModel empty;
        QVERIFY(FlattenBookmarks(empty, TitleRole, PageRole).empty());
    }

    void sheetOrder_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<QList<int>>("sheets");
        QTest::newRow("collated") << 3 << 5 << 2 << true << QList<int>{3, 4, 5, 3, 4, 5};
        QTest::newRow("not collated") << 3 << 5 << 2 << false << QList<int>{3, 3, 4, 4, 5, 5};
        QTest::newRow("one page one copy") << 2 << 2 << 1 << true << QList<int>{2};
        QTest::newRow("reversed range") << 5 << 3 << 1 << true << QList<int>{};
    }
    void sheetOrder()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(QList<int>, sheets);
        const std::vector<int> got = PrintSheetOrder(from, to, copies, collate);
        QCOMPARE(QList<int>(got.begin(), got.end()), sheets);
    }

    void printBitmap_data()
    {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QSize>("bitmap");
        QTest::newRow("small portrait stays") << QSize(4960, 7016) << QSize(4960, 7016);
        QTest::newRow("tall page capped") << QSize(8000, 16000) << QSize(4096, 8192);
        QTest::newRow("wide page capped") << QSize(20000, 10000) << QSize(8192, 4096);
    }
    void printBitmap()
    {
        QFETCH(QSize, page);
        QFETCH(QSize, bitmap);
        QCOMPARE(PrintBitmapSize(page), bitmap);
    }

    void pageFitsThePaperKeepingItsShape()
    {
        // A landscape page on portrait paper: full width, centred vertically.
        const QRectF r = FitPageRect(QSizeF(200, 100), QRectF(0, 0, 1000, 2000));
        QCOMPARE(r, QRectF(0, 750, 1000, 500));
        const QRectF tall = FitPageRect(QSizeF(100, 400), QRectF(0, 0, 1000, 2000));
        QCOMPARE(tall, QRectF(250, 0, 500, 2000));
    }
};

QTEST_GUILESS_MAIN(tst_EbookViewer)
#include "tst_ebookviewer.moc"
