#include <QtTest>

#include "browse/shell/largefonts.h"

namespace {

constexpr int tLargeFontSizes::*Fields[] = {
    &tLargeFontSizes::EditorLabels,    &tLargeFontSizes::TabCaptions,       &tLargeFontSizes::MetalLabels,
    &tLargeFontSizes::ReportCornerButtons, &tLargeFontSizes::ReportListCaption, &tLargeFontSizes::SlideStripWidth,
    &tLargeFontSizes::SlideStripFont,  &tLargeFontSizes::ReportDescription, &tLargeFontSizes::CaptionLineHeight,
    &tLargeFontSizes::GridRowHeight,   &tLargeFontSizes::GridFont,          &tLargeFontSizes::BinCount,
};

} // namespace

// The sizes "Use large fonts" switches between.
class tst_LargeFonts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pairs_data()
    {
        QTest::addColumn<int>("index");  // index in Fields
        QTest::addColumn<int>("normal");
        QTest::addColumn<int>("large");
        QTest::newRow("editor labels") << 0 << 12 << 16;
        QTest::newRow("tab captions") << 1 << 12 << 18;
        QTest::newRow("metal prices") << 2 << 14 << 20;
        QTest::newRow("report corner buttons") << 3 << 16 << 20;
        QTest::newRow("available reports") << 4 << 18 << 22;
        QTest::newRow("slide strips") << 5 << 24 << 36;
        QTest::newRow("slide strip labels") << 6 << 12 << 18;
        QTest::newRow("report description") << 7 << 16 << 24;
        QTest::newRow("caption line") << 8 << 29 << 34;
        QTest::newRow("grid rows") << 9 << 32 << 48;
        QTest::newRow("grid text") << 10 << 16 << 32;
        QTest::newRow("report bin count") << 11 << 18 << 22;
    }
    void pairs()
    {
        QFETCH(int, index);
        const int tLargeFontSizes::*field = Fields[index];
        QFETCH(int, normal);
        QFETCH(int, large);
        QCOMPARE(LargeFontSizes(false).*field, normal);
        QCOMPARE(LargeFontSizes(true).*field, large);
    }

    void toggledTwiceComesBack()
    {
        bool large = false;
        const tLargeFontSizes start = LargeFontSizes(large);
        large = !large;
        QVERIFY(LargeFontSizes(large) != start);
        QVERIFY(LargeFontSizes(large).GridBold);
        large = !large;
        QCOMPARE(LargeFontSizes(large), start);
        QVERIFY(!start.GridBold);
    }
};

QTEST_MAIN(tst_LargeFonts)
#include "tst_largefonts.moc"
