#include "support/testsupport.h"

double FixedWidth(const QString &text)
{
    return 7.0 * static_cast<double>(text.size());
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

#include "core/log.h"

QStringList LogLinesWithoutTime()
{
    static const int stamp = static_cast<int>(QStringLiteral("MM/dd/yyyy hh:mm:ss.zzz: ").size());
    QStringList out;
    for (const QString &l : LogList)
        out << l.mid(stamp);
    return out;
}
