#pragma once
// Fixtures of the download tests: price-list heads, files on disk, a fake
// clock for the retry pause and a message box that answers from a script.
#include <atomic>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

#include "platform/uiservices.h"
#include "updates/updateserver.h"

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

// Answers each message box with the next scripted button value, or with
// its first button when the script is empty; remembers every box.
class ScriptedMessages final : public platform::UserInterface {
public:
    ScriptedMessages() { platform::setUserInterface(this); }
    ~ScriptedMessages() override { platform::setUserInterface(nullptr); }
    platform::MessageResult showMessage(const platform::MessageRequest &request) override;
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }

    std::vector<platform::MessageRequest> Messages;
    QList<int> Answers;
};
