#include <QtTest>

#include <QDirIterator>
#include <QRegularExpression>

// Block numbers name the operation that failed in an error report, so two
// operations must never share one. The numbers live as named constants
// (src/core/model/blocks.h and a few units' own "...Block" constants) and as
// literals in CurrProcGuard; this reads every source file and looks for a
// number given twice.
class tst_Blocks : public QObject {
    Q_OBJECT

    struct tUse {
        QString Where;  // file:line
        QString What;   // the constant's name, or the guard's text
    };

    static QString SourceRoot()
    {
        return QDir::cleanPath(qEnvironmentVariable("ORVANTA_TEST_DATA") + QStringLiteral("/../../src"));
    }

    // Every block number in the sources with where it is given.
    static QMultiMap<int, tUse> Uses()
    {
        static const QRegularExpression named(QStringLiteral(R"(constexpr\s+int\s+(\w+)\s*=\s*(\d+)\s*;)"));
        static const QRegularExpression guard(QStringLiteral(R"(CurrProcGuard\s+\w+\s*[({]\s*(\d+)\s*[)}])"));
        QMultiMap<int, tUse> uses;
        QDirIterator it(SourceRoot(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            const bool blockTable = path.endsWith(QStringLiteral("core/model/blocks.h"));
            const QString rel = QDir(SourceRoot()).relativeFilePath(path);
            int lineNo = 0;
            while (!f.atEnd()) {
                const QString line = QString::fromUtf8(f.readLine());
                ++lineNo;
                const QString where = rel + QLatin1Char(':') + QString::number(lineNo);
                const QRegularExpressionMatch n = named.match(line);
                if (n.hasMatch() && (blockTable || n.captured(1).contains(QStringLiteral("Block"))))
                    uses.insert(n.captured(2).toInt(), {where, n.captured(1)});
                const QRegularExpressionMatch g = guard.match(line);
                if (g.hasMatch())
                    uses.insert(g.captured(1).toInt(), {where, line.trimmed()});
            }
        }
        return uses;
    }

private Q_SLOTS:
    void theSourcesAreFound()
    {
        // A wrong root would make the next test pass on nothing.
        const QMultiMap<int, tUse> uses = Uses();
        QVERIFY2(uses.size() > 100, qPrintable(SourceRoot()));
        QVERIFY(uses.contains(10600));  // CheckForNewTypes
    }

    void noNumberIsGivenTwice()
    {
        // Numbers that the design gives to more than one operation on
        // purpose: the report run's currency steps share one, and the
        // catalogue-number key shares its number with the list of a
        // series' numbers that it builds; the menu commands that open the
        // price-list download and the new-coin-type check share theirs.
        const QSet<int> shared = {7, 4800, 32700};
        const QMultiMap<int, tUse> uses = Uses();
        QStringList clashes;
        for (const int number : uses.uniqueKeys()) {
            const QList<tUse> at = uses.values(number);
            if (at.size() < 2 || shared.contains(number))
                continue;
            QString line = QString::number(number) + QStringLiteral(":");
            for (const tUse &u : at)
                line += QStringLiteral("\n    ") + u.Where + QStringLiteral("  ") + u.What;
            clashes << line;
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(tst_Blocks)
#include "tst_blocks.moc"
