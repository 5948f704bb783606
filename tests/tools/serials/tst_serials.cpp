#include <QtTest>

#include <bit>

#include "core/files/valuestream.h"
#include "tools/serials/serials.h"

// The serial-number explorer: patterns of a serial, the run a note belongs
// to and the "Serials" stream.
namespace {

const QString Rotator = QStringLiteral(
    "a Rotator (aka Flipper) which consists of just the digits 0,1,6,8 and 9 which can be read upside-down");

std::array<int, 8> Digits(int n)
{
    std::array<int, 8> d{};
    for (int i = 7; i >= 0; --i, n /= 10)
        d[static_cast<size_t>(i)] = n % 10;
    return d;
}

tRunInfo Run(int denomination, const char *series, char bank, char suffix, int from, int to, int year, int month,
             int toYear = 0, int toMonth = 0, char at = 'D')
{
    tRunInfo r;
    r.Denomination = static_cast<uint8_t>(denomination);
    r.Series = QString::fromLatin1(series);
    r.Prefix = QLatin1Char(bank);
    r.Suffix = QLatin1Char(suffix);
    r.MinSN = from;
    r.MaxSN = to;
    r.MinYear = static_cast<uint16_t>(year);
    r.MinMonth = static_cast<uint8_t>(month);
    r.MaxYear = static_cast<uint16_t>(toYear);
    r.MaxMonth = static_cast<uint8_t>(toMonth);
    r.PrintedAt = QLatin1Char(at);
    return r;
}

} // namespace

class tst_serials : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns_data();
    void patterns();
    void birthday();
    void messageCountsAreTrue();
    void findRun_data();
    void findRun();
    void printingText();
    void promptUntilEightDigits();
    void streamRoundTrip();
    void streamDamaged_data();
    void streamDamaged();
    void seriesLettersAndSigners();
    void embeddedTableReads();
};

void tst_serials::patterns_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("rule");  // -1 none
    QTest::addColumn<QString>("extra");  // what follows the rule's message
    const QString also = QStringLiteral(" This serial number is also ");
    QTest::newRow("00000000 solid, rotator, not square") << "00000000" << 0 << also + Rotator + ".";
    QTest::newRow("00000002 seven in a row, prime")
        << "00000002" << 1 << also + "one of the 5.8% of notes that is a prime number.";
    QTest::newRow("00000001 seven in a row before binary, no square") << "00000001" << 1 << also + Rotator + ".";
    QTest::newRow("00000049 square alone") << "00000049" << -1 << "This serial number is a perfect square.";
    QTest::newRow("12345678 ladder") << "12345678" << 3 << QString();
    QTest::newRow("87654321 descending ladder") << "87654321" << 4 << QString();
    QTest::newRow("12121212 super repeater over repeater") << "12121212" << 7 << QString();
    QTest::newRow("12211221 radar over repeater") << "12211221" << 6 << QString();
    QTest::newRow("11188111 radar with rotator") << "11188111" << 6 << also + Rotator + ".";
    QTest::newRow("18888881 super radar") << "18888881" << 5 << also + Rotator + ".";
    QTest::newRow("11110000 double quad, rotator") << "11110000" << 9 << also + Rotator + ".";
    QTest::newRow("12312312 three-digit repeater") << "12312312" << 8 << QString();
    QTest::newRow("11111311 seven of a kind") << "11111311" << 2 << also + "one of the 5.8% of notes that is a prime number.";
    QTest::newRow("10101100 true binary") << "10101100" << 10 << also + Rotator + ".";
    QTest::newRow("23233322 binary") << "23233322" << 11 << QString();
    QTest::newRow("prime and rotator")
        << "00000061" << -1 << "This serial number is one of the 5.8% of notes that is a prime number and " + Rotator + ".";
    QTest::newRow("nothing notable") << "12345670" << -1 << "No notable paterns are found in this serial number.";
}

void tst_serials::patterns()
{
    QFETCH(QString, serial);
    QFETCH(int, rule);
    QFETCH(QString, extra);
    QCOMPARE(PatternRule(Digits(serial.toInt())), rule);
    QCOMPARE(PatternText(serial, QDate(2026, 1, 1)), PatternMessage(rule) + extra);
}

void tst_serials::birthday()
{
    const QDate today(2026, 1, 1);
    QCOMPARE(PatternText(QStringLiteral("07041976"), today),
             QStringLiteral("This is a Birthday Note for 07/04/1976."));
    QCOMPARE(PatternText(QStringLiteral("12252030"), today),
             QStringLiteral("This will become a Birthday Note on 12/25/2030."));
    // After a pattern, two line breaks: 11/11/1811 is a radar.
    QCOMPARE(PatternText(QStringLiteral("11111811"), today),
             PatternMessage(2) + " This serial number is also " + Rotator + ".\n\nThis is a Birthday Note for 11/11/1811.");
}

