#include <QtTest>

#include "core/model/mainstate.h"
#include "core/program/about.h"

// The About box's texts: the collection's counts as given, the tree's
// series counted with its root, and the system's lines in their order.
class tst_About : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programText()
    {
        const QString text = AboutProgramText(QStringLiteral("1.0.0"), QStringLiteral("Linux"), {250, 4100, 37});
        QCOMPARE(text.split(QLatin1Char('\n')),
                 QStringList({QStringLiteral("Version 1.0.0"), QStringLiteral("Edition: Linux"),
                              QStringLiteral("Coins on file: 250"), QStringLiteral("Prices on file: 4100"),
                              QStringLiteral("Series defined: 37")}));
    }

    void seriesAreCountedWithTheRoot()
    {
        tMainState s;
        s.EntireCollection = std::make_unique<tnodeinfo>();
        QCOMPARE(AboutCounts(s).Series, qsizetype(1));  // an empty collection
        auto child = std::make_unique<tnodeinfo>();
        child->ChildNodes.push_back(std::make_unique<tnodeinfo>());
        child->ChildNodes.push_back(std::make_unique<tnodeinfo>());
        s.EntireCollection->ChildNodes.push_back(std::move(child));
        s.EntireCollection->ChildNodes.push_back(std::make_unique<tnodeinfo>());
        for (int i = 0; i < 250; ++i)
            s.CoinList.push_back(std::make_unique<tCoinInfo>());
        const tAboutCounts counts = AboutCounts(s);
        QCOMPARE(counts.Series, qsizetype(5));
        QCOMPARE(counts.Coins, qsizetype(250));
        QCOMPARE(counts.Prices, qsizetype(0));
        QVERIFY(AboutProgramText(QStringLiteral("1"), QStringLiteral("Linux"), counts)
                    .contains(QStringLiteral("\nCoins on file: 250\n")));
        QCOMPARE(CountNodes(nullptr), qsizetype(0));
    }

    void systemText()
    {
        tSystemDescription d;
        d.Description = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
        d.Platform = QStringLiteral("Linux");
        d.Build = QStringLiteral("6.1.0-18-amd64");
        d.Major = 6;
        d.Minor = 1;
        d.Name = QStringLiteral("debian");
        QCOMPARE(AboutSystemText(d).split(QLatin1Char('\n')),
                 QStringList({QString(), d.Description, QStringLiteral("Platform: Linux"),
                              QStringLiteral("Build: 6.1.0-18-amd64"), QStringLiteral("Major: 6"),
                              QStringLiteral("Minor: 1"), QStringLiteral("Name: debian"),
                              QStringLiteral("Service Pack - Major: 0"), QStringLiteral("Service Pack - Minor: 0")}));
    }

    void platformNames_data()
    {
        QTest::addColumn<QString>("kernel");
        QTest::addColumn<QString>("platform");
        QTest::newRow("linux") << "linux" << "Linux";
        QTest::newRow("windows") << "winnt" << "Windows";
        QTest::newRow("mac") << "darwin" << "MacOS";
        QTest::newRow("other") << "freebsd" << "UNKNOWN";
    }
    void platformNames()
    {
        QFETCH(QString, kernel);
        QFETCH(QString, platform);
        QCOMPARE(PlatformName(kernel), platform);
    }

    void runningSystemIsDescribed()
    {
        const tSystemDescription d = CurrentSystem();
        QCOMPARE(d.Platform, QStringLiteral("Linux"));
        QCOMPARE(ProgramEdition(), QStringLiteral("Linux"));
        QVERIFY(!d.Description.isEmpty());
        QVERIFY(d.Major > 0);
    }
};

QTEST_MAIN(tst_About)
#include "tst_about.moc"
