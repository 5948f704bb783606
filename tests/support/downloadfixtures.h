#pragma once
// Fixtures of the download tests: price-list heads, files on disk, a fake
// clock for the retry pause.
#include <atomic>

#include <QByteArray>
#include <QString>

#include "updates/server/updateserver.h"

// The head of a price-list file as the download reads it: list start,
// banner, version, currency, record count, country number, date; padded
// past the 400 bytes below which a list counts as empty.
QByteArray PriceListFixture(int country, int date, char fill = 'x');

// Writes bytes to path, making its folders.
void WriteFixtureFile(const QString &path, const QByteArray &bytes);
QByteArray ReadFixtureFile(const QString &path);

// A clock that moves only when the retry pause sleeps on it, from any
// thread; it counts the pauses and the time they took.
struct FakeRetryClock {
    std::atomic<qint64> now{0};
    std::atomic<int> sleeps{0};
    tRetryTimer::Clock clock();
};
