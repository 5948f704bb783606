// orvanta-tooldata: turns the tools' readable tables into the value streams
// the program embeds.
//   orvanta-tooldata SOURCE-FOLDER OUTPUT-FOLDER
// SOURCE-FOLDER holds serials.csv (printing runs of the serial-number
// explorer) and nationalbanks.csv (the charter list); OUTPUT-FOLDER receives
// "Serials" and "NBlist". Lines starting with "#" and empty lines are
// comments; the first other line of each file names its columns.
#include <exception>
#include <stdexcept>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include "tools/charters/charters.h"
#include "tools/serials/serials.h"

namespace {

struct tRow {
    int Line = 0;
    QStringList Fields;
};

// Rows of a CSV file without its header; fields may be quoted with "".
std::vector<tRow> ReadCsv(const QString &path, int columns)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(("cannot read " + path).toStdString());
    std::vector<tRow> rows;
    bool header = true;
    int lineNo = 0;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        ++lineNo;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields;
        QString field;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (quoted) {
                if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                    field += c, ++i;
                else if (c == QLatin1Char('"'))
                    quoted = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                fields << field.trimmed();
                field.clear();
            } else {
                field += c;
            }
        }
        fields << field.trimmed();
        if (header) {
            header = false;
            continue;
        }
        if (fields.size() != columns)
            throw std::runtime_error(QStringLiteral("%1:%2: %3 columns, expected %4")
                                         .arg(path).arg(lineNo).arg(fields.size()).arg(columns)
                                         .toStdString());
        rows.push_back({lineNo, fields});
    }
    return rows;
}

int Number(const tRow &row, int column, const QString &path)
{
    bool ok = false;
    const int v = row.Fields[column].toInt(&ok);
    if (!ok)
        throw std::runtime_error(QStringLiteral("%1:%2: \"%3\" is not a number")
                                     .arg(path).arg(row.Line).arg(row.Fields[column]).toStdString());
    return v;
}

std::vector<tRunInfo> Runs(const QString &path)
{
    // denomination (dollars),series,bank,suffix,first,last,from year,to year,
    // from month,to month,facility (D or F)
    static const QList<int> dollars{1, 2, 5, 10, 20, 50, 100};
    std::vector<tRunInfo> runs;
    for (const tRow &row : ReadCsv(path, 11)) {
        tRunInfo run;
        const qsizetype denomination = dollars.indexOf(Number(row, 0, path));
        if (denomination < 0 || !SeriesNames().contains(row.Fields[1]) || row.Fields[2].size() != 1 ||
            row.Fields[3].size() != 1 || row.Fields[10].size() != 1)
            throw std::runtime_error(QStringLiteral("%1:%2: unknown denomination, series or letter")
                                         .arg(path).arg(row.Line).toStdString());
        run.Denomination = static_cast<uint8_t>(denomination + 1);
        run.Series = row.Fields[1];
        run.Prefix = row.Fields[2][0];
        run.Suffix = row.Fields[3][0];
        run.MinSN = Number(row, 4, path);
        run.MaxSN = Number(row, 5, path);
        run.MinYear = static_cast<uint16_t>(Number(row, 6, path));
        run.MaxYear = static_cast<uint16_t>(Number(row, 7, path));
        run.MinMonth = static_cast<uint8_t>(Number(row, 8, path));
        run.MaxMonth = static_cast<uint8_t>(Number(row, 9, path));
        run.PrintedAt = row.Fields[10][0];
        if (run.MaxSN < run.MinSN)
            throw std::runtime_error(QStringLiteral("%1:%2: the run ends before it starts")
                                         .arg(path).arg(row.Line).toStdString());
        runs.push_back(run);
    }
    return runs;
}

void Banks(const QString &path, const QString &out)
{
    // charter,name no,stored name,state,city,county,year, then one column
    // per series row with the dollar values issued, blank-separated.
    static const QList<int> dollars{1, 2, 5, 10, 20, 50, 100, 500, 1000};
    struct tEntry {
        tNBN Bank;
        QString Stored;
    };
    std::vector<tEntry> entries;
    for (const tRow &row : ReadCsv(path, 7 + CharterSeriesRows)) {
        tEntry e;
        e.Bank.Charter = Number(row, 0, path);
        e.Bank.NameNo = static_cast<uint8_t>(Number(row, 1, path));
        e.Stored = row.Fields[2];
        e.Bank.State = row.Fields[3];
        e.Bank.City = row.Fields[4];
        e.Bank.County = row.Fields[5];
        e.Bank.CharterYear = static_cast<uint16_t>(Number(row, 6, path));
        e.Bank.BankName = ExpandBankName(e.Stored, e.Bank.City);
        for (int s = 0; s < CharterSeriesRows; ++s)
            for (const QString &v : row.Fields[7 + s].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const qsizetype d = dollars.indexOf(v.toInt());
                if (d < 0)
                    throw std::runtime_error(QStringLiteral("%1:%2: no $%3 notes").arg(path).arg(row.Line).arg(v)
                                                 .toStdString());
                e.Bank.SeriesIssued[static_cast<size_t>(s)] |= static_cast<uint16_t>(1u << d);
            }
        entries.push_back(e);
    }
    // Stored in bank-name order, so the name rank is the position.
    std::vector<tNBN> banks;
    for (const tEntry &e : entries)
        banks.push_back(e.Bank);
    RankBanks(banks);
    std::vector<size_t> order(banks.size());
    for (size_t i = 0; i < banks.size(); ++i)
        order[banks[i].SortOrder[OrderName]] = i;
    std::vector<tNBN> sorted;
    QStringList stored;
    for (size_t i : order) {
        sorted.push_back(banks[i]);
        stored << entries[i].Stored;
    }
    QSaveFile f(out);
    if (!f.open(QIODevice::WriteOnly) || f.write(WriteBanks(sorted, stored)) < 0 || !f.commit())
        throw std::runtime_error(("cannot write " + out).toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: orvanta-tooldata SOURCE-FOLDER OUTPUT-FOLDER\n";
        return 2;
    }
    try {
        const QDir source(args[1]);
        QDir().mkpath(args[2]);
        const QDir target(args[2]);
        QSaveFile serials(target.filePath(QStringLiteral("Serials")));
        if (!serials.open(QIODevice::WriteOnly) ||
            serials.write(WriteRuns(Runs(source.filePath(QStringLiteral("serials.csv"))))) < 0 || !serials.commit())
            throw std::runtime_error("cannot write Serials");
        Banks(source.filePath(QStringLiteral("nationalbanks.csv")), target.filePath(QStringLiteral("NBlist")));
    } catch (const std::exception &e) {
        err << "orvanta-tooldata: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
