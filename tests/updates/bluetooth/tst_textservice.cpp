#include <QtTest>

#include <stdexcept>

#include "updates/bluetooth/textservice.h"

namespace {

// A radio that does what the test says: adapter or none, listening that
// works or fails, and clients that connect, send and go.
class tFakeTransport final : public tBtTransport {
public:
    bool adapter = true;
    QString name = QStringLiteral("collector-pc");
    QString listenError;  // Listen throws this when set
    int listens = 0;
    int closes = 0;
    std::vector<int> dropped;
    QString lastName, lastUuid;

    bool AdapterConnected() const override { return adapter; }
    QString AdapterName() const override { return name; }
    void Listen(const QString &n, const QString &uuid) override
    {
        ++listens;
        lastName = n;
        lastUuid = uuid;
        if (!listenError.isEmpty())
            throw std::runtime_error(listenError.toStdString());
    }
    void Close() override { ++closes; }
    void DropClient(int client) override { dropped.push_back(client); }

    void Connect(int client) { Q_EMIT ClientConnected(client); }
    void Send(int client, const QByteArray &bytes) { Q_EMIT Received(client, bytes); }
    void Gone(int client, const QString &message) { Q_EMIT ClientClosed(client, message); }
    void Fail(const QString &message) { Q_EMIT ListenFailed(message); }
};

struct Fixture {
    tFakeTransport radio;
    tTextService service{radio};
    std::vector<std::pair<int, std::function<void()>>> scheduled;
    Fixture()
    {
        service.Schedule = [this](int ms, std::function<void()> fn) { scheduled.emplace_back(ms, std::move(fn)); };
    }
    // The log after the lines the start wrote.
    QStringList Since(int n) const { return service.Log().mid(n); }
};

const QString Created = QStringLiteral(" - Service created: \"Orvanta\"");

} // namespace

