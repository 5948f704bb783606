#include <QtTest>

#include "pricing/valuation/forex.h"

namespace {

constexpr int GbpForexIndex = 47;

tPriceInfo *AddPrice(tMainState &s, int coinType, std::initializer_list<Money> values)
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = coinType;
    int i = 0;
    for (Money v : values)
        p->Value[i++] = v;
    s.PriceList.push_back(std::move(p));
    return s.PriceList.back().get();
}

} // namespace

class tst_Forex : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void builtInTableKeepsItsPositions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("separators");  // thousands then decimal; '_' for none
        QTest::addColumn<QString>("description");
        QTest::newRow("0 USD") << 0 << QStringLiteral("USD") << QStringLiteral("$") << true << QStringLiteral(",.") << QStringLiteral("United States Dollar");
        QTest::newRow("7 ARS symbol keeps its blank") << 7 << QStringLiteral("ARS") << QStringLiteral("$ ") << true << QStringLiteral(".,") << QStringLiteral("Argentina Peso");
        QTest::newRow("35 CVE no symbol, dollar sign decimal") << 35 << QStringLiteral("CVE") << QStringLiteral("") << true << QStringLiteral(",$") << QStringLiteral("Cape Verde Escudo");
        QTest::newRow("36 CZK") << 36 << QStringLiteral("CZK") << QStringLiteral(" Kč") << false << QStringLiteral(".,") << QStringLiteral("Czech Republic Koruna");
        QTest::newRow("44 EUR") << 44 << QStringLiteral("EUR") << QStringLiteral(" €") << false << QStringLiteral(".,") << QStringLiteral("Euro Member Countries");
        QTest::newRow("57 HNL symbol is L,.") << 57 << QStringLiteral("HNL") << QStringLiteral("L,.") << false << QStringLiteral(",.") << QStringLiteral("Honduras Lempira");
        QTest::newRow("62 ILS") << 62 << QStringLiteral("ILS") << QStringLiteral("₪") << true << QStringLiteral(".,") << QStringLiteral("Israel Shekel");
        QTest::newRow("88 MDL one-character format") << 88 << QStringLiteral("MDL") << QStringLiteral("L,.") << true << QStringLiteral("__") << QStringLiteral("Moldova Leu");
        QTest::newRow("148 VES left-to-right mark")
            << 148 << QStringLiteral("VES") << QStringLiteral("Bs.\u200E") << true << QStringLiteral(",.") << QStringLiteral("Venezuela Bolívar Soberano");
        QTest::newRow("157 XAF") << 157 << QStringLiteral("XAF") << QStringLiteral("F.CFA\u200E") << true << QStringLiteral(",.") << QStringLiteral("Central African CFA Franc");
        QTest::newRow("158 XOF") << 158 << QStringLiteral("XOF") << QStringLiteral("F.CFA ") << true << QStringLiteral(",.") << QStringLiteral("West African CFA Franc");
        QTest::newRow("159 VEF") << 159 << QStringLiteral("VEF") << QStringLiteral("Bs.") << true << QStringLiteral(",.") << QStringLiteral("Venezuela Bolívar Fuerte");
        QTest::newRow("160 ILR") << 160 << QStringLiteral("ILR") << QStringLiteral("ש") << true << QStringLiteral(",.") << QStringLiteral("Israeli old shekel (1980-1985)");
        QTest::newRow("161 ILP") << 161 << QStringLiteral("ILP") << QStringLiteral("£") << true << QStringLiteral(",.") << QStringLiteral("Israeli pound (1952-1980)");
        QTest::newRow("162 Demonetized") << 162 << QStringLiteral("-") << QStringLiteral("") << false << QStringLiteral("__") << QStringLiteral("Demonetized");
        QTest::newRow("163 None") << 163 << QStringLiteral("") << QStringLiteral("") << false << QStringLiteral("__") << QStringLiteral("None");
    }
    void builtInTableKeepsItsPositions()
    {
        QFETCH(int, position);
        QFETCH(QString, code);
        QFETCH(QString, symbol);
        QFETCH(bool, prefix);
        QFETCH(QString, separators);
        QFETCH(QString, description);
        tMainState s;
        LoadForexList(s);
        QCOMPARE(s.ForexList.size(), size_t(164));
        const tForex &f = *s.ForexList[position];
        QCOMPARE(f.Code, code);
        QCOMPARE(f.CurrencySymbol, symbol);
        QCOMPARE(f.SymbolIsPrefix, prefix);
        const auto sep = [](QChar c) { return c.isNull() ? QLatin1Char('_') : c; };
        QCOMPARE(QString(sep(f.ThousandsSymbol)) + sep(f.DecimalSymbol), separators);
        QCOMPARE(f.Description, description);
        QCOMPARE(f.Rate, position < BuiltInForexCount ? 1.0f : 0.0f);
    }

    void everyBuiltInRowIsWellFormed()
    {
        const QStringList codes = QStringLiteral(
            "USD AED AFN ALL AMD ANG AOA ARS AUD AWG AZN BAM BBD BDT BGN BHD BIF BMD BND BOB BRL BSD BTN BWP BYN BZD "
            "CAD CDF CHF CLP CNY COP CRC CUC CUP CVE CZK DJF DKK DOP DZD EGP ERN ETB EUR FJD FKP GBP GEL GGP GHS GIP "
            "GMD GNF GTQ GYD HKD HNL HRK HTG HUF IDR ILS IMP INR IQD IRR ISK JEP JMD JOD JPY KES KGS KHR KMF KPW KRW "
            "KWD KYD KZT LAK LBP LKR LRD LSL LYD MAD MDL MGA MKD MMK MNT MOP MRO MUR MVR MWK MXN MYR MZN NAD NGN NIO "
            "NOK NPR NZD OMR PAB PEN PGK PHP PKR PLN PYG QAR RON RSD RUB RWF SAR SBD SCR SDG SEK SGD SHP SLL SOS SRD "
            "STD SVC SYP SZL THB TJS TMT TND TOP TRY TTD TVD TWD TZS UAH UGX UYU UZS VES VND VUV WST XCD YER ZAR ZMW "
            "ZWL XAF XOF VEF ILR ILP").split(QLatin1Char(' '));
        tMainState s;
        LoadForexList(s);
        QCOMPARE(s.ReportListForex.size(), size_t(BuiltInForexCount));
        for (int i = 0; i < BuiltInForexCount; ++i) {
            const tForex &f = *s.ForexList[i];
            QCOMPARE(f.Code, codes[i]);
            QVERIFY2(!f.Description.isEmpty(), qPrintable(f.Code));
            if (i != 88)  // the Moldovan row's format names no separators
                QVERIFY2(!f.ThousandsSymbol.isNull() && !f.DecimalSymbol.isNull(), qPrintable(f.Code));
            QCOMPARE(s.ReportListForex[i], s.ForexList[i].get());
        }
    }

    void parseForexEntryKeepsShortRowsEmpty()
    {
        const tForex f = ParseForexEntry(QStringLiteral("ABCD| x |R"));
        QCOMPARE(f.Code, QStringLiteral("ABC"));
        QCOMPARE(f.CurrencySymbol, QStringLiteral(" x "));
        QVERIFY(!f.SymbolIsPrefix);
        QVERIFY(f.ThousandsSymbol.isNull());
        QVERIFY(f.DecimalSymbol.isNull());
        QVERIFY(f.Description.isEmpty());
        QCOMPARE(f.Rate, 1.0f);
    }

    void nativeFormat_data()
    {
        QTest::addColumn<Money>("amount");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("EUR: symbol after, dots and comma") << Money(12345678910) << QStringLiteral("EUR") << QStringLiteral("1.234.567,89 €");
        QTest::newRow("usd in lower case") << Money(12345678910) << QStringLiteral("usd") << QStringLiteral("$1,234,567.89");
        QTest::newRow("uSd mixed case") << Money(12345678910) << QStringLiteral("uSd") << QStringLiteral("$1,234,567.89");
        QTest::newRow("empty code: the active currency (CZK)") << Money(12345678910) << QStringLiteral("") << QStringLiteral("1.234.567,89 Kč");
        QTest::newRow("unknown code") << Money(12345678910) << QStringLiteral("XYZ") << QStringLiteral("");
        QTest::newRow("negative amount") << Money(-12345000) << QStringLiteral("USD") << QStringLiteral("$-1,234.50");
        QTest::newRow("below a thousand: no separator") << Money(5000) << QStringLiteral("ARS") << QStringLiteral("$ 0,50");
        QTest::newRow("CVE: dollar sign as decimal") << Money(12345678) << QStringLiteral("CVE") << QStringLiteral("1,234$57");
        QTest::newRow("MDL: no separators named") << Money(12345678) << QStringLiteral("MDL") << QStringLiteral("L,.1,234.57");
        QTest::newRow("CHF: apostrophe thousands") << Money(12345678910) << QStringLiteral("chf") << QStringLiteral("CHF 1'234'567.89");
    }
    void nativeFormat()
    {
        QFETCH(Money, amount);
        QFETCH(QString, code);
        QFETCH(QString, expected);
        tMainState s;
        LoadForexList(s);
        s.ActiveForexIndex = 36;
        // The user's locale must not leak into a currency's own style.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = NativeFormatCurrency(s, amount, code);
        QLocale::setDefault(saved);
        QCOMPARE(text, expected);
    }

    void validForexIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << -1 << 0;
        QTest::newRow("euro") << 44 << 44;
        QTest::newRow("last built-in") << 161 << 161;
        QTest::newRow("Demonetized has no rate") << 162 << 0;
        QTest::newRow("None has no rate") << 163 << 0;
        QTest::newRow("past the list") << 500 << 0;
        QTest::newRow("pound with rate 0") << GbpForexIndex << 0;
    }
    void validForexIndex()
    {
        QFETCH(int, index);
        QFETCH(int, expected);
        tMainState s;
        LoadForexList(s);
        s.ForexList[GbpForexIndex]->Rate = 0.0f;
        QCOMPARE(ValidForexIndex(s, index), expected);
    }

    void convertsOnlyListsInAnotherCurrency()
    {
        tMainState s;
        LoadForexList(s);
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        s.ForexList[GbpForexIndex]->Rate = 0.8f;
        s.ActiveForexIndex = EurForexIndex;
        s.PriceListForexLinks[5] = UsdForexIndex;
        s.PriceListForexLinks[160] = GbpForexIndex;  // countries 160 and 161 share one list
        s.PriceListForexLinks[7] = EurForexIndex;
        s.PriceListForexLinks[9] = NoneForexIndex;   // unusable: taken as dollars

        tPriceInfo *usd = AddPrice(s, 5001, {1000000, 0, -30000, 123456});
        tPriceInfo *gbpA = AddPrice(s, 161001, {800000});
        tPriceInfo *gbpB = AddPrice(s, 160005, {80000});
        tPriceInfo *eur = AddPrice(s, 7001, {500000});
        tPriceInfo *none = AddPrice(s, 9001, {100000});

        QStringList statuses;
        int saveMenuCalls = 0;
        QObject::connect(s.Events.get(), &tStateEvents::PriceListsConverted, [&](const QString &t) { statuses << t; });
        QObject::connect(s.Events.get(), &tStateEvents::SetSaveMenuVisibility, [&] { ++saveMenuCalls; });

        QCOMPARE(ConvertPriceListCurrency(s), QStringLiteral("3 price lists were just converted to Euro Member Countries"));
        QCOMPARE(usd->Value[0], Money(500000));
        QCOMPARE(usd->Value[1], Money(0));        // no price stays no price
        QCOMPARE(usd->Value[2], Money(-30000));   // "Melt" code untouched
        QCOMPARE(usd->Value[3], Money(61728));
        QCOMPARE(gbpA->Value[0], Money(500000));  // 80 x 0.5 / 0.8
        QCOMPARE(gbpB->Value[0], Money(50000));
        QCOMPARE(eur->Value[0], Money(500000));
        QCOMPARE(none->Value[0], Money(50000));
        for (int c : {5, 160, 9}) {
            QCOMPARE(s.PriceListForexLinks[c], EurForexIndex);
            QVERIFY(s.PricesConvertedArray[c]);
        }
        QVERIFY(!s.PricesConvertedArray[7]);
        QVERIFY(!s.PricesConvertedArray[161]);
        QVERIFY(s.PricesConverted);

        // Everything is in euros now: a second pass changes nothing.
        QVERIFY(ConvertPriceListCurrency(s).isEmpty());
        QCOMPARE(usd->Value[0], Money(500000));
        QCOMPARE(statuses, QStringList({QStringLiteral("3 price lists were just converted to Euro Member Countries"), QString()}));
        QCOMPARE(saveMenuCalls, 2);

        s.ActiveForexIndex = UsdForexIndex;
        s.PriceList.erase(s.PriceList.begin() + 1, s.PriceList.end());
        QCOMPARE(ConvertPriceListCurrency(s), QStringLiteral("1 Price list was just converted to United States Dollar"));
        QCOMPARE(usd->Value[0], Money(1000000));
    }

    void unusableActiveCurrencyBecomesDollars()
    {
        tMainState s;
        LoadForexList(s);
        s.ActiveForexIndex = DemonetizedForexIndex;
        s.PriceListForexLinks[5] = EurForexIndex;
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        tPriceInfo *p = AddPrice(s, 5001, {1000000});
        ConvertPriceListCurrency(s);
        QCOMPARE(s.ActiveForexIndex, UsdForexIndex);
        QCOMPARE(p->Value[0], Money(2000000));
        QCOMPARE(s.PriceListForexLinks[5], UsdForexIndex);
    }
};

QTEST_GUILESS_MAIN(tst_Forex)
#include "tst_forex.moc"
