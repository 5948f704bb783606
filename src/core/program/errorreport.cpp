#include "core/program/errorreport.h"

#include <QDebug>

#include "core/model/currproc.h"
#include "core/program/log.h"
#include "platform/uiservices.h"

bool ErrorInUse = false;

namespace {
// Set while the handler is logging; a failure then goes to standard error
// instead of back into the handler.
bool InHandler = false;

struct FlagSetter {
    explicit FlagSetter(bool &flag) : flag_(flag) { flag_ = true; }
    ~FlagSetter() { flag_ = false; }
    bool &flag_;
};
} // namespace

void AppException(const QString &message)
{
    const int block = CurrProc;
    if (InHandler) {
        qWarning().noquote() << "Block" << block << message;
        return;
    }
    {
        FlagSetter handling(InHandler);
        LogEntry(QStringLiteral("Block ") + QString::number(block) + QLatin1Char(' ') + message);
    }
    if (ErrorInUse)
        return;
    FlagSetter open(ErrorInUse);
    try {
        platform::ui().showError({block, message});
    } catch (const std::exception &e) {
        qWarning().noquote() << "Block" << block << message << "; the error window failed:" << e.what();
    } catch (...) {
        qWarning().noquote() << "Block" << block << message;
    }
}

void AppException(const std::exception &E)
{
    AppException(QString::fromUtf8(E.what()));
}
