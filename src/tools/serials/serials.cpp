#include "tools/serials/serials.h"

#include <algorithm>
#include <cmath>

#include <QFile>

#include "core/files/valuestream.h"

namespace {

QString LettersFor(int denomination)
{
    // Position = series index; built from (series, letter) pairs so the
    // rows read as the notes do.
    struct tPair {
        const char *Series;
        char Letter;
    };
    static const std::vector<std::vector<tPair>> pairs{
        {},
        {},
        {{"1999", 'B'}, {"2001", 'C'}, {"2003", 'D'}, {"2003A", 'F'}, {"2006", 'I'}, {"2009", 'J'}, {"2013", 'M'},
         {"2017A", 'x'}},
        {{"1999", 'B'}, {"2001", 'C'}, {"2003", 'D'}, {"2004A", 'G'}, {"2006", 'I'}, {"2009", 'J'}, {"2013", 'M'},
         {"2017", 'N'}, {"2017A", 'x'}},
        {{"1996", 'A'}, {"1999", 'B'}, {"2001", 'C'}, {"2004", 'E'}, {"2004A", 'G'}, {"2006", 'I'}, {"2009", 'J'},
         {"2013", 'M'}, {"2017", 'N'}, {"2017A", 'x'}},
        {{"1996", 'A'}, {"2001", 'C'}, {"2004", 'E'}, {"2004A", 'G'}, {"2006", 'I'}, {"2009", 'J'}, {"2013", 'M'},
         {"2017A", 'x'}},
        {{"1996", 'A'}, {"1999", 'B'}, {"2001", 'C'}, {"2003", 'D'}, {"2003A", 'F'}, {"2006", 'H'}, {"2006A", 'K'},
         {"2009", 'J'}, {"2009A", 'L'}, {"2013", 'M'}, {"2017A", 'x'}},
    };
    // The one- and two-dollar rows stop before the last series.
    QString row(denomination < 2 ? 25 : 26, QLatin1Char(' '));
    for (const tPair &p : pairs[static_cast<size_t>(denomination)]) {
        const qsizetype at = SeriesNames().indexOf(QLatin1String(p.Series));
        if (at >= 0 && at < row.size())
            row[at] = QLatin1Char(p.Letter);
    }
    return row;
}

bool IsPrime(int n)
{
    if (n < 2)
        return false;
    const int limit = static_cast<int>(std::sqrt(static_cast<double>(n)));
    for (int d = 2; d <= limit; ++d)
        if (n % d == 0)
            return false;
    return true;
}

bool IsSquare(int n)
{
    if (n < 2)
        return false;
    const auto root = static_cast<int>(std::sqrt(static_cast<double>(n)));
    for (int r = std::max(0, root - 1); r <= root + 1; ++r)
        if (static_cast<qint64>(r) * r == n)
            return true;
    return false;
}

} // namespace

const QStringList &DenominationNames()
{
    static const QStringList names{QStringLiteral("1 Dollar"),   QStringLiteral("2 Dollars"),
                                   QStringLiteral("5 Dollars"),  QStringLiteral("10 Dollars"),
                                   QStringLiteral("20 Dollars"), QStringLiteral("50 Dollars"),
                                   QStringLiteral("100 Dollars")};
    return names;
}

const QStringList &SeriesNames()
{
    static const QStringList names{
        QStringLiteral("1974"),  QStringLiteral("1976"),  QStringLiteral("1977"),  QStringLiteral("1977A"),
        QStringLiteral("1981"),  QStringLiteral("1981A"), QStringLiteral("1985"),  QStringLiteral("1988"),
        QStringLiteral("1988A"), QStringLiteral("1990"),  QStringLiteral("1993"),  QStringLiteral("1995"),
        QStringLiteral("1996"),  QStringLiteral("1999"),  QStringLiteral("2001"),  QStringLiteral("2003"),
        QStringLiteral("2003A"), QStringLiteral("2004"),  QStringLiteral("2004A"), QStringLiteral("2006"),
        QStringLiteral("2006A"), QStringLiteral("2009"),  QStringLiteral("2009A"), QStringLiteral("2013"),
        QStringLiteral("2017"),  QStringLiteral("2017A")};
    return names;
}

QString SuffixLetters()
{
    return QStringLiteral("*ABCDEFGHIJKLMNPQRSTUVWXY");
}

QChar SeriesLetter(int denomination, int series)
{
    if (denomination < 0 || denomination >= 7 || series < 0)
        return QChar();
    static const std::vector<QString> rows = [] {
        std::vector<QString> out;
        for (int d = 0; d < 7; ++d)
            out.push_back(LettersFor(d));
        return out;
    }();
    const QString &row = rows[static_cast<size_t>(denomination)];
    return series < row.size() ? row[series] : QChar();
}

