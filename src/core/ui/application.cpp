#include "core/ui/application.h"

#include "core/errorreport.h"

TOrvantaApplication::TOrvantaApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TOrvantaApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        AppException(e);
    } catch (...) {
        AppException(QStringLiteral("Unknown error"));
    }
    return false;
}
