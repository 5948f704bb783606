#include "updates/bluetooth/textservice.h"

#include <stdexcept>

#include <QTimer>

tTextService::tTextService(tBtTransport &transport, QObject *parent) : QObject(parent), transport_(transport)
{
    Schedule = [this](int ms, std::function<void()> fn) { QTimer::singleShot(ms, this, std::move(fn)); };
    connect(&transport_, &tBtTransport::ClientConnected, this, &tTextService::OnClientConnected);
    connect(&transport_, &tBtTransport::Received, this, &tTextService::OnReceived);
    connect(&transport_, &tBtTransport::ClientClosed, this, &tTextService::OnClientClosed);
    connect(&transport_, &tBtTransport::ListenFailed, this, &tTextService::OnListenFailed);
}

tTextService::~tTextService()
{
    transport_.disconnect(this);
}

void tTextService::AddLine(const QString &line)
{
    log_ << line;
    if (log_.size() > LogCap)
        log_.erase(log_.begin(), log_.begin() + (log_.size() - LogCap));
    Q_EMIT LineAdded(line);
}

std::optional<QString> tTextService::CheckAdapter()
{
    if (!transport_.AdapterConnected()) {
        AddLine(QStringLiteral("No Bluetooth device Found"));
        return std::nullopt;
    }
    return QStringLiteral("Device discoverable as \"") + transport_.AdapterName() + QStringLiteral("\"");
}

tTextService::tButton tTextService::ButtonClicked(bool pressed)
{
    const bool running = state_ != tState::Off;
    if (!pressed) {
        if (!running)
            return {false, {}};
        Stop();
        return {false, QStringLiteral("Start Text Service")};
    }
    if (running || !CheckAdapter())
        return {true, {}};
    if (!Start())
        return {false, {}};
    return {true, QStringLiteral("Stop Text Service")};
}

bool tTextService::Start()
{
    try {
        transport_.Listen(TextServiceName, TextServiceUuid);
    } catch (const std::exception &e) {
        AddLine(QString::fromUtf8(e.what()));
        return false;
    }
    ++generation_;
    state_ = tState::Waiting;
    client_ = -1;
    backoffMs_ = 0;
    AddLine(QStringLiteral(" - Service created: \"") + TextServiceName + QStringLiteral("\""));
    return true;
}

void tTextService::Stop()
{
    ++generation_;
    transport_.Close();
    state_ = tState::Off;
    client_ = -1;
    AddLine(QStringLiteral(" - Service removed -"));
}

void tTextService::Shutdown()
{
    if (state_ == tState::Off)
        return;
    ++generation_;
    transport_.Close();
    state_ = tState::Off;
    client_ = -1;
}

void tTextService::OnClientConnected(int client)
{
    // One client at a time: another that comes meanwhile is turned away.
    if (state_ != tState::Waiting) {
        transport_.DropClient(client);
        return;
    }
    state_ = tState::Serving;
    client_ = client;
    backoffMs_ = 0;
    decoder_ = QStringDecoder(QStringDecoder::Utf8);
}

void tTextService::OnReceived(int client, const QByteArray &bytes)
{
    if (state_ != tState::Serving || client != client_ || bytes.isEmpty())
        return;
    const QString text = decoder_.decode(bytes);
    // The first bytes of a character cut off at the end of a piece wait in
    // the decoder for the rest; a piece of nothing else adds no line.
    if (!text.isEmpty())
        AddLine(text);
}

void tTextService::OnClientClosed(int client, const QString &message)
{
    if (state_ != tState::Serving || client != client_)
        return;
    AddLine(QStringLiteral("Server Socket closed: ") + message);
    state_ = tState::Waiting;
    client_ = -1;
}

void tTextService::OnListenFailed(const QString &message)
{
    if (state_ == tState::Off)
        return;
    AddLine(QStringLiteral("Server Socket closed: ") + message);
    state_ = tState::Waiting;
    client_ = -1;
    // Failures that follow one another wait longer each time, so a radio
    // that keeps failing neither spins the processor nor floods the log.
    backoffMs_ = backoffMs_ == 0 ? FirstBackoffMs : std::min(backoffMs_ * 2, MaxBackoffMs);
    const int generation = generation_;
    if (Schedule)
        Schedule(backoffMs_, [this, generation] {
            if (generation == generation_)
                Relisten();
        });
}

void tTextService::Relisten()
{
    if (state_ == tState::Off)
        return;
    try {
        transport_.Listen(TextServiceName, TextServiceUuid);
    } catch (const std::exception &e) {
        OnListenFailed(QString::fromUtf8(e.what()));
    }
}
