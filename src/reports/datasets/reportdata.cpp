#include "reports/datasets/reportdata.h"

#include <cmath>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSysInfo>

#include "browse/finders/catalogkeys.h"
#include "core/files/collectionsettings.h"
#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/seriestree.h"
#include "core/program/log.h"
#include "platform/paths.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "pricing/valuation/valuation.h"

namespace {

const QString CurrencySuffix = QStringLiteral(" ($\u00a3\u20ac\u00a5)");

// A requested name taken apart: "base [($£€¥)] [/code]". The coin data set
// reads up to ten characters of code, the others three.
struct tFieldName {
    QString Base;
    QString Code;
    bool Formatted = false;
};

tFieldName SplitName(const QString &name, int codeLength)
{
    tFieldName f;
    f.Base = name;
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        f.Code = name.mid(slash + 1, codeLength);
        f.Base = name.left(slash);
    }
    if (f.Base.size() >= CurrencySuffix.size() &&
        f.Base.right(CurrencySuffix.size()).compare(CurrencySuffix, Qt::CaseInsensitive) == 0) {
        f.Base.chop(CurrencySuffix.size());
        f.Formatted = true;
    }
    return f;
}

// Field names by data set, looked up by their upper-case spelling.
using tNameTable = QHash<QString, int>;

tNameTable MakeTable(std::initializer_list<std::pair<const char *, int>> names)
{
    tNameTable t;
    for (auto [n, id] : names)
        t.insert(QString::fromUtf8(n).toUpper(), id);
    return t;
}

int Lookup(const tNameTable &t, const QString &name)
{
    return t.value(name.toUpper(), -1);
}

tReportValue Text(const QString &s)
{
    return tReportValue::FromText(s);
}

tReportValue Int(int64_t v)
{
    return tReportValue::FromInteger(v);
}

tReportValue Bool(bool v)
{
    return tReportValue::FromBoolean(v);
}

tReportValue Real(double v)
{
    return tReportValue::FromReal(v);
}

// A real amount in currency units as money, 0 when it does not fit.
Money ToMoney(double units)
{
    const double scaled = std::round(units * MoneyScale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return 0;
    return static_cast<Money>(scaled);
}

// The money rule: converted from the active currency into the currency of
// the code (unchanged without one or for an unknown code); the formatted
// form writes it in that currency's own style (the active currency's
// without a code, empty text for an unknown one).
tReportValue MoneyAnswer(const tMainState &s, Money amount, const tFieldName &f)
{
    const Money converted = ConvertForex(s, amount, f.Code, false);
    if (f.Formatted)
        return Text(NativeFormatCurrency(s, converted, f.Code));
    return tReportValue::FromMoney(converted);
}

const tForex *ActiveCurrency(const tMainState &s)
{
    if (s.ActiveForexIndex < 0 || s.ActiveForexIndex >= static_cast<int>(s.ForexList.size()))
        return nullptr;
    return s.ForexList[static_cast<size_t>(s.ActiveForexIndex)].get();
}

QString FaceValueAndCode(const tnodeinfo &n, const QString &pattern)
{
    if (n.FaceValueCode.trimmed().isEmpty())
        return {};
    return n.FaceValueCode + QLatin1Char(' ') +
           FormatFloatPattern(pattern, static_cast<double>(n.FaceValueAmount), ReportDecimalChar(), ReportGroupChar());
}

Money FaceExchangeRate(const tMainState &s, const tnodeinfo &n)
{
    if (n.FaceValueCode.trimmed().isEmpty())
        return 0;
    return ConvertFaceValue(s, n.FaceValueCode, n.FaceValueAmount);
}

// The face value in the active currency with that currency's code. The coin
// data set leaves it out when the face value is in the active currency.
QString FaceExchangeRateAndCode(const tMainState &s, const tnodeinfo &n, const QString &pattern, bool skipActive)
{
    const QString code = n.FaceValueCode.trimmed();
    const tForex *active = ActiveCurrency(s);
    if (code.isEmpty() || (skipActive && active && code == active->Code))
        return {};
    return (active ? active->Code : QString()) + QLatin1Char(' ') +
           FormatMoneyPattern(pattern, FaceExchangeRate(s, n), ReportDecimalChar(), ReportGroupChar());
}

QString GradeScaleName(int scale)
{
    switch (scale) {
    case 0: return QStringLiteral("Sheldon Scale");
    case 1: case 2: case 3: return QStringLiteral("User defined scale ") + QString::number(scale);
    case 4: return QStringLiteral("NGCX");
    default: return {};
    }
}

bool IsPaper(const tnodeinfo *n)
{
    return n && n->CoinShape == PaperMoneyShape;
}

// Gold/silver mixtures count as silver for contents and melt values.
constexpr int MetalGoldSilver = 34;

double ContentOf(const tPriceInfo *p, int metal)
{
    if (!p)
        return 0;
    const bool match = p->Metal == metal || (metal == MetalSilver && p->Metal == MetalGoldSilver);
    return match ? static_cast<double>(p->Content) : 0;
}

// Content (troy ounces) times the spot price of a metal 1..4.
Money MeltOf(const tMainState &s, double content, int metal)
{
    if (metal < MetalSilver || metal > MetalPlatinum || content == 0)
        return 0;
    return ToMoney(content * MoneyToDouble(s.MetalValues[static_cast<size_t>(metal - 1)]));
}

QString TitleOf(const tMainState &s, const tReportEnvironment *env, const tnodeinfo *series, int grade)
{
    const bool paper = IsPaper(series);
    const int scale = series ? series->GradeScale : 0;
    if (env && env->GradeTitle)
        return env->GradeTitle(paper, scale, grade).trimmed();
    return s.GradeTitles3D.Title(paper ? 1 : 0, scale, grade).trimmed();
}

// Fields answered from a series node, shared by the three data sets that
// print series. Ids above 1000 so they never meet a data set's own.
enum tSeriesField {
    FSeriesName = 1001, FSeriesNumber, FSeriesObverse, FSeriesReverse, FSeriesPath, FSeriesShape,
    FSeriesMeasurement, FSeriesGradeScale, FSeriesPaper, FSeriesEntryCount, FSeriesDateRange,
    FSeriesDateStart, FSeriesDateEnd, FFaceValue, FFaceValueCode, FFaceValueAndCode, FCountry,
    FFaceRate, FFaceRateAndCode,
};

tReportValue SeriesAnswer(const tMainState &s, const tnodeinfo *n, int id, const QString &facePattern)
{
    if (!n)
        return {};
    switch (id) {
    case FSeriesName: return Text(n->NodeName);
    case FSeriesNumber: return Int(n->CoinType);
    case FSeriesObverse: return Text(n->Obverse);
    case FSeriesReverse: return Text(n->Reverse);
    case FSeriesPath: return Text(SeriesPath(s, n));
    case FSeriesShape: return Text(ShapeName(n->CoinShape));
    case FSeriesMeasurement: return Text(NodeInfoToMeasurementStr(*n, false, ReportDecimalChar()));
    case FSeriesGradeScale: return Text(GradeScaleName(n->GradeScale));
    case FSeriesPaper: return Bool(IsPaper(n));
    case FSeriesEntryCount: return Int(n->EntryCount);
    case FSeriesDateRange:
        return Text(YearsToYearRangeStr(n->DateRangeMin, n->DateRangeMax, n->DateRangeCirca != 0));
    case FSeriesDateStart: return Int(n->DateRangeMin);
    case FSeriesDateEnd: return Int(n->DateRangeMax);
    case FFaceValue: return Real(static_cast<double>(n->FaceValueAmount));
    case FFaceValueCode: return Text(n->FaceValueCode);
    case FFaceValueAndCode: return Text(FaceValueAndCode(*n, facePattern));
    case FCountry: return Text(ReportCountryName(n));
    case FFaceRate: return tReportValue::FromMoney(FaceExchangeRate(s, *n));
    case FFaceRateAndCode: return Text(FaceExchangeRateAndCode(s, *n, QStringLiteral("0.00"), false));
    default: return {};
    }
}

template <class T>
T *RowAt(const std::vector<T *> &rows, int cursor)
{
    if (rows.empty())
        return nullptr;
    // At or past the end the last row answers; before the first, the first.
    const int i = std::clamp(cursor, 0, static_cast<int>(rows.size()) - 1);
    return rows[static_cast<size_t>(i)];
}

// Parses the number at the start of a text: sign, digits and (when
// decimals) one "." with more digits. 0 when the text starts otherwise.
double LeadingNumber(const QString &text, bool decimals)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (decimals && i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    return t.left(i).toDouble();
}

QStringList WithCurrencyPairs(QStringList names, const QString &prefix, QString (*label)(int))
{
    for (int slot = 0; slot < GradeSlots; ++slot) {
        names.append(prefix + label(slot));
        names.append(prefix + label(slot) + CurrencySuffix);
    }
    return names;
}

QStringList Latin(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out.append(QString::fromUtf8(n));
    return out;
}

} // namespace