void tst_serials::messageCountsAreTrue()
{
    // Each message's "Only N notes" is the number of the hundred million
    // serials whose digits follow the rule, solid serials aside; the solid
    // message counts the eight that are used.
    std::array<int, PatternRuleCount> counts{};
    std::array<int, 8> d{};
    for (int n = 0; n < 100000000; ++n) {
        // Every counted rule needs two different digits, eight, a mirrored
        // or a repeated serial; the rest are passed over quickly.
        unsigned seen = 0;
        for (int v : d)
            seen |= 1u << v;
        const int k = std::popcount(seen);
        const bool mirrored = d[0] == d[7] && d[1] == d[6] && d[2] == d[5] && d[3] == d[4];
        const bool repeated = (d[0] == d[4] && d[1] == d[5] && d[2] == d[6] && d[3] == d[7]) ||
                              (d[3] == d[0] && d[4] == d[1] && d[5] == d[2] && d[6] == d[0] && d[7] == d[1]);
        if (k <= 2 || k == 8 || mirrored || repeated) {
            const bool solid = k == 1;
            for (int rule = 0; rule < 10; ++rule)
                if (rule == 0 ? solid : !solid && PatternRuleHolds(rule, d))
                    ++counts[static_cast<size_t>(rule)];
        }
        for (int i = 7; i >= 0 && ++d[static_cast<size_t>(i)] == 10; --i)
            d[static_cast<size_t>(i)] = 0;
    }
    counts[0] -= 2;  // 00000000 and 99999999 are not used
    for (int rule = 0; rule < 10; ++rule) {
        const QString message = PatternMessage(rule);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("only (\\d+) notes"), QRegularExpression::CaseInsensitiveOption).match(message);
        QVERIFY2(m.hasMatch(), qPrintable(message));
        QCOMPARE(m.captured(1).toInt(), counts[static_cast<size_t>(rule)]);
    }
}

void tst_serials::findRun_data()
{
    QTest::addColumn<int>("denomination");
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("bank");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("run");  // index in the list, -1 none
    const int s1985 = static_cast<int>(SeriesNames().indexOf(QStringLiteral("1985")));
    QTest::newRow("inside the first run") << 0 << s1985 << 1 << "A" << "00000500" << 0;
    QTest::newRow("overlap: the earlier run answers") << 0 << s1985 << 1 << "A" << "00001500" << 0;
    QTest::newRow("past the first, in the second") << 0 << s1985 << 1 << "A" << "00002500" << 1;
    QTest::newRow("outside every run") << 0 << s1985 << 1 << "A" << "09999999" << -1;
    QTest::newRow("another bank") << 0 << s1985 << 2 << "A" << "00000500" << -1;
    QTest::newRow("star note") << 0 << s1985 << 1 << "*" << "00000500" << 2;
    QTest::newRow("no series chosen") << 0 << -1 << 1 << "A" << "00000500" << -1;
    QTest::newRow("no bank chosen") << 0 << s1985 << -1 << "A" << "00000500" << -1;
}

void tst_serials::findRun()
{
    QFETCH(int, denomination);
    QFETCH(int, series);
    QFETCH(int, bank);
    QFETCH(QString, suffix);
    QFETCH(QString, serial);
    QFETCH(int, run);
    const std::vector<tRunInfo> runs{
        Run(1, "1985", 'B', 'A', 1, 2000, 1985, 3),
        Run(1, "1985", 'B', 'A', 1000, 3000, 1986, 1),
        Run(1, "1985", 'B', '*', 1, 3000, 1986, 2),
    };
    tNoteChoice note{denomination, series, bank, suffix[0], serial};
    const tRunInfo *found = FindRun(runs, note);
    QCOMPARE(found ? static_cast<int>(found - runs.data()) : -1, run);
}

void tst_serials::printingText()
{
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(PrintingText(Run(1, "1974", 'A', 'A', 1, 10, 1974, 8), en),
             QStringLiteral("This note was printed in August of 1974 at the BEP's Washington, D.C. facility."));
    QCOMPARE(PrintingText(Run(1, "1974", 'A', 'A', 1, 10, 1974, 8, 0, 11, 'F'), en),
             QStringLiteral("This note was printed between August and November of 1974 at the BEP's Fort Worth, Texas "
                            "facility."));
    QCOMPARE(PrintingText(Run(1, "1974", 'A', 'A', 1, 10, 1975, 12, 1976, 2), en),
             QStringLiteral("This note was printed between December 1975 and February 1976 at the BEP's Washington, "
                            "D.C. facility."));
    // Month names follow the collector's language.
    QVERIFY(PrintingText(Run(1, "1974", 'A', 'A', 1, 10, 1974, 3), QLocale(QLocale::German)).contains("März"));
}

