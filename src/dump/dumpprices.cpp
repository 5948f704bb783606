#include "dump/dumpprices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>
#include <exception>

#include "core/model/dates.h"
#include "core/files/valuestream.h"
#include "dump/dumpio.h"
#include "pricing/pricelists/pricefile.h"

namespace {

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

} // namespace

bool IsPriceListFile(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".ovp"), Qt::CaseInsensitive);
}

bool PriceListToJson(const QByteArray &bytes, QJsonObject &out)
{
    out = QJsonObject{{"format", "price list"}};
    QJsonArray entries;
    try {
        ValueReader r(bytes);
        const tPriceFileHeader h = ReadPriceFileHeader(r);
        out.insert("banner", h.Banner);
        out.insert("version", h.Version);
        out.insert("currency", h.Currency);
        out.insert("count", h.Count);
        out.insert("country", h.Country);
        out.insert("date", h.Date);
        if (h.Date >= 0)
            out.insert("dateText", DayToDate(h.Date).toString(Qt::ISODate));
        for (int32_t i = 0; i < h.Count; ++i) {
            tPriceInfo e;
            ReadPriceRecord(r, h.Version, e);
            entries.append(EntryToJson(e));
        }
        r.ReadListEnd();
        out.insert("entries", entries);
        return true;
    } catch (const std::exception &e) {
        out.insert("entries", entries);
        out.insert("error", QString::fromUtf8(e.what()));
        return false;
    }
}

QByteArray RewritePriceList(const QByteArray &bytes)
{
    tPriceFile file = ReadPriceFile(bytes);
    std::vector<tPriceInfo *> entries;
    for (auto &e : file.Entries)
        entries.push_back(e.get());
    // Files before version 10 carry no date; 0 says "none".
    const int32_t date = file.Header.Date >= 0 ? file.Header.Date : 0;
    return WritePriceFile(file.Header.Currency, file.Header.Country, date, entries);
}

int DumpPriceList(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray bytes;
    if (!ReadDumpInput(path, bytes, err))
        return 1;
    QJsonObject json;
    const bool whole = PriceListToJson(bytes, json);
    out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    if (!whole)
        err << path << ": " << json.value(QStringLiteral("error")).toString() << "\n";
    return whole ? 0 : 1;
}

int RewritePriceListFile(const QString &in, const QString &out, QTextStream &err)
{
    QByteArray bytes;
    if (!ReadDumpInput(in, bytes, err))
        return 1;
    try {
        return WriteDumpOutput(out, RewritePriceList(bytes), err) ? 0 : 1;
    } catch (const std::exception &e) {
        err << in << ": " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
