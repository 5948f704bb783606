#include "browse/tips/tips.h"

#include <QFile>
#include <QString>

QStringList ParseTips(const QByteArray &text)
{
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xFEFF)))
        all.remove(0, 1);
    all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList tips;
    for (const QString &line : all.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            tips << line.trimmed();
    return tips;
}

QStringList LoadTips()
{
    QFile f(QStringLiteral(":/Tips"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return ParseTips(f.readAll());
}

int OpeningTipIndex(int shownLast, int count)
{
    if (count <= 0 || shownLast < -1 || shownLast >= count - 1)
        return 0;
    return shownLast + 1;
}

int StepTipIndex(int index, int count, bool forward)
{
    if (count <= 0)
        return 0;
    if (index < 0 || index >= count)
        return 0;  // a stale index starts again at the first tip
    index += forward ? 1 : -1;
    if (index >= count)
        return 0;
    if (index < 0)
        return count - 1;
    return index;
}
