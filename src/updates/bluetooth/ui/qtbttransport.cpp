#include "updates/bluetooth/ui/qtbttransport.h"

#include <stdexcept>

#include <QBluetoothLocalDevice>
#include <QBluetoothServer>
#include <QBluetoothSocket>
#include <QBluetoothUuid>

tQtBtTransport::tQtBtTransport(QObject *parent) : tBtTransport(parent) {}

tQtBtTransport::~tQtBtTransport()
{
    Close();
}

bool tQtBtTransport::AdapterConnected() const
{
    const QBluetoothLocalDevice device;
    return device.isValid() && device.hostMode() != QBluetoothLocalDevice::HostPoweredOff;
}

QString tQtBtTransport::AdapterName() const
{
    return QBluetoothLocalDevice().name();
}

void tQtBtTransport::Listen(const QString &name, const QString &uuid)
{
    StopListening();
    const QBluetoothLocalDevice device;
    if (!device.isValid())
        throw std::runtime_error("No Bluetooth adapter is available");
    server_ = new QBluetoothServer(QBluetoothServiceInfo::RfcommProtocol, this);
    server_->setSecurityFlags(QBluetooth::Security::NoSecurity);
    server_->setMaxPendingConnections(1);
    connect(server_, &QBluetoothServer::newConnection, this, &tQtBtTransport::OnNewConnection);
    connect(server_, &QBluetoothServer::errorOccurred, this, [this](QBluetoothServer::Error error) {
        const QString message = QStringLiteral("server error %1").arg(static_cast<int>(error));
        StopListening();
        Q_EMIT ListenFailed(message);
    });
    if (!server_->listen(device.address())) {
        StopListening();
        throw std::runtime_error("The Bluetooth service could not listen");
    }

    const QBluetoothUuid serviceUuid(uuid);
    service_ = QBluetoothServiceInfo();
    service_.setServiceName(name);
    service_.setServiceUuid(serviceUuid);
    QBluetoothServiceInfo::Sequence classIds;
    classIds << QVariant::fromValue(serviceUuid);
    service_.setAttribute(QBluetoothServiceInfo::ServiceClassIds, classIds);
    service_.setAttribute(QBluetoothServiceInfo::BrowseGroupList,
                          QVariant::fromValue(QBluetoothUuid(QBluetoothUuid::ServiceClassUuid::PublicBrowseGroup)));
    QBluetoothServiceInfo::Sequence protocols;
    QBluetoothServiceInfo::Sequence l2cap;
    l2cap << QVariant::fromValue(QBluetoothUuid(QBluetoothUuid::ProtocolUuid::L2cap));
    protocols.append(QVariant::fromValue(l2cap));
    QBluetoothServiceInfo::Sequence rfcomm;
    rfcomm << QVariant::fromValue(QBluetoothUuid(QBluetoothUuid::ProtocolUuid::Rfcomm))
           << QVariant::fromValue(quint8(server_->serverPort()));
    protocols.append(QVariant::fromValue(rfcomm));
    service_.setAttribute(QBluetoothServiceInfo::ProtocolDescriptorList, protocols);
    if (!service_.registerService(device.address())) {
        StopListening();
        throw std::runtime_error("The Bluetooth service could not be published");
    }
}

void tQtBtTransport::OnNewConnection()
{
    while (server_ && server_->hasPendingConnections()) {
        QBluetoothSocket *socket = server_->nextPendingConnection();
        if (!socket)
            break;
        const int id = nextClient_++;
        clients_[id] = socket;
        socket->setParent(this);
        connect(socket, &QBluetoothSocket::readyRead, this, [this, id, socket] {
            const QByteArray bytes = socket->readAll();
            if (!bytes.isEmpty())
                Q_EMIT Received(id, bytes);
        });
        const auto closed = [this, id, socket] {
            if (clients_.erase(id) == 0)
                return;
            const QString message = socket->error() == QBluetoothSocket::SocketError::NoSocketError
                                        ? QStringLiteral("the client disconnected")
                                        : socket->errorString();
            socket->deleteLater();
            Q_EMIT ClientClosed(id, message);
        };
        connect(socket, &QBluetoothSocket::disconnected, this, closed);
        connect(socket, &QBluetoothSocket::errorOccurred, this, closed);
        Q_EMIT ClientConnected(id);
    }
}

void tQtBtTransport::DropClient(int client)
{
    const auto it = clients_.find(client);
    if (it == clients_.end())
        return;
    QBluetoothSocket *socket = it->second;
    clients_.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void tQtBtTransport::StopListening()
{
    if (service_.isRegistered())
        service_.unregisterService();
    if (server_) {
        server_->disconnect(this);
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
}

void tQtBtTransport::Close()
{
    StopListening();
    while (!clients_.empty())
        DropClient(clients_.begin()->first);
}
