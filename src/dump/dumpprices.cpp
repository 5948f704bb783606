#include "dump/dumpprices.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "core/dates.h"
#include "pricing/pricefile.h"

namespace {

// Money as exact decimal text with four places; a JSON number would lose
// digits beyond 2^53.
QString MoneyText(Money m)
{
    const bool negative = m < 0;
    const auto u = negative ? 0 - static_cast<uint64_t>(m) : static_cast<uint64_t>(m);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(u / 10000)
        .arg(u % 10000, 4, 10, QLatin1Char('0'));
}

QJsonObject EntryToJson(const tPriceInfo &e)
{
    QJsonArray values;
    for (Money v : e.Value)
        values.append(MoneyText(v));
    return QJsonObject{
        {"CoinType", e.CoinType},
        {"Year", e.Year},
        {"Mint", e.Mint},
        {"Mintage", e.Mintage},
        {"ProofMintage", e.ProofMintage},
        {"Included", e.Included},
        {"ProofIncluded", e.ProofIncluded},
        {"Variety", e.Variety},
        {"GM", e.GM},
        {"Catalog", e.Catalog},
        {"Metal", e.Metal},
        {"Content", static_cast<double>(e.Content)},
        {"Weight", static_cast<double>(e.Weight)},
        {"Value", values},
        {"DateBits", e.DateBits},
    };
}

bool ReadWhole(const QString &path, QByteArray &data, QTextStream &err)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        err << path << ": " << f.errorString() << "\n";
        return false;
    }
    data = f.readAll();
    return true;
}

} // namespace

bool IsPriceListFile(const QString &path)
{
    return path.endsWith(QLatin1String(".ovp"), Qt::CaseInsensitive);
}

int DumpPriceList(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray data;
    if (!ReadWhole(path, data, err))
        return 1;
    try {
        const tPriceFile file = ReadPriceFile(data);
        const tPriceFileHeader &h = file.Header;
        QJsonArray entries;
        for (const auto &e : file.Entries)
            entries.append(EntryToJson(*e));
        QJsonObject root{
            {"format", "price list"},
            {"banner", h.Banner},
            {"version", h.Version},
            {"currency", h.Currency},
            {"count", h.Count},
            {"country", h.Country},
            {"date", h.Date},
            {"entries", entries},
        };
        if (h.Date >= 0)
            root.insert("dateText", DayToDate(h.Date).toString(Qt::ISODate));
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        return 0;
    } catch (const std::exception &e) {
        err << path << ": " << e.what() << "\n";
        return 1;
    }
}

int RewritePriceList(const QString &inPath, const QString &outPath, QTextStream &err)
{
    QByteArray data;
    if (!ReadWhole(inPath, data, err))
        return 1;
    try {
        tPriceFile file = ReadPriceFile(data);
        std::vector<tPriceInfo *> entries;
        for (auto &e : file.Entries)
            entries.push_back(e.get());
        // Files before version 10 carry no date; 0 says "none".
        const int32_t date = file.Header.Date >= 0 ? file.Header.Date : 0;
        const QByteArray bytes = WritePriceFile(file.Header.Currency, file.Header.Country, date, entries);
        QSaveFile f(outPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
            err << outPath << ": " << f.errorString() << "\n";
            return 1;
        }
        return 0;
    } catch (const std::exception &e) {
        err << inPath << ": " << e.what() << "\n";
        return 1;
    }
}
