#include "dump/dumpio.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

bool ReadDumpInput(const QString &path, QByteArray &bytes, QTextStream &err)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        err << path << ": " << f.errorString() << "\n";
        return false;
    }
    bytes = f.readAll();
    return true;
}

bool WriteDumpOutput(const QString &path, const QByteArray &bytes, QTextStream &err)
{
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) < 0 || !target.commit()) {
        err << path << ": " << target.errorString() << "\n";
        return false;
    }
    return true;
}

QString MoneyText(Money m)
{
    const bool negative = m < 0;
    const auto u = negative ? 0 - static_cast<uint64_t>(m) : static_cast<uint64_t>(m);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(u / MoneyScale) + QLatin1Char('.') +
           QString::number(u % MoneyScale).rightJustified(4, QLatin1Char('0'));
}