const QStringList &SignerNames()
{
    // Treasurers of the United States and Secretaries of the Treasury whose
    // signatures the notes of these series bear.
    static const QStringList names{
        QStringLiteral("Francine I. Neff"),            // 0
        QStringLiteral("William E. Simon"),            // 1
        QStringLiteral("Azie Taylor Morton"),          // 2
        QStringLiteral("W. Michael Blumenthal"),       // 3
        QStringLiteral("G. William Miller"),           // 4
        QStringLiteral("Angela M. Buchanan"),          // 5
        QStringLiteral("Donald T. Regan"),             // 6
        QStringLiteral("Katherine D. Ortega"),         // 7
        QStringLiteral("James A. Baker III"),          // 8
        QStringLiteral("Nicholas F. Brady"),           // 9
        QStringLiteral("Catalina Vasquez Villalpando"),// 10
        QStringLiteral("Mary Ellen Withrow"),          // 11
        QStringLiteral("Lloyd Bentsen"),               // 12
        QStringLiteral("Robert E. Rubin"),             // 13
        QStringLiteral("Lawrence H. Summers"),         // 14
        QStringLiteral("Rosario Marin"),               // 15
        QStringLiteral("Paul H. O'Neill"),             // 16
        QStringLiteral("John W. Snow"),                // 17
        QStringLiteral("Anna Escobedo Cabral"),        // 18
        QStringLiteral("Henry M. Paulson Jr."),        // 19
        QStringLiteral("Rosie Rios"),                  // 20
        QStringLiteral("Timothy F. Geithner"),         // 21
        QStringLiteral("Jacob J. Lew"),                // 22
        QStringLiteral("Jovita Carranza"),             // 23
        QStringLiteral("Steven T. Mnuchin"),           // 24
    };
    return names;
}

namespace {
// Per series, in the order of SeriesNames: {Treasurer, Secretary}.
constexpr int SignerPairs[26][2] = {
    {0, 1},   {0, 1},   {2, 3},   {2, 4},   {5, 6},   {7, 6},   {7, 8},   {7, 9},   {10, 9},
    {10, 9},  {11, 12}, {11, 13}, {11, 13}, {11, 14}, {15, 16}, {15, 17}, {18, 17}, {18, 17},
    {18, 19}, {18, 19}, {18, 19}, {20, 21}, {20, 21}, {20, 22}, {23, 24}, {23, 24},
};
} // namespace

int TreasurerIndex(int series)
{
    return series >= 0 && series < 26 ? SignerPairs[series][0] : -1;
}

int SecretaryIndex(int series)
{
    return series >= 0 && series < 26 ? SignerPairs[series][1] : -1;
}

std::vector<tRunInfo> ReadRuns(const QByteArray &data)
{
    ValueReader r(data);
    r.ReadListBegin();
    const int32_t count = r.ReadInteger();
    if (count < 0)
        throw StreamReadError(InvalidPropertyValue);
    std::vector<tRunInfo> runs;
    // Each record takes at least 22 bytes, so a damaged count reserves no
    // more than the data could hold.
    runs.reserve(static_cast<size_t>(std::min<qint64>(count, data.size() / 22)));
    for (int32_t i = 0; i < count; ++i) {
        tRunInfo run;
        run.Denomination = static_cast<uint8_t>(r.ReadInteger());
        run.Series = r.ReadString().left(5);
        run.Prefix = r.ReadChar();
        run.Suffix = r.ReadChar();
        run.MinSN = r.ReadInteger();
        run.MaxSN = r.ReadInteger();
        run.MinYear = static_cast<uint16_t>(r.ReadInteger());
        run.MaxYear = static_cast<uint16_t>(r.ReadInteger());
        run.MinMonth = static_cast<uint8_t>(r.ReadInteger());
        run.MaxMonth = static_cast<uint8_t>(r.ReadInteger());
        run.PrintedAt = r.ReadChar();
        runs.push_back(std::move(run));
    }
    return runs;
}

QByteArray WriteRuns(const std::vector<tRunInfo> &runs)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(static_cast<int32_t>(runs.size()));
    for (const tRunInfo &run : runs) {
        w.WriteInteger(run.Denomination);
        w.WriteString(run.Series);
        w.WriteString(QString(run.Prefix));
        w.WriteString(QString(run.Suffix));
        w.WriteInteger(run.MinSN);
        w.WriteInteger(run.MaxSN);
        w.WriteInteger(run.MinYear);
        w.WriteInteger(run.MaxYear);
        w.WriteInteger(run.MinMonth);
        w.WriteInteger(run.MaxMonth);
        w.WriteString(QString(run.PrintedAt));
    }
    w.WriteListEnd();
    return w.TakeData();
}

