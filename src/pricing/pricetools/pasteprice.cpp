#include "pricing/pricetools/pasteprice.h"

#include <stdexcept>

#include "core/model/currencytext.h"
#include "core/model/gradetitles.h"
#include "core/model/helpers.h"
#include "core/model/mainstate.h"
#include "platform/ini.h"
#include "pricing/pricelists/pricerows.h"
#include "pricing/valuation/valuation.h"

const char *const PastePriceIniName = "PastePrice.ini";

namespace {

const QString Section = QStringLiteral("CheckBoxes");

// The keys of the check boxes are the standard coin titles of the slots.
// The built-in table is the same for every slot and every call, so it is
// built once.
QString SlotKey(int slot)
{
    static const tGradeTitles titles = [] {
        tGradeTitles t;
        FillBuiltInGradeTitles(t);
        return t;
    }();
    return titles.Title(GradeKindCoins, 0, slot);
}

int ClampItem(int item)
{
    return item >= -1 && item < CodeMelt25 ? item : 0;
}

} // namespace

int StrikeOf(const std::array<bool, GradeSlots> &checked)
{
    int strike = 0;
    for (int k = 0; k < GradeSlots; ++k)
        if (checked[static_cast<size_t>(k)])
            strike |= k < FirstProofSlot ? StrikeMint : StrikeProof;
    return strike;
}

bool HasForeignChars(const QString &line)
{
    for (QChar c : line)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char(' ') && c != QLatin1Char('$')
            && c != QLatin1Char(',') && c != QLatin1Char('.'))
            return true;
    return false;
}

QStringList CleanPastedPrices(const QStringList &lines, QChar decimalSep)
{
    QStringList kept;
    bool stopped = false;
    bool bounded = false;
    Money bound = 0;
    for (qsizetype i = lines.size() - 1; i >= 0 && !stopped; --i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty() || HasForeignChars(line))
            continue;
        const QString digits = DigitsOnly(line, true, decimalSep);
        const Money v = GetCurrencyValue(digits, decimalSep);
        if (!bounded || v < bound) {
            bound = v;
            bounded = true;
            kept.prepend(digits);
        } else {
            stopped = true;
        }
    }
    return kept;
}

QStringList RemoveBlankLines(const QStringList &lines)
{
    QStringList out;
    for (const QString &l : lines)
        if (!l.trimmed().isEmpty())
            out << l;
    return out;
}

QStringList ValueCodeItems()
{
    QStringList items;
    for (int code = CodeFaceValue; code <= CodeMelt25; ++code)
        items << ValueCodeName(code);
    return items;
}

Money CodeItemValue(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= CodeMelt25)
        return 0;
    return ValueCodeToMoney(itemIndex + 1);
}

bool PastePrices(std::array<Money, GradeSlots> &values, const tPastePriceChoice &choice, const QStringList &lines,
                 QChar decimalSep)
{
    const int strike = StrikeOf(choice.Checked);
    if (strike != StrikeMint && strike != StrikeProof)
        return false;
    const int first = strike == StrikeMint ? 0 : FirstProofSlot;
    const int last = strike == StrikeMint ? FirstProofSlot - 1 : GradeSlots - 1;
    qsizetype line = 0;
    for (int k = first; k <= last; ++k) {
        Money &slot = values[static_cast<size_t>(k)];
        if (k < choice.StartIndex)
            slot = CodeItemValue(choice.Prerun);
        else if (line < lines.size()) {
            if (choice.Checked[static_cast<size_t>(k)])
                slot = GetCurrencyValue(lines[line++], decimalSep);
            else
                slot = CodeItemValue(choice.Midrun);
        } else {
            slot = CodeItemValue(choice.Postrun);
        }
    }
    return true;
}

tPastePriceChoice ReadPastePriceSettings(const QString &path)
{
    const platform::IniFile ini(path);
    tPastePriceChoice c;
    for (int k = 0; k < GradeSlots; ++k)
        c.Checked[static_cast<size_t>(k)] = ini.readBool(Section, SlotKey(k), false);
    c.StartIndex = ini.readInteger(Section, QStringLiteral("StartIndex"), 0);
    if (c.StartIndex < 0 || c.StartIndex >= GradeSlots)
        c.StartIndex = 0;
    c.Prerun = ClampItem(ini.readInteger(Section, QStringLiteral("Prerun"), 0));
    c.Midrun = ClampItem(ini.readInteger(Section, QStringLiteral("Midrun"), 0));
    c.Postrun = ClampItem(ini.readInteger(Section, QStringLiteral("Postrun"), 0));
    return c;
}

void WritePastePriceSettings(const QString &path, const tPastePriceChoice &choice)
{
    platform::IniFile ini(path);
    for (int k = 0; k < GradeSlots; ++k)
        ini.writeBool(Section, SlotKey(k), choice.Checked[static_cast<size_t>(k)]);
    ini.writeInteger(Section, QStringLiteral("StartIndex"), choice.StartIndex);
    ini.writeInteger(Section, QStringLiteral("Prerun"), choice.Prerun);
    ini.writeInteger(Section, QStringLiteral("Midrun"), choice.Midrun);
    ini.writeInteger(Section, QStringLiteral("Postrun"), choice.Postrun);
    if (!ini.save(path))
        throw std::runtime_error(("\"" + path + "\" could not be written").toStdString());
}

bool PasteIntoPriceEntry(tMainState &s, tPriceInfo &entry, const tPastePriceChoice &choice, const QStringList &lines,
                         QChar decimalSep, const std::function<void(tPriceInfo &)> &recordUndo)
{
    const int strike = StrikeOf(choice.Checked);
    if (strike != StrikeMint && strike != StrikeProof)
        return false;
    if (recordUndo)
        recordUndo(entry);
    PastePrices(entry.Value, choice, lines, decimalSep);
    MarkPricesModifiedFor(s, entry.CoinType);
    return true;
}
