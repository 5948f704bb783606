#include "support/downloadfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/files/valuestream.h"

QByteArray PriceListFixture(int country, int date, char fill)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteString(QStringLiteral("\rPrice list\x1a"));
    w.WriteInteger(11);
    w.WriteInteger(0);
    w.WriteInteger(0);
    w.WriteInteger(country);
    w.WriteInteger(date);
    w.WriteListEnd();
    return w.TakeData() + QByteArray(600, fill);
}

void WriteFixtureFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ReadFixtureFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

tRetryTimer::Clock FakeRetryClock::clock()
{
    return {[this] { return now.load(); }, [this](qint64 ms) {
                ++sleeps;
                now += ms;
            }};
}
