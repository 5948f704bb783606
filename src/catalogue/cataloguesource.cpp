#include "catalogue/cataloguesource.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/pricelists/pricelist.h"
#include "core/files/structurewriter.h"

namespace {

[[noreturn]] void Fail(const QString &where, const QString &what)
{
    throw std::runtime_error((where + QStringLiteral(": ") + what).toStdString());
}

QString ReadText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        Fail(path, f.errorString());
    return QString::fromUtf8(f.readAll());
}

struct tCsvRow {
    int Line = 0;
    QStringList Cells;
};

// Comma-separated lines; a cell may be quoted with double quotes (inner
// quotes doubled). Blank lines and lines starting with "#" are comments.
std::vector<tCsvRow> ReadCsv(const QString &path)
{
    std::vector<tCsvRow> rows;
    const QStringList lines = ReadText(path).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        tCsvRow row;
        row.Line = i + 1;
        QString cell;
        bool quoted = false;
        for (qsizetype k = 0; k < line.size(); ++k) {
            const QChar c = line[k];
            if (quoted) {
                if (c == QLatin1Char('"') && k + 1 < line.size() && line[k + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++k;
                } else if (c == QLatin1Char('"')) {
                    quoted = false;
                } else {
                    cell += c;
                }
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                row.Cells << cell.trimmed();
                cell.clear();
            } else {
                cell += c;
            }
        }
        if (quoted)
            Fail(QStringLiteral("%1:%2").arg(path).arg(row.Line), QStringLiteral("unterminated quote"));
        row.Cells << cell.trimmed();
        rows.push_back(row);
    }
    return rows;
}

int ToInt(const QString &where, const QString &text, int empty = 0)
{
    if (text.isEmpty())
        return empty;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        Fail(where, QStringLiteral("\"%1\" is not a whole number").arg(text));
    return v;
}

float ToFloat(const QString &where, const QString &text)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok)
        Fail(where, QStringLiteral("\"%1\" is not a number").arg(text));
    return static_cast<float>(v);
}

void ExpectHeader(const QString &path, const std::vector<tCsvRow> &rows, const QStringList &columns)
{
    if (rows.empty() || rows[0].Cells.mid(0, columns.size()) != columns)
        Fail(path, QStringLiteral("the first line must name the columns ") + columns.join(QLatin1Char(',')));
}

// Shape names as the series-properties dialog lists them, by shape code.
const QStringList ShapeNames = {
    QStringLiteral("round"),         QStringLiteral("rounded square"), QStringLiteral("rounded rectangle"),
    QStringLiteral("rounded polygon"), QStringLiteral("deep scallop"), QStringLiteral("paper money"),
    QStringLiteral("square"),        QStringLiteral("rectangle"),      QStringLiteral("polygon"),
    QStringLiteral("oval"),          QStringLiteral("shallow scallop"),
};
const QStringList ColourNames = {QStringLiteral("black"),  QStringLiteral("red"),  QStringLiteral("green"),
                                 QStringLiteral("brown"),  QStringLiteral("purple"), QStringLiteral("cyan"),
                                 QStringLiteral("gray")};
const QStringList ModeNames = {QStringLiteral("series"), QStringLiteral("country"), QStringLiteral("comment")};

