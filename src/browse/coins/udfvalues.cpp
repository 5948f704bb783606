#include "browse/coins/udfvalues.h"
#include "core/model/currproc.h"

#include <algorithm>
#include <cmath>

#include <QLocale>
#include <QUrl>

#include "core/model/currencytext.h"
#include "core/model/dates.h"
#include "core/model/gradetitles.h"
#include "core/model/helpers.h"
#include "core/model/model.h"
#include "browse/coins/coineditor.h"
#include "browse/coins/coingridcells.h"

namespace {

// Rows and columns of the fixed 4 x 4 block of the editor's own fields.
constexpr int FixedSide = 4;
constexpr int RealDigits = 10;
constexpr int64_t LastDay = 2958465;  // 9999-12-31

// A real number in general form with ten significant digits; an exponent,
// when one is used, has at least minExponentDigits digits and no "+".
QString GeneralReal(double v, int minExponentDigits)
{
    QString t = QString::number(v, 'g', RealDigits);
    const QChar sep = LocaleDecimalSeparator();
    const qsizetype e = t.indexOf(QLatin1Char('e'));
    QString mantissa = e < 0 ? t : t.left(e);
    mantissa.replace(QLatin1Char('.'), sep);
    if (e < 0)
        return mantissa;
    QString exponent = t.mid(e + 1);
    const bool negative = exponent.startsWith(QLatin1Char('-'));
    if (exponent.startsWith(QLatin1Char('+')) || negative)
        exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    exponent = exponent.rightJustified(std::max<qsizetype>(minExponentDigits, exponent.size()), QLatin1Char('0'));
    return mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
}

const tGradeTitles &StandardTitles()
{
    static const tGradeTitles titles = [] {
        tGradeTitles t;
        FillBuiltInGradeTitles(t);
        return t;
    }();
    return titles;
}

} // namespace

QString UDFStoredText(int type, const QString &text, bool checked)
{
    switch (type) {
    case UDFTextBox:
    case UDFHistoryDropDown:
    case UDFTextPickList:
    case UDFPhone: return text.trimmed();
    case UDFCheckBox: return checked ? QStringLiteral("T") : QStringLiteral("F");
    case UDFMoney: return PriceEditExitText(text);
    case UDFDate: return QString::number(ParseShortDate(text));
    case UDFEmptySpace: return {};
    default: return text;  // pick list, number, attachment, certification, real number
    }
}

QString UDFShownText(int type, int length, const QString &slot, bool present)
{
    switch (type) {
    case UDFDate: {
        const int64_t day = present ? ReadLeadingWhole(slot) : 0;
        return day > 0 && day <= LastDay ? DateOrBlank(static_cast<int>(day)) : QString();
    }
    case UDFNumber: return QString::number(present ? ReadLeadingWhole(slot) : 0);
    case UDFReal: return GeneralReal(present ? ReadLocaleReal(slot) : 0.0, length);
    case UDFEmptySpace:
    case UDFCheckBox: return {};
    default: return present ? slot : QString();
    }
}

bool UDFShownChecked(const QString &slot)
{
    return slot.trimmed() == QLatin1String("T");
}

bool PhoneMaskKey(QString &text, int caret, int key, const QString &typed)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        // Nothing stands before the caret: nothing to take away.
        if (caret <= 0)
            return true;
        const int s = std::min<int>(caret, static_cast<int>(text.size()));
        int keep = (s == 1 || s == 5 || s == 9) ? s - 2 : s - 1;
        keep = std::max(keep, 0);
        text = text.left(keep);
        if (text.size() == 1 || text.size() == 5 || text.size() == 9)
            text.chop(1);
        return true;
    }
    if (typed.size() == 1 && typed.front().isDigit() && typed.front().unicode() < 128) {
        if (text.size() >= PhoneMaxLength)
            return true;
        if (text.isEmpty())
            text += QLatin1Char('(');
        else if (text.size() == 4)
            text += QLatin1Char(')');
        else if (text.size() == 8)
            text += QLatin1Char('-');
        text += typed;
        return true;
    }
    return false;
}

QString LeadingDigits(const QString &text)
{
    CurrProcGuard guard(15300);
    qsizetype n = 0;
    while (n < text.size() && text[n].isDigit() && text[n].unicode() < 128)
        ++n;
    return text.left(n);
}

QString CertificateLookupAddress(const QString &gradedBy, int grade, const QString &certificate)
{
    if (certificate.isEmpty())
        return {};
    const QString service = gradedBy.trimmed().toUpper();
    // The certificate is typed by hand or scanned: anything in it that would
    // change the address is encoded.
    const auto encoded = [](const QString &t) { return QString::fromLatin1(QUrl::toPercentEncoding(t)); };
    if (service == QLatin1String("PCGS"))
        return QStringLiteral("https://www.pcgs.com/cert/") + encoded(LeadingDigits(certificate));
    if (service == QLatin1String("NGC")) {
        QString address = QStringLiteral("https://www.ngccoin.com/certlookup/") + encoded(certificate);
        // Slot 0 is a grade like any other; only "no grade" leaves it off.
        if (grade >= 0 && grade < GradeSlots) {
            const QString number = DigitsOnly(StandardTitles().Title(GradeKindCoins, 0, grade), false);
            if (!number.isEmpty())
                address += QLatin1Char('/') + number;
        }
        return address;
    }
    return {};
}

tUDFGridSize UDFGridSize(int availableWidth, int fieldCount)
{
    const int maxCols = std::max(FixedSide, availableWidth / UDFCellWidth);
    const int n = fieldCount + FixedSide * FixedSide;
    tUDFGridSize g;
    if (n > FixedSide * FixedSide) {
        g.Columns = (n - 1) / 4 + 1 + ((n - 1) % 4 != 0 ? 1 : 0);
        g.Columns = std::min(g.Columns, maxCols);
    }
    g.Rows = FixedSide;
    while (g.Columns * g.Rows < n)
        ++g.Rows;
    return g;
}

tUDFCell UDFCellOf(const tUDFGridSize &grid, int k)
{
    const int right = grid.Columns - FixedSide;  // free cells per row beside the fixed block
    if (k < right * FixedSide)
        return {FixedSide + k % right, k / right};
    k -= right * FixedSide;
    return {k % grid.Columns, FixedSide + k / grid.Columns};
}
