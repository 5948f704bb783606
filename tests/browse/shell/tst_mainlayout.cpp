#include <QtTest>

#include "browse/shell/mainlayout.h"

namespace {
// Controls as the Image side page sizes them.
const QSizeF ViewSizeBtn(110, 32);
const QSizeF FavoriteBox(120, 20);
const QSizeF PictureLabel(70, 20);
} // namespace

class tst_MainLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coinLayout_data()
    {
        QTest::addColumn<QSizeF>("panel6");
        QTest::addColumn<bool>("sideBySide");
        QTest::addColumn<QRect>("panel1");
        QTest::addColumn<QRect>("panel2");
        QTest::addColumn<QPoint>("obverseLabel");
        QTest::addColumn<QPoint>("reverseLabel");
        QTest::addColumn<QPoint>("viewSizeBtn");
        QTest::addColumn<QPoint>("favoriteBox");
        QTest::addColumn<QPoint>("stackPicker");
        // 254 leaves exactly 24 beside the two buttons: stacked. The panel is
        // tall and narrow, so the pictures are capped at W - 16.
        QTest::newRow("exactly 24 spare: stacked, capped") << QSizeF(254, 700) << false << QRect(8, 8, 238, 238)
                                                           << QRect(8, 286, 238, 238) << QPoint(92, 250)
                                                           << QPoint(92, 528) << QPoint(72, 560) << QPoint(67, 600)
                                                           << QPoint(72, 600);
        QTest::newRow("25 spare: side by side") << QSizeF(255, 700) << true << QRect(8, 8, 239, 239)
                                                << QRect(8, 287, 239, 239) << QPoint(92, 251) << QPoint(92, 530)
                                                << QPoint(136, 562) << QPoint(8, 568) << QPoint(8, 562);
        QTest::newRow("short wide panel: height decides") << QSizeF(400, 500) << true << QRect(107, 8, 186, 186)
                                                          << QRect(107, 234, 186, 186) << QPoint(165, 198)
                                                          << QPoint(165, 424) << QPoint(209, 456)
                                                          << QPoint(81, 462) << QPoint(81, 456);
        QTest::newRow("narrower than a button: kept 2 from the edge")
            << QSizeF(100, 700) << false << QRect(8, 8, 84, 84) << QRect(8, 132, 84, 84) << QPoint(15, 96)
            << QPoint(15, 220) << QPoint(2, 252) << QPoint(2, 292) << QPoint(2, 292);
        QTest::newRow("squeezed flat: no negative pictures")
            << QSizeF(300, 90) << true << QRect(150, 8, 0, 0) << QRect(150, 48, 0, 0) << QPoint(115, 12)
            << QPoint(115, 52) << QPoint(159, 84) << QPoint(31, 90) << QPoint(31, 84);
    }
    void coinLayout()
    {
        QFETCH(QSizeF, panel6);
        const tCoinLayout l = ComputeCoinLayout({panel6, ViewSizeBtn, FavoriteBox, PictureLabel, PictureLabel});
        QTEST(l.SideBySide, "sideBySide");
        QTEST(l.Pictures.ObversePanel, "panel1");
        QTEST(l.Pictures.ReversePanel, "panel2");
        QTEST(l.Pictures.ObverseLabel, "obverseLabel");
        QTEST(l.Pictures.ReverseLabel, "reverseLabel");
        QTEST(l.ViewSizeBtn, "viewSizeBtn");
        QTEST(l.FavoriteBox, "favoriteBox");
        QTEST(l.StackPicker, "stackPicker");
    }

    // The real-size view's picker with "Show legend" is wider than the
    // favourite box it replaces: it never covers View Size.
    void stackPickerBesideOrBelowViewSize_data()
    {
        QTest::addColumn<QSizeF>("panel6");
        QTest::addColumn<QSizeF>("picker");
        QTest::addColumn<QPoint>("stackPicker");
        QTest::newRow("room: ends 8 left of the button") << QSizeF(400, 500) << QSizeF(190, 30) << QPoint(11, 456);
        QTest::newRow("wide panel: right-aligned to the button") << QSizeF(600, 500) << QSizeF(200, 30)
                                                                  << QPoint(101, 456);
        QTest::newRow("too wide for the row: a row below, pictures smaller") << QSizeF(300, 500) << QSizeF(200, 30)
                                                                             << QPoint(50, 458);
        QTest::newRow("stacked: kept inside the panel") << QSizeF(254, 700) << QSizeF(200, 30) << QPoint(52, 600);
    }
    void stackPickerBesideOrBelowViewSize()
    {
        QFETCH(QSizeF, panel6);
        QFETCH(QSizeF, picker);
        const tCoinLayout l =
            ComputeCoinLayout({panel6, ViewSizeBtn, FavoriteBox, PictureLabel, PictureLabel, picker});
        QTEST(l.StackPicker, "stackPicker");
        const QRectF pickerRect(l.StackPicker, picker);
        QVERIFY(!pickerRect.intersects(QRectF(l.ViewSizeBtn, ViewSizeBtn)));
        QVERIFY(pickerRect.left() >= 2 && pickerRect.right() <= panel6.width());
        QVERIFY(pickerRect.bottom() <= panel6.height());
    }

    void paperLayoutKeepsTheNoteAspect_data()
    {
        QTest::addColumn<QSizeF>("panel6");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("q");
        // Room for more than 2.25 times the height: full height, p = q * 2.25.
        QTest::newRow("wide: full height") << QSizeF(1200, 200) << 387.0 << 172.0;
        // Otherwise full width, q = p * 0.44444.
        QTest::newRow("narrow: full width") << QSizeF(600, 600) << 288.0 << 288 * 0.44444;
        QTest::newRow("exactly 2.25: full height") << QSizeF(24 + 2 * 225, 128) << 225.0 << 100.0;
    }
    void paperLayoutKeepsTheNoteAspect()
    {
        QFETCH(QSizeF, panel6);
        QFETCH(double, p);
        QFETCH(double, q);
        const QSizeF label(60, 20);
        const tPaperLayout l = ComputePaperLayout({panel6, label, label});
        QCOMPARE(l.ObversePanel, QRectF(8, 1, p, q));
        QCOMPARE(l.ReversePanel, QRectF(8 + p + 8, 1, p, q));
        // Captions centred below each picture.
        QCOMPARE(l.ObverseLabel, QPointF(8 + std::floor((p - 60) / 2), 1 + q));
        QCOMPARE(l.ReverseLabel, QPointF(16 + p + std::floor((p - 60) / 2), 1 + q));
    }

    void paperButtonsSitBelowTheCornerButtons()
    {
        const tPaperButtons b = PlacePaperButtons(124, 152, ViewSizeBtn, FavoriteBox);
        QCOMPARE(b.ViewSizeBtn, QPoint(7, 168));
        QCOMPARE(b.FavoriteBox, QPoint(2, 216));
    }

    void binColumn_data()
    {
        QTest::addColumn<double>("reportWidth");
        QTest::addColumn<QSizeF>("layout9");
        QTest::addColumn<int>("width");
        QTest::addColumn<QRect>("panel8");
        QTest::addColumn<QPoint>("layout9Pos");
        QTest::newRow("a quarter of the report page") << 800.0 << QSizeF(180, 30) << 200 << QRect(8, 8, 184, 184)
                                                      << QPoint(10, 452);
        QTest::newRow("widened to the bin buttons") << 800.0 << QSizeF(260, 30) << 260 << QRect(8, 8, 244, 244)
                                                    << QPoint(0, 572);
    }
    void binColumn()
    {
        QFETCH(double, reportWidth);
        QFETCH(QSizeF, layout9);
        const tBinColumn c = ComputeBinColumn({reportWidth, 600, layout9, PictureLabel, PictureLabel});
        QTEST(c.Width, "width");
        QTEST(c.Pictures.ObversePanel, "panel8");
        QTEST(c.BinButtons, "layout9Pos");
    }

    void themeRowsFillColumnsFirst_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("boxWidth");
        QTest::addColumn<QList<QPoint>>("rows");
        QTest::addColumn<int>("spacerY");
        // Rows of 100 x 24: room for two columns in 30 + 2 * 108.
        QTest::newRow("five themes, two columns: three rows")
            << 5 << 246.0
            << QList<QPoint>{{8, 8}, {8, 40}, {8, 72}, {124, 8}, {124, 40}} << 96;
        QTest::newRow("one short of two columns") << 2 << 245.0 << QList<QPoint>{{8, 8}, {8, 40}} << 64;
        QTest::newRow("too narrow for one: still one column") << 2 << 50.0 << QList<QPoint>{{8, 8}, {8, 40}} << 64;
        QTest::newRow("no named theme") << 0 << 246.0 << QList<QPoint>{} << 0;
    }
    void themeRowsFillColumnsFirst()
    {
        QFETCH(int, count);
        QFETCH(double, boxWidth);
        QFETCH(QList<QPoint>, rows);
        const tThemePlacement p = PlaceThemeRows(count, boxWidth, QSizeF(100, 24));
        QCOMPARE(QList<QPoint>(p.Rows.begin(), p.Rows.end()), rows);
        QTEST(p.SpacerY, "spacerY");
    }

    void pricingHeader_data()
    {
        QTest::addColumn<double>("layout11X");
        QTest::addColumn<bool>("showColumns");
        QTest::addColumn<double>("columnsX");
        QTest::addColumn<double>("buttonsX");
        // PriceListNameLayout 300 wide, PriceColumnsLayout 170, PriceButtonsLayout 400: the two need 570.
        QTest::newRow("room for both: equal gaps") << 1000.0 << true << 300 + 130 / 3.0 << 300 + 2 * 130 / 3.0 + 170;
        QTest::newRow("exactly their width: buttons only") << 870.0 << false << 0.0 << 300 + 85.0;
        QTest::newRow("narrow: buttons centred") << 800.0 << false << 0.0 << 350.0;
    }
    void pricingHeader()
    {
        QFETCH(double, layout11X);
        const tPricingHeader h = PlacePricingHeader(layout11X, 300, 170, 400);
        QTEST(h.ShowColumns, "showColumns");
        if (h.ShowColumns)
            QTEST(h.ColumnsX, "columnsX");
        QTEST(h.ButtonsX, "buttonsX");
    }
};

QTEST_APPLESS_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