std::vector<tRunInfo> EmbeddedRuns()
{
    QFile f(QStringLiteral(":/tools/Serials"));
    if (!f.open(QIODevice::ReadOnly))
        throw StreamReadError(StreamReadErrorText);
    return ReadRuns(f.readAll());
}

const tRunInfo *FindRun(const std::vector<tRunInfo> &runs, const tNoteChoice &note)
{
    if (note.Denomination < 0 || note.Series < 0 || note.Bank < 0 || note.Serial.size() != 8)
        return nullptr;
    bool ok = false;
    const int n = note.Serial.toInt(&ok);
    if (!ok)
        return nullptr;
    const QString series = SeriesNames().value(note.Series);
    const QChar bank(QLatin1Char('A').unicode() + note.Bank);
    for (const tRunInfo &run : runs)
        if (run.Denomination == note.Denomination + 1 && run.Series == series && run.Prefix == bank &&
            run.Suffix == note.Suffix && run.MinSN <= n && n <= run.MaxSN)
            return &run;
    return nullptr;
}

QString PrintingText(const tRunInfo &run, const QLocale &locale)
{
    auto month = [&](int m) { return locale.standaloneMonthName(m, QLocale::LongFormat); };
    QString when;
    if (run.MaxMonth == 0)
        when = QStringLiteral(" in ") + month(run.MinMonth) + QStringLiteral(" of ") + QString::number(run.MinYear);
    else if (run.MaxYear == 0)
        when = QStringLiteral(" between ") + month(run.MinMonth) + QStringLiteral(" and ") + month(run.MaxMonth) +
               QStringLiteral(" of ") + QString::number(run.MinYear);
    else
        when = QStringLiteral(" between ") + month(run.MinMonth) + QLatin1Char(' ') + QString::number(run.MinYear) +
               QStringLiteral(" and ") + month(run.MaxMonth) + QLatin1Char(' ') + QString::number(run.MaxYear);
    const QString facility = run.PrintedAt == QLatin1Char('F') ? QStringLiteral("Fort Worth, Texas facility.")
                                                                : QStringLiteral("Washington, D.C. facility.");
    return QStringLiteral("This note was printed") + when + QStringLiteral(" at the BEP's ") + facility;
}

bool PatternRuleHolds(int rule, const std::array<int, 8> &s)
{
    std::array<int, 10> c{};
    for (int d : s)
        ++c[static_cast<size_t>(d)];
    int k = 0;
    for (int n : c)
        k += n > 0;
    auto sevenOf = [&]() {
        for (int d = 0; d < 10; ++d)
            if (c[static_cast<size_t>(d)] == 7)
                return d;
        return -1;
    };
    const bool palindrome = s[0] == s[7] && s[1] == s[6] && s[2] == s[5] && s[3] == s[4];
    switch (rule) {
    case 0:  // solid
        return k == 1;
    case 1: {  // seven in a row: the odd digit at an end
        const int d = sevenOf();
        return d >= 0 && (s[0] != d || s[7] != d);
    }
    case 2: {  // seven of a kind: the odd digit inside
        const int d = sevenOf();
        return d >= 0 && s[0] == d && s[7] == d;
    }
    case 3:  // ladder
    case 4: {  // descending ladder
        if (k != 8)
            return false;
        const int step = rule == 3 ? 1 : -1;
        for (int i = 0; i < 7; ++i)
            if (s[static_cast<size_t>(i) + 1] != s[static_cast<size_t>(i)] + step)
                return false;
        return true;
    }
    case 5:  // super radar
        return palindrome && s[1] == s[2] && s[2] == s[3];
    case 6:  // radar
        return palindrome;
    case 7:  // super repeater
        return k == 2 && s[0] == s[2] && s[2] == s[4] && s[4] == s[6] && s[1] == s[3] && s[3] == s[5] &&
               s[5] == s[7];
    case 8:  // repeater: four digits twice, or three digits two and two-thirds times
        return (s[0] == s[4] && s[1] == s[5] && s[2] == s[6] && s[3] == s[7]) ||
               (s[3] == s[0] && s[4] == s[1] && s[5] == s[2] && s[6] == s[0] && s[7] == s[1]);
    case 9:  // double quad
        return k == 2 && s[0] == s[1] && s[1] == s[2] && s[2] == s[3] && s[4] == s[5] && s[5] == s[6] &&
               s[6] == s[7];
    case 10:  // true binary
        return k == 2 && c[0] > 0 && c[1] > 0;
    case 11:  // binary
        return k == 2 && !(c[0] > 0 && c[1] > 0);
    default:
        return false;
    }
}

int PatternRule(const std::array<int, 8> &digits)
{
    for (int rule = 0; rule < PatternRuleCount; ++rule)
        if (PatternRuleHolds(rule, digits))
            return rule;
    return -1;
}

