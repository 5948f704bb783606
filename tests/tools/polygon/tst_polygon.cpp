#include <QtTest>

#include "tools/polygon/polygon.h"

// The polygon coin calculator's measures and its lines under the regional
// decimal separators a collector may run.
class tst_polygon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void measurement_data();
    void measurement();
    void memo_data();
    void memo();
    void diameterEqualsPointToPoint();
    void choices();
    void picture();
};

void tst_polygon::measurement_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("zero point zero") << "0.0" << 0.0;
    QTest::newRow("second point ends the number") << "12.5.3" << 12.5;
    QTest::newRow("trailing point") << "7." << 7.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("whole") << "30" << 30.0;
}

void tst_polygon::measurement()
{
    QFETCH(QString, typed);
    QFETCH(double, value);
    QCOMPARE(ReadMeasurement(typed), value);
}

void tst_polygon::memo_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("sides");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("mode");
    // Lines 1, 2, 5, 6, 7, 12, 13, 14, 19, 20 (0-based below).
    QTest::addColumn<QStringList>("lines");
    for (const char *name : {"en_US", "de_DE", "C"}) {
        const QString loc = QString::fromLatin1(name);
        const QString sep = QLocale(loc).decimalPoint();
        auto n = [&](const char *v) { return QString::fromLatin1(v).replace(QLatin1Char('.'), sep); };
        QTest::addRow("square side to side, %s", name)
            << loc << 4 << "20" << int(PolygonSideToSide)
            << QStringList{"A 4 sided polygon measuring " + n("20.00") + "mm side to side:",
                           "The outer diameter (the coin's circular holder size) is " + n("28.28") + "mm",
                           "The length of each side is 20mm", "The circumference is 80mm",
                           "The area of the coin's surfaces is 400 square mm",
                           "The radius of the outer circle is " + n("14.14") + "mm",
                           "The area of the outer circle is " + n("628.32") + " square mm",
                           "The coin covers " + n("63.7") + "% of the outer circle",
                           "The radius of the inner circle is 10mm",
                           "The area of the inner circle is " + n("314.16") + " square mm"};
        QTest::addRow("dodecagon point to point, %s", name)
            << loc << 12 << "30" << int(PolygonPointToPoint)
            << QStringList{"A 12 sided polygon measuring " + n("30.00") + "mm point to point:",
                           "The outer diameter (the coin's circular holder size) is 30mm",
                           "The length of each side is " + n("7.76") + "mm",
                           "The circumference is " + n("93.17") + "mm",
                           "The area of the coin's surfaces is 675 square mm",
                           "The radius of the outer circle is 15mm",
                           "The area of the outer circle is " + n("706.86") + " square mm",
                           "The coin covers " + n("95.5") + "% of the outer circle",
                           "The radius of the inner circle is " + n("14.49") + "mm",
                           "The area of the inner circle is " + n("659.51") + " square mm"};
        QTest::addRow("heptagon point to side, %s", name)
            << loc << 7 << "25" << int(PolygonPointToSide)
            << QStringList{"A 7 sided polygon measuring " + n("25.00") + "mm point to side:",
                           "The outer diameter (the coin's circular holder size) is " + n("26.3") + "mm",
                           "The length of each side is " + n("11.41") + "mm",
                           "The circumference is " + n("79.89") + "mm",
                           "The area of the coin's surfaces is " + n("473.27") + " square mm",
                           "The radius of the outer circle is " + n("13.15") + "mm",
                           QString(), QString(),
                           "The radius of the inner circle is " + n("11.85") + "mm", QString()};
    }
}

void tst_polygon::memo()
{
    QFETCH(QString, locale);
    QFETCH(int, sides);
    QFETCH(QString, typed);
    QFETCH(int, mode);
    QFETCH(QStringList, lines);
    const QStringList memo = PolygonMemo(sides, typed, static_cast<tPolygonMode>(mode), QLocale(locale));
    QCOMPARE(memo.size(), 20);
    const int at[] = {0, 1, 4, 5, 6, 11, 12, 13, 18, 19};
    for (int i = 0; i < 10; ++i)
        if (!lines[i].isEmpty())
            QCOMPARE(memo[at[i]], lines[i]);
    QCOMPARE(memo[2], QStringLiteral("         --------------------------------"));
    QCOMPARE(memo[9], QStringLiteral("       The outer circle, also refered to as the circumcircle,"));
}

void tst_polygon::diameterEqualsPointToPoint()
{
    const QStringList byPoints = PolygonMemo(8, "31.5", PolygonPointToPoint, QLocale::c());
    const QStringList byDiameter = PolygonMemo(8, "31.5", PolygonDiameter, QLocale::c());
    QCOMPARE(byDiameter.mid(1), byPoints.mid(1));
    QCOMPARE(byDiameter[0], QStringLiteral("A 8 sided polygon measuring 31.50mm in diameter:"));
    QCOMPARE(PolygonMemo(8, "0.0", PolygonDiameter, QLocale::c()),
             QStringList{QStringLiteral("Enter a measurement to proceed.")});
}

void tst_polygon::choices()
{
    const QList<tPolygonChoice> even = PolygonChoices(6);
    QCOMPARE(even.size(), 3);
    QCOMPARE(even[0].Caption, QStringLiteral("Point-to-Point"));
    QCOMPARE(even[1].Mode, PolygonSideToSide);
    const QList<tPolygonChoice> odd = PolygonChoices(9);
    QCOMPARE(odd.size(), 2);
    QCOMPARE(odd[0].Mode, PolygonPointToSide);
    QCOMPARE(odd[1].Mode, PolygonDiameter);
    QCOMPARE(PolygonNames().size(), 18);
    QCOMPARE(PolygonNames().last(), QStringLiteral("20 sides (Icosagon)"));
}

void tst_polygon::picture()
{
    // The picture shows the polygon in red, its circles in blue and green.
    const QImage image = PolygonPicture(5, 256);
    QCOMPARE(image.size(), QSize(256, 256));
    bool red = false, blue = false, green = false;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QColor c = image.pixelColor(x, y);
            red |= c.red() > 180 && c.green() < 60 && c.blue() < 60;
            blue |= c.blue() > 180 && c.red() < 60 && c.green() < 60;
            green |= c.green() > 120 && c.red() < 60 && c.blue() < 60;
        }
    QVERIFY(red && blue && green);
}

QTEST_GUILESS_MAIN(tst_polygon)
#include "tst_polygon.moc"
