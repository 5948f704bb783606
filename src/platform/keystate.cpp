#include "platform/keystate.h"

#include <QGuiApplication>

namespace platform {
namespace {
bool hasGui()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}
} // namespace

bool ctrlDown()
{
    return hasGui() && (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier);
}

bool shiftDown()
{
    return hasGui() && (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier);
}

bool leftButtonDown()
{
    return hasGui() && (QGuiApplication::mouseButtons() & Qt::LeftButton);
}

bool rightButtonDown()
{
    return hasGui() && (QGuiApplication::mouseButtons() & Qt::RightButton);
}

bool middleButtonDown()
{
    return hasGui() && (QGuiApplication::mouseButtons() & Qt::MiddleButton);
}

} // namespace platform
