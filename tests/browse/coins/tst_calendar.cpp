#include <QtTest>

#include "core/model/dates.h"
#include "browse/coins/calendar.h"

namespace {

int Day(int y, int m, int d)
{
    return DateToDay(QDate(y, m, d));
}

} // namespace

class tst_Calendar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsRunSundayFirst_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        // March 2025 begins on a Saturday: its days fill slots 7 to 37.
        QTest::newRow("first day on a Saturday") << 2025 << 3 << 1 << 7 << 6 << 0;
        QTest::newRow("day 31 in the sixth row") << 2025 << 3 << 31 << 37 << 1 << 5;
        // June 2025 begins on a Sunday.
        QTest::newRow("first day on a Sunday") << 2025 << 6 << 1 << 1 << 0 << 0;
        QTest::newRow("Saturday closes the row") << 2025 << 6 << 7 << 7 << 6 << 0;
        QTest::newRow("Sunday opens the next") << 2025 << 6 << 8 << 8 << 0 << 1;
        // January 2026 begins on a Thursday.
        QTest::newRow("first day on a Thursday") << 2026 << 1 << 1 << 5 << 4 << 0;
    }
    void cellsRunSundayFirst()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, slot);
        QFETCH(int, column);
        QFETCH(int, row);
        QCOMPARE(CalendarSlot(year, month, day), slot);
        const tCellPlace p = CalendarCellPlace(year, month, day);
        QCOMPARE(p.Column, column);
        QCOMPARE(p.Row, row);
    }

    void monthArrowsWrapTheYear()
    {
        tCalendarState c = CalendarOpenAt(Day(2024, 1, 15), Day(2030, 6, 1));
        CalendarPreviousMonth(c);
        QCOMPARE(c.ShownMonth, 12);
        QCOMPARE(c.ShownYear, 2023);
        CalendarNextMonth(c);
        CalendarNextMonth(c);
        QCOMPARE(c.ShownMonth, 2);
        QCOMPARE(c.ShownYear, 2024);
        c.ShownMonth = 12;
        CalendarNextMonth(c);
        QCOMPARE(c.ShownMonth, 1);
        QCOMPARE(c.ShownYear, 2025);
        QCOMPARE(c.PickedDay, 15);  // the arrows leave the picked day alone
    }

    void opensOnTheBoxDateOrToday()
    {
        const tCalendarState box = CalendarOpenAt(Day(2023, 7, 4), Day(2030, 6, 1));
        QCOMPARE(box.RefYear, 2023);
        QCOMPARE(box.RefMonth, 7);
        QCOMPARE(box.RefDay, 4);
        QCOMPARE(box.PickedDay, 4);
        const tCalendarState none = CalendarOpenAt(0, Day(2030, 6, 1));
        QCOMPARE(none.ShownYear, 2030);
        QCOMPARE(none.ShownMonth, 6);
        QCOMPARE(none.RefDay, 1);
    }

    void referenceDayOnlyInItsOwnMonth()
    {
        tCalendarState c = CalendarOpenAt(Day(2024, 5, 9), Day(2030, 6, 1));
        QVERIFY(CalendarIsReferenceDay(c, 9));
        QVERIFY(!CalendarIsReferenceDay(c, 10));
        CalendarNextMonth(c);
        QVERIFY(!CalendarIsReferenceDay(c, 9));
        c.ShownMonth = 5;
        c.ShownYear = 2025;  // the same month a year on
        QVERIFY(!CalendarIsReferenceDay(c, 9));
    }

    void resultDayClampsToTheShownMonth_data()
    {
        QTest::addColumn<int>("picked");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("result");
        QTest::newRow("day 15") << 15 << 2024 << 2 << Day(2024, 2, 15);
        QTest::newRow("31 in February of a leap year") << 31 << 2024 << 2 << Day(2024, 2, 29);
        QTest::newRow("31 in February") << 31 << 2023 << 2 << Day(2023, 2, 28);
        QTest::newRow("31 in April") << 31 << 2023 << 4 << Day(2023, 4, 30);
    }
    void resultDayClampsToTheShownMonth()
    {
        QFETCH(int, picked);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, result);
        tCalendarState c = CalendarOpenAt(Day(2023, 1, 31), Day(2030, 6, 1));
        c.PickedDay = picked;
        c.ShownYear = year;
        c.ShownMonth = month;
        QCOMPARE(CalendarResultDay(c), result);
    }

    void monthNames()
    {
        QCOMPARE(CalendarMonthName(1), QStringLiteral("January"));
        QCOMPARE(CalendarMonthName(12), QStringLiteral("December"));
        QCOMPARE(CalendarMonthName(13), QString());
    }
};

QTEST_GUILESS_MAIN(tst_Calendar)
#include "tst_calendar.moc"