// Grade slots 0..40 by their titles on the built-in coin scale; price
// columns name slots this way for notes too.
const QStringList SlotTitles = {
    QStringLiteral("PO-1"),  QStringLiteral("FR-2"),  QStringLiteral("AG-3"),  QStringLiteral("G-4"),
    QStringLiteral("G-6"),   QStringLiteral("VG-8"),  QStringLiteral("VG-10"), QStringLiteral("F-12"),
    QStringLiteral("F-15"),  QStringLiteral("VF-20"), QStringLiteral("VF-25"), QStringLiteral("VF-30"),
    QStringLiteral("VF-35"), QStringLiteral("EF-40"), QStringLiteral("EF-45"), QStringLiteral("AU-50"),
    QStringLiteral("AU-53"), QStringLiteral("AU-55"), QStringLiteral("AU-58"), QStringLiteral("MS-60"),
    QStringLiteral("MS-61"), QStringLiteral("MS-62"), QStringLiteral("MS-63"), QStringLiteral("MS-64"),
    QStringLiteral("MS-65"), QStringLiteral("MS-66"), QStringLiteral("MS-67"), QStringLiteral("MS-68"),
    QStringLiteral("MS-69"), QStringLiteral("MS-70"), QStringLiteral("PF-60"), QStringLiteral("PF-61"),
    QStringLiteral("PF-62"), QStringLiteral("PF-63"), QStringLiteral("PF-64"), QStringLiteral("PF-65"),
    QStringLiteral("PF-66"), QStringLiteral("PF-67"), QStringLiteral("PF-68"), QStringLiteral("PF-69"),
    QStringLiteral("PF-70"),
};

uint8_t FontCode(const QString &where, const QString &text)
{
    int style = 0;
    int colour = 0;
    for (const QString &word : text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("bold"))
            style |= 1;
        else if (word == QLatin1String("italic"))
            style |= 2;
        else if (ColourNames.contains(word))
            colour = static_cast<int>(ColourNames.indexOf(word));
        else
            Fail(where, QStringLiteral("unknown font word \"%1\"").arg(word));
    }
    return static_cast<uint8_t>(colour | (style << 4));
}

tSourceCountry ReadCountry(const QJsonObject &o, double date)
{
    tSourceCountry c;
    tCountryInfo &info = c.Header.Country;
    info.Name = o.value(QStringLiteral("name")).toString();
    info.Description = o.value(QStringLiteral("description")).toString(info.Name);
    info.CountryID = o.value(QStringLiteral("id")).toInt(-1);
    info.Continent = o.value(QStringLiteral("continent")).toInt();
    info.IsPaper = o.value(QStringLiteral("paper")).toBool();
    info.FlagIndex = o.value(QStringLiteral("flag")).toInt();
    info.AddOns = o.value(QStringLiteral("addOns")).toString();
    info.Tab = o.value(QStringLiteral("tab")).toInt();
    if (info.Name.isEmpty() || info.CountryID < 0 || info.CountryID >= UserCountry || info.Continent < 1 ||
        info.Continent > 8)
        Fail(QStringLiteral("countries.json"), QStringLiteral("country \"%1\" needs a name, an id of 0..999 and a "
                                                              "continent of 1..8").arg(info.Name));
    c.Header.Date = date;
    const QString currency = o.value(QStringLiteral("currency")).toString();
    if (!currency.isEmpty()) {
        const QStringList rows = BuiltInForexRows();
        for (int i = 0; i < rows.size() && c.Currency < 0; ++i)
            if (ParseForexEntry(rows[i]).Code == currency)
                c.Currency = i;
        if (c.Currency < 0)
            Fail(QStringLiteral("countries.json"),
                 QStringLiteral("country \"%1\": \"%2\" is not a built-in currency code").arg(info.Name, currency));
    }
    return c;
}

