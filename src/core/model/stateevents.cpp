#include "core/model/stateevents.h"

#include "core/program/log.h"

void tStateEvents::StandIn(const QMetaMethod &signal, const QString &name, const QString &unit)
{
    static const QMetaMethod slot = staticMetaObject.method(staticMetaObject.indexOfSlot("NotAvailable()"));
    waiting_.insert(signal.methodIndex(), tWaiting{name, unit});
    connect(this, signal, this, slot);
}

void tStateEvents::NotAvailable()
{
    const auto it = waiting_.constFind(senderSignalIndex());
    if (it == waiting_.cend())
        return;
    LogEntry(it->Name + QStringLiteral(" is not available yet: it waits for ") + it->Unit);
    Q_EMIT SetStatusText(it->Unit.left(1).toUpper() + it->Unit.mid(1) + QStringLiteral(" is not available yet"));
}
