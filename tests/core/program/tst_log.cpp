#include <QtTest>

#include "core/model/currproc.h"
#include "core/program/log.h"
#include "support/recordingstores.h"

class tst_Log : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        LogMode = true;
        LogList.clear();
    }

    void outsideLogModeNothingHappens()
    {
        RecordingClipboard board;
        LogMode = false;
        LogEntry(QStringLiteral("a"));
        LogEntry(QStringLiteral("b"), true);
        QVERIFY(LogList.isEmpty());
        QCOMPARE(board.Writes, 0);
    }

    void entriesAreStampedAndAppendsJoinTheLastLine()
    {
        RecordingClipboard board;
        LogEntry(QStringLiteral("  leading blanks appended"), true);  // empty log: a line of its own
        LogEntry(QStringLiteral("NodePorts.Init"));
        LogEntry(QStringLiteral(" <Done>"), true);
        QCOMPARE(LogList.size(), 2);
        QCOMPARE(LogList[0], QStringLiteral("  leading blanks appended"));
        static const QRegularExpression stamped(
            QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\\.\\d{3}: NodePorts\\.Init <Done>$"));
        QVERIFY2(stamped.match(LogList[1]).hasMatch(), qPrintable(LogList[1]));
        // The month comes first.
        QCOMPARE(LogList[1].left(2).toInt(), QDate::currentDate().month());
    }

    void everyEntryPutsTheWholeLogOnTheClipboard()
    {
        RecordingClipboard board;
        LogEntry(QStringLiteral("one"));
        LogEntry(QStringLiteral("two"));
        LogEntry(QStringLiteral("!"), true);
        QCOMPARE(board.Writes, 3);
        QCOMPARE(board.Text, LogList.join(QLatin1Char('\n')));
        QVERIFY(board.Text.endsWith(QStringLiteral("two!")));
    }

    void theOldestLinesGoBeyond4000()
    {
        RecordingClipboard board;
        for (int i = 1; i <= 4000; ++i)
            LogList << QString::number(i);
        LogEntry(QStringLiteral("4001st"));
        QCOMPARE(LogList.size(), 4001);  // nothing removed yet
        QCOMPARE(LogList.first(), QStringLiteral("1"));
        LogEntry(QStringLiteral("4002nd"));
        QCOMPARE(LogList.size(), 4001);
        QCOMPARE(LogList.first(), QStringLiteral("2"));
        QVERIFY(LogList.last().endsWith(QStringLiteral(": 4002nd")));
        LogEntry(QStringLiteral(" appended"), true);  // an append trims too
        QCOMPARE(LogList.size(), 4000);
        QCOMPARE(LogList.first(), QStringLiteral("3"));
        QCOMPARE(board.Text.count(QLatin1Char('\n')), 3999);
    }

    void withoutAClipboardNothingIsRecorded()
    {
        RecordingClipboard board(false);
        LogEntry(QStringLiteral("lost"));
        QVERIFY(LogList.isEmpty());
        QCOMPARE(board.Writes, 0);
    }

    void loggingLeavesTheBlockNumberAlone()
    {
        RecordingClipboard board;
        CurrProc = 13000;
        LogEntry(QStringLiteral("x"));
        QCOMPARE(CurrProc, 13000);
    }

    void logModeFromTheEnvironment()
    {
        // Offscreen, no key is held: only the variable can turn log mode on.
        qunsetenv("ORVANTA_LOG");
        QVERIFY(!LogModeAtStart());
        qputenv("ORVANTA_LOG", "0");
        QVERIFY(!LogModeAtStart());
        qputenv("ORVANTA_LOG", "1");
        QVERIFY(LogModeAtStart());
        qunsetenv("ORVANTA_LOG");
    }
};

QTEST_MAIN(tst_Log)
#include "tst_log.moc"
