#include <QtTest>

#include "browse/shell/layoutcommands.h"
#include "browse/shell/makerlinks.h"

// The caption's size search, the resize command's bounds and what the
// maker's link commands open.
class tst_LayoutCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionSize_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("labelWidth");
        QTest::addColumn<int>("textLength");  // characters; each is as wide as half the size
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("tried");
        // Height is the size itself; the label is 24 high.
        QTest::newRow("wide screen, short text: the tallest that fits") << 1920 << 900 << 10 << 24
                                                                         << QList<int>{28, 27, 26, 25, 24};
        QTest::newRow("small screen starts at 12") << 800 << 900 << 10 << 12 << QList<int>{12};
        QTest::newRow("801 pixels is a wide screen") << 801 << 900 << 10 << 24 << QList<int>{28, 27, 26, 25, 24};
        QTest::newRow("width decides") << 1920 << 100 << 10 << 20 << QList<int>{28, 27, 26, 25, 24, 23, 22, 21, 20};
        QTest::newRow("never below 8") << 1920 << 30 << 100 << 8
                                       << QList<int>{28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13,
                                                     12, 11, 10, 9};
        QTest::newRow("small screen, long text stops at 8") << 640 << 30 << 100 << 8
                                                             << QList<int>{12, 11, 10, 9};
    }
    void captionSize()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, labelWidth);
        QFETCH(int, textLength);
        QFETCH(int, size);
        QFETCH(QList<int>, tried);
        QList<int> measured;
        const int fitted = FitCaptionSize(screenWidth, QSize(labelWidth, 24), [&](int s) {
            measured << s;
            return QSize(textLength * s / 2, s);
        });
        QCOMPARE(fitted, size);
        QCOMPARE(measured, tried);
    }

    void resizeBounds_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("bounds");
        QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080) << QRect(192, 108, 1536, 864);
        QTest::newRow("odd sizes round down") << QRect(0, 0, 1366, 767) << QRect(136, 76, 1092, 613);
        QTest::newRow("a second screen to the right") << QRect(1920, 0, 1280, 1024) << QRect(2048, 102, 1024, 819);
        QTest::newRow("available area below a top panel") << QRect(0, 32, 1600, 868) << QRect(160, 118, 1280, 694);
    }
    void resizeBounds()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, bounds);
        QCOMPARE(ResizedMainWindowBounds(screen), bounds);
    }

    void makerLinks_data()
    {
        QTest::addColumn<int>("link");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");  // empty: the command explains instead
        QTest::addColumn<QString>("said");
        const int web = int(tMakerLink::WebSite);
        const int video = int(tMakerLink::VideoPage);
        const int mail = int(tMakerLink::EMail);
        QTest::newRow("web site not set") << web << "" << "" << "No address is set for Quillfen Software's web site";
        QTest::newRow("blank is not set") << video << "   " << "" << "No address is set for Quillfen Software's video";
        QTest::newRow("e-mail not set") << mail << "" << "" << "Maker e-mail";
        QTest::newRow("web site") << web << " https://quillfen.example/ " << "https://quillfen.example/" << "";
        QTest::newRow("plain http") << video << "http://video.example/c/q?x=1" << "http://video.example/c/q?x=1" << "";
        QTest::newRow("a local file is refused") << web << "file:///etc/passwd" << "" << "not a valid address";
        QTest::newRow("a program path is refused") << web << "/usr/bin/xterm" << "" << "not a valid address";
        QTest::newRow("no host") << web << "https://" << "" << "not a valid address";
        QTest::newRow("e-mail") << mail << "support@quillfen.example" << "mailto:support@quillfen.example" << "";
        QTest::newRow("e-mail given as mailto") << mail << "mailto:a.b@quillfen.example"
                                                << "mailto:a.b@quillfen.example" << "";
        QTest::newRow("e-mail with added headers") << mail << "a@quillfen.example?cc=x@y.example" << ""
                                                   << "not a valid address";
        QTest::newRow("two recipients") << mail << "a@x.example,b@y.example" << "" << "not a valid address";
        QTest::newRow("not an address") << mail << "quillfen" << "" << "not a valid address";
    }
    void makerLinks()
    {
        QFETCH(int, link);
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        QFETCH(QString, said);
        const tMakerLinkTarget target = MakerLinkTarget(static_cast<tMakerLink>(link), stored);
        QCOMPARE(target.Url.isValid() ? target.Url.toString(QUrl::FullyEncoded) : QString(), opened);
        QVERIFY2(target.Message.contains(said), qPrintable(target.Message));
        if (!opened.isEmpty())
            QVERIFY(target.Message.isEmpty());
        else
            QVERIFY(target.Message.contains(MakerLinkSetting(static_cast<tMakerLink>(link))));
    }
};

QTEST_MAIN(tst_LayoutCommands)
#include "tst_layoutcommands.moc"