// ---------------------------------------------------------------- helpers

tPriceInfo *LookUpCoinPrice(tMainState &s, tCoinInfo &coin)
{
    if (!coin.PriceInfo) {
        Money value = 0;
        coin.PriceInfo = ::GetCoinValue(s, coin, value, false, false);
    }
    return coin.PriceInfo;
}

Money CoinReportValue(tMainState &s, tCoinInfo &coin)
{
    if (coin.PriceInfo)
        return CoinAndPriceToValue(s, *coin.PriceInfo, coin);
    Money value = coin.BuyLock ? coin.BuyPrice : coin.SellLock ? coin.SellPrice : 0;
    coin.PriceInfo = ::GetCoinValue(s, coin, value, false, false);
    return value;
}

tReportValue UserFieldValue(const tUDFfield &field, const QString &text)
{
    switch (field.FieldType) {
    case UDFTextBox: case UDFHistoryDropDown: case UDFPickList: case UDFTextPickList:
    case UDFPhone: case UDFAttachment: case UDFCertification:
        return Text(text);
    case UDFCheckBox:
        return Bool(text.startsWith(QLatin1Char('T')));
    case UDFMoney:
        return Real(LeadingNumber(text, true));
    case UDFDate: case UDFNumber:
        return Int(static_cast<int64_t>(LeadingNumber(text, false)));
    case UDFReal: {
        bool ok = false;
        const double v = QLocale().toDouble(text.trimmed(), &ok);
        return Real(ok ? v : 0);
    }
    default:
        return {};
    }
}

QString ReportCountryName(const tnodeinfo *node)
{
    if (!node)
        return {};
    if (!node->ParentNode)
        return QStringLiteral("Entire collection");
    for (const tnodeinfo *n = node; n; n = n->ParentNode) {
        if (n->NodeMode == NodeModeCountry)
            return n->NodeName;
        if (n->ParentNode && !n->ParentNode->ParentNode)
            return n->NodeName;
    }
    return {};
}

QString ShapeName(int shape)
{
    static const char *const names[] = {"Round", "Rounded square", "Rounded rectangle", "Rounded polygon",
                                        "Deep Scallop", "Paper Money", "Square", "Rectangle", "Polyon", "Oval",
                                        "Shallow Scallop"};
    if (shape < 0 || shape > 10)
        return {};
    return QString::fromLatin1(names[shape]);
}

tReportValue PriceCellToVariant(Money amount)
{
    CurrProcGuard guard(19900);
    if (amount < 0)
        return Text(ValueCodeName(MoneyToValueCode(amount)));
    return tReportValue::FromMoney(amount);
}

QString PriceGradeLabel(int slot)
{
    static const char *const low[] = {"PO-1", "FR-2", "AG-3", "G-4", "G-6", "VG-8", "VG-10", "F-12", "F-15",
                                      "VF-20", "VF-25", "VF-30", "VF-35", "EF-40", "EF-45", "AU-50", "AU-53",
                                      "AU-55", "AU-58"};
    if (slot < 0 || slot >= GradeSlots)
        return {};
    if (slot < 19)
        return QString::fromLatin1(low[slot]);
    if (slot < 30)
        return QStringLiteral("MS-%1").arg(60 + slot - 19);
    return QStringLiteral("Proof-%1").arg(60 + slot - 30);
}

QString CoinGradeLabel(int slot)
{
    if (slot >= 30 && slot < GradeSlots)
        return QStringLiteral("PF-%1").arg(60 + slot - 30);
    return PriceGradeLabel(slot);
}

QImage LoadReportPicture(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile f(path);
    QImage image;
    if (!f.open(QIODevice::ReadOnly) || !image.loadFromData(f.readAll())) {
        LogEntry(QStringLiteral("Report picture cannot be read: ") + path);
        return {};
    }
    return image;
}

void BuildPriceSummary(const tMainState &s, const tPriceInfo &row, tPriceSummary &sum)
{
    sum = tPriceSummary();
    sum.PriceInfo = &row;
    const QString rowVariety = UnpackVariety(row.Variety, false);
    for (const auto &owned : s.CoinList) {
        const tCoinInfo &c = *owned;
        if (!c.Folder || PickPriceSource(*c.Folder) != row.CoinType || c.Year != row.Year)
            continue;
        if (row.MergeIndex != 3 && c.Mint.compare(row.Mint, Qt::CaseInsensitive) != 0)
            continue;
        if (row.MergeIndex <= 1 && UnpackVariety(c.Variety, false).compare(rowVariety, Qt::CaseInsensitive) != 0)
            continue;
        if (row.MergeIndex == 0 && c.GM.compare(row.GM, Qt::CaseInsensitive) != 0)
            continue;
        sum.HaveQuantity += c.Have;
        sum.NeedQuantity += c.Need;
        sum.SellQuantity += c.Sell;
        sum.SoldQuantity += c.Sold;
        if (c.Grade < sum.MinimumGrade || sum.MinimumGrade < 0)
            sum.MinimumGrade = c.Grade;
        if (c.Grade > sum.MaximumGrade)
            sum.MaximumGrade = c.Grade;
        if (c.Grade >= 0 && c.Grade < GradeSlots) {
            sum.Items[static_cast<size_t>(c.Grade)] += c.Have;
            sum.Entries[static_cast<size_t>(c.Grade)] += 1;
        }
    }
    sum.HaveOne = sum.HaveQuantity > 0;
}

