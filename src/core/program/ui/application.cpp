#include "core/program/ui/application.h"

#include "core/program/errorreport.h"

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
