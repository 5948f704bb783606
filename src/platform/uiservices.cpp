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

} // namespace

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
    return *current;
}

void setUserInterface(UserInterface *services)
{
    current = services ? services : &silent;
}

} // namespace platform
