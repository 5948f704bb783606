#pragma once
// Test doubles for the FTP client and the system notification: an FTP
// "server" held in memory with scripted failures, and a notifier that
// records what it was asked to show.
#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/ftp.h"
#include "platform/notify.h"

struct FakeFtpServer {
    std::map<QString, QByteArray> files;  // path from the root: "Spot prices", "/Prices7/x"
    bool refuseConnect = false;
    bool failTransfers = false;
    bool offersTls = true;   // false: a server the client logs in to in the clear
    int connects = 0;
    int disconnects = 0;
    std::vector<platform::FtpAccount> accounts;
    QStringList fetched;
};

class FakeFtpClient final : public platform::FtpClient {
public:
    explicit FakeFtpClient(FakeFtpServer &server) : server_(server) {}
    void connectTo(const platform::FtpAccount &account, const platform::FtpTimeouts &timeouts) override;
    bool connected() const override { return connected_; }
    bool encrypted() const override { return connected_ && server_.offersTls; }
    void disconnect() override;
    void changeDir(const QString &dir) override;
    QString currentDir() const override { return dir_; }
    std::vector<platform::FtpEntry> list() override;
    void get(const QString &remoteName, const QString &localPath, bool resume) override;
    void setProgress(ProgressFn progress) override { progress_ = std::move(progress); }
    void setTrace(TraceFn) override {}
    void abort() override {}

private:
    QString pathOf(const QString &name) const;
    FakeFtpServer &server_;
    bool connected_ = false;
    QString dir_;
    ProgressFn progress_;
};

// Makes every client the program asks for a FakeFtpClient on server, until
// the object goes.
class FakeFtpInstalled {
public:
    explicit FakeFtpInstalled(FakeFtpServer &server);
    ~FakeFtpInstalled();
};

class RecordingNotifier final : public platform::Notifier {
public:
    struct Shown {
        QString appName, title, body;
    };
    bool notify(const QString &appName, const QString &title, const QString &body) override
    {
        shown.push_back({appName, title, body});
        return presents;
    }
    std::vector<Shown> shown;
    bool presents = true;  // false acts as a desktop without a tray
};
