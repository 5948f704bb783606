#include <QtTest>

#include "core/program/settings.h"
#include "platform/settingsstore.h"
#include "pricing/pricetools/bullion.h"
#include "pricing/valuation/forex.h"

namespace {

const std::array<int, WeightUnitCount> FieldLengths{12, 12, 12, 12, 10, 12, 10};

Money M(double units) { return MoneyFromDouble(units); }

} // namespace

// The bullion window's arithmetic: conversions, the purity calculator, the
// value labels and what closing stores.
class tst_Bullion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversions_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("texts");  // Grains .. Avoirdupois Pounds, the typed one empty
        QTest::newRow("1 troy ounce")
            << int(UnitTroyOunces) << QStringLiteral("1")
            << QStringList{QStringLiteral("480"), QStringLiteral("20"), QStringLiteral("31.103"), QString(),
                           QStringLiteral("0.083"), QStringLiteral("1.097"), QStringLiteral("0.069")};
        QTest::newRow("100 grains")
            << int(UnitGrains) << QStringLiteral("100")
            << QStringList{QString(), QStringLiteral("4.167"), QStringLiteral("6.481"), QStringLiteral("0.208"),
                           QStringLiteral("0.017"), QStringLiteral("0.229"), QStringLiteral("0.014")};
        // The factor table is used as it stands, never inverted: a gram is
        // 0.643 pennyweights there, not 1 / 1.555.
        QTest::newRow("1 gram by the table's own factors")
            << int(UnitGrams) << QStringLiteral("1")
            << QStringList{QStringLiteral("15.43"), QStringLiteral("0.643"), QString(), QStringLiteral("0.032"),
                           QStringLiteral("0.003"), QStringLiteral("0.035"), QStringLiteral("0.002")};
        QTest::newRow("1 avoirdupois pound")
            << int(UnitAvoirdupoisPounds) << QStringLiteral("1")
            << QStringList{QStringLiteral("6998.925"), QStringLiteral("291.66"), QStringLiteral("453.592"),
                           QStringLiteral("14.583"), QStringLiteral("1.215"), QStringLiteral("16"), QString()};
        QTest::newRow("not a number counts as 0")
            << int(UnitGrams) << QStringLiteral("abc")
            << QStringList{QStringLiteral("0"), QStringLiteral("0"), QString(), QStringLiteral("0"),
                           QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    }
    void conversions()
    {
        QFETCH(int, from);
        QFETCH(QString, typed);
        QFETCH(QStringList, texts);
        const tWeightConversion c = ConvertWeights(ReadNumber(typed, QLatin1Char('.')), from, FieldLengths, QLatin1Char('.'));
        for (int i = 0; i < WeightUnitCount; ++i)
            QCOMPARE(c.Texts[static_cast<size_t>(i)], texts[i]);
    }

    void valuesPriceTheUnroundedWeight()
    {
        // 100 grains are 0.208333 troy ounces; the field shows 0.208.
        const tWeightConversion c = ConvertWeights(100, UnitGrains, FieldLengths, QLatin1Char('.'));
        QCOMPARE(c.Texts[UnitTroyOunces], QStringLiteral("0.208"));
        const std::array<Money, 4> spot{M(30), M(2350), M(1000), M(950)};
        const std::array<QString, 4> texts = MetalValueTexts(spot, c.TroyOunces);
        QCOMPARE(texts[1], QStringLiteral("489.58"));
        QCOMPARE(texts[0], QStringLiteral("6.25"));
        QCOMPARE(MetalValueTexts(spot, 1.0)[1], QStringLiteral("2350.00"));
    }

    void valuesBeyondTheMoneyRangeClearTheLabels()
    {
        const std::array<Money, 4> spot{M(30), M(2350), M(1000), M(950)};
        const std::array<QString, 4> texts = MetalValueTexts(spot, 1e15);
        for (const QString &t : texts)
            QVERIFY(t.isEmpty());
    }

    void fittingResultsIntoTheirFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << QStringLiteral("123.456") << 12 << QStringLiteral("123.456");
        QTest::newRow("13 characters, 9-digit whole part") << QStringLiteral("123456789.123") << 12 << QStringLiteral("123456789");
        QTest::newRow("whole part too long") << QStringLiteral("1234567890123") << 12 << QString();
        QTest::newRow("exactly the limit") << QStringLiteral("12345678.123") << 12 << QStringLiteral("12345678.123");
    }
    void fittingResultsIntoTheirFields()
    {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, shown);
        QCOMPARE(FitNumberText(text, length, QLatin1Char('.')), shown);
    }

    void purityCalculator_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("weight");
        QTest::addColumn<QString>("purity");
        QTest::addColumn<double>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("defined");
        QTest::addColumn<double>("valuedContent");
        QTest::newRow("content of sterling 62.207 g") << int(PurityModeContent) << 62.207 << QStringLiteral("92.5") << 0.0 << QStringLiteral("1.85") << true << 1.85;
        QTest::newRow("purity typed as 0.9 is 90 %") << int(PurityModeContent) << 62.207 << QStringLiteral("0.9") << 0.0 << QStringLiteral("1.8") << true << 1.8;
        QTest::newRow("no content is None") << int(PurityModeContent) << 0.0 << QStringLiteral("90") << 0.0 << QStringLiteral("None") << false << 0.0;
        QTest::newRow("weight of 1 oz at 90 %") << int(PurityModeWeight) << 0.0 << QStringLiteral("90") << 1.0 << QStringLiteral("34.5594") << true << 1.0;
        QTest::newRow("weight with purity 0") << int(PurityModeWeight) << 0.0 << QString() << 1.0 << QStringLiteral("<Undefined>") << false << 1.0;
        QTest::newRow("purity of 40 g holding 1 oz") << int(PurityModePurity) << 40.0 << QString() << 1.0 << QStringLiteral("77.7587") << true << 1.0;
        QTest::newRow("purity with weight 0") << int(PurityModePurity) << 0.0 << QString() << 1.0 << QStringLiteral("<Undefined>") << false << 1.0;
        QTest::newRow("content typed 0 gives no values") << int(PurityModePurity) << 40.0 << QString() << 0.0 << QStringLiteral("0") << true << 0.0;
    }
    void purityCalculator()
    {
        QFETCH(int, mode);
        QFETCH(double, weight);
        QFETCH(QString, purity);
        QFETCH(double, content);
        QFETCH(QString, text);
        QFETCH(bool, defined);
        QFETCH(double, valuedContent);
        const tPurityResult r = PurityCalc(mode, weight, ReadNumber(purity, QLatin1Char('.')), content);
        QCOMPARE(r.Text, text);
        QCOMPARE(r.Defined, defined);
        QVERIFY(qAbs(r.Content - valuedContent) < 1e-4);
    }

    void purityFromTheList_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("number");
        QTest::newRow("sterling") << QStringLiteral("(Sterling) 92.5%") << QStringLiteral("92.5");
        QTest::newRow("12 karat") << QStringLiteral("(12 Karat) 50%") << QStringLiteral("50");
        QTest::newRow("ducat gold") << QStringLiteral("(Ducat gold) 98.6%") << QStringLiteral("98.6");
        QTest::newRow("typed number stays") << QStringLiteral("83.5") << QStringLiteral("83.5");
    }
    void purityFromTheList()
    {
        QFETCH(QString, item);
        QFETCH(QString, number);
        QCOMPARE(PurityFromCombo(item), number);
    }

    void everyPresetGivesItsNumber()
    {
        QCOMPARE(PurityPresets().size(), size_t(10));
        for (const QString &p : PurityPresets())
            QVERIFY2(ReadNumber(PurityFromCombo(p), QLatin1Char('.')) > 37, qPrintable(p));
    }

    void changeDetection_data()
    {
        QTest::addColumn<double>("typedGold");
        QTest::addColumn<bool>("typedAuto");
        QTest::addColumn<bool>("changed");
        QTest::newRow("nothing changed") << 2000.00 << true << false;
        // A price in another currency is kept in four decimals: closing must
        // see a change below the hundredth, and nothing where none was typed.
        QTest::newRow("2000.001 differs in full precision") << 2000.001 << true << true;
        QTest::newRow("2000.01 is a change") << 2000.01 << true << true;
        QTest::newRow("the automatic-update box") << 2000.00 << false << true;
    }
    void changeDetection()
    {
        QFETCH(double, typedGold);
        QFETCH(bool, typedAuto);
        QFETCH(bool, changed);
        const std::array<Money, 4> stored{M(30), M(2000), M(1000), M(950)};
        std::array<Money, 4> typed = stored;
        typed[1] = M(typedGold);
        QCOMPARE(SpotPricesChanged(stored, typed, true, typedAuto), changed);
    }

    void closingWritesOnlyWhenSomethingChanged()
    {
        platform::MemorySettingsStore store;
        platform::setSettingsStore(&store);
        tMainState s;
        LoadForexList(s);
        s.MetalValues = {M(30), M(2000), M(1000), M(950)};
        s.MetalValuesDate = 45000;
        s.AutoSpotPrices = false;

        QVERIFY(!CloseBullion(s, {M(30), M(2000), M(1000), M(950)}, false, 46000));
        QVERIFY(store.names().isEmpty());
        QCOMPARE(s.MetalValuesDate, 45000);

        // The box alone: the date and the box are written, no price.
        QVERIFY(CloseBullion(s, s.MetalValues, true, 46000));
        QCOMPARE(ReadRegBool(RegName::AutoSpotPrices, false), true);
        QCOMPARE(ReadRegInteger(RegName::MetalDate, 0), 46000);
        QCOMPARE(s.MetalValuesDate, 46000);
        QVERIFY(!store.names().contains(QString(RegName::GoldPrice)));

        // One price: only that price is written.
        QVERIFY(CloseBullion(s, {M(32.5), M(2000), M(1000), M(950)}, true, 46001));
        QCOMPARE(s.MetalValues[0], M(32.5));
        QCOMPARE(ReadRegCurrency(RegName::SilverPrice), M(32.5));
        QVERIFY(!store.names().contains(QString(RegName::GoldPrice)));
        platform::setSettingsStore(nullptr);
    }

    void spotFieldEnterAndExit_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("thousands go on entry") << "2,350.00" << "." << "2350.00" << "2350.004" << "2350.00";
        QTest::newRow("German notation") << "2.350,00" << "," << "2350,00" << "2412,5" << "2412,50";
        QTest::newRow("a letter is dropped") << "31.75" << "." << "31.75" << "3x1" << "31.00";
        QTest::newRow("nothing reads as 0") << "" << "." << "" << "" << "0.00";
    }
    void spotFieldEnterAndExit()
    {
        QFETCH(QString, shown);
        QFETCH(QString, decimal);
        QFETCH(QString, entered);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QCOMPARE(SpotFieldEnterText(shown, decimal[0]), entered);
        QCOMPARE(SpotFieldExitText(typed, decimal[0]), left);
    }

    void onlyTypedFieldsChangeTheWorkingPrices()
    {
        // Four-decimal prices of another currency, shown in two decimals.
        const std::array<Money, 4> stored{M(27.1234), M(2161.5678), M(920.0001), M(874.9999)};
        const std::array<QString, 4> texts{QStringLiteral("27.12"), QStringLiteral("2412,5"),
                                           QStringLiteral("920.00"), QStringLiteral("875.00")};
        QCOMPARE(TypedSpotPrices(stored, texts, {}, QLatin1Char(',')), stored);
        const std::array<Money, 4> got = TypedSpotPrices(stored, texts, {false, true, false, false}, QLatin1Char(','));
        QCOMPARE(got[0], stored[0]);
        QCOMPARE(got[1], M(2412.5));
        QCOMPARE(got[3], stored[3]);
    }

    void purityModesLayOutTheCalculator_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("defined");
        QTest::addColumn<QString>("inputs");  // weight, purity, content: shown
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("marked");
        QTest::newRow("weight computed") << int(PurityModeWeight) << true << "-PC" << "WPC" << "W--";
        QTest::newRow("purity undefined") << int(PurityModePurity) << false << "W-C" << "W-C" << "-P-";
        QTest::newRow("content none") << int(PurityModeContent) << false << "WP-" << "WP-" << "--C";
        QTest::newRow("content computed") << int(PurityModeContent) << true << "WP-" << "WPC" << "--C";
    }
    void purityModesLayOutTheCalculator()
    {
        QFETCH(int, mode);
        QFETCH(bool, defined);
        QFETCH(QString, inputs);
        QFETCH(QString, units);
        QFETCH(QString, marked);
        const tPurityLayout l = PurityLayout(mode, defined);
        auto letters = [](const std::array<bool, 3> &on) {
            return QString(on[0] ? 'W' : '-') + (on[1] ? 'P' : '-') + (on[2] ? 'C' : '-');
        };
        QCOMPARE(letters(l.InputShown), inputs);
        QCOMPARE(letters(l.UnitShown), units);
        QCOMPARE(letters(l.Marked), marked);
    }

    // Results past the money range are written in full, not cut to the
    // largest amount; a result that is no number is undefined.
    void resultsBeyondTheMoneyRange_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("weight");
        QTest::addColumn<QString>("purity");
        QTest::addColumn<double>("content");
        QTest::addColumn<double>("expected");
        QTest::newRow("weight at a tiny purity") << int(PurityModeWeight) << 0.0 << "0.00001" << 9999999.0
                                                 << 9999999.0 * (100 / 0.001) * GramsPerTroyOunce;
        QTest::newRow("purity of a tiny weight") << int(PurityModePurity) << 0.00001 << "" << 9999999.0
                                                 << 9999999.0 / (0.00001 / GramsPerTroyOunce) * 100;
        QTest::newRow("beyond 128 bits") << int(PurityModeWeight) << 0.0 << "0.0000000000000000000000000001"
                                         << 9999999.0 << 9999999.0 * (100 / 1e-26) * GramsPerTroyOunce;
    }
    void resultsBeyondTheMoneyRange()
    {
        QFETCH(int, mode);
        QFETCH(double, weight);
        QFETCH(QString, purity);
        QFETCH(double, content);
        QFETCH(double, expected);
        const tPurityResult r = PurityCalc(mode, weight, ReadNumber(purity, QLatin1Char('.')), content);
        QVERIFY(r.Defined);
        QVERIFY2(!r.Text.startsWith(QStringLiteral("922337203685477")), qPrintable(r.Text));
        bool ok = false;
        const double shown = r.Text.toDouble(&ok);
        QVERIFY2(ok, qPrintable(r.Text));
        QVERIFY2(qAbs(shown - expected) <= expected * 1e-15, qPrintable(r.Text));

        // A purity so small that the weight overflows has no result.
        const QString tiny = QStringLiteral("0.") + QString(330, QLatin1Char('0')) + QLatin1Char('1');
        const tPurityResult none = PurityCalc(PurityModeWeight, 0, ReadNumber(tiny, QLatin1Char('.')), 1);
        QCOMPARE(none.Text, QStringLiteral("<Undefined>"));
        QVERIFY(!none.Defined);
    }

    void pricesTypedInAnotherCurrencyAreStoredInDollars()
    {
        // Start-up reads the stored prices as US dollars and brings them into
        // the active currency; storing euros as they were typed would turn
        // 20 euros into 40 the next day.
        platform::MemorySettingsStore store;
        platform::setSettingsStore(&store);
        tMainState s;
        LoadForexList(s);
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        s.ActiveForexIndex = EurForexIndex;
        s.SpotPricesCurrencyIndex = EurForexIndex;
        s.MetalValues = {M(15), M(1000), M(500), M(475)};
        QVERIFY(CloseBullion(s, {M(20), M(1100), M(500), M(475)}, true, 46000));
        QCOMPARE(s.MetalValues[0], M(20));
        QCOMPARE(ReadRegCurrency(RegName::SilverPrice), M(40));
        QCOMPARE(ReadRegCurrency(RegName::GoldPrice), M(2200));
        // A price left alone keeps its stored dollars untouched.
        QVERIFY(!store.names().contains(QString(RegName::PalladiumPrice)));
        platform::setSettingsStore(nullptr);
    }
};

QTEST_GUILESS_MAIN(tst_Bullion)
#include "tst_bullion.moc"