void ReadStructures(const QString &path, tSourceCountry &country, std::set<int> &allNumbers)
{
    const std::vector<tCsvRow> rows = ReadCsv(path);
    ExpectHeader(path, rows,
                 {QStringLiteral("number"), QStringLiteral("parent"), QStringLiteral("name"), QStringLiteral("mode"),
                  QStringLiteral("face code"), QStringLiteral("face value"), QStringLiteral("shape"),
                  QStringLiteral("sides"), QStringLiteral("width mm"), QStringLiteral("height mm"),
                  QStringLiteral("font")});
    std::set<int> defined;
    const int id = country.Header.Country.CountryID;
    for (size_t i = 1; i < rows.size(); ++i) {
        const tCsvRow &row = rows[i];
        const QString where = QStringLiteral("%1:%2").arg(path).arg(row.Line);
        if (row.Cells.size() != 11)
            Fail(where, QStringLiteral("expected 11 cells, found %1").arg(row.Cells.size()));
        tStructureRecord r;
        r.CoinType = ToInt(where, row.Cells[0], -1);
        if (r.CoinType <= RootCoinType || CoinTypeToCountry(r.CoinType) != id)
            Fail(where, QStringLiteral("series %1 is not a number of country %2").arg(r.CoinType).arg(id));
        if (!allNumbers.insert(r.CoinType).second)
            Fail(where, QStringLiteral("series %1 is defined twice").arg(r.CoinType));
        r.Parent = ToInt(where, row.Cells[1], -1);
        if (r.Parent != RootCoinType && !defined.count(r.Parent))
            Fail(where, QStringLiteral("parent %1 must be the root or a series above this line").arg(r.Parent));
        r.NodeName = row.Cells[2];
        if (r.NodeName.isEmpty())
            Fail(where, QStringLiteral("a series needs a name"));
        const qsizetype mode = ModeNames.indexOf(row.Cells[3].toLower());
        if (mode < 0)
            Fail(where, QStringLiteral("mode must be one of ") + ModeNames.join(QStringLiteral(", ")));
        r.NodeMode = static_cast<uint8_t>(mode);
        r.FaceValueCode = row.Cells[4];
        r.FaceValueAmount = ToFloat(where, row.Cells[5]);
        const QString shape = row.Cells[6].isEmpty() ? ShapeNames[0] : row.Cells[6].toLower();
        if (!ShapeNames.contains(shape))
            Fail(where, QStringLiteral("unknown shape \"%1\"").arg(shape));
        r.CoinShape = static_cast<uint8_t>(ShapeNames.indexOf(shape));
        r.CoinSubShape = static_cast<uint8_t>(ToInt(where, row.Cells[7]));
        if (r.CoinSubShape && !ShapeHasSubShape(r.CoinShape))
            Fail(where, QStringLiteral("only polygons and scallops have sides"));
        r.Measure1 = ToFloat(where, row.Cells[8]);
        r.Measure2 = ToFloat(where, row.Cells[9]);
        if (r.Measure2 != 0 && !ShapeHasSecondMeasure(r.CoinShape))
            Fail(where, QStringLiteral("only rectangles, ovals and notes have a height"));
        r.FontCode = FontCode(where, row.Cells[10]);
        defined.insert(r.CoinType);
        country.Records.push_back(r);
    }
    if (country.Records.empty())
        Fail(path, QStringLiteral("no series"));
}

// A mintage as authored: digits, "~" before an approximate figure; empty
// is none.
void ReadMintage(const QString &where, const QString &text, int32_t &mintage, bool &approx)
{
    approx = text.startsWith(QLatin1Char('~'));
    const QString digits = approx ? text.mid(1) : text;
    bool ok = true;
    const qlonglong v = digits.isEmpty() ? 0 : digits.toLongLong(&ok);
    // Larger figures are stored in tens of millions, which no sample needs.
    if (!ok || v < 0 || v > std::numeric_limits<int32_t>::max() || (approx && digits.isEmpty()))
        Fail(where, QStringLiteral("\"%1\" is not a mintage (digits, \"~\" before an approximate one)").arg(text));
    mintage = static_cast<int32_t>(v);
}

// The number of a metal named as the metals list names it; 0 for none.
uint8_t MetalNumber(const QString &where, const QString &name)
{
    if (name.isEmpty())
        return MetalNone;
    for (int n = 1; n <= MetalCount; ++n)
        if (MetalName(n) == name)
            return static_cast<uint8_t>(n);
    Fail(where, QStringLiteral("\"%1\" is not a metal of the metals list").arg(name));
}

// The years a series' name gives in brackets at its end: "(1859-1909)",
// "(1966)" or the open "(2010-)" (no last year). A price row outside them
// is a slip in its year or its series number, which nothing else catches.
bool SeriesYears(const QString &name, int &first, int &last)
{
    static const QRegularExpression years(QStringLiteral("\\((\\d{4})(-(\\d{4})?)?\\)$"));
    const QRegularExpressionMatch m = years.match(name);
    if (!m.hasMatch())
        return false;
    first = m.captured(1).toInt();
    last = m.captured(3).isEmpty() ? (m.captured(2).isEmpty() ? first : std::numeric_limits<int>::max())
                                   : m.captured(3).toInt();
    return true;
}

