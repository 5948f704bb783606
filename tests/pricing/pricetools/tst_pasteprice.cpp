#include <QtTest>

#include "pricing/pricetools/pasteprice.h"
#include "core/model/mainstate.h"
#include "pricing/valuation/valuation.h"

namespace {

QStringList Lines(const QString &text)
{
    return text.split(QLatin1Char('\n'));
}

std::array<bool, GradeSlots> Checked(std::initializer_list<int> slots)
{
    std::array<bool, GradeSlots> out{};
    for (int k : slots)
        out[static_cast<size_t>(k)] = true;
    return out;
}

Money Code(int code) { return ValueCodeToMoney(code); }
Money Units(double v) { return MoneyFromDouble(v); }

// Every slot set to a sentinel, so untouched slots show.
std::array<Money, GradeSlots> Untouched()
{
    std::array<Money, GradeSlots> v{};
    v.fill(Units(7777));
    return v;
}

} // namespace

// The paste-price tool: cleaning the pasted column, the run of slots a paste
// fills, and the settings file.
class tst_PastePrice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleaning_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("heading, dollar sign, rising run")
            << QStringLiteral("Price\n$9.00\n12.50\n20") << QChar('.') << QStringLiteral("9.00\n12.50\n20");
        QTest::newRow("a price not below the one under it ends the run")
            << QStringLiteral("12.50\n1,250.00\n20") << QChar('.') << QStringLiteral("20");
        QTest::newRow("blank and foreign lines go without ending the run")
            << QStringLiteral("3\n\n   \nabout 4\n5\nMS-63\n6") << QChar('.') << QStringLiteral("3\n5\n6");
        QTest::newRow("equal prices end the run") << QStringLiteral("4\n5\n5") << QChar('.') << QStringLiteral("5");
        QTest::newRow("thousands separators go") << QStringLiteral("950\n$1,200.00") << QChar('.') << QStringLiteral("950\n1200.00");
        QTest::newRow("comma decimal kept and read by it")
            << QStringLiteral("2,50\n10,75") << QChar(',') << QStringLiteral("2,50\n10,75");
        QTest::newRow("nothing but text") << QStringLiteral("Grade\nPrice") << QChar('.') << QString();
    }
    void cleaning()
    {
        QFETCH(QString, memo);
        QFETCH(QChar, decimal);
        QFETCH(QString, cleaned);
        QCOMPARE(CleanPastedPrices(Lines(memo), decimal).join(QLatin1Char('\n')), cleaned);
    }

    void removeSpacesDropsBlankLines()
    {
        QCOMPARE(RemoveBlankLines(Lines(QStringLiteral("1\n\n  \n2\n"))), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    }

    void foreignCharacters_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("price with symbol") << QStringLiteral(" $1,234.50 ") << false;
        QTest::newRow("letters") << QStringLiteral("12 ea") << true;
        QTest::newRow("minus") << QStringLiteral("-5") << true;
        QTest::newRow("tab") << QStringLiteral("5\t") << true;
        QTest::newRow("other digits") << QStringLiteral("٣") << true;
    }
    void foreignCharacters()
    {
        QFETCH(QString, line);
        QFETCH(bool, foreign);
        QCOMPARE(HasForeignChars(line), foreign);
    }

    void strikeAllowsOneKindOfGrade_data()
    {
        QTest::addColumn<QList<int>>("slots");
        QTest::addColumn<int>("strike");
        QTest::newRow("none") << QList<int>{} << 0;
        QTest::newRow("mint state") << QList<int>{0, 29} << StrikeMint;
        QTest::newRow("proof") << QList<int>{30, 40} << StrikeProof;
        QTest::newRow("both") << QList<int>{29, 30} << (StrikeMint | StrikeProof);
    }
    void strikeAllowsOneKindOfGrade()
    {
        QFETCH(QList<int>, slots);
        QFETCH(int, strike);
        std::array<bool, GradeSlots> checked{};
        for (int k : slots)
            checked[static_cast<size_t>(k)] = true;
        QCOMPARE(StrikeOf(checked), strike);
        auto values = Untouched();
        const bool pasted = PastePrices(values, {checked, 0, 0, 0, 0}, {QStringLiteral("5")}, QLatin1Char('.'));
        QCOMPARE(pasted, strike == StrikeMint || strike == StrikeProof);
        if (!pasted)
            QCOMPARE(values, Untouched());
    }

    void pasteRuns()
    {
        // Items are codes - 1: 3 is "Rare" (code 4), 1 "Proof only" (2), 4
        // "-------" (5), 17 "n/a" (18).
        struct tCase {
            const char *name;
            tPastePriceChoice choice;
            QString memo;
            std::vector<std::pair<int, Money>> expected;  // slot, value
        };
        const std::vector<tCase> cases{
            {"start slot 5 with Rare below",
             {Checked({5, 6, 7}), 5, 3, 4, 17},
             QStringLiteral("1\n2\n3"),
             {{0, Code(4)}, {4, Code(4)}, {5, Units(1)}, {6, Units(2)}, {7, Units(3)}, {8, Code(18)}, {29, Code(18)},
              {30, Units(7777)}}},
            {"three lines, ten checked: the rest gets the code above",
             {Checked({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 0, 0, 4, 17},
             QStringLiteral("1.5\n2.25\n3"),
             {{0, Units(1.5)}, {1, Units(2.25)}, {2, Units(3)}, {3, Code(18)}, {9, Code(18)}, {29, Code(18)}}},
            {"an unchecked slot between checked ones is skipped and uses no line",
             {Checked({10, 12}), 10, 0, 4, 17},
             QStringLiteral("100\n200"),
             {{10, Units(100)}, {11, Code(5)}, {12, Units(200)}, {13, Code(18)}}},
            {"proof only never touches mint-state slots",
             {Checked({30, 31, 32}), 30, 3, 4, 1},
             QStringLiteral("50\n60"),
             {{0, Units(7777)}, {29, Units(7777)}, {30, Units(50)}, {31, Units(60)}, {32, Code(2)}, {40, Code(2)}}},
            {"start inside the proof run",
             {Checked({33, 34}), 33, 3, 4, 17},
             QStringLiteral("5"),
             {{29, Units(7777)}, {30, Code(4)}, {32, Code(4)}, {33, Units(5)}, {34, Code(18)}}},
            {"a code box with no item gives 0",
             {Checked({2}), 1, -1, -1, -1},
             QStringLiteral("9"),
             {{0, 0}, {1, 0}, {2, Units(9)}, {3, 0}}},
        };
        for (const tCase &c : cases) {
            auto values = Untouched();
            QVERIFY2(PastePrices(values, c.choice, Lines(c.memo), QLatin1Char('.')), c.name);
            for (const auto &[slot, value] : c.expected)
                QVERIFY2(values[static_cast<size_t>(slot)] == value,
                         qPrintable(QStringLiteral("%1: slot %2 is %3, expected %4")
                                        .arg(QLatin1String(c.name)).arg(slot).arg(values[static_cast<size_t>(slot)]).arg(value)));
        }
    }

    void numbersAreReadWithTheSeparatorTheCleaningKept()
    {
        const QStringList cleaned = CleanPastedPrices(Lines(QStringLiteral("2,50\n10,75")), QLatin1Char(','));
        auto values = Untouched();
        QVERIFY(PastePrices(values, {Checked({0, 1}), 0, 0, 4, 17}, cleaned, QLatin1Char(',')));
        QCOMPARE(values[0], Units(2.5));
        QCOMPARE(values[1], Units(10.75));
    }

    void pasteIntoAnEntryRecordsUndoFirstAndMarksItsCountry()
    {
        tMainState s;
        tPriceInfo entry;
        entry.CoinType = 47012;  // country 47
        entry.Value[19] = Units(3);
        std::vector<Money> snapshot;
        const auto undo = [&](tPriceInfo &p) { snapshot.push_back(p.Value[19]); };

        QVERIFY(!PasteIntoPriceEntry(s, entry, {Checked({19, 30}), 0, 0, 4, 17}, {QStringLiteral("5")}, QLatin1Char('.'), undo));
        QVERIFY(snapshot.empty());
        QVERIFY(!s.PricesModified);

        QVERIFY(PasteIntoPriceEntry(s, entry, {Checked({19}), 19, 3, 4, 17}, {QStringLiteral("5")}, QLatin1Char('.'), undo));
        QCOMPARE(snapshot, std::vector<Money>{Units(3)});
        QCOMPARE(entry.Value[19], Units(5));
        QVERIFY(s.PricesModified);
        QVERIFY(s.PricesModifiedArray[47]);
        QVERIFY(!s.PricesModifiedArray[46]);
    }

    void codeItemsNameTheValueCodes()
    {
        const QStringList items = ValueCodeItems();
        QCOMPARE(items.size(), 23);
        QCOMPARE(items.first(), QStringLiteral("Face value"));
        QCOMPARE(items[4], QStringLiteral("-------"));
        QCOMPARE(items.last(), QStringLiteral("Melt+25%"));
        QCOMPARE(CodeItemValue(3), Code(4));
        QCOMPARE(CodeItemValue(23), Money(0));
    }

    void settingsFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(PastePriceIniName));
        const tPastePriceChoice fresh = ReadPastePriceSettings(path);
        QCOMPARE(StrikeOf(fresh.Checked), 0);
        QCOMPARE(fresh.StartIndex, 0);

        const tPastePriceChoice saved{Checked({19, 20, 29}), 19, 3, 4, 17};
        WritePastePriceSettings(path, saved);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(QStringLiteral("[CheckBoxes]")));
        QVERIFY(text.contains(QStringLiteral("MS-60=1")));
        QVERIFY(text.contains(QStringLiteral("PO-1=0")));
        QVERIFY(text.contains(QStringLiteral("StartIndex=19")));
        QVERIFY(text.contains(QStringLiteral("Postrun=17")));
        const tPastePriceChoice read = ReadPastePriceSettings(path);
        QCOMPARE(read.Checked, saved.Checked);
        QCOMPARE(read.StartIndex, 19);
        QCOMPARE(read.Prerun, 3);
        QCOMPARE(read.Midrun, 4);
        QCOMPARE(read.Postrun, 17);
    }

    void unwritableSettingsFileIsReported()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 WritePastePriceSettings(dir.filePath(QStringLiteral("missing/PastePrice.ini")), {}));
    }
};

QTEST_GUILESS_MAIN(tst_PastePrice)
#include "tst_pasteprice.moc"
