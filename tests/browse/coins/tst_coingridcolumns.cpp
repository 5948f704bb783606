#include <QtTest>

#include <QImage>
#include <QPainter>

#include "browse/coins/coingridcells.h"
#include "browse/coins/coingridcolumns.h"
#include "browse/coins/coingridheader.h"
#include "support/coinfixture.h"

namespace {

QString Order(const tColumnLayout &l)
{
    QStringList out;
    for (const tGridColumn &c : l.Columns)
        out << QString::number(c.OriginalIndex);
    return out.join(QLatin1Char(' '));
}

// The given columns first, then every other column of 0..count-1 in order.
QString FirstThenRest(const QList<int> &first, int count)
{
    QStringList out;
    for (int i : first)
        out << QString::number(i);
    for (int i = 0; i < count; ++i)
        if (!first.contains(i))
            out << QString::number(i);
    return out.join(QLatin1Char(' '));
}

tColumnLayout Fresh(int udfCount)
{
    tColumnLayout l;
    l.Setup(udfCount);
    return l;
}

const QString ResetWithOneField = QStringLiteral(
    "0,80,1,80,2,80,3,80,4,140,5,80,6,100,7,80,8,80,9,80,10,80,11,100,12,100,13,100,14,100,15,120,16,200,17,80,"
    "18,80,19,120,20,120,21,140,22,140,23,140,24,100");

} // namespace

