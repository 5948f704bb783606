#include <QtTest>

#include "core/model/mainstate.h"
#include "core/program/log.h"
#include "support/recordingstores.h"
#include "support/testsupport.h"

// The state's notifications: a state without windows emits to nobody, and a
// notification whose unit waits is never silent once its stand-in is
// connected.
class tst_StateEvents : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        LogMode = true;
        LogList.clear();
    }
    void cleanup()
    {
        LogMode = false;
        LogList.clear();
    }

    void aStateWithoutWindowsEmitsToNobody()
    {
        tMainState s;
        const QMetaObject &meta = tStateEvents::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                QVERIFY2(!s.Events->HasReceiver(meta.method(i)), meta.method(i).methodSignature().constData());
        Q_EMIT s.Events->SeriesSelected();
        Q_EMIT s.Events->SetProgress(1, 2);
        QVERIFY(LogList.isEmpty());
    }

    // The stand-in logs which unit the notification waits for and says on
    // the status line that the unit is not available; another notification
    // is left alone.
    void aWaitingEventTellsTheUser()
    {
        RecordingClipboard clipboard;  // the log records only with a clipboard to copy to
        tMainState s;
        QStringList status;
        QObject::connect(s.Events.get(), &tStateEvents::SetStatusText, [&status](const QString &t) { status << t; });
        s.Events->StandIn(QMetaMethod::fromSignal(&tStateEvents::LoadReportList), QStringLiteral("Events.LoadReportList"),
                          QStringLiteral("the report list"));
        QVERIFY(s.Events->HasReceiver(QMetaMethod::fromSignal(&tStateEvents::LoadReportList)));

        Q_EMIT s.Events->RenderTree();
        QVERIFY(status.isEmpty());

        Q_EMIT s.Events->LoadReportList();
        QCOMPARE(status, QStringList{QStringLiteral("The report list is not available yet")});
        QCOMPARE(LogLinesWithoutTime(),
                 QStringList{QStringLiteral("Events.LoadReportList is not available yet: it waits for the report list")});
    }

    // A command's failure goes back to the sender instead of crossing the
    // signal, once: the next emit that succeeds throws nothing.
    void aFailedCommandReachesItsSender()
    {
        tMainState s;
        tStateEvents *events = s.Events.get();
        bool fail = true;
        QObject::connect(events, &tStateEvents::SavePricesToFile, [events, &fail] {
            events->RunCommand([&fail] {
                if (fail)
                    throw std::runtime_error("disk full");
            });
        });
        Q_EMIT events->SavePricesToFile();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, events->RethrowFailure());
        fail = false;
        Q_EMIT events->SavePricesToFile();
        events->RethrowFailure();
    }
};

QTEST_GUILESS_MAIN(tst_StateEvents)
#include "tst_stateevents.moc"
