#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "core/model/currproc.h"
#include "core/program/errorreport.h"
#include "core/program/log.h"
#include "core/program/ui/application.h"
#include "core/program/ui/errorform.h"
#include "support/recordingstores.h"
#include "support/scriptedui.h"

namespace {

// A menu handler that fails inside its own operation.
void FailingHandler()
{
    CurrProcGuard guard(13000);
    {
        CurrProcGuard inner(13001);
    }
    throw std::runtime_error("Disk on fire");
}

// Error services whose window, while open, lets a pending event run, as a
// modal window's event loop lets a timer fire.
class ReentrantUi final : public platform::UserInterface {
public:
    ReentrantUi() { platform::setUserInterface(this); }
    ~ReentrantUi() override { platform::setUserInterface(nullptr); }
    platform::MessageResult showMessage(const platform::MessageRequest &) override { return {}; }
    QString openFileName(const platform::FileRequest &) override { return {}; }
    QStringList openFileNames(const platform::FileRequest &) override { return {}; }
    QString saveFileName(const platform::FileRequest &) override { return {}; }
    QString pickFolder(const platform::FileRequest &) override { return {}; }
    void showError(const platform::ErrorReport &report) override
    {
        Shown.push_back(report);
        QCoreApplication::sendPostedEvents();
    }
    std::vector<platform::ErrorReport> Shown;
};

} // namespace

class tst_ErrorReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        LogMode = true;
        LogList.clear();
        ErrorInUse = false;
    }

    void exceptionInASlotReachesTheErrorWindow()
    {
        tScriptedUi ui;
        RecordingClipboard board;
        QPushButton failing(QStringLiteral("Fail"));
        QObject::connect(&failing, &QPushButton::clicked, &FailingHandler);
        bool laterRan = false;
        QPushButton later(QStringLiteral("Later"));
        QObject::connect(&later, &QPushButton::clicked, [&] { laterRan = true; });
        failing.show();
        later.show();

        QTest::mouseClick(&failing, Qt::LeftButton);
        QCOMPARE(ui.Errors.size(), size_t(1));
        QCOMPARE(ui.Errors[0].Block, 13000);
        QCOMPARE(ui.Errors[0].Message, QStringLiteral("Disk on fire"));
        QVERIFY(!ErrorInUse);
        QCOMPARE(LogList.size(), 1);
        QVERIFY2(LogList[0].endsWith(QStringLiteral(": Block 13000 Disk on fire")), qPrintable(LogList[0]));

        // The program goes on: other handlers run, and the same one can fail again.
        QTest::mouseClick(&later, Qt::LeftButton);
        QVERIFY(laterRan);
        QTest::mouseClick(&failing, Qt::LeftButton);
        QCOMPARE(ui.Errors.size(), size_t(2));
    }

    void queuedCallsAndForeignExceptionsAreCaughtToo()
    {
        tScriptedUi ui;
        QObject target;
        QMetaObject::invokeMethod(&target, [] { CurrProcGuard g(20301); throw 42; }, Qt::QueuedConnection);
        bool ranAfter = false;
        QMetaObject::invokeMethod(&target, [&] { ranAfter = true; }, Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(ui.Errors.size(), size_t(1));
        QCOMPARE(ui.Errors[0].Block, 20301);
        QCOMPARE(ui.Errors[0].Message, QStringLiteral("Unknown error"));
        QVERIFY(ranAfter);
    }

    void secondFailureWhileTheWindowIsOpenIsOnlyLogged()
    {
        ReentrantUi ui;
        RecordingClipboard board;
        QObject target;
        QMetaObject::invokeMethod(&target, [] { CurrProcGuard g(1); throw std::runtime_error("first"); },
                                  Qt::QueuedConnection);
        QMetaObject::invokeMethod(&target, [] { CurrProcGuard g(2); throw std::runtime_error("second"); },
                                  Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(ui.Shown.size(), size_t(1));
        QCOMPARE(ui.Shown[0].Message, QStringLiteral("first"));
        QCOMPARE(LogList.size(), 2);
        QVERIFY(LogList[1].endsWith(QStringLiteral(": Block 2 second")));
        QVERIFY(!ErrorInUse);  // closed again: the next failure gets its window
    }

    void errorWindowShowsBlockAndMessage()
    {
        TErrorForm form({13000, QStringLiteral("Disk on fire")});
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Orvanta"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("HeadingLabel"))->text(),
                 QStringLiteral("An error has occurred"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("BlockLabel"))->text(), QStringLiteral("Block number 13000"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("MessageLabel"))->text(), QStringLiteral("Disk on fire"));
        QCOMPARE(form.size(), QSize(436, 222));
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("OKbutton")), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void longErrorMessageIsNotCutOff()
    {
        TErrorForm form({7, QStringLiteral("A very long explanation of what went wrong. ").repeated(12)});
        auto *message = form.findChild<QLabel *>(QStringLiteral("MessageLabel"));
        auto *ok = form.findChild<QPushButton *>(QStringLiteral("OKbutton"));
        QVERIFY(form.height() > 222);
        QVERIFY(message->geometry().bottom() < ok->y());
        QCOMPARE(message->height(), message->heightForWidth(message->width()));
    }
};

int main(int argc, char **argv)
{
    TOrvantaApplication app(argc, argv);
    tst_ErrorReport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorreport.moc"