// ---------------------------------------------------------------- declared names

const QStringList &CoinFieldNames()
{
    static const QStringList names = [] {
        QStringList n = Latin({
            "Year", "Mint", "Variety", "Year & Mint", "Year, Mint & Variety", "Series number", "Catalog",
            "Face value", "Face value code", "Face value and code", "Face exchange rate",
            "Face exchange rate and code", "Country", "Coin name", "Mintage", "Regular mintage", "Proof mintage",
            "Proofs", "Item number", "Grade", "Grade number", "GM", "Grade and GM", "Graded by", "Date purchased",
            "Purchase price", "Purchase price ($£€¥)", "Purchase price extended", "Purchase price extended ($£€¥)",
            "Lock purchase price", "Change price", "Change ($£€¥)", "Change extended", "Change extended ($£€¥)",
            "Date sold", "Sell price", "Sell price ($£€¥)", "Sell price extended", "Sell price extended ($£€¥)",
            "Lock sell price", "Price lock type", "Quantity", "Quantity type", "Have quantity", "Need quantity",
            "Sell quantity", "Sold quantity", "Stored in", "Comment", "Notes", "Mint error", "Tracked",
            "Price found", "Inflation ratio", "Inflate at X%", "Inflated face value", "Deflated value", "Value",
            "Value ($£€¥)", "Value extended", "Value extended ($£€¥)",
        });
        n = WithCurrencyPairs(n, QStringLiteral("Value "), CoinGradeLabel);
        n += Latin({
            "Series obverse image", "Series reverse image", "Obverse image", "Reverse image", "Receipt image",
            "Series type icon", "Series is paper money", "Series path", "Series entry count", "Series date range",
            "Series date range start", "Series date range end", "Weight", "Weight Extended", "Metal",
            "Metal content", "Metal content Extended", "Melt value", "Melt Value Extended", "Silver content",
            "Silver content Extended", "Silver Melt value", "Silver Melt value extended", "Gold content",
            "Gold content Extended", "Gold Melt value", "Gold Melt value extended", "Palladium content",
            "Palladium content Extended", "Palladium Melt value", "Palladium Melt value extended",
            "Platinum content", "Platinum content Extended", "Platinum Melt value", "Platinum Melt value extended",
        });
        return n;
    }();
    return names;
}

const QStringList &PriceFieldNames()
{
    static const QStringList names = [] {
        QStringList n = Latin({
            "Year", "Mint", "Variety", "GM", "Year & Mint", "Year, Mint & Variety", "Country", "Mintage", "Proofs",
            "Metal", "Content", "Silver content", "Gold content", "Palladium content", "Platinum content",
            "Melt value", "Melt value ($£€¥)", "Weight", "Catalog", "Have one", "Have quantity", "Need quantity",
            "Sell quantity", "Sold Quantity", "Minimum grade", "Maximum grade", "Face value", "Face value code",
            "Face value and code", "Face exchange rate", "Face exchange rate and code",
        });
        n = WithCurrencyPairs(n, QStringLiteral("Value "), PriceGradeLabel);
        n += Latin({
            "Series name", "Series number", "Series obverse image", "Series reverse image", "Series shape",
            "Series measurement", "Series is paper money", "Series grade Scale", "Series entry count",
            "Series date range", "Series date range start", "Series date range end", "Series type icon",
            "Series path",
        });
        for (const char *prefix : {"Items ", "Entries "})
            for (int slot = 0; slot < GradeSlots; ++slot)
                n.append(QString::fromLatin1(prefix) + PriceGradeLabel(slot));
        return n;
    }();
    return names;
}

const QStringList &SeriesFieldNames()
{
    // Both spellings of the fields that have two, each answered.
    static const QStringList names = Latin({
        "Series name", "Name", "Series number", "Series obverse image", "Series reverse image", "Is Country",
        "Country", "Is paper money", "Is new series", "Favorite", "Update OK", "Shape", "Series shape",
        "Measurement", "Series measurement", "Face value", "Face value code", "Face value and code",
        "Face exchange rate", "Face exchange rate and code", "Grade Scale", "Series grade scale", "Have one",
        "Entry count", "Series entry count", "Date range", "Series date range", "Date range start",
        "Series date range start", "Date range end", "Series date range end", "Series type icon", "Series path",
        "Catalog list", "Theme filter",
    });
    return names;
}

const QStringList &CollectionFieldNames()
{
    static const QStringList names = Latin({
        "Current series", "Collection file name", "Collection file path", "Coins on file", "Prices on file",
        "Series defined", "Program edition", "Architecture", "Program version", "OS version", "Images directory",
        "eBooks directory", "Prices directory", "Countries directory", "Backups directory", "Reports directory",
        "Downloads directory", "Image repository", "Silver spot price", "Gold spot price", "Palladium spot price",
        "Platinum spot price", "Metal values date", "Active currency code", "Active currency description",
        "Exchange rate to", "Exchange rate from",
    });
    return names;
}

const QStringList &EbookFieldNames()
{
    static const QStringList names = Latin({"PDF name", "eBook name", "Pages indexed", "Match"});
    return names;
}

const QStringList &ForexFieldNames()
{
    static const QStringList names =
        Latin({"Forex code", "Country name", "Exchange rate to", "Exchange rate from", "Value ($£€¥)"});
    return names;
}

// ---------------------------------------------------------------- data sets

tReportData::tReportData(tMainState &s) : s_(s)
{
    CurrentYear = [] { return QDate::currentDate().year(); };
    auto bind = [](tReportDataSet &ds, const char *name, int &cursor, std::function<bool()> eof,
                   std::function<tReportValue(const QString &)> value) {
        ds.UserName = QString::fromLatin1(name);
        ds.First = [&cursor] { cursor = 0; };
        ds.Next = [&cursor] { ++cursor; };
        ds.Prior = [&cursor] { --cursor; };
        ds.Eof = std::move(eof);
        ds.Value = std::move(value);
    };
    bind(Coins, "Coins", ReportIndexCoins,
         [this] { return ReportIndexCoins >= static_cast<int>(s_.ReportListCoins.size()); },
         [this](const QString &n) { return CoinValue(n); });
    bind(Prices, "Prices", ReportIndexPrices,
         [this] { return ReportIndexPrices >= static_cast<int>(s_.ReportListPrices.size()); },
         [this](const QString &n) { return PriceValue(n); });
    bind(Series, "Series", ReportIndexSeries,
         [this] { return ReportIndexSeries >= static_cast<int>(s_.ReportListSeries.size()); },
         [this](const QString &n) { return SeriesValue(n); });
    bind(Collection, "Collection", ReportIndexCollection, [this] { return ReportIndexCollection > 0; },
         [this](const QString &n) { return CollectionValue(n); });
    bind(Ebooks, "eBooks", ReportIndexEbooks,
         [this] { return ReportIndexEbooks >= static_cast<int>(EbookRows.size()); },
         [this](const QString &n) { return EbookValue(n); });
    // The eBook rows are read when a preparation starts them.
    Ebooks.First = [this] {
        ReportIndexEbooks = 0;
        EbookRows = Env && Env->Ebooks ? Env->Ebooks() : std::vector<tReportEbook>();
    };
    bind(Forex, "Forex", ReportIndexForex,
         [this] { return ReportIndexForex >= static_cast<int>(s_.ReportListForex.size()); },
         [this](const QString &n) { return ForexValue(n); });
    RefreshFieldLists();
}