class tst_CoinGridColumns : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newColumnsTakeTheResetLayout() { QCOMPARE(Fresh(1).Pack(), ResetWithOneField); }

    void packAndUnpackRoundTrip()
    {
        tColumnLayout l = Fresh(2);
        l.Move(l.PositionOf(24), 0);
        l.Move(l.PositionOf(ColComment), 5);
        l.Columns[3].Width = 87.9;
        l.Columns[25].Width = 0;
        const QString packed = l.Pack();
        QVERIFY(packed.startsWith(QLatin1String("24,100,0,80,1,80,2,87,")));

        tColumnLayout read = Fresh(2);
        read.Unpack(packed);
        QCOMPARE(read.Pack(), packed);
        const std::vector<tGridColumn> once = read.Columns;
        read.Unpack(packed);
        QVERIFY(read.Columns == once);
        QCOMPARE(tColumnLayout().Pack(), QString());
    }

    void unpack_data()
    {
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QList<int>>("widths");  // OriginalIndex, width pairs to check
        QTest::newRow("one pair moves its column first") << 0 << "5,90" << FirstThenRest({5}, 24)
                                                         << QList<int>{5, 90, 0, 80, 4, 140};
        QTest::newRow("empty string") << 0 << "" << FirstThenRest({}, 24) << QList<int>{0, 80};
        QTest::newRow("a single item") << 0 << "5" << FirstThenRest({}, 24) << QList<int>{5, 80};
        QTest::newRow("an odd last item is ignored") << 0 << "5,90,7" << FirstThenRest({5}, 24)
                                                     << QList<int>{5, 90, 7, 80};
        QTest::newRow("unreadable numbers read as 0")
            << 0 << "x,50,3,abc" << FirstThenRest({0, 3}, 24) << QList<int>{0, 50, 3, 0};
        QTest::newRow("a sign is no digit") << 0 << "4,-60" << FirstThenRest({4}, 24) << QList<int>{4, 0};
        QTest::newRow("a width with blanks and a fraction") << 0 << "2, 61.7" << FirstThenRest({2}, 24)
                                                            << QList<int>{2, 61};
        QTest::newRow("pairs of fields that no longer exist are skipped")
            << 2 << "0,80,24,111,25,112,26,113,1,99" << "0 24 25 2 1 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23"
            << QList<int>{24, 111, 25, 112, 1, 99};
        QTest::newRow("places past the end go to the last place")
            << 0 << "30,1,31,1,32,1,33,1,34,1,35,1,36,1,37,1,38,1,39,1,40,1,41,1,42,1,43,1,44,1,45,1,46,1,47,1,48,1,"
                    "49,1,50,1,51,1,52,1,53,1,7,70,3,30"
            << "0 1 2 4 5 6 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 7 3"
            << QList<int>{7, 70, 3, 30};
        QTest::newRow("a huge width saturates") << 0 << "1,99999999999999" << FirstThenRest({1}, 24)
                                                << QList<int>{1, 2147483647};
    }
    void unpack()
    {
        QFETCH(int, fields);
        QFETCH(QString, data);
        QFETCH(QString, order);
        QFETCH(QList<int>, widths);
        tColumnLayout l = Fresh(fields);
        l.Unpack(data);
        QCOMPARE(Order(l), order);
        for (int i = 0; i + 1 < widths.size(); i += 2)
            QCOMPARE(l.Columns[l.PositionOf(widths[i])].Width, double(widths[i + 1]));
        // Whatever the string, every column is still there once.
        QCOMPARE(l.Count(), FixedColumnCount + fields);
        for (int i = 0; i < l.Count(); ++i)
            QVERIFY(l.PositionOf(i) >= 0);
    }

    void unpackNeedsMoreThanOneColumn()
    {
        tColumnLayout l;
        l.Columns = {{0, 80}};
        l.Unpack(QStringLiteral("0,10"));
        QCOMPARE(l.Columns[0].Width, 80.0);
    }

    void resetRestoresOrderAndWidths()
    {
        tColumnLayout l = Fresh(1);
        l.Move(l.PositionOf(24), 0);
        l.Move(l.PositionOf(ColYear), 20);
        for (tGridColumn &c : l.Columns)
            c.Width = 33;
        l.Reset();
        QCOMPARE(l.Pack(), ResetWithOneField);
    }

    void oldFileWidthsGoByScreenPosition()
    {
        tColumnLayout l = Fresh(1);
        l.Move(l.PositionOf(ColVariety), 0);
        l.ResetOldFileWidths();
        QCOMPARE(l.Columns[0].Width, 75.0);  // Variety at position 0
        QCOMPARE(l.Columns[4].Width, 132.0);
        QCOMPARE(l.Columns[23].Width, 100.0);
        QCOMPARE(l.Columns[24].Width, 100.0);
        l.Columns[24].Width = 7;
        l.ResetOldFileWidths();
        QCOMPARE(l.Columns[24].Width, 7.0);
    }

    void setupRebuildsOnlyTheFieldColumns()
    {
        tColumnLayout l = Fresh(3);
        l.Move(l.PositionOf(ColMint), 0);
        l.Columns[0].Width = 55;
        l.Move(l.PositionOf(25), 1);
        l.Setup(2);
        QCOMPARE(Order(l), FirstThenRest({3}, 26));
        QCOMPARE(l.Columns[0].Width, 55.0);
        QCOMPARE(l.Columns[25].Width, 100.0);
        l.Setup(0);
        QCOMPARE(l.Count(), 24);
    }

    void titles_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("title");
        QTest::newRow("first key") << int(ColGrade) << 0 << "Grade\u2776";
        QTest::newRow("second key") << int(ColYear) << 0 << "Year\u2777";
        QTest::newRow("third key is a field") << 24 << 0 << "Mintmark\u2778";
        QTest::newRow("no key") << int(ColDateSold) << 0 << "Date sold";
        QTest::newRow("mint of coins") << int(ColMint) << 0 << "Mint";
        QTest::newRow("bank of paper money") << int(ColMint) << int(PaperMoneyShape) << "Bank";
        QTest::newRow("field past the list") << 25 << 0 << "";
    }
    void titles()
    {
        QFETCH(int, column);
        QFETCH(int, shape);
        QFETCH(QString, title);
        auto s = NewCoinState();
        AddField(*s, UDFTextBox, QStringLiteral("Mintmark"));
        s->CoinSortOrder = {ColGrade, ColYear, 24};
        s->SelectedTreeNode->CoinShape = static_cast<uint8_t>(shape);
        QCOMPARE(CoinColumnTitle(*s, column), title);
    }

    void raisedHeaderColours()
    {
        QImage img(100, 40, QImage::Format_ARGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            Draw3DColumnHeader(QString(), p, QRectF(0, 0, 100, 40), HeaderFontSize);
        }
        QCOMPARE(img.pixelColor(50, 20), QColor(0xDC, 0xDC, 0xDC));
        QCOMPARE(img.pixelColor(50, 1), QColor(0xFA, 0xF0, 0xE6));
        QCOMPARE(img.pixelColor(1, 20), QColor(0xFA, 0xF0, 0xE6));
        QCOMPARE(img.pixelColor(98, 20), QColor(0x70, 0x80, 0x90));
        QCOMPARE(img.pixelColor(50, 38), QColor(0x70, 0x80, 0x90));
    }
};

QTEST_MAIN(tst_CoinGridColumns)
#include "tst_coingridcolumns.moc"
