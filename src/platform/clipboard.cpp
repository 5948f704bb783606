#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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
    QImage image() const override
    {
        if (!available())
            return {};
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasImage() ? QGuiApplication::clipboard()->image() : QImage();
    }
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