void tReportData::RefreshFieldLists()
{
    Coins.Fields = CoinFieldNames();
    for (const auto &u : s_.UDFlist)
        Coins.Fields.append(u->FieldLabel);
    Prices.Fields = PriceFieldNames();
    Series.Fields = SeriesFieldNames();
    Collection.Fields = CollectionFieldNames();
    Ebooks.Fields = EbookFieldNames();
    Forex.Fields = ForexFieldNames();
}

void tReportData::AddTo(tReportEngine &engine)
{
    for (tReportDataSet *ds : {&Coins, &Prices, &Series, &Collection, &Ebooks, &Forex})
        engine.AddDataSet(ds);
}

namespace {

enum tCoinField {
    CYear = 1, CMint, CVariety, CYearMint, CYearMintVariety, CGrade, CGradeAndGM, CGradeNumber, CGM, CGradedBy,
    CStoredIn, CComment, CNotes, CBuyDate, CSellDate, CBuyPrice, CBuyPriceExt, CSellPrice, CSellPriceExt,
    CChange, CChangeExt, CBuyLock, CSellLock, CLockType, CMintError, CTracked, CItemNumber, CCoinName,
    CQuantity, CQuantityType, CHave, CNeed, CSell, CSold, CValue, CValueExt, CFaceRate, CFaceRateAndCode,
    CSeriesObverseImage, CSeriesReverseImage, CObverseImage, CReverseImage, CReceiptImage,
    CInflationRatio, CInflatedFace, CDeflatedValue, CNoAnswer,
    // Price-entry fields from here on.
    CPriceFound, CCatalog, CMintage, CRegularMintage, CProofMintage, CMetal, CWeight, CWeightExt, CContent,
    CContentExt, CSilver, CSilverExt, CGold, CGoldExt, CPalladium, CPalladiumExt, CPlatinum, CPlatinumExt,
    CMelt, CMeltExt, CSilverMelt, CSilverMeltExt, CGoldMelt, CGoldMeltExt, CPalladiumMelt, CPalladiumMeltExt,
    CPlatinumMelt, CPlatinumMeltExt,
    CValueSlot = 100,  // + grade slot
};

const tNameTable &CoinNames()
{
    static const tNameTable t = [] {
        tNameTable n = MakeTable({
            {"Year", CYear}, {"Mint", CMint}, {"Variety", CVariety}, {"Year & Mint", CYearMint},
            {"Year, Mint & Variety", CYearMintVariety}, {"Series number", FSeriesNumber}, {"Catalog", CCatalog},
            {"Face value", FFaceValue}, {"Face value code", FFaceValueCode},
            {"Face value and code", FFaceValueAndCode}, {"Face exchange rate", CFaceRate},
            {"Face exchange rate and code", CFaceRateAndCode}, {"Country", FCountry}, {"Coin name", CCoinName},
            {"Mintage", CMintage}, {"Regular mintage", CRegularMintage}, {"Proof mintage", CProofMintage},
            {"Proofs", CNoAnswer}, {"Item number", CItemNumber}, {"Grade", CGrade}, {"Grade number", CGradeNumber},
            {"GM", CGM}, {"Grade and GM", CGradeAndGM}, {"Graded by", CGradedBy}, {"Date purchased", CBuyDate},
            {"Purchase price", CBuyPrice}, {"Purchase price extended", CBuyPriceExt},
            {"Lock purchase price", CBuyLock}, {"Change price", CNoAnswer}, {"Change", CChange},
            {"Change extended", CChangeExt}, {"Date sold", CSellDate}, {"Sell price", CSellPrice},
            {"Sell price extended", CSellPriceExt}, {"Lock sell price", CSellLock},
            {"Price lock type", CLockType}, {"Quantity", CQuantity}, {"Quantity type", CQuantityType},
            {"Have quantity", CHave}, {"Need quantity", CNeed}, {"Sell quantity", CSell},
            {"Sold quantity", CSold}, {"Stored in", CStoredIn}, {"Comment", CComment}, {"Notes", CNotes},
            {"Mint error", CMintError}, {"Tracked", CTracked}, {"Price found", CPriceFound},
            {"Inflation ratio", CInflationRatio}, {"Inflated face value", CInflatedFace},
            {"Deflated value", CDeflatedValue}, {"Value", CValue}, {"Value extended", CValueExt},
            {"Series obverse image", CSeriesObverseImage}, {"Series reverse image", CSeriesReverseImage},
            {"Obverse image", CObverseImage}, {"Reverse image", CReverseImage}, {"Receipt image", CReceiptImage},
            {"Series type icon", CNoAnswer}, {"Series is paper money", FSeriesPaper}, {"Series path", FSeriesPath},
            {"Series entry count", FSeriesEntryCount}, {"Series date range", FSeriesDateRange},
            {"Series date range start", FSeriesDateStart}, {"Series date range end", FSeriesDateEnd},
            {"Weight", CWeight}, {"Weight Extended", CWeightExt}, {"Metal", CMetal}, {"Metal content", CContent},
            {"Metal content Extended", CContentExt}, {"Melt value", CMelt}, {"Melt Value Extended", CMeltExt},
            {"Silver content", CSilver}, {"Silver content Extended", CSilverExt},
            {"Silver Melt value", CSilverMelt}, {"Silver Melt value extended", CSilverMeltExt},
            {"Gold content", CGold}, {"Gold content Extended", CGoldExt}, {"Gold Melt value", CGoldMelt},
            {"Gold Melt value extended", CGoldMeltExt}, {"Palladium content", CPalladium},
            {"Palladium content Extended", CPalladiumExt}, {"Palladium Melt value", CPalladiumMelt},
            {"Palladium Melt value extended", CPalladiumMeltExt}, {"Platinum content", CPlatinum},
            {"Platinum content Extended", CPlatinumExt}, {"Platinum Melt value", CPlatinumMelt},
            {"Platinum Melt value extended", CPlatinumMeltExt},
        });
        for (int slot = 0; slot < GradeSlots; ++slot)
            n.insert((QStringLiteral("Value ") + CoinGradeLabel(slot)).toUpper(), CValueSlot + slot);
        return n;
    }();
    return t;
}

QString QuantityType(const tCoinInfo &c)
{
    const int kinds = (c.Have > 0) + (c.Need > 0) + (c.Sell > 0) + (c.Sold > 0);
    if (kinds == 0)
        return QStringLiteral("None");
    if (kinds > 1)
        return QStringLiteral("Mixed");
    return c.Have > 0 ? QStringLiteral("Have") : c.Need > 0 ? QStringLiteral("Need")
                       : c.Sell > 0 ? QStringLiteral("Sell") : QStringLiteral("Sold");
}

Money FaceAsMoney(const tnodeinfo *n)
{
    return n ? ToMoney(static_cast<double>(n->FaceValueAmount)) : 0;
}

// "Inflate at X%": the face value compounded daily at X percent a year from
// the coin's year to today. X after "/" in the user's number format; 1 when
// missing or not a number.
tReportValue InflateAt(const tCoinInfo &c, const QString &code, int currentYear)
{
    bool ok = false;
    double rate = QLocale().toDouble(code.trimmed(), &ok);
    if (!ok)
        rate = 1;
    const int years = currentYear - c.Year;
    if (years < 1)
        return tReportValue::FromMoney(0);
    const double face = c.Folder ? static_cast<double>(c.Folder->FaceValueAmount) : 0;
    return tReportValue::FromMoney(ToMoney(face * std::pow(1 + rate / 36500, 365.0 * years)));
}

} // namespace