std::vector<tPriceInfo> ReadPrices(const QString &path, const tSourceCountry &country)
{
    const std::vector<tCsvRow> rows = ReadCsv(path);
    const QStringList fixed = {QStringLiteral("series"),      QStringLiteral("year"),
                               QStringLiteral("mint"),        QStringLiteral("variety"),
                               QStringLiteral("mintage"),     QStringLiteral("proof mintage"),
                               QStringLiteral("metal"),       QStringLiteral("content oz"),
                               QStringLiteral("weight g"),    QStringLiteral("catalog")};
    ExpectHeader(path, rows, fixed);
    const QStringList grades = rows[0].Cells.mid(fixed.size());
    for (const QString &g : grades)
        if (!SlotTitles.contains(g))
            Fail(path, QStringLiteral("\"%1\" is not a grade slot title").arg(g));
    std::vector<tPriceInfo> prices;
    std::set<std::tuple<int, int, QString, QString>> seen;
    for (size_t i = 1; i < rows.size(); ++i) {
        const tCsvRow &row = rows[i];
        const QString where = QStringLiteral("%1:%2").arg(path).arg(row.Line);
        if (row.Cells.size() != fixed.size() + grades.size())
            Fail(where, QStringLiteral("expected %1 cells, found %2")
                            .arg(fixed.size() + grades.size())
                            .arg(row.Cells.size()));
        tPriceInfo p;
        p.CoinType = ToInt(where, row.Cells[0], -1);
        const auto series = std::find_if(country.Records.begin(), country.Records.end(),
                                         [&](const tStructureRecord &r) { return r.CoinType == p.CoinType; });
        if (series == country.Records.end() || series->NodeMode != NodeModeRegular)
            Fail(where, QStringLiteral("series %1 is not a priced series of this country").arg(p.CoinType));
        p.Year = ToInt(where, row.Cells[1]);
        p.Mint = row.Cells[2];
        p.Variety = row.Cells[3];
        int first = 0, last = 0;
        if (SeriesYears(series->NodeName, first, last) && (p.Year < first || p.Year > last))
            Fail(where, QStringLiteral("%1 is outside the years of \"%2\"").arg(p.Year).arg(series->NodeName));
        // The same coin twice would show twice on the Coins page, each
        // valued on its own.
        if (!seen.insert({p.CoinType, p.Year, p.Mint, p.Variety}).second)
            Fail(where, QStringLiteral("%1 %2%3%4 is listed twice")
                            .arg(p.CoinType)
                            .arg(p.Year)
                            .arg(p.Mint, p.Variety.isEmpty() ? QString() : QLatin1Char(' ') + p.Variety));
        ReadMintage(where, row.Cells[4], p.Mintage, p.Included);
        ReadMintage(where, row.Cells[5], p.ProofMintage, p.ProofIncluded);
        p.Metal = MetalNumber(where, row.Cells[6]);
        p.Content = ToFloat(where, row.Cells[7]);
        p.Weight = ToFloat(where, row.Cells[8]);
        p.Catalog = row.Cells[9].trimmed();
        if (!MeasureFitsPriceFile(p.Content) || !MeasureFitsPriceFile(p.Weight) || p.Content < 0 || p.Weight < 0)
            Fail(where, QStringLiteral("a content or weight out of range"));
        for (qsizetype g = 0; g < grades.size(); ++g) {
            const QString &v = row.Cells[fixed.size() + g];
            if (v.isEmpty())
                continue;
            // Read as double: a float would shift the cents of a large price.
            bool ok = false;
            const double amount = v.toDouble(&ok);
            if (!ok || !std::isfinite(amount) || amount < 0 || amount > 1e9)
                Fail(where, QStringLiteral("\"%1\" is not a price").arg(v));
            p.Value[static_cast<size_t>(SlotTitles.indexOf(grades[g]))] = MoneyFromDouble(amount);
        }
        prices.push_back(p);
    }
    return prices;
}

