#include "support/fakeftp.h"

#include <QFile>

using platform::FtpError;

void FakeFtpClient::connectTo(const platform::FtpAccount &account, const platform::FtpTimeouts &)
{
    server_.accounts.push_back(account);
    if (server_.refuseConnect || account.host.isEmpty())
        throw FtpError("Could not connect: refused");
    if (account.requireTls && !server_.offersTls)
        throw FtpError("Could not connect: the server does not offer TLS");
    ++server_.connects;
    connected_ = true;
    dir_.clear();
}

void FakeFtpClient::disconnect()
{
    if (connected_)
        ++server_.disconnects;
    connected_ = false;
}

void FakeFtpClient::changeDir(const QString &dir)
{
    if (!connected_)
        throw FtpError("Not connected");
    dir_ = dir;
}

QString FakeFtpClient::pathOf(const QString &name) const
{
    return dir_.isEmpty() ? name : dir_ + QLatin1Char('/') + name;
}

std::vector<platform::FtpEntry> FakeFtpClient::list()
{
    if (!connected_)
        throw FtpError("Not connected");
    std::vector<platform::FtpEntry> out;
    const QString prefix = dir_.isEmpty() ? QString() : dir_ + QLatin1Char('/');
    for (const auto &[path, bytes] : server_.files)
        if (path.startsWith(prefix) && !path.mid(prefix.size()).contains(QLatin1Char('/')))
            out.push_back({path.mid(prefix.size()), bytes.size(), false});
    return out;
}

void FakeFtpClient::get(const QString &remoteName, const QString &localPath, bool)
{
    if (!connected_)
        throw FtpError("Not connected");
    server_.fetched << pathOf(remoteName);
    const auto it = server_.files.find(pathOf(remoteName));
    if (it == server_.files.end() || server_.failTransfers)
        throw FtpError("Could not fetch");
    QFile f(localPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FtpError("Could not write");
    f.write(it->second);
    if (progress_)
        progress_(it->second.size());
}

FakeFtpInstalled::FakeFtpInstalled(FakeFtpServer &server)
{
    platform::setFtpClientFactory([&server] { return std::make_unique<FakeFtpClient>(server); });
}

FakeFtpInstalled::~FakeFtpInstalled()
{
    platform::setFtpClientFactory({});
}
