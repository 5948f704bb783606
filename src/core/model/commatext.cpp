#include "core/model/commatext.h"

namespace {

bool NeedsQuotes(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char(','))
            return true;
    return false;
}

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= ' ';
}

} // namespace

QString CommaTextJoin(const QStringList &items)
{
    if (items.size() == 1 && items[0].isEmpty())
        return QStringLiteral("\"\"");
    QString out;
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        const QString &s = items[i];
        if (NeedsQuotes(s)) {
            QString q = s;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            out += QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            out += s;
        }
    }
    return out;
}

QStringList CommaTextSplit(const QString &text)
{
    QStringList out;
    const qsizetype n = text.size();
    qsizetype p = 0;
    auto at = [&](qsizetype i) { return i < n ? text[i] : QChar(0); };
    while (p < n && IsBlank(at(p)))
        ++p;
    while (p < n && at(p) != QChar(0)) {
        QString item;
        if (at(p) == QLatin1Char('"')) {
            ++p;
            while (p < n) {
                if (at(p) == QLatin1Char('"')) {
                    if (at(p + 1) == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += at(p++);
            }
        } else {
            const qsizetype start = p;
            while (p < n && at(p).unicode() > ' ' && at(p) != QLatin1Char(','))
                ++p;
            item = text.mid(start, p - start);
        }
        out << item;
        while (p < n && IsBlank(at(p)))
            ++p;
        if (p < n && at(p) == QLatin1Char(',')) {
            if (p + 1 >= n)
                out << QString();
            do
                ++p;
            while (p < n && IsBlank(at(p)));
        }
    }
    return out;
}

QString CommaTextItem(const QString &text, int index)
{
    const QStringList items = CommaTextSplit(text);
    return index >= 0 && index < items.size() ? items[index] : QString();
}

QString CommaTextSetItem(const QString &text, int index, const QString &value)
{
    if (index < 0)
        return text;
    QStringList items = CommaTextSplit(text);
    while (items.size() <= index)
        items << QString();
    items[index] = value;
    return CommaTextJoin(items);
}