void SaveBytes(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        Fail(path, f.errorString());
    f.write(data);
    if (!f.commit())
        Fail(path, f.errorString());
}

// "1368.00": an amount with at most four decimals, read exactly.
Money ParseMoneyText(const QString &text, bool &ok)
{
    ok = false;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 2 || parts[0].isEmpty() || (parts.size() == 2 && parts[1].size() > 4))
        return 0;
    bool wholeOk = true, fracOk = true;
    const qint64 whole = parts[0].toLongLong(&wholeOk);
    const QString frac = parts.size() == 2 ? parts[1].leftJustified(4, QLatin1Char('0')) : QStringLiteral("0");
    const qint64 f = frac.toLongLong(&fracOk);
    if (!wholeOk || !fracOk || whole < 0 || whole > 100000000)
        return 0;
    ok = true;
    return whole * MoneyScale + f;
}

QJsonObject ReadJsonObject(const QString &path)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(ReadText(path).toUtf8(), &err);
    if (err.error != QJsonParseError::NoError)
        Fail(path, err.errorString() + QStringLiteral(" at offset %1").arg(err.offset));
    return doc.object();
}

} // namespace

tSpotFile ReadSpotSource(const QString &path)
{
    const QJsonObject top = ReadJsonObject(path);
    tSpotFile spot;
    const QDate date = QDate::fromString(top.value(QStringLiteral("date")).toString(), Qt::ISODate);
    if (!date.isValid())
        Fail(path, QStringLiteral("\"date\" must be a date such as 2013-05-22"));
    spot.Date = DateToDay(date);
    const QJsonObject metals = top.value(QStringLiteral("metals")).toObject();
    for (const char *name : {"silver", "gold", "palladium", "platinum"}) {
        bool ok = false;
        const Money m = ParseMoneyText(metals.value(QLatin1String(name)).toString(), ok);
        if (!ok || m <= 0)
            Fail(path, QStringLiteral("the price of %1 must be an amount above 0").arg(QLatin1String(name)));
        spot.Values.push_back(m);
        spot.Changes.push_back(0);
    }
    spot.Title = QString();
    spot.Text = QString();

    tMainState s;
    LoadForexList(s);
    std::map<QString, double> perDollar;
    const auto known = [&](const QString &code) {
        for (int i = 0; i < BuiltInForexCount; ++i)
            if (s.ForexList[static_cast<size_t>(i)]->Code == code)
                return true;
        return false;
    };
    const auto set = [&](const QString &code, double rate) {
        if (!known(code))
            Fail(path, QStringLiteral("\"%1\" is not a currency of the table").arg(code));
        if (!(rate > 0))
            Fail(path, QStringLiteral("the rate of %1 must be above 0").arg(code));
        if (!perDollar.emplace(code, rate).second)
            Fail(path, QStringLiteral("%1 is given twice").arg(code));
    };
    const QJsonObject perEuro = top.value(QStringLiteral("perEuro")).toObject();
    const double dollar = perEuro.value(QStringLiteral("USD")).toDouble();
    if (!(dollar > 0))
        Fail(path, QStringLiteral("\"perEuro\" needs the US dollar's rate"));
    for (auto it = perEuro.begin(); it != perEuro.end(); ++it)
        if (it.key() != QLatin1String("USD"))
            set(it.key(), it.value().toDouble() / dollar);
    set(QStringLiteral("EUR"), 1.0 / dollar);
    // Official parities and approximate market rates are kept apart in the
    // file so a reader can tell which figures are exact; both are per dollar.
    for (const char *group : {"perDollar", "approximatePerDollar"}) {
        const QJsonObject rates = top.value(QLatin1String(group)).toObject();
        for (auto it = rates.begin(); it != rates.end(); ++it)
            set(it.key(), it.value().toDouble());
    }
    const auto rateOf = [&](const QString &code) {
        const auto f = perDollar.find(code);
        if (f == perDollar.end())
            Fail(path, QStringLiteral("%1 is named as a reference but has no rate").arg(code));
        return f->second;
    };
    const QJsonObject same = top.value(QStringLiteral("sameAs")).toObject();
    for (auto it = same.begin(); it != same.end(); ++it)
        set(it.key(), rateOf(it.value().toString()));
    const QJsonObject multiple = top.value(QStringLiteral("multipleOf")).toObject();
    for (auto it = multiple.begin(); it != multiple.end(); ++it) {
        const QJsonArray a = it.value().toArray();
        set(it.key(), rateOf(a.at(0).toString()) * a.at(1).toDouble());
    }
    // One pair per position from 1, in table order; the dollar is never in
    // the file.
    for (int i = 1; i < BuiltInForexCount; ++i) {
        const QString code = s.ForexList[static_cast<size_t>(i)]->Code;
        const auto f = perDollar.find(code);
        spot.Pairs.emplace_back(code, f == perDollar.end() ? 0.0f : static_cast<float>(f->second));
    }
    spot.Count = static_cast<int32_t>(spot.Pairs.size());
    return spot;
}

