#include "platform/uiservices.h"

namespace platform {
namespace {

class SilentInterface final : public UserInterface {
public:
    MessageResult showMessage(const MessageRequest &request) override
    {
        MessageResult r;
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

UserInterface &ui()
{
    return *current;
}

void setUserInterface(UserInterface *services)
{
    current = services ? services : &silent;
}

} // namespace platform