class tst_TextService : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startReceiveStop()
    {
        Fixture f;
        QCOMPARE(f.service.CheckAdapter(), std::optional<QString>(QStringLiteral("Device discoverable as \"collector-pc\"")));
        tTextService::tButton b = f.service.ButtonClicked(true);
        QVERIFY(b.Pressed);
        QCOMPARE(b.Text, QStringLiteral("Stop Text Service"));
        QCOMPARE(f.radio.lastName, QStringLiteral("Orvanta"));
        QCOMPARE(f.radio.lastUuid, QStringLiteral("{E73F7175-5252-454E-BF0D-3C864DDC4F7B}"));
        QCOMPARE(f.service.State(), tTextService::tState::Waiting);
        QCOMPARE(f.service.Log(), QStringList{Created});

        f.radio.Connect(1);
        QCOMPARE(f.service.State(), tTextService::tState::Serving);
        f.radio.Send(1, "Hello");
        f.radio.Send(1, QByteArray());  // nothing received: no line
        f.radio.Send(1, QString::fromUtf8("Zürich Ålborg").toUtf8());
        // One piece, one line: the service has no framing.
        f.radio.Send(1, "two\nlines");
        QCOMPARE(f.Since(1), (QStringList{"Hello", QString::fromUtf8("Zürich Ålborg"), "two\nlines"}));

        // A press while it runs changes nothing.
        b = f.service.ButtonClicked(true);
        QVERIFY(b.Pressed && b.Text.isEmpty());
        QCOMPARE(f.radio.listens, 1);

        b = f.service.ButtonClicked(false);
        QVERIFY(!b.Pressed);
        QCOMPARE(b.Text, QStringLiteral("Start Text Service"));
        QCOMPARE(f.radio.closes, 1);
        QCOMPARE(f.service.Log().last(), QStringLiteral(" - Service removed -"));
        QCOMPARE(f.service.State(), tTextService::tState::Off);
        // Text after the stop is not taken.
        f.radio.Send(1, "late");
        QVERIFY(!f.service.Log().contains(QStringLiteral("late")));
        // Released with nothing running: nothing.
        b = f.service.ButtonClicked(false);
        QVERIFY(!b.Pressed && b.Text.isEmpty());
        QCOMPARE(f.radio.closes, 1);
    }

    void charactersSplitAcrossPieces()
    {
        Fixture f;
        f.service.ButtonClicked(true);
        f.radio.Connect(7);
        const QByteArray text = QString::fromUtf8("Ä€𝄞").toUtf8();  // 2, 3 and 4 bytes
        f.radio.Send(7, text.left(1));       // half of Ä: no line yet
        f.radio.Send(7, text.mid(1, 3));     // rest of Ä and two of €
        f.radio.Send(7, text.mid(4, 3));     // rest of € and two of the clef
        f.radio.Send(7, text.mid(7));
        QCOMPARE(f.Since(1), (QStringList{QString::fromUtf8("Ä"), QString::fromUtf8("€"), QString::fromUtf8("𝄞")}));
        // A new connection starts with a fresh decoder: the half a client
        // left behind is not glued to the next one's text.
        f.radio.Send(7, text.left(1));
        f.radio.Gone(7, QStringLiteral("Connection reset"));
        f.radio.Connect(8);
        f.radio.Send(8, "ok");
        QCOMPARE(f.service.Log().last(), QStringLiteral("ok"));
        // Invalid bytes become replacement characters, never a crash.
        f.radio.Send(8, QByteArray("\xff\xfe"));
        QCOMPARE(f.service.Log().last(), QString(2, QChar(QChar::ReplacementCharacter)));
    }

    void oneClientAtATime()
    {
        Fixture f;
        f.service.ButtonClicked(true);
        f.radio.Connect(1);
        f.radio.Connect(2);
        QCOMPARE(f.radio.dropped, std::vector<int>{2});
        f.radio.Send(2, "intruder");
        f.radio.Send(1, "first");
        QCOMPARE(f.Since(1), QStringList{"first"});
        // The client goes: said, and the next may come without a restart.
        f.radio.Gone(1, QStringLiteral("Connection reset by peer"));
        QCOMPARE(f.service.Log().last(), QStringLiteral("Server Socket closed: Connection reset by peer"));
        QCOMPARE(f.service.State(), tTextService::tState::Waiting);
        f.radio.Gone(2, QStringLiteral("ignored"));
        f.radio.Connect(3);
        f.radio.Send(3, "second");
        QCOMPARE(f.service.Log().last(), QStringLiteral("second"));
        QCOMPARE(f.radio.listens, 1);
    }

    void noAdapterAndFailedStart()
    {
        Fixture f;
        f.radio.adapter = false;
        QVERIFY(!f.service.CheckAdapter());
        QCOMPARE(f.service.Log(), QStringList{"No Bluetooth device Found"});
        // Pressed without an adapter: the line again, the button stays down,
        // and the next click releases it without effect.
        tTextService::tButton b = f.service.ButtonClicked(true);
        QVERIFY(b.Pressed && b.Text.isEmpty());
        QCOMPARE(f.service.Log().size(), 2);
        QCOMPARE(f.radio.listens, 0);
        b = f.service.ButtonClicked(false);
        QVERIFY(!b.Pressed && b.Text.isEmpty());
        QCOMPARE(f.radio.closes, 0);

        f.radio.adapter = true;
        f.radio.listenError = QStringLiteral("Operation not permitted");
        b = f.service.ButtonClicked(true);
        QVERIFY(!b.Pressed);
        QCOMPARE(f.service.Log().last(), QStringLiteral("Operation not permitted"));
        QCOMPARE(f.service.State(), tTextService::tState::Off);
        // A later press can try again.
        f.radio.listenError.clear();
        QVERIFY(f.service.ButtonClicked(true).Pressed);
        QCOMPARE(f.service.State(), tTextService::tState::Waiting);
    }

    void acceptFailuresBackOff()
    {
        Fixture f;
        f.service.ButtonClicked(true);
        f.radio.listenError = QStringLiteral("busy");
        f.radio.Fail(QStringLiteral("Input/output error"));
        QCOMPARE(f.service.Log().last(), QStringLiteral("Server Socket closed: Input/output error"));
        // Each failure in a row waits twice as long, up to a ceiling.
        for (int i = 0; i < 10; ++i) {
            QVERIFY(!f.scheduled.empty());
            auto [ms, fn] = f.scheduled.back();
            f.scheduled.pop_back();
            fn();
        }
        QVERIFY(!f.scheduled.empty());
        QCOMPARE(f.radio.listens, 11);
        QCOMPARE(f.service.Log().last(), QStringLiteral("Server Socket closed: busy"));
        // Collected delays: 100, 200, 400 ... 5000.
        f.radio.listenError.clear();
        Fixture g;
        g.service.ButtonClicked(true);
        g.radio.listenError = QStringLiteral("busy");
        g.radio.Fail(QStringLiteral("x"));
        std::vector<int> delays;
        for (int i = 0; i < 8; ++i) {
            auto [ms, fn] = g.scheduled.back();
            g.scheduled.pop_back();
            delays.push_back(ms);
            fn();
        }
        QCOMPARE(delays, (std::vector<int>{100, 200, 400, 800, 1600, 3200, 5000, 5000}));
        // Once listening works again and a client comes, the pause starts
        // small again.
        g.radio.listenError.clear();
        g.scheduled.back().second();
        g.scheduled.clear();
        g.radio.Connect(1);
        g.radio.Fail(QStringLiteral("y"));
        QCOMPARE(g.scheduled.back().first, 100);
        // A re-listen scheduled before a stop does nothing after it.
        const int listens = g.radio.listens;
        g.service.ButtonClicked(false);
        g.scheduled.back().second();
        QCOMPARE(g.radio.listens, listens);
    }

    void logIsCapped()
    {
        Fixture f;
        f.service.ButtonClicked(true);
        f.radio.Connect(1);
        for (int i = 0; i < tTextService::LogCap + 50; ++i)
            f.radio.Send(1, QByteArray::number(i));
        QCOMPARE(f.service.Log().size(), tTextService::LogCap);
        QCOMPARE(f.service.Log().last(), QString::number(tTextService::LogCap + 49));
        QCOMPARE(f.service.Log().first(), QStringLiteral("50"));  // the oldest lines went first
    }
};

QTEST_GUILESS_MAIN(tst_TextService)
#include "tst_textservice.moc"
