#pragma once
// The serial-number explorer: when and where a United States note of the
// series 1974 to 2017A was printed (from the printing runs of "Serials"),
// and which notable patterns its eight-digit serial number shows.
#include <array>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// One printing run.
struct tRunInfo {
    uint8_t Denomination = 0;  // 1..7: position in DenominationNames plus 1
    QString Series;            // one of SeriesNames, at most 5 characters
    QChar Prefix;              // bank letter "A".."L"
    QChar Suffix;              // "*" (star note) or a letter
    int32_t MinSN = 0;
    int32_t MaxSN = 0;
    uint16_t MinYear = 0;
    uint16_t MaxYear = 0;      // 0: printing ended in MinYear
    uint8_t MinMonth = 0;
    uint8_t MaxMonth = 0;      // 0: the run lies in one month
    QChar PrintedAt;           // "F" Fort Worth; anything else Washington
};

const QStringList &DenominationNames();
const QStringList &SeriesNames();
// The 25 suffix letters of the sequence box, "*" first.
QString SuffixLetters();
// The series letter printed before the bank letter on notes of that
// denomination (0-based) and series (0-based); a blank when there is none.
QChar SeriesLetter(int denomination, int series);

// Signers of each series: the Treasurer of the United States and the
// Secretary of the Treasury.
const QStringList &SignerNames();
int TreasurerIndex(int series);
int SecretaryIndex(int series);

// Reads the runs of a "Serials" stream (list start, count, records of
// eleven values); throws StreamReadError when it is damaged.
std::vector<tRunInfo> ReadRuns(const QByteArray &data);
// Writes runs in the same form (the table generator, tests).
QByteArray WriteRuns(const std::vector<tRunInfo> &runs);
// The runs embedded in the program.
std::vector<tRunInfo> EmbeddedRuns();

// What the collector chose; -1 when nothing is chosen in a box.
struct tNoteChoice {
    int Denomination = -1;  // index into DenominationNames
    int Series = -1;        // index into SeriesNames
    int Bank = -1;          // 0 for "A" .. 11 for "L"
    QChar Suffix = QLatin1Char('*');
    QString Serial;         // as typed
};

// The first run in list order the note belongs to, or null.
const tRunInfo *FindRun(const std::vector<tRunInfo> &runs, const tNoteChoice &note);
// "This note was printed ..." for a run, month names in the locale's words.
QString PrintingText(const tRunInfo &run, const QLocale &locale);

// The patterns of an 8-digit serial (the first rule that holds, then the
// extras), followed by the birthday sentence when the serial reads as a date
// as month, day and year (MMDDYYYY); today decides its tense.
QString PatternText(const QString &serial, const QDate &today);

struct tExploration {
    QString Printed;
    QString Pattern;
};
tExploration Explore(const std::vector<tRunInfo> &runs, const tNoteChoice &note, const QLocale &locale,
                     const QDate &today);

// The pattern rules, in the order they are tried; PatternRule gives the one
// that holds for eight digits (-1 for none). For tests and the message
// counts.
constexpr int PatternRuleCount = 12;
bool PatternRuleHolds(int rule, const std::array<int, 8> &digits);
int PatternRule(const std::array<int, 8> &digits);
QString PatternMessage(int rule);

// The prompt shown until eight digits are typed.
QString SerialPrompt();