void tst_serials::promptUntilEightDigits()
{
    const std::vector<tRunInfo> runs{Run(1, "1985", 'A', '*', 0, 99999999, 1985, 1)};
    tNoteChoice note{0, static_cast<int>(SeriesNames().indexOf("1985")), 0, QLatin1Char('*'), "1234567"};
    tExploration e = Explore(runs, note, QLocale::c(), QDate(2026, 1, 1));
    QCOMPARE(e.Printed, SerialPrompt());
    QVERIFY(e.Pattern.isEmpty());
    note.Serial += QLatin1Char('8');
    e = Explore(runs, note, QLocale::c(), QDate(2026, 1, 1));
    QVERIFY(e.Printed.startsWith("This note was printed in "));
    QCOMPARE(e.Pattern, PatternMessage(3));
    // A denomination without a series: no printing text, patterns still shown.
    note.Series = -1;
    e = Explore(runs, note, QLocale::c(), QDate(2026, 1, 1));
    QVERIFY(e.Printed.isEmpty());
    QCOMPARE(e.Pattern, PatternMessage(3));
}

void tst_serials::streamRoundTrip()
{
    // Written by hand in the stream's own form: the count, then eleven values
    // per run, integers in their smallest form.
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(2);
    for (int i = 0; i < 2; ++i) {
        w.WriteInteger(7);
        w.WriteString(i ? "2017A" : "1996");
        w.WriteString("L");
        w.WriteString("*");
        w.WriteInteger(99840001);
        w.WriteInteger(460800000);
        w.WriteInteger(2020);
        w.WriteInteger(i ? 1976 : 0);
        w.WriteInteger(12);
        w.WriteInteger(i ? 3 : 0);
        w.WriteString("F");
    }
    w.WriteListEnd();
    const std::vector<tRunInfo> runs = ReadRuns(w.Data());
    QCOMPARE(runs.size(), size_t(2));
    QCOMPARE(runs[1].Series, QStringLiteral("2017A"));
    QCOMPARE(runs[1].MaxSN, 460800000);
    QCOMPARE(runs[1].MaxYear, uint16_t(1976));
    QCOMPARE(runs[0].PrintedAt, QLatin1Char('F'));
    QCOMPARE(WriteRuns(runs), w.Data());
}

void tst_serials::streamDamaged_data()
{
    QTest::addColumn<QByteArray>("data");
    ValueWriter good;
    good.WriteListBegin();
    good.WriteInteger(1);
    good.WriteInteger(1);
    good.WriteString("1974");
    good.WriteString("AB");  // a letter of two characters
    QTest::newRow("letter too long") << good.Data();
    QTest::newRow("cut short") << good.Data().left(8);
    ValueWriter huge;
    huge.WriteListBegin();
    huge.WriteInteger(2000000000);
    QTest::newRow("count beyond the data") << huge.Data();
    QTest::newRow("not a list") << QByteArray("\x02\x01", 2);
}

void tst_serials::streamDamaged()
{
    QFETCH(QByteArray, data);
    QVERIFY_THROWS_EXCEPTION(StreamReadError, ReadRuns(data));
}

void tst_serials::seriesLettersAndSigners()
{
    auto series = [](const char *name) { return static_cast<int>(SeriesNames().indexOf(QLatin1String(name))); };
    QCOMPARE(SeriesLetter(2, series("1999")), QLatin1Char('B'));
    QCOMPARE(SeriesLetter(6, series("2009A")), QLatin1Char('L'));
    QCOMPARE(SeriesLetter(6, series("2017A")), QLatin1Char('x'));
    QCOMPARE(SeriesLetter(0, series("2013")), QLatin1Char(' '));
    // The one-dollar row stops before the last series.
    QVERIFY(SeriesLetter(0, series("2017A")).isNull());
    for (int s = 0; s < SeriesNames().size(); ++s) {
        QVERIFY(!SignerNames().value(TreasurerIndex(s)).isEmpty());
        QVERIFY(!SignerNames().value(SecretaryIndex(s)).isEmpty());
        QVERIFY(SignerNames()[TreasurerIndex(s)].size() <= 30);
    }
    QCOMPARE(SignerNames()[TreasurerIndex(series("1974"))], QStringLiteral("Francine I. Neff"));
    QCOMPARE(SignerNames()[SecretaryIndex(series("2013"))], QStringLiteral("Jacob J. Lew"));
}

void tst_serials::embeddedTableReads()
{
    // The generated table reads: every run names a known note.
    for (const tRunInfo &r : EmbeddedRuns()) {
        QVERIFY(r.Denomination >= 1 && r.Denomination <= 7);
        QVERIFY(SeriesNames().contains(r.Series));
        QVERIFY(r.MinSN <= r.MaxSN);
    }
}

QTEST_GUILESS_MAIN(tst_serials)
#include "tst_serials.moc"
