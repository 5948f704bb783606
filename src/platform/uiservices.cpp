#include "platform/uiservices.h"

#include <QDebug>

namespace platform {
namespace {

class SilentInterface final : public UserInterface {
public:
    MessageResult showMessage(const MessageRequest &request) override
    {
        MessageResult r;
        r.DontAsk = request.AskDefault;
        for (const MessageButton &b : request.Buttons)
            if (!b.Toggle) {
                r.Value = b.Value;
                break;
            }
        return r;
    }
    QString openFileName(const FileRequest &) override { return {}; }
    QStringList openFileNames(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
    QString pickFolder(const FileRequest &) override { return {}; }
};

SilentInterface silent;
UserInterface *current = &silent;
int openDialogs = 0;

// Every call goes through here, so that modalDialogOpen() knows while a
// question or picker waits for the user, whichever services answer it.
template <class F>
auto WhileOpen(F &&call)
{
    const ModalScope open;
    return call();
}

class CountingInterface final : public UserInterface {
public:
    MessageResult showMessage(const MessageRequest &r) override { return WhileOpen([&] { return current->showMessage(r); }); }
    QString openFileName(const FileRequest &r) override { return WhileOpen([&] { return current->openFileName(r); }); }
    QStringList openFileNames(const FileRequest &r) override { return WhileOpen([&] { return current->openFileNames(r); }); }
    QString saveFileName(const FileRequest &r) override { return WhileOpen([&] { return current->saveFileName(r); }); }
    QString pickFolder(const FileRequest &r) override { return WhileOpen([&] { return current->pickFolder(r); }); }
    void showError(const ErrorReport &r) override { WhileOpen([&] { current->showError(r); }); }
};

CountingInterface counting;

} // namespace

ModalScope::ModalScope()
{
    ++openDialogs;
}

ModalScope::~ModalScope()
{
    --openDialogs;
}

bool modalDialogOpen()
{
    return openDialogs > 0;
}

int cancelValue(const MessageRequest &request)
{
    int last = 0;
    for (const char *word : {"Cancel", "No"})
        for (const MessageButton &b : request.Buttons)
            if (!b.Toggle && b.Caption.trimmed().compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return b.Value;
    for (const MessageButton &b : request.Buttons)
        if (!b.Toggle && b.Value > last)
            last = b.Value;
    return last;
}

void UserInterface::showError(const ErrorReport &report)
{
    qWarning().noquote() << "Block number" << report.Block << report.Message;
}

UserInterface &ui()
{
    return counting;
}

void setUserInterface(UserInterface *services)
{
    current = services ? services : &silent;
}

} // namespace platform
