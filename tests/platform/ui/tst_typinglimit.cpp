#include <QtTest>

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "platform/ui/typinglimit.h"

// The typing limit holds what is typed, never what the program shows.
class tst_TypingLimit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingStopsAtTheLimitShownTextStaysWhole_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");      // at the end of the text; "<" is Backspace
        QTest::addColumn<QString>("result");
        QTest::newRow("short text grows to the limit") << "abc" << "defgh" << "abcdefgh";
        QTest::newRow("typing past the limit is refused") << "abcdefgh" << "ijk" << "abcdefghij";
        QTest::newRow("long text shows whole") << "Johann Sebastian Smith" << "" << "Johann Sebastian Smith";
        QTest::newRow("long text does not grow") << "Johann Sebastian Smith" << "x" << "Johann Sebastian Smith";
        QTest::newRow("long text may shrink") << "Johann Sebastian Smith" << "<<" << "Johann Sebastian Smi";
        QTest::newRow("shrunk long text does not grow back") << "Johann Sebastian Smith" << "<x"
                                                               << "Johann Sebastian Smit";
    }
    void typingStopsAtTheLimitShownTextStaysWhole()
    {
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QLineEdit box;
        platform::setTypingLimit(&box, 10);
        box.setText(shown);
        box.end(false);
        for (QChar c : typed) {
            if (c == QLatin1Char('<'))
                QTest::keyClick(&box, Qt::Key_Backspace);
            else
                QTest::keyClicks(&box, QString(c));
        }
        QCOMPARE(box.text(), result);
        QVERIFY(box.hasAcceptableInput());
        QCOMPARE(platform::typingLimit(&box), 10);
    }

    // A character check given with the limit still applies, and setting a
    // new limit replaces the old one.
    void innerCheckAndReplacement()
    {
        QLineEdit box;
        platform::setTypingLimit(
            &box, 5, new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*"))));
        QTest::keyClicks(&box, QStringLiteral("15a5.5x9"));
        QCOMPARE(box.text(), QStringLiteral("155.5"));
        platform::setTypingLimit(&box, 3);
        box.setText(QStringLiteral("123456"));
        QTest::keyClicks(&box, QStringLiteral("a"));
        QCOMPARE(box.text(), QStringLiteral("123456"));
        QCOMPARE(box.findChildren<QValidator *>().size(), 1);
    }
};

QTEST_MAIN(tst_TypingLimit)
#include "tst_typinglimit.moc"
