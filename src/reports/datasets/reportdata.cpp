#include "reports/datasets/reportdata.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QSysInfo>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/seriestree.h"
#include "platform/paths.h"
#include "pricing/valuation/valuation.h"

namespace {

// A requested name taken apart: "base [($£€¥)] [/code]".
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
    const QString suffix = QStringLiteral(" ($\u00a3\u20ac\u00a5)");
    if (f.Base.size() >= suffix.size() && f.Base.right(suffix.size()).compare(suffix, Qt::CaseInsensitive) == 0) {
        f.Base.chop(suffix.size());
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

// A money answer. Conversion into another currency and the currency's own
// formatting belong to the currency services; until they are wired in, a
// plain request without a code is answered and the others give empty text.
tReportValue MoneyAnswer(Money amount, const tFieldName &f)
{
    if (f.Formatted || !f.Code.isEmpty())
        return {};
    return tReportValue::FromMoney(amount);
}

QString FaceValueAndCode(const tnodeinfo &n, const QString &pattern)
{
    if (n.FaceValueCode.trimmed().isEmpty())
        return {};
    return n.FaceValueCode + QLatin1Char(' ') +
           FormatFloatPattern(pattern, static_cast<double>(n.FaceValueAmount), ReportDecimalChar(), ReportGroupChar());
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

// Metals whose content counts as silver, gold, palladium, platinum.
enum : int { MetalSilver = 1, MetalGold = 2, MetalPalladium = 3, MetalPlatinum = 4, MetalGoldSilver = 34 };

double ContentOf(const tPriceInfo *p, int metal)
{
    if (!p)
        return 0;
    const bool match = p->Metal == metal || (metal == MetalSilver && p->Metal == MetalGoldSilver);
    return match ? static_cast<double>(p->Content) : 0;
}

// Fields answered from a series node, shared by the three data sets that
// print series. Ids above 1000 so they never meet a data set's own.
enum tSeriesField {
    FSeriesName = 1001, FSeriesNumber, FSeriesObverse, FSeriesReverse, FSeriesPath, FSeriesShape,
    FSeriesMeasurement, FSeriesGradeScale, FSeriesPaper, FSeriesEntryCount, FSeriesDateRange,
    FSeriesDateStart, FSeriesDateEnd, FFaceValue, FFaceValueCode, FFaceValueAndCode, FCountry,
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

} // namespace

// ---------------------------------------------------------------- helpers

tPriceInfo *LookUpCoinPrice(tMainState &s, tCoinInfo &coin)
{
    if (!coin.PriceInfo && s.Hooks.GetCoinValue) {
        Money value = 0;
        coin.PriceInfo = s.Hooks.GetCoinValue(coin, value, false, false);
    }
    return coin.PriceInfo;
}

Money CoinReportValue(tMainState &s, tCoinInfo &coin)
{
    Money value = coin.BuyLock ? coin.BuyPrice : coin.SellLock ? coin.SellPrice : 0;
    if (s.Hooks.GetCoinValue)
        coin.PriceInfo = s.Hooks.GetCoinValue(coin, value, false, false);
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

// ---------------------------------------------------------------- data sets

tReportData::tReportData(tMainState &s) : s_(s)
{
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
    // The eBook library is not part of the shared state yet: no rows.
    bind(Ebooks, "eBooks", ReportIndexEbooks, [] { return true; }, [](const QString &) { return tReportValue(); });
    bind(Forex, "Forex", ReportIndexForex,
         [this] { return ReportIndexForex >= static_cast<int>(s_.ReportListForex.size()); },
         [this](const QString &n) { return ForexValue(n); });
}

void tReportData::AddTo(tReportEngine &engine)
{
    for (tReportDataSet *ds : {&Coins, &Prices, &Series, &Collection, &Ebooks, &Forex})
        engine.AddDataSet(ds);
}

namespace {

enum tCoinField {
    CYear = 1, CMint, CVariety, CGrade, CGradeAndGM, CGradeNumber, CGM, CGradedBy, CStoredIn, CComment, CNotes, CBuyDate, CSellDate,
    CBuyPrice, CBuyPriceExt, CSellPrice, CSellPriceExt, CChange, CChangeExt, CBuyLock, CSellLock, CLockType,
    CMintError, CTracked, CItemNumber, CCoinName, CQuantity, CQuantityType, CHave, CNeed, CSell, CSold,
    CPriceFound, CCatalog, CValue, CValueExt, CWeight, CWeightExt, CContent, CContentExt, CSilver, CSilverExt,
    CGold, CGoldExt, CPalladium, CPalladiumExt, CPlatinum, CPlatinumExt, CNoAnswer,
};

const tNameTable &CoinNames()
{
    static const tNameTable t = MakeTable({
        {"Year", CYear}, {"Mint", CMint}, {"Variety", CVariety}, {"Series number", FSeriesNumber},
        {"Catalog", CCatalog}, {"Face value", FFaceValue}, {"Face value code", FFaceValueCode},
        {"Country", FCountry}, {"Coin name", CCoinName}, {"Proofs", CNoAnswer}, {"Item number", CItemNumber},
        {"Grade", CGrade}, {"Grade and GM", CGradeAndGM}, {"Grade number", CGradeNumber}, {"GM", CGM}, {"Graded by", CGradedBy}, {"Date purchased", CBuyDate},
        {"Purchase price", CBuyPrice}, {"Purchase price extended", CBuyPriceExt}, {"Lock purchase price", CBuyLock},
        {"Change price", CNoAnswer}, {"Change", CChange}, {"Change extended", CChangeExt}, {"Date sold", CSellDate},
        {"Sell price", CSellPrice}, {"Sell price extended", CSellPriceExt}, {"Lock sell price", CSellLock},
        {"Price lock type", CLockType}, {"Quantity", CQuantity}, {"Quantity type", CQuantityType},
        {"Have quantity", CHave}, {"Need quantity", CNeed}, {"Sell quantity", CSell}, {"Sold quantity", CSold},
        {"Stored in", CStoredIn}, {"Comment", CComment}, {"Notes", CNotes}, {"Mint error", CMintError},
        {"Tracked", CTracked}, {"Price found", CPriceFound}, {"Value", CValue}, {"Value extended", CValueExt},
        {"Series type icon", CNoAnswer}, {"Series is paper money", FSeriesPaper}, {"Series path", FSeriesPath},
        {"Series entry count", FSeriesEntryCount}, {"Series date range", FSeriesDateRange},
        {"Series date range start", FSeriesDateStart}, {"Series date range end", FSeriesDateEnd},
        {"Face value and code", FFaceValueAndCode}, {"Weight", CWeight}, {"Weight Extended", CWeightExt},
        {"Metal content", CContent}, {"Metal content Extended", CContentExt}, {"Silver content", CSilver},
        {"Silver content Extended", CSilverExt}, {"Gold content", CGold}, {"Gold content Extended", CGoldExt},
        {"Palladium content", CPalladium}, {"Palladium content Extended", CPalladiumExt},
        {"Platinum content", CPlatinum}, {"Platinum content Extended", CPlatinumExt},
    });
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

} // namespace

tReportValue tReportData::CoinValue(const QString &name)
{
    CurrProcGuard guard(20000);
    tCoinInfo *c = RowAt(s_.ReportListCoins, ReportIndexCoins);
    if (!c)
        return {};
    const tFieldName f = SplitName(name, 10);
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
    switch (id) {
    case CYear: return Int(c->Year);
    case CMint: return Text(c->Mint);
    case CVariety: return Text(c->Variety);
    case CGrade:
    case CGradeAndGM: {
        QString title;
        if (Env && Env->GradeTitle && c->Folder)
            title = Env->GradeTitle(IsPaper(c->Folder), c->Folder->GradeScale, c->Grade).trimmed();
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
    case CBuyPrice: return MoneyAnswer(c->BuyPrice, f);
    case CBuyPriceExt: return MoneyAnswer(c->BuyPrice * c->Have, f);
    case CSellPrice: return MoneyAnswer(c->SellPrice, f);
    case CSellPriceExt: return MoneyAnswer(c->SellPrice * c->Sold, f);
    case CChange: return MoneyAnswer(CoinReportValue(s_, *c) - c->BuyPrice, f);
    case CChangeExt: return MoneyAnswer((CoinReportValue(s_, *c) - c->BuyPrice) * c->Have, f);
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
    case CValue: return MoneyAnswer(CoinReportValue(s_, *c), f);
    case CValueExt: return MoneyAnswer(CoinReportValue(s_, *c) * c->Have, f);
    case CNoAnswer: return Text(QString());
    default: break;
    }
    // Price-entry fields: numbers 0 and texts empty without an entry.
    const tPriceInfo *p = LookUpCoinPrice(s_, *c);
    const double have = c->Have;
    switch (id) {
    case CPriceFound: return Bool(p != nullptr);
    case CCatalog: return Text(p ? p->Catalog : QString());
    case CWeight: return Real(p ? p->Weight : 0);
    case CWeightExt: return Real(p ? p->Weight * have : 0);
    case CContent: return Real(p ? p->Content : 0);
    case CContentExt: return Real(p ? p->Content * have : 0);
    case CSilver: return Real(ContentOf(p, MetalSilver));
    case CSilverExt: return Real(ContentOf(p, MetalSilver) * have);
    case CGold: return Real(ContentOf(p, MetalGold));
    case CGoldExt: return Real(ContentOf(p, MetalGold) * have);
    case CPalladium: return Real(ContentOf(p, MetalPalladium));
    case CPalladiumExt: return Real(ContentOf(p, MetalPalladium) * have);
    case CPlatinum: return Real(ContentOf(p, MetalPlatinum));
    case CPlatinumExt: return Real(ContentOf(p, MetalPlatinum) * have);
    default: return {};
    }
}

namespace {

enum tPriceField { PYear = 1, PMint, PVariety, PGM, PContent, PSilver, PGold, PPalladium, PPlatinum, PWeight,
                   PCatalog, PValueSlot = 100 /* + grade slot */ };

// The grade labels of price rows, slot 0..40.
QString PriceGradeLabel(int slot)
{
    static const char *const low[] = {"PO-1", "FR-2", "AG-3", "G-4", "G-6", "VG-8", "VG-10", "F-12", "F-15",
                                      "VF-20", "VF-25", "VF-30", "VF-35", "EF-40", "EF-45", "AU-50", "AU-53",
                                      "AU-55", "AU-58"};
    if (slot < 19)
        return QString::fromLatin1(low[slot]);
    if (slot < 30)
        return QStringLiteral("MS-%1").arg(60 + slot - 19);
    return QStringLiteral("Proof-%1").arg(60 + slot - 30);
}

const tNameTable &PriceNames()
{
    static const tNameTable t = [] {
        tNameTable n = MakeTable({
            {"Year", PYear}, {"Mint", PMint}, {"Variety", PVariety}, {"GM", PGM}, {"Country", FCountry},
            {"Content", PContent}, {"Silver content", PSilver}, {"Gold content", PGold},
            {"Palladium content", PPalladium}, {"Platinum content", PPlatinum}, {"Weight", PWeight},
            {"Catalog", PCatalog}, {"Face value", FFaceValue}, {"Face value code", FFaceValueCode},
            {"Face value and code", FFaceValueAndCode}, {"Series name", FSeriesName},
            {"Series number", FSeriesNumber}, {"Series obverse image", FSeriesObverse},
            {"Series reverse image", FSeriesReverse}, {"Series shape", FSeriesShape},
            {"Series measurement", FSeriesMeasurement}, {"Series is paper money", FSeriesPaper},
            {"Series grade scale", FSeriesGradeScale}, {"Series entry count", FSeriesEntryCount},
            {"Series date range", FSeriesDateRange}, {"Series date range start", FSeriesDateStart},
            {"Series date range end", FSeriesDateEnd}, {"Series path", FSeriesPath},
        });
        for (int slot = 0; slot < GradeSlots; ++slot)
            n.insert((QStringLiteral("Value ") + PriceGradeLabel(slot)).toUpper(), PValueSlot + slot);
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
    if (id > 1000)
        return SeriesAnswer(s_, p->Folder, id, QStringLiteral("0.00"));
    if (id >= PValueSlot) {
        const Money cell = p->Value[static_cast<size_t>(id - PValueSlot)];
        // Special value codes answer their names whatever the suffixes.
        return cell < 0 ? PriceCellToVariant(cell) : MoneyAnswer(cell, f);
    }
    switch (id) {
    case PYear: return Int(p->Year);
    case PMint: return Text(p->Mint);
    case PVariety: return Text(p->Variety);
    case PGM: return Text(p->GM);
    case PContent: return Real(p->Content);
    case PSilver: return Real(ContentOf(p, MetalSilver));
    case PGold: return Real(ContentOf(p, MetalGold));
    case PPalladium: return Real(ContentOf(p, MetalPalladium));
    case PPlatinum: return Real(ContentOf(p, MetalPlatinum));
    case PWeight: return Real(p->Weight);
    case PCatalog: return Text(p->Catalog);
    default: return {};
    }
}

namespace {

enum tSeriesOnlyField { SIsNew = 1, SHaveOne, SThemeFilter };

const tNameTable &SeriesNames()
{
    static const tNameTable t = MakeTable({
        {"Name", FSeriesName}, {"Series name", FSeriesName}, {"Series number", FSeriesNumber},
        {"Series obverse image", FSeriesObverse}, {"Series reverse image", FSeriesReverse},
        {"Series path", FSeriesPath}, {"Series shape", FSeriesShape}, {"Series measurement", FSeriesMeasurement},
        {"Series grade scale", FSeriesGradeScale}, {"Country", FCountry}, {"Is paper money", FSeriesPaper},
        {"Is new series", SIsNew}, {"Have one", SHaveOne}, {"Series entry count", FSeriesEntryCount},
        {"Series date range", FSeriesDateRange}, {"Series date range start", FSeriesDateStart},
        {"Series date range end", FSeriesDateEnd}, {"Face value", FFaceValue}, {"Face value code", FFaceValueCode},
        {"Face value and code", FFaceValueAndCode}, {"Theme filter", SThemeFilter},
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
    LRepository, LCurrencyCode, LCurrencyDescription, LRateTo, LRateFrom,
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
        {"Downloads directory", LDownloadsDir}, {"Image repository", LRepository},
        {"Active currency code", LCurrencyCode}, {"Active currency description", LCurrencyDescription},
        {"Exchange rate to", LRateTo}, {"Exchange rate from", LRateFrom},
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
    const tFieldName f = SplitName(name, 3);
    const tForex *active = s_.ActiveForexIndex >= 0 && s_.ActiveForexIndex < static_cast<int>(s_.ForexList.size())
                               ? s_.ForexList[static_cast<size_t>(s_.ActiveForexIndex)].get()
                               : nullptr;
    switch (Lookup(CollectionNames(), f.Base)) {
    case LCurrentSeries: return Text(s_.SelectedTreeNode ? s_.SelectedTreeNode->NodeName : QString());
    case LFileName: return Text(platform::fileNamePart(s_.LastFileName));
    case LFilePath: return Text(s_.LastFileName);
    case LCoins: return Int(static_cast<int64_t>(s_.CoinList.size()));
    case LPrices: return Int(static_cast<int64_t>(s_.PriceList.size()));
    case LSeries: return Int(static_cast<int64_t>(PreOrder(s_.EntireCollection.get()).size()));
    case LEdition: return Text(QStringLiteral("Linux"));
    case LArchitecture: return Text(Architecture());
    case LVersion: return Text(QStringLiteral(ORVANTA_VERSION));
    case LOsVersion: return Text(QSysInfo::prettyProductName() + QLatin1Char(' ') + QSysInfo::kernelVersion());
    case LImagesDir: return Text(s_.FolderImagesRedirect);
    case LEbooksDir: return Text(s_.EbooksRedirect);
    case LPricesDir: return Text(s_.PricesRedirect);
    case LCountriesDir: return Text(s_.CountriesRedirect);
    case LBackupsDir: return Text(s_.BackupsRedirect);
    case LReportsDir: return Text(s_.ReportsRedirect);
    case LDownloadsDir: return Text(s_.downloadsRedirect);
    case LRepository: return Text(s_.RepositoryPath);
    case LCurrencyCode: return Text(active ? active->Code : QString());
    case LCurrencyDescription: return Text(active ? active->Description : QString());
    case LRateTo:
    case LRateFrom:
        // One unit of the active currency; with a code the conversion
        // belongs to the currency services.
        return f.Code.isEmpty() ? tReportValue::FromMoney(MoneyScale) : tReportValue();
    default: return {};
    }
}

tReportValue tReportData::ForexValue(const QString &name)
{
    CurrProcGuard guard(7);
    if (ReportIndexForex < 0 || ReportIndexForex >= static_cast<int>(s_.ReportListForex.size()))
        return {};
    const tForex *fx = s_.ReportListForex[static_cast<size_t>(ReportIndexForex)];
    if (name.compare(QLatin1String("Forex code"), Qt::CaseInsensitive) == 0)
        return Text(fx->Code);
    if (name.compare(QLatin1String("Country name"), Qt::CaseInsensitive) == 0)
        return Text(fx->Description);
    return {};
}
