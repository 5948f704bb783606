#include <QtTest>

// Starts the built program as a user would.
class tst_ProgramEntry : public QObject {
    Q_OBJECT
private:
    QTemporaryDir home_;

    QString Program() const
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../orvanta"));
    }
    void Prepare(QProcess &p) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVANTA_HOME"), home_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProgram(Program());
    }

private Q_SLOTS:
    void secondStartEndsAtOnceAndSilently()
    {
        QVERIFY(home_.isValid());
        QVERIFY2(QFileInfo::exists(Program()), qPrintable(Program()));
        QProcess first;
        Prepare(first);
        first.start();
        QVERIFY(first.waitForStarted());
        const QString lock = home_.filePath(QStringLiteral("{AD12094E-7308-4067-8CAC-565A1FF3ADDC}.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 30000);

        QProcess second;
        Prepare(second);
        second.start();
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(second.readAllStandardError(), QByteArray());

        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(QFileInfo::exists(lock));
        first.terminate();
        if (!first.waitForFinished(10000)) {
            first.kill();
            first.waitForFinished();
        }
    }
};

QTEST_GUILESS_MAIN(tst_ProgramEntry)
#include "tst_programentry.moc"
