#pragma once
// The Bluetooth text service: another device connects to the RFCOMM service
// "Orvanta" and sends text, which is added to the window's log, one line per
// piece received. The service runs one client at a time, decodes each
// connection's bytes with one UTF-8 decoder (a character split across two
// pieces arrives whole), backs off when accepting fails again and again, and
// keeps the log to a bounded number of lines.
//
// The radio is reached through tBtTransport; the program's transport is
// QtBluetooth's, tests use a fake one.
#include <functional>
#include <optional>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

inline const QString TextServiceName = QStringLiteral("Orvanta");
inline const QString TextServiceUuid = QStringLiteral("{E73F7175-5252-454E-BF0D-3C864DDC4F7B}");

class tBtTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // A powered adapter is present.
    virtual bool AdapterConnected() const = 0;
    virtual QString AdapterName() const = 0;
    // Publishes the service (not secure: no authentication or encryption)
    // and starts accepting. Throws std::runtime_error with the reason.
    virtual void Listen(const QString &name, const QString &uuid) = 0;
    // Stops accepting, removes the service and drops every client.
    virtual void Close() = 0;
    // Drops one client (one that came while another is served).
    virtual void DropClient(int client) = 0;

Q_SIGNALS:
    void ClientConnected(int client);
    void Received(int client, const QByteArray &bytes);
    // The client went away or its connection failed.
    void ClientClosed(int client, const QString &message);
    // Accepting failed; the transport stopped listening.
    void ListenFailed(const QString &message);
};

class tTextService : public QObject {
    Q_OBJECT
public:
    enum class tState { Off, Waiting, Serving };

    // Lines the log keeps; older ones go first.
    static constexpr int LogCap = 2000;
    static constexpr int FirstBackoffMs = 100;
    static constexpr int MaxBackoffMs = 5000;

    explicit tTextService(tBtTransport &transport, QObject *parent = nullptr);
    ~tTextService() override;

    tState State() const { return state_; }
    const QStringList &Log() const { return log_; }
    // Schedules fn after ms milliseconds (the program: a single-shot timer;
    // tests record the delays and run fn themselves).
    std::function<void(int ms, std::function<void()> fn)> Schedule;

    // "Device discoverable as "name"" when an adapter is present; otherwise
    // the log gets "No Bluetooth device Found" and the result is empty.
    std::optional<QString> CheckAdapter();

    // The start/stop button after a click changed its pressed state: what
    // it should show now. Text empty: unchanged.
    struct tButton {
        bool Pressed = false;
        QString Text;
    };
    tButton ButtonClicked(bool pressed);
    // The window is closing.
    void Shutdown();

Q_SIGNALS:
    void LineAdded(const QString &line);

private:
    bool Start();
    void Stop();
    void AddLine(const QString &line);
    void OnClientConnected(int client);
    void OnReceived(int client, const QByteArray &bytes);
    void OnClientClosed(int client, const QString &message);
    void OnListenFailed(const QString &message);
    void Relisten();

    tBtTransport &transport_;
    tState state_ = tState::Off;
    QStringList log_;
    int client_ = -1;
    QStringDecoder decoder_{QStringDecoder::Utf8};
    int backoffMs_ = 0;
    int generation_ = 0;  // a scheduled re-listen of an earlier run does nothing
};
