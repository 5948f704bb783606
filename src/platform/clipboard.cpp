#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {
namespace {

class SystemClipboard final : public Clipboard {
public:
    bool available() const override
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr
               && QGuiApplication::clipboard() != nullptr;
    }
    void setText(const QString &text) override
    {
        if (available())
            QGuiApplication::clipboard()->setText(text);
    }
    QString text() const override { return available() ? QGuiApplication::clipboard()->text() : QString(); }
};

SystemClipboard systemBoard;
Clipboard *current = &systemBoard;

} // namespace

Clipboard &clipboard()
{
    return *current;
}

void setClipboard(Clipboard *board)
{
    current = board ? board : &systemBoard;
}

} // namespace platform
