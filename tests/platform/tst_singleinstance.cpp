#include <QtTest>

#include "platform/singleinstance.h"

using namespace platform;

class tst_SingleInstance : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;
    const QString key_ = QStringLiteral("{test-instance}");

private Q_SLOTS:
    void init()
    {
        QVERIFY(home_.isValid());
        qputenv("ORVANTA_HOME", home_.path().toUtf8());
    }

    void onlyOneHolderAtATime()
    {
        auto first = std::make_unique<SingleInstance>(key_);
        QVERIFY(first->isFirst());
        QCOMPARE(first->lockPath(), home_.filePath(key_ + QStringLiteral(".lock")));
        {
            const SingleInstance second(key_);
            QVERIFY(!second.isFirst());
        }
        QVERIFY(QFileInfo::exists(first->lockPath()));  // a refused start leaves it alone
        first.reset();
        QVERIFY(!QFileInfo::exists(home_.filePath(key_ + QStringLiteral(".lock"))));
        const SingleInstance again(key_);
        QVERIFY(again.isFirst());
    }

    void lockOfADeadProcessIsTakenOver()
    {
        // A process that has ended leaves its number in the lock file.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        QFile lock(home_.filePath(key_ + QStringLiteral(".lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\norvanta\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        const SingleInstance next(key_);
        QVERIFY(next.isFirst());
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
