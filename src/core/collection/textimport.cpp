#include "core/collection/textimport.h"
#include "core/model/varietytext.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include <QFile>
#include <QStringDecoder>

#include "core/model/blocks.h"
#include "core/collection/coinentries.h"
#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/gradetitles.h"
#include "platform/cp1252.h"

namespace {

// Leading digits (after an optional sign) as a number; 0 when none.
int LeadingNumber(const QString &text)
{
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == QLatin1Char('-');
    if (negative || (i < text.size() && text[i] == QLatin1Char('+')))
        ++i;
    int64_t value = 0;
    bool any = false;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        any = true;
        value = std::min<int64_t>(value * 10 + (text[i].unicode() - '0'), INT32_MAX);
    }
    if (!any)
        return 0;
    return static_cast<int>(negative ? -value : value);
}

QString KeepDigits(const QString &text)
{
    QString out;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

QString KeepNumeric(const QString &text)
{
    QString out;
    for (QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            out += c;
    return out;
}

bool IsTrueText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    const QChar c = t[0].toUpper();
    return c == QLatin1Char('T') || c == QLatin1Char('Y') || c == QLatin1Char('1');
}

QChar FirstUpper(const QString &text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? QChar() : t[0].toUpper();
}

// A whole number as typed, 0 when it is none.
int WholeNumber(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

const std::array<QStringList, GradeSlots> &AliasTable()
{
    static const std::array<QStringList, GradeSlots> table = [] {
        std::array<QStringList, GradeSlots> t;
        tGradeTitles titles;
        FillBuiltInGradeTitles(titles);
        for (int slot = 0; slot < GradeSlots; ++slot) {
            const QString name = titles.Title(GradeKindCoins, 0, slot).toUpper();
            t[slot] << name << QString(name).remove(QLatin1Char('-'));
        }
        t[0] << QStringLiteral("P-1") << QStringLiteral("P1") << QStringLiteral("POOR") << QStringLiteral("P-01")
             << QStringLiteral("PO-01");
        t[1] << QStringLiteral("FAIR") << QStringLiteral("FR-02") << QStringLiteral("FR02");
        t[2] << QStringLiteral("AG-03") << QStringLiteral("AG03");
        t[3] << QStringLiteral("GOOD") << QStringLiteral("G-04") << QStringLiteral("G04");
        t[4] << QStringLiteral("G-06") << QStringLiteral("G06");
        t[5] << QStringLiteral("VG-08") << QStringLiteral("VG08");
        t[7] << QStringLiteral("FINE");
        t[13] << QStringLiteral("XF-40") << QStringLiteral("XF40");
        t[14] << QStringLiteral("XF-45") << QStringLiteral("XF45");
        for (int slot = 30; slot <= 40; ++slot) {
            const QString n = QString::number(slot + 30);
            for (const char *p : {"PR", "PROOF", "P"})
                t[slot] << QLatin1String(p) + QLatin1Char('-') + n << QLatin1String(p) + n;
        }
        return t;
    }();
    return table;
}

} // namespace

QStringList ImportFilterChoices()
{
    QStringList out{QStringLiteral("Accept all lines, regardless of the number of fields")};
    for (int n = 21; n <= 27; ++n) {
        out << QStringLiteral("Reject any lines that don't have exactly %1 fields").arg(n);
        out << QStringLiteral("Accept all lines that have %1 or more fields").arg(n);
    }
    return out;
}

bool ImportFilterPasses(int choice, int fieldCount)
{
    if (choice <= 0)
        return true;
    if (choice % 2 == 1)
        return fieldCount == ImportRequiredFields + (choice - 1) / 2;
    return fieldCount >= 20 + choice / 2;
}

QStringList GradeAliases(int slot)
{
    if (slot < 0 || slot >= GradeSlots)
        return {};
    return AliasTable()[static_cast<size_t>(slot)];
}

QString GradeShortName(int slot)
{
    if (slot < 0 || slot >= GradeSlots)
        return {};
    return AliasTable()[static_cast<size_t>(slot)].front();
}

int ParseGrade(const QString &text)
{
    const QString t = text.trimmed().toUpper();
    if (t.isEmpty())
        return 0;
    int found = -2;
    const auto &table = AliasTable();
    for (int slot = 0; slot < GradeSlots; ++slot)
        if (table[static_cast<size_t>(slot)].contains(t))
            found = slot;
    if (found >= 0)
        return found;
    const int n = LeadingNumber(t);
    return n >= NoGrade && n < GradeSlots ? n : NoGrade;
}

QString QuoteSpacedFields(const QString &line)
{
    QStringList pieces = line.split(QLatin1Char(','));
    for (QString &p : pieces)
        if (p.contains(QLatin1Char(' ')) && !p.contains(QLatin1Char('"')))
            p = QLatin1Char('"') + p + QLatin1Char('"');
    return pieces.join(QLatin1Char(','));
}

QString CutImportComment(const QString &line)
{
    const qsizetype at = line.indexOf(QLatin1String("//"));
    return (at >= 0 ? line.left(at) : line).trimmed();
}

QStringList SplitImportLine(const QString &line)
{
    return CommaTextSplit(QuoteSpacedFields(line));
}

namespace {

bool IsFieldBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

tImportFields SplitImportFields(const QString &line)
{
    tImportFields out;
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (true) {
        while (p < n && IsFieldBlank(line[p]))
            ++p;
        QString field;
        if (p < n && line[p] == QLatin1Char('"')) {
            ++p;
            bool closed = false;
            while (p < n) {
                if (line[p] == QLatin1Char('"')) {
                    if (p + 1 < n && line[p + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    closed = true;
                    break;
                }
                field += line[p++];
            }
            if (!closed) {
                out.Error = QStringLiteral("a double quote of field %1 is not closed").arg(out.Fields.size() + 1);
                out.Fields.clear();
                return out;
            }
            while (p < n && IsFieldBlank(line[p]))
                ++p;
            if (p < n && line[p] != QLatin1Char(',')) {
                out.Error = QStringLiteral("text follows the closing double quote of field %1").arg(out.Fields.size() + 1);
                out.Fields.clear();
                return out;
            }
        } else {
            const qsizetype start = p;
            while (p < n && line[p] != QLatin1Char(','))
                ++p;
            field = line.mid(start, p - start);
            while (!field.isEmpty() && IsFieldBlank(field.back()))
                field.chop(1);
            // A quote after a blank and before a word opens a quoted stretch
            // (Box "3, 4" tray); one left open when the field ends may or may
            // not hold the comma. A quote after a word (3" for inches) opens
            // nothing.
            bool open = false;
            for (qsizetype i = 0; i < field.size(); ++i) {
                if (field[i] != QLatin1Char('"'))
                    continue;
                const bool afterBlank = i == 0 || IsFieldBlank(field[i - 1]);
                const bool beforeWord = i + 1 < field.size() && !IsFieldBlank(field[i + 1]);
                if (open)
                    open = false;
                else if (afterBlank && beforeWord)
                    open = true;
            }
            if (open && p < n) {
                out.Error = QStringLiteral("a double quote in field %1 may enclose the comma after it")
                                .arg(out.Fields.size() + 1);
                out.Fields.clear();
                return out;
            }
        }
        out.Fields << field;
        if (p >= n)
            break;
        ++p;  // the comma
    }
    return out;
}

Money ReadImportPrice(const QString &text)
{
    const QString kept = KeepNumeric(text);
    bool ok = false;
    const double v = kept.toDouble(&ok);  // C locale: "." is the separator
    return ok ? MoneyFromDouble(v) : 0;
}

QString DecodeImportText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return platform::fromCp1252(bytes);
    return text;
}

QStringList ImportTextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

tTextImport::tTextImport(tMainState &s, int filter, bool matchPrices)
    : s_(s), filter_(filter), matchPrices_(matchPrices)
{
    // One walk of the tree and the lists instead of one per line: a long
    // file against a large collection stays linear.
    ForEachNode(s.EntireCollection.get(), [this](tnodeinfo *n) { series_.emplace(n->CoinType, n); });
    takenNumbers_.reserve(s.CoinList.size());
    for (const auto &c : s.CoinList)
        takenNumbers_.insert(c->Inventory);
    if (matchPrices_)
        for (const auto &p : s.PriceList)
            prices_.emplace(p->CoinType, p.get());
}

void tTextImport::Reject(const QString &message)
{
    RejectedLines << message;
    ++Rejected;
}

bool tTextImport::MatchesPriceEntry(const tCoinInfo &coin) const
{
    const auto [from, to] = prices_.equal_range(coin.CoinType);
    for (auto it = from; it != to; ++it) {
        const tPriceInfo &p = *it->second;
        if (p.Year == coin.Year && p.Mint.compare(coin.Mint, Qt::CaseInsensitive) == 0 &&
            UnpackVariety(p.Variety, false).compare(coin.Variety, Qt::CaseInsensitive) == 0 &&
            p.GM.compare(coin.GM, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

namespace {

// The pick list's item a column names (ignoring case and blanks around it),
// in the list's spelling; "-1", no choice, when it names none.
QString PickListItem(const QString &options, const QString &text)
{
    const QString wanted = text.trimmed();
    if (!wanted.isEmpty())
        for (const QString &item : CommaTextSplit(options))
            if (item.compare(wanted, Qt::CaseInsensitive) == 0)
                return item;
    return QStringLiteral("-1");
}

} // namespace

QString tTextImport::UserFieldValues(const QStringList &fields) const
{
    if (s_.UDFlist.empty())
        return {};
    QStringList values;
    for (size_t k = 0; k < s_.UDFlist.size(); ++k) {
        const int type = s_.UDFlist[k]->FieldType;
        const qsizetype column = ImportRequiredFields + static_cast<qsizetype>(k);
        if (column < fields.size()) {
            const QString &v = fields[column];
            if (type == UDFPickList)
                values << PickListItem(s_.UDFlist[k]->Options, v);
            else if (type == UDFCheckBox)
                values << (IsTrueText(v) ? QStringLiteral("T") : QStringLiteral("F"));
            else
                values << v;
            continue;
        }
        switch (type) {
        case UDFPickList: values << QStringLiteral("-1"); break;
        case UDFCheckBox: values << QStringLiteral("F"); break;
        case UDFMoney: values << QStringLiteral("$0.00"); break;
        case UDFDate: values << QString::number(TodayDay()); break;
        case UDFNumber: values << QStringLiteral("0"); break;
        case UDFReal: values << QStringLiteral("0.0"); break;
        default: values << QString(); break;
        }
    }
    return CommaTextJoin(values);
}

void tTextImport::AddLine(const QString &rawLine, int lineNumber)
{
    const QString line = CutImportComment(rawLine);
    if (line.isEmpty())
        return;
    const QString number = QString::number(lineNumber);
    const tImportFields split = SplitImportFields(line);
    if (!split.Error.isEmpty()) {
        Reject(QStringLiteral("Line ") + number + QStringLiteral(" rejected, ") + split.Error);
        return;
    }
    const QStringList &f = split.Fields;
    if (!ImportFilterPasses(filter_, static_cast<int>(f.size()))) {
        Reject(QStringLiteral("Line ") + number + QStringLiteral(" rejected, improper number of fields (") +
               QString::number(f.size()) + QLatin1Char(')'));
        return;
    }
    // Checked before any field is read, so a short line never reads past
    // its last field.
    if (f.size() < ImportRequiredFields) {
        Reject(QStringLiteral("Line ") + number + QStringLiteral(" rejected, error encountered in parsing"));
        return;
    }
    const int coinType = LeadingNumber(f[0].trimmed());
    const auto found = series_.find(coinType);
    if (found == series_.end()) {
        Reject(QStringLiteral("Line ") + number + QStringLiteral("/Item number ") + f[1] + QStringLiteral("/Series ") +
               QString::number(coinType) + QStringLiteral(" not found"));
        return;
    }

    auto coin = std::make_unique<tCoinInfo>();
    tCoinInfo &c = *coin;
    c.CoinType = coinType;
    c.Folder = found->second;
    c.Inventory = WholeNumber(f[1]);
    if (c.Inventory < 0 || c.Inventory > ImportMaxItemNumber || takenNumbers_.count(c.Inventory))
        c.Inventory = 0;
    c.Year = KeepDigits(f[2].trimmed()).toInt();
    c.Mint = f[3].trimmed();
    c.Variety = f[4].trimmed();
    c.Grade = ParseGrade(f[5]);
    c.GM = f[6].trimmed();
    c.Gradedby = f[7].trimmed();
    c.BuyDate = ParseShortDate(f[8].trimmed());
    c.BuyPrice = ReadImportPrice(f[9]);
    c.SellDate = ParseShortDate(f[10].trimmed());
    c.SellPrice = ReadImportPrice(f[11]);
    const QChar lock = FirstUpper(f[12]);
    c.BuyLock = lock == QLatin1Char('B');
    c.SellLock = lock == QLatin1Char('S');
    c.Comment = f[13].trimmed();
    const int quantity = std::max(1, WholeNumber(f[14]));
    const QString kind = f[15].trimmed().toUpper();
    if (kind == QLatin1String("SOLD"))
        c.Sold = quantity;
    else if (kind == QLatin1String("SELL"))
        c.Sell = quantity;
    else if (kind == QLatin1String("NEED"))
        c.Need = quantity;
    else
        c.Have = quantity;
    c.Notes = f[16].trimmed();
    c.Stored = f[17].trimmed();
    c.MintError = FirstUpper(f[18]) == QLatin1Char('T');
    c.Obverse = f[19].trimmed();
    c.Reverse = f[20].trimmed();
    c.UDFstring = UserFieldValues(f);
    c.TempValue = 0;
    c.User1 = true;

    if (matchPrices_ && !MatchesPriceEntry(c)) {
        Reject(QStringLiteral("Line ") + number + QStringLiteral(" does not match a price list entry"));
        return;
    }

    QString shown = QString::number(c.Year);
    if (!c.Mint.trimmed().isEmpty())
        shown += QLatin1Char('-') + c.Mint;
    if (!c.Variety.trimmed().isEmpty())
        shown += QLatin1Char(' ') + c.Variety;
    shown += QLatin1Char(' ') + GradeShortName(c.Grade) + QLatin1Char(' ');
    AcceptedLines << shown;
    ++Imported;
    // A number given twice in the file goes to the first line; the second
    // gets a new one on accepting, as a paste does.
    if (c.Inventory > 0)
        takenNumbers_.insert(c.Inventory);
    ImportList.push_back(std::move(coin));
}

void ImportFile(const QString &path, tTextImport &run, const std::function<bool()> &keepGoing)
{
    CurrProcGuard guard(Blocks::ImportFile);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, f.errorString()).toStdString());
    const QStringList lines = ImportTextLines(DecodeImportText(f.readAll()));
    for (int i = 0; i < lines.size(); ++i) {
        if (keepGoing && !keepGoing())
            return;
        run.AddLine(lines[i], i + 1);
    }
}

void AcceptImport(tMainState &s, OwningList<tCoinInfo> &importList)
{
    CurrProcGuard guard(Blocks::AcceptImport);
    for (const auto &c : s.CoinList)
        c->User1 = false;
    // New numbers start past every number the file brings along, so none
    // is handed out twice, now or to a later new entry.
    if (s.CoinList.empty())
        s.MaxInventory = 0;
    for (const auto &c : importList)
        s.MaxInventory = std::max(s.MaxInventory, c->Inventory);
    for (auto it = importList.rbegin(); it != importList.rend(); ++it) {
        tCoinInfo *coin = it->get();
        s.CoinList.push_back(std::move(*it));
        if (coin->Inventory == 0)
            coin->Inventory = AssignInventory(s);
        coin->InBin = true;
        s.BinList.push_back(coin);
        ShowCountViews(s, *coin);
        AddEntryCount(coin->Folder, 1);
    }
    importList.clear();
    Q_EMIT s.Events->ShowBinCount();
    s.DataModified = true;
    Q_EMIT s.Events->SetMainCaption();
}
