#pragma once
// The text service's radio: QtBluetooth's RFCOMM server, the local adapter
// and one socket per client.
#include <map>
#include <memory>

#include <QBluetoothServiceInfo>

#include "updates/bluetooth/textservice.h"

class QBluetoothServer;
class QBluetoothSocket;

class tQtBtTransport final : public tBtTransport {
    Q_OBJECT
public:
    explicit tQtBtTransport(QObject *parent = nullptr);
    ~tQtBtTransport() override;

    bool AdapterConnected() const override;
    QString AdapterName() const override;
    void Listen(const QString &name, const QString &uuid) override;
    void Close() override;
    void DropClient(int client) override;

private:
    void OnNewConnection();
    void StopListening();

    QBluetoothServer *server_ = nullptr;
    QBluetoothServiceInfo service_;
    std::map<int, QBluetoothSocket *> clients_;
    int nextClient_ = 1;
};