tReportValue tReportData::CoinValue(const QString &name)
{
    CurrProcGuard guard(20000);
    tCoinInfo *c = RowAt(s_.ReportListCoins, ReportIndexCoins);
    if (!c)
        return {};
    const tFieldName f = SplitName(name, 10);
    // "Inflate at X%" reads the rate from what stands after "/", so it is
    // matched on its first 13 characters.
    if (f.Base.left(13).compare(QLatin1String("Inflate at X%"), Qt::CaseInsensitive) == 0)
        return InflateAt(*c, f.Code, CurrentYear ? CurrentYear() : QDate::currentDate().year());
    const int id = Lookup(CoinNames(), f.Base);
    if (id < 0) {
        // Not a coin field: a user field's label (the last match answers),
        // unless the name begins with "Value".
        if (f.Base.startsWith(QLatin1String("Value"), Qt::CaseInsensitive))
            return {};
        tReportValue answer;
        for (size_t i = 0; i < s_.UDFlist.size(); ++i)
            if (s_.UDFlist[i]->FieldLabel.compare(f.Base, Qt::CaseInsensitive) == 0)
                answer = UserFieldValue(*s_.UDFlist[i], CommaTextItem(c->UDFstring, static_cast<int>(i)));
        return answer;
    }
    if (id > 1000)
        return SeriesAnswer(s_, c->Folder, id, QStringLiteral("0.00###"));
    auto money = [&](Money amount) { return MoneyAnswer(s_, amount, f); };
    switch (id) {
    case CYear: return Int(c->Year);
    case CMint: return Text(c->Mint);
    case CVariety: return Text(c->Variety);
    case CYearMint: return Text(CompoundVariety(c->Year, false, c->Mint, QString()));
    case CYearMintVariety: return Text(CompoundVariety(c->Year, false, c->Mint, UnpackVariety(c->Variety, false)));
    case CGrade:
    case CGradeAndGM: {
        QString title = TitleOf(s_, Env, c->Folder, c->Grade);
        if (id == CGradeAndGM && !c->GM.trimmed().isEmpty())
            title += QLatin1Char('-') + c->GM;
        return Text(title);
    }
    case CGradeNumber: return Int(c->Grade);
    case CGM: return Text(c->GM);
    case CGradedBy: return Text(c->Gradedby);
    case CStoredIn: return Text(c->Stored);
    case CComment: return Text(c->Comment);
    case CNotes: return Text(c->Notes.trimmed());
    case CBuyDate: return Int(c->BuyDate);
    case CSellDate: return Int(c->SellDate);
    case CBuyPrice: return money(c->BuyPrice);
    case CBuyPriceExt: return money(c->BuyPrice * c->Have);
    case CSellPrice: return money(c->SellPrice);
    case CSellPriceExt: return money(c->SellPrice * c->Sold);
    case CChange: return money(CoinReportValue(s_, *c) - c->BuyPrice);
    case CChangeExt: return money((CoinReportValue(s_, *c) - c->BuyPrice) * c->Have);
    case CBuyLock: return Bool(c->BuyLock);
    case CSellLock: return Bool(c->SellLock);
    case CLockType: return Text(c->BuyLock ? QStringLiteral("B") : c->SellLock ? QStringLiteral("S") : QString());
    case CMintError: return Bool(c->MintError);
    case CTracked: return Bool(c->User1);
    case CItemNumber: return Int(c->Inventory);
    case CCoinName: return Text(c->Folder ? c->Folder->NodeName : QString());
    case CQuantity: return Int(int64_t(c->Have) + c->Need + c->Sell + c->Sold);
    case CQuantityType: return Text(QuantityType(*c));
    case CHave: return Int(c->Have);
    case CNeed: return Int(c->Need);
    case CSell: return Int(c->Sell);
    case CSold: return Int(c->Sold);
    case CValue: return money(CoinReportValue(s_, *c));
    case CValueExt: return money(CoinReportValue(s_, *c) * c->Have);
    case CFaceRate: return tReportValue::FromMoney(c->Folder ? FaceExchangeRate(s_, *c->Folder) : 0);
    case CFaceRateAndCode:
        return Text(c->Folder ? FaceExchangeRateAndCode(s_, *c->Folder, QStringLiteral("0.00####"), true) : QString());
    case CSeriesObverseImage:
    case CSeriesReverseImage:
        if (!c->Folder || !Env || !Env->SeriesPicturePath)
            return Text(QString());
        return Text(Env->SeriesPicturePath(*c->Folder, id == CSeriesObverseImage));
    case CObverseImage: return Text(UnpackRepositoryPath(s_, c->Obverse));
    case CReverseImage: return Text(UnpackRepositoryPath(s_, c->Reverse));
    case CReceiptImage: return Text(UnpackRepositoryPath(s_, c->Receipt));
    case CInflationRatio: {
        const int from = PriceIndexOf(c->Year);
        if (from <= 0)
            return Real(0);
        return Real(static_cast<double>(PriceIndexOf(LastIndexYear)) / from);
    }
    case CInflatedFace: return tReportValue::FromMoney(InflationAdjust(FaceAsMoney(c->Folder), c->Year, LastIndexYear));
    case CDeflatedValue:
        return tReportValue::FromMoney(InflationAdjust(CoinReportValue(s_, *c), LastIndexYear, c->Year));
    case CNoAnswer: return Text(QString());
    default: break;
    }
    // Price-entry fields: numbers 0 and texts empty without an entry.
    const tPriceInfo *p = LookUpCoinPrice(s_, *c);
    if (id >= CValueSlot) {
        if (!p)
            return Text(QString());
        const Money cell = p->Value[static_cast<size_t>(id - CValueSlot)];
        return cell < 0 ? PriceCellToVariant(cell) : money(cell);
    }
    const double have = c->Have;
    // Melt values are converted by the code but never formatted.
    auto melt = [&](Money amount) { return tReportValue::FromMoney(ConvertForex(s_, amount, f.Code, false)); };
    const int metal = p ? (p->Metal == MetalGoldSilver ? MetalSilver : int(p->Metal)) : 0;
    const double content = p ? static_cast<double>(p->Content) : 0;
    switch (id) {
    case CPriceFound: return Bool(p != nullptr);
    case CCatalog: return Text(p ? p->Catalog : QString());
    case CMintage:
        return Text(p ? FormatMintage(c->Grade >= 30 ? p->ProofMintage : p->Mintage, false) : QString());
    case CRegularMintage: return Text(p ? FormatMintage(p->Mintage, false) : QString());
    case CProofMintage: return Text(p ? FormatMintage(p->ProofMintage, false) : QString());
    case CMetal: return Text(p ? MetalName(p->Metal) : QString());
    case CWeight: return Real(p ? p->Weight : 0);
    case CWeightExt: return Real(p ? p->Weight * have : 0);
    case CContent: return Real(content);
    case CContentExt: return Real(content * have);
    case CSilver: return Real(ContentOf(p, MetalSilver));
    case CSilverExt: return Real(ContentOf(p, MetalSilver) * have);
    case CGold: return Real(ContentOf(p, MetalGold));
    case CGoldExt: return Real(ContentOf(p, MetalGold) * have);
    case CPalladium: return Real(ContentOf(p, MetalPalladium));
    case CPalladiumExt: return Real(ContentOf(p, MetalPalladium) * have);
    case CPlatinum: return Real(ContentOf(p, MetalPlatinum));
    case CPlatinumExt: return Real(ContentOf(p, MetalPlatinum) * have);
    case CMelt: return melt(MeltOf(s_, content, metal));
    case CMeltExt: return melt(MeltOf(s_, content * have, metal));
    case CSilverMelt: return melt(MeltOf(s_, ContentOf(p, MetalSilver), MetalSilver));
    case CSilverMeltExt: return melt(MeltOf(s_, ContentOf(p, MetalSilver) * have, MetalSilver));
    case CGoldMelt: return melt(MeltOf(s_, ContentOf(p, MetalGold), MetalGold));
    case CGoldMeltExt: return melt(MeltOf(s_, ContentOf(p, MetalGold) * have, MetalGold));
    case CPalladiumMelt: return melt(MeltOf(s_, ContentOf(p, MetalPalladium), MetalPalladium));
    case CPalladiumMeltExt: return melt(MeltOf(s_, ContentOf(p, MetalPalladium) * have, MetalPalladium));
    case CPlatinumMelt: return melt(MeltOf(s_, ContentOf(p, MetalPlatinum), MetalPlatinum));
    case CPlatinumMeltExt: return melt(MeltOf(s_, ContentOf(p, MetalPlatinum) * have, MetalPlatinum));
    default: return {};
    }
}

