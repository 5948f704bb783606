#pragma once
// The application's exception handler. Exceptions never cross Qt's event
// loop: the application object catches whatever escapes an event handler
// and passes it here (core/program/ui/application.h). The handler logs the failure
// with the block number in CurrProc (the innermost operation that was
// running, since guards do not restore it when an exception leaves them)
// and shows the error window; the program then goes on running.
#include <exception>

#include <QString>

// The error window is open. A failure meanwhile is only logged, so a timer
// that keeps failing cannot stack error windows.
extern bool ErrorInUse;

void AppException(const QString &message);
void AppException(const std::exception &E);