tCatalogueSource ReadCatalogueSource(const QString &folder)
{
    const QDir dir(folder);
    const QString listPath = dir.filePath(QStringLiteral("countries.json"));
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(ReadText(listPath).toUtf8(), &err);
    if (err.error != QJsonParseError::NoError)
        Fail(listPath, err.errorString() + QStringLiteral(" at offset %1").arg(err.offset));
    const QJsonObject top = doc.object();
    const QDate date = QDate::fromString(top.value(QStringLiteral("date")).toString(), Qt::ISODate);
    if (!date.isValid())
        Fail(listPath, QStringLiteral("\"date\" must be a date such as 2025-01-06"));

    tCatalogueSource src;
    std::set<int> ids;
    std::set<int> numbers;
    for (const QJsonValue &v : top.value(QStringLiteral("countries")).toArray()) {
        const QJsonObject o = v.toObject();
        tSourceCountry c = ReadCountry(o, DateToDay(date));
        const tCountryInfo &info = c.Header.Country;
        if (!ids.insert(info.CountryID).second)
            Fail(listPath, QStringLiteral("country number %1 is used twice").arg(info.CountryID));
        ReadStructures(dir.filePath(QStringLiteral("structures/") + info.Name + QStringLiteral(".csv")), c, numbers);

        const QString pricePath = dir.filePath(QStringLiteral("prices/") + info.Name + QStringLiteral(".csv"));
        if (QFile::exists(pricePath)) {
            if (c.Currency < 0)
                Fail(listPath, QStringLiteral("country \"%1\" has sample prices but names no \"currency\"")
                                   .arg(info.Name));
            // A price list holds a whole country block; prices of a member
            // country belong in the list of the block's root.
            int root = -1;
            std::array<int, 21> members;
            SeriesBlocks(info.CountryID, root, members);
            if (root != info.CountryID)
                Fail(pricePath, QStringLiteral("country %1 is priced in the list of country %2")
                                    .arg(info.CountryID)
                                    .arg(root));
            src.Prices[info.Name] = ReadPrices(pricePath, c);
        }

        const QJsonObject ex = o.value(QStringLiteral("explorer")).toObject();
        tCountryItem e;
        e.Name = info.Description;
        e.Prefix = ex.value(QStringLiteral("prefix")).toString();
        e.XX = ex.value(QStringLiteral("latitude")).toInt();
        e.YY = ex.value(QStringLiteral("longitude")).toInt();
        e.tab = info.Tab >= 2 ? info.Tab : (info.IsPaper ? 1 : 0);
        e.Flag = info.FlagIndex;
        e.GoToSeries = c.Records.front().CoinType;
        e.Index = info.CountryID;
        e.Notes = ex.value(QStringLiteral("notes")).toString();
        src.Explorer.push_back(e);
        src.Countries.push_back(std::move(c));
    }
    // Every structure file must belong to a listed country.
    for (const QString &f : QDir(dir.filePath(QStringLiteral("structures"))).entryList({QStringLiteral("*.csv")})) {
        const QString name = f.chopped(4);
        if (std::none_of(src.Countries.begin(), src.Countries.end(),
                         [&](const tSourceCountry &c) { return c.Header.Country.Name == name; }))
            Fail(dir.filePath(QStringLiteral("structures/") + f), QStringLiteral("no country of this name is listed"));
    }
    for (const QString &f : QDir(dir.filePath(QStringLiteral("prices"))).entryList({QStringLiteral("*.csv")}))
        if (!src.Prices.count(f.chopped(4)))
            Fail(dir.filePath(QStringLiteral("prices/") + f), QStringLiteral("no country of this name is listed"));
    for (const QJsonValue &v : top.value(QStringLiteral("regions")).toArray()) {
        const QJsonObject o = v.toObject();
        tCountryItem e;
        e.Name = o.value(QStringLiteral("name")).toString();
        e.XX = o.value(QStringLiteral("latitude")).toInt();
        e.YY = o.value(QStringLiteral("longitude")).toInt();
        e.tab = 4;
        e.Flag = o.value(QStringLiteral("flag")).toInt();
        e.Index = o.value(QStringLiteral("index")).toInt();
        e.Notes = o.value(QStringLiteral("notes")).toString();
        if (e.Name.isEmpty() || e.Index < FirstCountryClass || e.Index > LastCountryClass)
            Fail(listPath, QStringLiteral("region \"%1\" needs a name and a class id of 9979..9999").arg(e.Name));
        src.Explorer.push_back(e);
    }
    const QString spotPath = dir.filePath(QStringLiteral("spotprices.json"));
    if (QFile::exists(spotPath))
        src.Spot = ReadSpotSource(spotPath);
    return src;
}