namespace {

enum tPriceField {
    PYear = 1, PMint, PVariety, PGM, PYearMint, PYearMintVariety, PMintage, PProofs, PMetal, PContent, PSilver,
    PGold, PPalladium, PPlatinum, PMelt, PWeight, PCatalog, PNoAnswer,
    // Aggregates of the user's entries for the row.
    PHaveOne, PHave, PNeed, PSell, PSold, PMinGrade, PMaxGrade,
    PValueSlot = 100,    // + grade slot
    PItemsSlot = 200,    // + grade slot
    PEntriesSlot = 300,  // + grade slot
};

const tNameTable &PriceNames()
{
    static const tNameTable t = [] {
        tNameTable n = MakeTable({
            {"Year", PYear}, {"Mint", PMint}, {"Variety", PVariety}, {"GM", PGM}, {"Year & Mint", PYearMint},
            {"Year, Mint & Variety", PYearMintVariety}, {"Country", FCountry}, {"Mintage", PMintage},
            {"Proofs", PProofs}, {"Metal", PMetal}, {"Content", PContent}, {"Silver content", PSilver},
            {"Gold content", PGold}, {"Palladium content", PPalladium}, {"Platinum content", PPlatinum},
            {"Melt value", PMelt}, {"Weight", PWeight}, {"Catalog", PCatalog}, {"Have one", PHaveOne},
            {"Have quantity", PHave}, {"Need quantity", PNeed}, {"Sell quantity", PSell},
            {"Sold Quantity", PSold}, {"Minimum grade", PMinGrade}, {"Maximum grade", PMaxGrade},
            {"Face value", FFaceValue}, {"Face value code", FFaceValueCode},
            {"Face value and code", FFaceValueAndCode}, {"Face exchange rate", FFaceRate},
            {"Face exchange rate and code", FFaceRateAndCode}, {"Series name", FSeriesName},
            {"Series number", FSeriesNumber}, {"Series obverse image", FSeriesObverse},
            {"Series reverse image", FSeriesReverse}, {"Series shape", FSeriesShape},
            {"Series measurement", FSeriesMeasurement}, {"Series is paper money", FSeriesPaper},
            {"Series grade scale", FSeriesGradeScale}, {"Series entry count", FSeriesEntryCount},
            {"Series date range", FSeriesDateRange}, {"Series date range start", FSeriesDateStart},
            {"Series date range end", FSeriesDateEnd}, {"Series type icon", PNoAnswer},
            {"Series path", FSeriesPath},
        });
        for (int slot = 0; slot < GradeSlots; ++slot) {
            n.insert((QStringLiteral("Value ") + PriceGradeLabel(slot)).toUpper(), PValueSlot + slot);
            n.insert((QStringLiteral("Items ") + PriceGradeLabel(slot)).toUpper(), PItemsSlot + slot);
            n.insert((QStringLiteral("Entries ") + PriceGradeLabel(slot)).toUpper(), PEntriesSlot + slot);
        }
        return n;
    }();
    return t;
}

} // namespace

tReportValue tReportData::PriceValue(const QString &name)
{
    CurrProcGuard guard(20300);
    const tPriceInfo *p = RowAt(s_.ReportListPrices, ReportIndexPrices);
    if (!p)
        return {};
    const tFieldName f = SplitName(name, 3);
    const int id = Lookup(PriceNames(), f.Base);
    if (id < 0)
        return {};
    if (id > 1000)
        return SeriesAnswer(s_, p->Folder, id, QStringLiteral("0.00"));
    if (id >= PValueSlot && id < PItemsSlot) {
        const Money cell = p->Value[static_cast<size_t>(id - PValueSlot)];
        // Special value codes answer their names whatever the suffixes.
        return cell < 0 ? PriceCellToVariant(cell) : MoneyAnswer(s_, cell, f);
    }
    if (id >= PItemsSlot || (id >= PHaveOne && id <= PMaxGrade)) {
        // One scan of the collection per row, however many aggregates the
        // template prints.
        if (PriceSummary.PriceInfo != p)
            BuildPriceSummary(s_, *p, PriceSummary);
        const tPriceSummary &a = PriceSummary;
        if (id >= PEntriesSlot)
            return Int(a.Entries[static_cast<size_t>(id - PEntriesSlot)]);
        if (id >= PItemsSlot)
            return Int(a.Items[static_cast<size_t>(id - PItemsSlot)]);
        switch (id) {
        case PHaveOne: return Bool(a.HaveOne);
        case PHave: return Int(a.HaveQuantity);
        case PNeed: return Int(a.NeedQuantity);
        case PSell: return Int(a.SellQuantity);
        case PSold: return Int(a.SoldQuantity);
        case PMinGrade: return Text(TitleOf(s_, Env, p->Folder, a.MinimumGrade));
        case PMaxGrade: return Text(TitleOf(s_, Env, p->Folder, a.MaximumGrade));
        default: return {};
        }
    }
    switch (id) {
    case PYear: return Int(p->Year);
    case PMint: return Text(p->Mint);
    case PVariety: return Text(p->Variety);
    case PGM: return Text(p->GM);
    case PYearMint: return Text(CompoundVariety(p->Year, p->DateBits & DateBitCirca, p->Mint, QString()));
    case PYearMintVariety:
        return Text(CompoundVariety(p->Year, p->DateBits & DateBitCirca, p->Mint, UnpackVariety(p->Variety, false)));
    case PMintage: return Text(FormatMintage(p->Mintage, p->Included));
    case PProofs: return Text(FormatMintage(p->ProofMintage, p->ProofIncluded));
    case PMetal: return Text(MetalName(p->Metal));
    case PContent: return Real(p->Content);
    case PSilver: return Real(ContentOf(p, MetalSilver));
    case PGold: return Real(ContentOf(p, MetalGold));
    case PPalladium: return Real(ContentOf(p, MetalPalladium));
    case PPlatinum: return Real(ContentOf(p, MetalPlatinum));
    case PMelt:
        if (p->Metal < MetalSilver || p->Metal > MetalPlatinum)
            return tReportValue::FromMoney(0);
        return MoneyAnswer(s_, MeltOf(s_, p->Content, p->Metal), f);
    case PWeight: return Real(p->Weight);
    case PCatalog: return Text(p->Catalog);
    case PNoAnswer: return Text(QString());
    default: return {};
    }
}