QString PatternMessage(int rule)
{
    // The counts are the serial numbers of each pattern among the hundred
    // million, solid ones aside (they are claimed by the first rule).
    static const char *const messages[PatternRuleCount] = {
        "This is a solid serial number, all eight digits are the same.  Only 8 notes out of every hundred million "
        "note run are solid (00000000 and 99999999 are not used).",
        "This is a 7-in-a-row serial number (aka \"Nearly solid\"), seven consecutive numbers are identical with "
        "just the first or last digit being different. Only 180 notes out of every hundred million note run are "
        "7-in-a-row.",
        "This is a 7-of-a-kind number, seven identical digits with one different digit in the middle),  Only 540 "
        "notes out of every hundred million note run are 7-of-a-kind.",
        "This is a Ladder serial number, each digit increases by one.  Only 3 notes out of every hundred million "
        "note run are Ladders (0.00000003%) or 6 notes (0.00000006%) if you count descending ladders too.",
        "This is a Descending Ladder serial number, each digit decreases by one.  Only 3 notes out of every hundred "
        "million note run are descending ladders (0.00000003%) or 6 notes (0.00000006%) if you count ascending "
        "ladders too.",
        "This is a Super Radar, a solid block of 6 digits with two matching ends. Only 90 notes out of every "
        "hundred million note run are Super Radars.",
        "This is a Radar (palindromic) number, only 9990 notes out of every hundred million note run are Radars.",
        "This is a Super Repeater All the odd digits are the same as are the even digits. Only 90 notes out of "
        "every hundred million note run are Super Repeaters.",
        "This is a Repeater, it consists of a repeated patern of 2,3 or 4 digits.  Only 10980 notes out of every "
        "hundred million note run are Repeaters.",
        "This is a Double Quad serial number, it has two sets of four identical digits.  Only 90 notes out of every "
        "hundred million note run are Double Quads.",
        "This is a True Binary serial number, it consists of just zeros and ones.",
        "This is a Binary serial number, it consists of just two different numbers.",
    };
    return rule >= 0 && rule < PatternRuleCount ? QString::fromLatin1(messages[rule]) : QString();
}

QString SerialPrompt()
{
    return QStringLiteral("Type in the eight digit serial number on your note and the Serial Number Explorer will "
                          "indicate any notable paterns which it exhibits.");
}

QString PatternText(const QString &serial, const QDate &today)
{
    std::array<int, 8> s{};
    int n = 0;
    for (int i = 0; i < 8; ++i) {
        s[static_cast<size_t>(i)] = serial[i].digitValue();
        n = n * 10 + s[static_cast<size_t>(i)];
    }
    QString p = PatternMessage(PatternRule(s));

    QString extra;
    if (IsPrime(n))
        extra = QStringLiteral("one of the 5.8% of notes that is a prime number");
    else if (IsSquare(n))
        extra = QStringLiteral("a perfect square");
    const bool rotator = std::none_of(s.begin(), s.end(), [](int d) { return d == 2 || d == 3 || d == 4 || d == 5 || d == 7; });
    if (rotator) {
        if (!extra.isEmpty())
            extra += QStringLiteral(" and ");
        extra += QStringLiteral("a Rotator (aka Flipper) which consists of just the digits 0,1,6,8 and 9 which can be "
                                "read upside-down");
    }
    if (!extra.isEmpty())
        p = p.isEmpty() ? QStringLiteral("This serial number is ") + extra + QLatin1Char('.')
                        : p + QStringLiteral(" This serial number is also ") + extra + QLatin1Char('.');

    // A serial that reads as a date, month first as dates are written on
    // these notes' home ground.
    const QDate date(s[4] * 1000 + s[5] * 100 + s[6] * 10 + s[7], s[0] * 10 + s[1], s[2] * 10 + s[3]);
    if (date.isValid() && date >= QDate(1776, 7, 4) && date <= QDate(2099, 12, 30)) {
        const QString written = date.toString(QStringLiteral("MM/dd/yyyy"));
        const QString sentence = date > today
                                     ? QStringLiteral("This will become a Birthday Note on ") + written + QLatin1Char('.')
                                     : QStringLiteral("This is a Birthday Note for ") + written + QLatin1Char('.');
        p = p.isEmpty() ? sentence : p + QStringLiteral("\n\n") + sentence;
    }
    if (p.isEmpty())
        p = QStringLiteral("No notable paterns are found in this serial number.");
    return p;
}

tExploration Explore(const std::vector<tRunInfo> &runs, const tNoteChoice &note, const QLocale &locale,
                     const QDate &today)
{
    tExploration e;
    if (note.Serial.size() != 8) {
        e.Printed = SerialPrompt();
        return e;
    }
    if (const tRunInfo *run = FindRun(runs, note))
        e.Printed = PrintingText(*run, locale);
    e.Pattern = PatternText(note.Serial, today);
    return e;
}