QStringList WriteCatalogue(const tCatalogueSource &source, const QString &outFolder)
{
    QStringList written;
    const QDir out(outFolder);
    for (const char *sub : {"Countries", "Other", "Prices"})
        if (!out.mkpath(QLatin1String(sub)))
            Fail(outFolder, QStringLiteral("cannot create ") + QLatin1String(sub));
    for (const tSourceCountry &c : source.Countries) {
        const QString path = out.filePath(QStringLiteral("Countries/") + c.Header.Country.Name + QStringLiteral(".OVCD"));
        WriteStructureFile(path, c.Header, c.Records);
        written << path;
    }
    for (const tSourceCountry &c : source.Countries) {
        const auto prices = source.Prices.find(c.Header.Country.Name);
        if (prices == source.Prices.end())
            continue;
        // In the order the program keeps and saves its lists.
        tMainState s;
        for (const tPriceInfo &p : prices->second)
            s.PriceList.push_back(std::make_unique<tPriceInfo>(p));
        ResortPrices(s);
        std::vector<tPriceInfo *> entries;
        for (const auto &p : s.PriceList)
            entries.push_back(p.get());
        const QString path = out.filePath(QStringLiteral("Prices/") + c.Header.Country.Name + QStringLiteral(".OVP"));
        SaveBytes(path, WritePriceFile(c.Currency, c.Header.Country.CountryID, static_cast<int32_t>(c.Header.Date),
                                       entries));
        written << path;
    }

    // World-wide classes first, then the rest, each by name ignoring case.
    std::vector<tCountryItem> entries = source.Explorer;
    std::stable_sort(entries.begin(), entries.end(), [](const tCountryItem &a, const tCountryItem &b) {
        const bool aw = a.Index >= AllCoinsClass;
        const bool bw = b.Index >= AllCoinsClass;
        if (aw != bw)
            return aw;
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    const QString dataPath = out.filePath(QStringLiteral("Other/Countries.Data"));
    SaveBytes(dataPath, WriteCountryItems(entries));
    written << dataPath;
    if (source.Spot.Date) {
        const QString spotPath = out.filePath(QStringLiteral("Other/") + QLatin1String(SpotPricesFileName));
        SaveBytes(spotPath, WriteSpotFile(source.Spot));
        written << spotPath;
    }
    return written;
}