namespace {

enum tSeriesOnlyField { SIsNew = 1, SHaveOne, SThemeFilter, SIsCountry, SFavorite, SUpdateOk, SCatalogList,
                        SNoAnswer };

const tNameTable &SeriesNames()
{
    static const tNameTable t = MakeTable({
        {"Name", FSeriesName}, {"Series name", FSeriesName}, {"Series number", FSeriesNumber},
        {"Series obverse image", FSeriesObverse}, {"Series reverse image", FSeriesReverse},
        {"Series path", FSeriesPath}, {"Series shape", FSeriesShape}, {"Shape", FSeriesShape},
        {"Series measurement", FSeriesMeasurement}, {"Measurement", FSeriesMeasurement},
        {"Series grade scale", FSeriesGradeScale}, {"Grade Scale", FSeriesGradeScale}, {"Country", FCountry},
        {"Is paper money", FSeriesPaper}, {"Is new series", SIsNew}, {"Have one", SHaveOne},
        {"Series entry count", FSeriesEntryCount}, {"Entry count", FSeriesEntryCount},
        {"Series date range", FSeriesDateRange}, {"Date range", FSeriesDateRange},
        {"Series date range start", FSeriesDateStart}, {"Date range start", FSeriesDateStart},
        {"Series date range end", FSeriesDateEnd}, {"Date range end", FSeriesDateEnd},
        {"Face value", FFaceValue}, {"Face value code", FFaceValueCode}, {"Face value and code", FFaceValueAndCode},
        {"Face exchange rate", FFaceRate}, {"Face exchange rate and code", FFaceRateAndCode},
        {"Theme filter", SThemeFilter}, {"Is Country", SIsCountry}, {"Favorite", SFavorite},
        {"Update OK", SUpdateOk}, {"Catalog list", SCatalogList}, {"Series type icon", SNoAnswer},
    });
    return t;
}

} // namespace

tReportValue tReportData::SeriesValue(const QString &name)
{
    CurrProcGuard guard(20400);
    const tnodeinfo *n = RowAt(s_.ReportListSeries, ReportIndexSeries);
    if (!n)
        return {};
    const int id = Lookup(SeriesNames(), name);
    if (id > 1000)
        return SeriesAnswer(s_, n, id, QStringLiteral("0.00"));
    switch (id) {
    case SIsNew: return Bool(n->GlyphStats & GlyphAdded);
    case SHaveOne: return Bool(n->EntryCount > 0);
    case SIsCountry: return Bool(n->NodeMode == NodeModeCountry);
    case SFavorite: return Bool(n->Favorite);
    case SUpdateOk: return Bool(n->UpdateOK);
    case SCatalogList: return Text(GetKMlistForCoinType(s_, n->CoinType));
    case SNoAnswer: return Text(QString());
    case SThemeFilter:
        if (RunParams && RunParams->ThemeMultiplex && Env && Env->ThemeName)
            return Text(Env->ThemeName(RunParams->SelectedTheme));
        return Text(QString());
    default: return {};
    }
}

namespace {

enum tCollectionField {
    LCurrentSeries = 1, LFileName, LFilePath, LCoins, LPrices, LSeries, LEdition, LArchitecture, LVersion,
    LOsVersion, LImagesDir, LEbooksDir, LPricesDir, LCountriesDir, LBackupsDir, LReportsDir, LDownloadsDir,
    LRepository, LSilver, LGold, LPalladium, LPlatinum, LMetalDate, LCurrencyCode, LCurrencyDescription, LRateTo,
    LRateFrom,
};

const tNameTable &CollectionNames()
{
    static const tNameTable t = MakeTable({
        {"Current series", LCurrentSeries}, {"Collection file name", LFileName},
        {"Collection file path", LFilePath}, {"Coins on file", LCoins}, {"Prices on file", LPrices},
        {"Series defined", LSeries}, {"Program edition", LEdition}, {"Architecture", LArchitecture},
        {"Program version", LVersion}, {"OS version", LOsVersion}, {"Images directory", LImagesDir},
        {"eBooks directory", LEbooksDir}, {"Prices directory", LPricesDir}, {"Countries directory", LCountriesDir},
        {"Backups directory", LBackupsDir}, {"Reports directory", LReportsDir},
        {"Downloads directory", LDownloadsDir}, {"Image repository", LRepository}, {"Silver spot price", LSilver},
        {"Gold spot price", LGold}, {"Palladium spot price", LPalladium}, {"Platinum spot price", LPlatinum},
        {"Metal values date", LMetalDate}, {"Active currency code", LCurrencyCode},
        {"Active currency description", LCurrencyDescription}, {"Exchange rate to", LRateTo},
        {"Exchange rate from", LRateFrom},
    });
    return t;
}

QString Architecture()
{
    const QString a = QSysInfo::currentCpuArchitecture();
    if (a == QLatin1String("i386"))
        return QStringLiteral("Intel X86");
    if (a == QLatin1String("x86_64"))
        return QStringLiteral("Intel X64");
    if (a == QLatin1String("arm64"))
        return QStringLiteral("ARM 64-bit");
    return QStringLiteral("UNKNOWN OS Architecture");
}

} // namespace

