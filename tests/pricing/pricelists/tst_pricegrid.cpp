#include <QtTest>

#include "core/model/gradetitles.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/pricegrid.h"
#include "pricing/valuation/valuation.h"

namespace {

const tNumberSeps Seps; // "." and ","

tPriceInfo *AddCurrent(tMainState &s, int32_t year)
{
    auto e = std::make_unique<tPriceInfo>();
    e->CoinType = 352001;
    e->Year = year;
    tPriceInfo *raw = e.get();
    s.PriceList.push_back(std::move(e));
    s.CurrPriceList.push_back(raw);
    return raw;
}

} // namespace

class tst_PriceGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void geometry_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("cols");
        QTest::addColumn<float>("colWidth");
        QTest::addColumn<int>("hMax");
        QTest::newRow("three entries fill four stretched columns") << 730.f << int(ColWidthNormal) << 3 << 4 << 182.5f << 0;
        QTest::newRow("ten entries scroll seven columns") << 730.f << int(ColWidthNormal) << 10 << 4 << 182.5f << 7;
        QTest::newRow("narrow columns fit seven") << 730.f << int(ColWidthNarrow) << 10 << 7 << 730.f / 7 << 4;
        QTest::newRow("one entry uses two columns") << 730.f << int(ColWidthDouble) << 1 << 2 << 365.f << 0;
    }
    void geometry()
    {
        QFETCH(float, width);
        QFETCH(int, choice);
        QFETCH(int, entries);
        QFETCH(int, cols);
        QFETCH(float, colWidth);
        QFETCH(int, hMax);
        const tPriceGridGeometry g = ComputePriceGridGeometry(width, 28 * 20 + 5, choice, entries, 30, false);
        QCOMPARE(g.ColsNeeded, cols);
        QCOMPARE(g.ColWidth, colWidth);
        QCOMPARE(g.HMax, hMax);
        QCOMPARE(g.RowsNeeded, 20);
        QCOMPARE(g.VMax, 10);
        QCOMPARE(g.HSmallChange, cols - 1);
        QCOMPARE(g.VSmallChange, 10);
    }

    void verticalStepIsAtLeastOne()
    {
        // A page with room for the header rows only.
        const tPriceGridGeometry g = ComputePriceGridGeometry(730, 28 * 8, ColWidthNormal, 3, 30, false);
        QCOMPARE(g.RowsNeeded, 8);
        QCOMPARE(g.VSmallChange, 1);
    }

    void scrollTo_data()
    {
        QTest::addColumn<int>("startBar");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("selected");
        QTest::newRow("entry 8 becomes the last visible column") << 0 << 8 << 6 << 3;
        QTest::newRow("an entry left of the view scrolls back") << 6 << 1 << 1 << 1;
        QTest::newRow("the first entry scrolls fully back") << 6 << 0 << 0 << 1;
        QTest::newRow("a visible entry keeps the bar") << 6 << 7 << 6 << 2;
        QTest::newRow("the last entry stops at the maximum") << 0 << 9 << 7 << 3;
    }
    void scrollTo()
    {
        QFETCH(int, startBar);
        QFETCH(int, entry);
        QFETCH(int, bar);
        QFETCH(int, selected);
        const tPriceGridGeometry g = ComputePriceGridGeometry(730, 600, ColWidthNormal, 10, 30, false);
        const tPriceScroll out = ScrollPriceGridTo(g, entry, startBar);
        QCOMPARE(out.HValue, bar);
        QCOMPARE(out.SelectedCol, selected);
        // The selected screen column shows the entry asked for.
        QCOMPARE(out.SelectedCol + out.HValue - 1, entry);
    }

    void rowKinds()
    {
        tGradeTitles titles;
        FillBuiltInGradeTitles(titles);
        const std::vector<int> paper = BuildPriceRowXref(titles, true, 0);
        QCOMPARE(std::vector<int>(paper.begin(), paper.begin() + 6), (std::vector<int>{0, 1, 2, 3, 4, 9}));
        QVERIFY(paper.size() > 6);
        QVERIFY(paper[6] >= PriceKindGrade0);
        QStringList heads;
        for (int i = 0; i < 6; ++i)
            heads << PriceHeaderTitle(paper[i], true);
        QCOMPARE(heads, QStringList({"Year", "Bank", "Variety", "GM", "Printed", "Catalog"}));

        // A user scale with blank slots 1 and 5 leaves those rows out.
        for (int slot = 0; slot < 8; ++slot)
            titles.SetTitle(GradeKindCoins, 1, slot, slot == 1 || slot == 5 ? QStringLiteral("  ") : QStringLiteral("G%1").arg(slot));
        const std::vector<int> user = BuildPriceRowXref(titles, false, 1);
        QCOMPARE(std::vector<int>(user.begin() + 10, user.end()), (std::vector<int>{10, 12, 13, 14, 16, 17}));
    }

    void cellText_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("expected");
        QTest::newRow("circa year") << int(PriceKindYear) << int(ColWidthNormal) << "Circa 1921";
        QTest::newRow("content with unit") << int(PriceKindContent) << int(ColWidthNormal) << ".5 ounce";
        QTest::newRow("content narrow") << int(PriceKindContent) << int(ColWidthNarrow) << ".5";
        QTest::newRow("weight with unit") << int(PriceKindWeight) << int(ColWidthWide) << "1.25 grams";
        QTest::newRow("approximate mintage") << int(PriceKindMintage) << int(ColWidthNormal) << "~2.5 Billion";
        QTest::newRow("metal name") << int(PriceKindMetal) << int(ColWidthNormal) << MetalName(1);
        QTest::newRow("melt with its amount") << PriceKindGrade0 + 0 << int(ColWidthNormal) << "Melt (10.00)";
        QTest::newRow("melt plus ten percent") << PriceKindGrade0 + 1 << int(ColWidthNormal) << "Melt+10% (11.00)";
        QTest::newRow("amount with separators") << PriceKindGrade0 + 2 << int(ColWidthNormal) << "1,234,567.50";
        QTest::newRow("split code") << PriceKindGrade0 + 3 << int(ColWidthNormal) << "Split 30%";
        QTest::newRow("negative amount naming no code") << PriceKindGrade0 + 4 << int(ColWidthNormal) << "-30.00";
        QTest::newRow("fraction of a unit below zero") << PriceKindGrade0 + 5 << int(ColWidthNormal) << "-0.50";
        QTest::newRow("title of a grade row") << PriceKindGrade0 + 40 << -1 << "PF-70";
    }
    void cellText()
    {
        QFETCH(int, kind);
        QFETCH(int, choice);
        QFETCH(QString, expected);
        tMainState s;
        FillBuiltInGradeTitles(s.GradeTitles3D);
        s.MetalValues[0] = 20 * MoneyScale;
        tnodeinfo series;
        tPriceInfo *e = AddCurrent(s, 1921);
        e->DateBits |= DateBitCirca;
        e->Metal = 1;
        e->Content = 0.5f;
        e->Weight = 1.25f;
        e->Mintage = -250;
        e->Included = true;
        e->Value[0] = ValueCodeToMoney(CodeMelt);
        e->Value[1] = ValueCodeToMoney(CodeMelt + 17); // Melt+10%
        e->Value[2] = 12345675000;
        e->Value[3] = ValueCodeToMoney(CodeSplit0 + 3);
        e->Value[4] = -30 * MoneyScale;
        e->Value[5] = -5000;
        const int column = choice < 0 ? 0 : 1;
        QCOMPARE(PriceCellText(s, series, column, kind, std::max(choice, 0), Seps), expected);
    }

    void meltNeedsSpotAndPreciousMetal()
    {
        tMainState s;
        tnodeinfo series;
        tPriceInfo *e = AddCurrent(s, 1921);
        e->Metal = 1;
        e->Content = 0.5f;
        e->Value[0] = ValueCodeToMoney(CodeMelt);
        e->Value[1] = ValueCodeToMoney(CodeMelt + 17);
        QCOMPARE(PriceCellText(s, series, 1, PriceKindGrade0, ColWidthNormal, Seps), QStringLiteral("Melt"));
        s.MetalValues[0] = 20 * MoneyScale;
        e->Metal = 34;
        QCOMPARE(PriceCellText(s, series, 1, PriceKindGrade0 + 1, ColWidthNormal, Seps), QStringLiteral("Melt+10%"));
        e->Year = 0;
        e->Content = 0;
        QCOMPARE(PriceCellText(s, series, 1, PriceKindYear, ColWidthNormal, Seps), QString());
        QCOMPARE(PriceCellText(s, series, 1, PriceKindContent, ColWidthNormal, Seps), QString());
        QCOMPARE(PriceCellText(s, series, 2, PriceKindYear, ColWidthNormal, Seps), QString());
    }

    void cellColour_data()
    {
        QTest::addColumn<int>("lcol");
        QTest::addColumn<int>("lrow");
        QTest::addColumn<int>("rc");
        QTest::addColumn<int>("rk");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QColor>("colour");
        using namespace PriceColors;
        // The range runs from column 2 kind 15 to column 4 kind 17.
        QTest::newRow("inside the range") << 3 << 16 << 2 << 15 << true << Yellow;
        QTest::newRow("range wins over highlight") << 2 << 15 << 2 << 15 << true << Yellow;
        QTest::newRow("above the range in its columns, header") << 3 << 4 << 2 << 15 << true << Linen;
        QTest::newRow("above the range in its columns, grade") << 3 << 12 << 2 << 15 << true << WhiteSmoke;
        QTest::newRow("left of the range in its rows") << 1 << 16 << 2 << 15 << true << WhiteSmoke;
        QTest::newRow("right of the range") << 5 << 16 << 2 << 15 << true << White;
        QTest::newRow("below the range") << 3 << 20 << 2 << 15 << true << White;
        QTest::newRow("title of a selected grade row") << 0 << 16 << 2 << 15 << true << LightGrey;
        QTest::newRow("title of another row") << 0 << 20 << 2 << 15 << true << Gainsboro;
        QTest::newRow("header reference marks nothing") << 3 << 2 << 3 << 4 << false << Cornsilk;
        QTest::newRow("header reference, grade cell") << 3 << 12 << 3 << 4 << false << White;
        QTest::newRow("single cell highlights its column above") << 3 << 11 << 3 << 15 << false << WhiteSmoke;
        QTest::newRow("title-column reference marks nothing") << 0 << 15 << 0 << 15 << false << Gainsboro;
        QTest::newRow("title-column reference, data cell") << 1 << 15 << 0 << 15 << false << White;
    }
    void cellColour()
    {
        QFETCH(int, lcol);
        QFETCH(int, lrow);
        QFETCH(int, rc);
        QFETCH(int, rk);
        QFETCH(bool, range);
        QFETCH(QColor, colour);
        tPriceDrag drag;
        if (range) {
            drag.OriginX = 2;
            drag.OriginY = 15;
            drag.RangeX = 4;
            drag.RangeY = 17;
        }
        QCOMPARE(ColorPriceCell(lcol, lrow, rc, rk, drag), colour);
    }

    void fillSpan_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("face value up to the edited grade") << int(CodeFaceValue) << 12 << 0 << 12;
        QTest::newRow("melt on the top slot fills all") << int(CodeMelt) << 40 << 0 << 40;
        QTest::newRow("proof only fills business strikes") << int(CodeProofOnly) << 35 << 0 << 29;
        QTest::newRow("rare on a proof slot") << int(CodeRare) << 30 << 30 << 40;
        QTest::newRow("rare on a business slot") << int(CodeRare) << 5 << 0 << 29;
        QTest::newRow("extinct fills all") << int(CodeExtinct) << 7 << 0 << 40;
        QTest::newRow("other codes fill the range") << int(CodeNA) << 21 << 20 << 22;
    }
    void fillSpan()
    {
        QFETCH(int, code);
        QFETCH(int, slot);
        QFETCH(int, first);
        QFETCH(int, last);
        QCOMPARE(CodeFillSpan(code, slot, 20, 22), std::make_pair(first, last));
    }

    void parseMintage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("approx");
        QTest::newRow("billions kept in tens of millions") << "~2,500,000,000" << true << -250 << true;
        QTest::newRow("one billion kept as is") << "1,000,000,000" << true << 1000000000 << false;
        QTest::newRow("empty is zero") << "" << true << 0 << false;
        QTest::newRow("beyond the field refused") << "999999999999999999" << false << 0 << false;
    }
    void parseMintage()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, stored);
        QFETCH(bool, approx);
        const auto m = ParseMintage(text);
        QCOMPARE(m.Value.has_value(), accepted);
        QCOMPARE(m.Error.isEmpty(), accepted);
        if (accepted) {
            QCOMPARE(m.Value->Stored, stored);
            QCOMPARE(m.Value->Approx, approx);
        }
    }

    void parseAmountAndMeasure_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("measure");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("value");
        QTest::newRow("amount") << "12.5" << false << true << qint64(125000);
        QTest::newRow("amount with separators") << "1,234.56" << false << true << qint64(12345600);
        QTest::newRow("halves to even") << "0.00005" << false << true << qint64(0);
        QTest::newRow("not a number is zero") << "abc" << false << true << qint64(0);
        QTest::newRow("minus refused") << "-5" << false << false << qint64(0);
        QTest::newRow("amount too large refused") << "99999999999999999" << false << false << qint64(0);
        QTest::newRow("measure") << "0.5" << true << true << qint64(5000);
        QTest::newRow("measure too large refused") << "300000" << true << false << qint64(0);
    }
    void parseAmountAndMeasure()
    {
        QFETCH(QString, text);
        QFETCH(bool, measure);
        QFETCH(bool, accepted);
        QFETCH(qint64, value);
        if (measure) {
            const auto x = ParseMeasure(text, QLatin1Char('.'));
            QCOMPARE(x.Value.has_value(), accepted);
            if (accepted)
                QCOMPARE(qRound64(static_cast<double>(*x.Value) * 10000), value);
        } else {
            const auto x = ParseAmount(text, Seps);
            QCOMPARE(x.Value.has_value(), accepted);
            QCOMPARE(x.Error.isEmpty(), accepted);
            if (accepted)
                QCOMPARE(*x.Value, value);
        }
    }

    void codeNames()
    {
        const QStringList names = ValueCodeNames();
        QCOMPARE(names.size(), 23);
        QCOMPARE(names.first(), QStringLiteral("Face value"));
        QCOMPARE(names[4], QStringLiteral("-------"));
        QCOMPARE(names[9], QStringLiteral("Split 30%"));
        QCOMPARE(names.last(), QStringLiteral("Melt+25%"));
    }
};

QTEST_GUILESS_MAIN(tst_PriceGrid)
#include "tst_pricegrid.moc"