tReportValue tReportData::CollectionValue(const QString &name)
{
    CurrProcGuard guard(20100);
    if (ReportIndexCollection != 0)
        return {};
    // A code after "/" converts; this data set knows no formatted form.
    tFieldName f;
    f.Base = name;
    if (const qsizetype slash = name.indexOf(QLatin1Char('/')); slash >= 0) {
        f.Code = name.mid(slash + 1, 3);
        f.Base = name.left(slash);
    }
    const tForex *active = ActiveCurrency(s_);
    const int id = Lookup(CollectionNames(), f.Base);
    switch (id) {
    case LCurrentSeries: return Text(s_.SelectedTreeNode ? s_.SelectedTreeNode->NodeName : QString());
    case LFileName: return Text(platform::fileNamePart(s_.LastFileName));
    case LFilePath: return Text(s_.LastFileName);
    case LCoins: return Int(static_cast<int64_t>(s_.CoinList.size()));
    case LPrices: return Int(static_cast<int64_t>(s_.PriceList.size()));
    case LSeries: return Int(static_cast<int64_t>(PreOrder(s_.EntireCollection.get()).size()));
    case LEdition: return Text(QStringLiteral("Linux"));
    case LArchitecture: return Text(Architecture());
    case LVersion: return Text(s_.OVversionString);
    case LOsVersion: return Text(QSysInfo::prettyProductName() + QLatin1Char(' ') + QSysInfo::kernelVersion());
    case LImagesDir: return Text(s_.FolderImagesRedirect);
    case LEbooksDir: return Text(s_.EbooksRedirect);
    case LPricesDir: return Text(s_.PricesRedirect);
    case LCountriesDir: return Text(s_.CountriesRedirect);
    case LBackupsDir: return Text(s_.BackupsRedirect);
    case LReportsDir: return Text(s_.ReportsRedirect);
    case LDownloadsDir: return Text(s_.downloadsRedirect);
    case LRepository: return Text(s_.RepositoryPath);
    case LSilver: case LGold: case LPalladium: case LPlatinum:
        return tReportValue::FromMoney(
            ConvertForex(s_, s_.MetalValues[static_cast<size_t>(id - LSilver)], f.Code, false));
    case LMetalDate: return Int(s_.MetalValuesDate);
    case LCurrencyCode: return Text(active ? active->Code : QString());
    case LCurrencyDescription: return Text(active ? active->Description : QString());
    case LRateTo: return tReportValue::FromMoney(ConvertForex(s_, MoneyScale, f.Code, false));
    case LRateFrom: return tReportValue::FromMoney(ConvertForex(s_, MoneyScale, f.Code, true));
    default: return {};
    }
}

tReportValue tReportData::EbookValue(const QString &name)
{
    CurrProcGuard guard(20200);
    // No last-row fallback: past the end every name is empty.
    if (ReportIndexEbooks < 0 || ReportIndexEbooks >= static_cast<int>(EbookRows.size()))
        return {};
    const tReportEbook &b = EbookRows[static_cast<size_t>(ReportIndexEbooks)];
    if (name.compare(QLatin1String("PDF name"), Qt::CaseInsensitive) == 0)
        return Text(platform::fileNamePart(b.PdfFileName));
    if (name.compare(QLatin1String("eBook name"), Qt::CaseInsensitive) == 0)
        return Text(platform::fileNamePart(b.EbookFileName));
    if (name.compare(QLatin1String("Pages indexed"), Qt::CaseInsensitive) == 0)
        return Int(b.PagesIndexed);
    if (name.compare(QLatin1String("Match"), Qt::CaseInsensitive) == 0)
        return Bool(b.Indexed);
    return {};
}

tReportValue tReportData::ForexValue(const QString &name)
{
    CurrProcGuard guard(7);
    if (ReportIndexForex < 0 || ReportIndexForex >= static_cast<int>(s_.ReportListForex.size()))
        return {};
    const tForex *fx = s_.ReportListForex[static_cast<size_t>(ReportIndexForex)];
    auto is = [&](const char *n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    if (is("Forex code"))
        return Text(fx->Code);
    if (is("Country name"))
        return Text(fx->Description);
    if (is("Exchange rate to"))
        return tReportValue::FromMoney(ConvertForex(s_, MoneyScale, fx->Code, false));
    if (is("Exchange rate from"))
        return tReportValue::FromMoney(ConvertForex(s_, MoneyScale, fx->Code, true));
    if (name.compare(QStringLiteral("Value") + CurrencySuffix, Qt::CaseInsensitive) == 0)
        return Text(NativeFormatCurrency(s_, ConvertForex(s_, MoneyScale, fx->Code, false), fx->Code));
    return {};
}

// ---------------------------------------------------------------- pictures

namespace {

// A picture that could not be had prints white, in the designed picture's
// size (or one fitting the frame when it has none).
QImage WhitePicture(const tPictureEvent &ev)
{
    QSize size = ev.Picture.size();
    if (size.isEmpty())
        size = QSize(std::max(1, qRound(ev.Object.Rect.width() * 4)), std::max(1, qRound(ev.Object.Rect.height() * 4)));
    QImage white(size, QImage::Format_ARGB32);
    white.fill(0xFFFFFFFF);
    return white;
}

} // namespace

void tReportData::BeforePrint(tPictureEvent &ev)
{
    CurrProcGuard guard(20500);
    const QString field = ev.Object.Field;
    auto is = [&](const char *n) { return field.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    auto load = [&](const QString &path) {
        QImage image = LoadReportPicture(path);
        ev.Picture = image.isNull() ? WhitePicture(ev) : image;
    };
    const bool fromCoins = ev.DataSet == &Coins;
    const bool fromPrices = ev.DataSet == &Prices;
    const bool fromSeries = ev.DataSet == &Series;
    const int coinRows = static_cast<int>(s_.ReportListCoins.size());
    const int priceRows = static_cast<int>(s_.ReportListPrices.size());
    const int seriesRows = static_cast<int>(s_.ReportListSeries.size());
    auto inRange = [](int cursor, int rows) { return cursor >= 0 && cursor < rows; };

    if (is("Obverse image") || is("Reverse image") || is("Receipt image")) {
        if (!fromCoins || !inRange(ReportIndexCoins, coinRows))
            return;
        const tCoinInfo &c = *s_.ReportListCoins[static_cast<size_t>(ReportIndexCoins)];
        const QString &stored = is("Obverse image") ? c.Obverse : is("Reverse image") ? c.Reverse : c.Receipt;
        load(UnpackRepositoryPath(s_, stored));
        return;
    }
    const tnodeinfo *series = nullptr;
    bool valid = false;
    if (fromCoins && inRange(ReportIndexCoins, coinRows)) {
        series = s_.ReportListCoins[static_cast<size_t>(ReportIndexCoins)]->Folder;
        valid = true;
    } else if (fromPrices && inRange(ReportIndexPrices, priceRows)) {
        series = s_.ReportListPrices[static_cast<size_t>(ReportIndexPrices)]->Folder;
        valid = true;
    } else if (fromSeries && inRange(ReportIndexSeries, seriesRows)) {
        series = s_.ReportListSeries[static_cast<size_t>(ReportIndexSeries)];
        valid = true;
    }
    if (is("Series obverse image") || is("Series reverse image")) {
        if (!valid)
            return;
        QString path;
        if (series && Env && Env->SeriesPicturePath)
            path = Env->SeriesPicturePath(*series, is("Series obverse image"));
        load(path);
        return;
    }
    if (is("Series type icon")) {
        if (!valid || !series) {
            ev.Picture = WhitePicture(ev);
            return;
        }
        int index = IsPaper(series) ? 2 : 1;
        if (fromSeries && series->CoinType == RootCoinType)
            index = 0;
        QImage icon = Env && Env->SeriesTypeIcon ? Env->SeriesTypeIcon(index) : QImage();
        if (icon.isNull()) {
            icon = QImage(32, 32, QImage::Format_ARGB32);
            icon.fill(0xFFFFFFFF);
        }
        ev.Picture = icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
}
