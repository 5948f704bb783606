#include <QtTest>

#include "core/model/seriestree.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/pricelists/pricerows.h"
#include "pricing/valuation/valuation.h"
#include "support/pricefixtures.h"

namespace {

// United States (352001, 352002) and Germany (160001); 352001 selected.
struct tFixture {
    tMainState s;
    tPriceHistory history;
    tFixture()
    {
        AddFixtureCountry(s, 352, "United States", {352001, 352002});
        AddFixtureCountry(s, 160, "Germany", {160001});
        Select(352001);
    }
    tPriceInfo *Add(int32_t coinType, int year)
    {
        auto e = std::make_unique<tPriceInfo>();
        e->CoinType = coinType;
        e->Year = year;
        e->Folder = CoinTypeToNodeInfo(s, coinType);
        tPriceInfo *raw = e.get();
        s.PriceList.push_back(std::move(e));
        if (s.SelectedTreeNode && coinType == PickPriceSource(*s.SelectedTreeNode))
            s.CurrPriceList.push_back(raw);
        return raw;
    }
    void Select(int32_t coinType)
    {
        s.SelectedTreeNode = CoinTypeToNodeInfo(s, coinType);
        s.CurrPriceList.clear();
        for (const auto &p : s.PriceList)
            if (p->CoinType == PickPriceSource(*s.SelectedTreeNode))
                s.CurrPriceList.push_back(p.get());
    }
    tValueRange Range(std::vector<tPriceInfo *> entries, int lo, int hi, int edited)
    {
        tValueRange r;
        r.Entries = std::move(entries);
        r.SlotLo = lo;
        r.SlotHi = hi;
        r.EditedSlot = edited;
        return r;
    }
};

} // namespace

class tst_PriceRows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hundredAndOneEditsKeepTheFirst()
    {
        tFixture f;
        tPriceInfo *e = f.Add(352001, 1900);
        for (int i = 1; i <= 101; ++i)
            ApplyValueAmount(f.s, f.history, f.Range({e}, 20, 20, 20), i * MoneyScale);
        QCOMPARE(f.history.Count(), tPriceHistory::Limit);
        for (int i = 0; i < 100; ++i)
            QVERIFY(UndoPriceChange(f.s, f.history).Done);
        // The oldest snapshot was dropped: the first edit stays.
        QCOMPARE(e->Value[20], 1 * MoneyScale);
        QVERIFY(!UndoPriceChange(f.s, f.history).Done);
        QCOMPARE(e->Value[20], 1 * MoneyScale);
    }

    void undoRestoresDeletedEntryAndItsEdits()
    {
        tFixture f;
        tPriceInfo *e = f.Add(352001, 1900);
        e->Value[3] = 5 * MoneyScale;
        ApplyValueAmount(f.s, f.history, f.Range({e}, 3, 3, 3), 7 * MoneyScale);
        DeletePriceEntry(f.s, f.history, e);
        QVERIFY(f.s.CurrPriceList.empty());
        QVERIFY(f.s.PricesModifiedArray[352]);

        const tPriceUndone back = UndoPriceChange(f.s, f.history);
        QVERIFY(back.Done);
        QCOMPARE(f.s.CurrPriceList.size(), size_t(1));
        QCOMPARE(back.Index, 0);
        tPriceInfo *restored = f.s.CurrPriceList.front();
        QCOMPARE(restored->Value[3], 7 * MoneyScale);
        // The older edit acts on the restored entry, not on the freed one.
        const tPriceUndone edit = UndoPriceChange(f.s, f.history);
        QVERIFY(edit.Done);
        QCOMPARE(edit.Row, PriceKindGrade0 + 3);
        QCOMPARE(restored->Value[3], 5 * MoneyScale);
    }

    void snapshotsOfFreedEntriesAreDropped()
    {
        tFixture f;
        tPriceInfo *keep = f.Add(352001, 1900);
        tPriceInfo *gone = f.Add(352001, 1901);
        ApplyValueAmount(f.s, f.history, f.Range({keep}, 0, 0, 0), 3 * MoneyScale);
        ApplyValueAmount(f.s, f.history, f.Range({gone}, 0, 0, 0), 4 * MoneyScale);
        // A reload frees the entry behind the history's back.
        RemovePriceEntries(f.s, [](const tPriceInfo &p) { return p.Year == 1901; });
        f.Add(352001, 1901); // may reuse the freed address
        const tPriceUndone u = UndoPriceChange(f.s, f.history);
        QVERIFY(u.Done);
        QCOMPARE(keep->Value[0], Money(0));
        QVERIFY(f.history.Empty());
        QCOMPARE(f.s.CurrPriceList.back()->Value[0], Money(0));
    }

    void addCloneAndUndo()
    {
        tFixture f;
        tPriceInfo *src = f.Add(352001, 1921);
        f.Add(352001, 1922);
        src->Catalog = QStringLiteral("KM-1");
        src->Mintage = 5000;
        src->Value.fill(ValueCodeToMoney(CodeExtinct));
        for (int slot = 30; slot < GradeSlots; ++slot)
            src->Value[slot] = ValueCodeToMoney(CodeRare);
        src->Value[10] = 12 * MoneyScale;

        const int at = AddPriceEntry(f.s, f.history, src);
        QCOMPARE(at, 1);
        const tPriceInfo *copy = f.s.CurrPriceList[1];
        QCOMPARE(copy->Catalog, QStringLiteral("KM-1"));
        QCOMPARE(copy->Mintage, 5000);
        QCOMPARE(copy->Value[10], 12 * MoneyScale);
        QCOMPARE(copy->Value[0], ValueCodeToMoney(CodeDashes));
        QCOMPARE(copy->Value[35], ValueCodeToMoney(CodeDashes));
        QCOMPARE(copy->DateBits & DateBitRunEnd, 0);

        const int blank = AddPriceEntry(f.s, f.history, nullptr);
        QCOMPARE(blank, 3);
        for (Money v : f.s.CurrPriceList[3]->Value)
            QCOMPARE(v, ValueCodeToMoney(CodeDashes));

        f.s.PricesModified = false;
        QVERIFY(UndoPriceChange(f.s, f.history).CountChanged);
        QCOMPARE(f.s.CurrPriceList.size(), size_t(3));
        QVERIFY(f.s.PricesModified);
    }

    void sharedPricesLandInTheShownList()
    {
        tFixture f;
        f.Add(352001, 1900);
        // 352002 takes its prices from 352001.
        CoinTypeToNodeInfo(f.s, 352002)->PriceSource = 352001;
        f.Select(352002);
        QCOMPARE(f.s.CurrPriceList.size(), size_t(1));
        AddPriceEntry(f.s, f.history, nullptr);
        QCOMPARE(f.s.CurrPriceList.size(), size_t(2));
        QCOMPARE(f.s.CurrPriceList.back()->CoinType, 352001);
        QCOMPARE(f.s.CurrPriceList.back()->Folder, CoinTypeToNodeInfo(f.s, 352001));
        int copied = 0;
        CopyPrices(f.s, copied);
        QCOMPARE(copied, 352001);
    }

    void rangeEdits()
    {
        tFixture f;
        tPriceInfo *a = f.Add(352001, 1900);
        tPriceInfo *b = f.Add(352001, 1901);
        tPriceInfo *c = f.Add(352001, 1902);
        ApplyValueAmount(f.s, f.history, f.Range({a, b}, 20, 22, 20), 125000);
        QCOMPARE(f.history.Count(), 2);
        for (tPriceInfo *e : {a, b})
            for (int slot = 20; slot <= 22; ++slot)
                QCOMPARE(e->Value[slot], Money(125000));
        QCOMPARE(a->Value[23], Money(0));

        ApplyValueCode(f.s, f.history, f.Range({a, b, c}, 20, 22, 20), CodeNA);
        QCOMPARE(f.history.Count(), 5);
        QCOMPARE(c->Value[21], ValueCodeToMoney(CodeNA));
        QCOMPARE(c->Value[19], Money(0));

        ApplyValueCode(f.s, f.history, f.Range({c}, 12, 12, 12), CodeFaceValue);
        QCOMPARE(c->Value[0], ValueCodeToMoney(CodeFaceValue));
        QCOMPARE(c->Value[12], ValueCodeToMoney(CodeFaceValue));
        QCOMPARE(c->Value[13], Money(0));
        QVERIFY(f.s.PricesModifiedArray[352]);
    }

    void headerEdits_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("single-letter mint upper-cased") << int(PriceKindMint) << "d" << true << "D";
        QTest::newRow("longer mint kept") << int(PriceKindMint) << "dc" << true << "dc";
        QTest::newRow("billion mintage") << int(PriceKindMintage) << "~2,500,000,000" << true << "-250";
        QTest::newRow("mintage too large") << int(PriceKindMintage) << "99999999999999999" << false << "7";
        QTest::newRow("weight too large") << int(PriceKindWeight) << "999999" << false << "7";
        QTest::newRow("year") << int(PriceKindYear) << "1921" << true << "1921";
    }
    void headerEdits()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        tFixture f;
        tPriceInfo *e = f.Add(352001, 7);
        e->Mintage = 7;
        e->Weight = 7;
        QString error;
        QCOMPARE(SetPriceHeaderText(f.s, f.history, *e, kind, text, tNumberSeps{}, &error), accepted);
        QCOMPARE(error.isEmpty(), accepted);
        QCOMPARE(f.history.Count(), accepted ? 1 : 0);
        QCOMPARE(f.s.PricesModified, accepted);
        const QString value = kind == PriceKindMint ? e->Mint
                              : kind == PriceKindMintage ? QString::number(e->Mintage)
                              : kind == PriceKindWeight ? QString::number(e->Weight)
                                                        : QString::number(e->Year);
        QCOMPARE(value, shown);
    }

    void paste_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("into");
        QTest::addColumn<QString>("status");
        QTest::newRow("three into five") << 352002 << 352001 << "3 price list entries were pasted from the clipboard.";
        QTest::newRow("into the copied series") << 352002 << 352002 << "0 price list entries were pasted from the clipboard.";
        QTest::newRow("a single entry") << 160001 << 352001 << "1 price list entry was pasted from the clipboard.";
        QTest::newRow("nothing copied") << 0 << 352001 << "0 price list entries were pasted from the clipboard.";
    }
    void paste()
    {
        QFETCH(int, from);
        QFETCH(int, into);
        QFETCH(QString, status);
        tFixture f;
        for (int i = 0; i < 5; ++i)
            f.Add(352001, 1900 + i);
        for (int i = 0; i < 3; ++i)
            f.Add(352002, 1950 + i);
        f.Add(160001, 1990);
        int copied = 0;
        if (from) {
            f.Select(from);
            QVERIFY(!CopyPrices(f.s, copied).isEmpty());
        }
        f.Select(into);
        const size_t before = f.s.CurrPriceList.size();
        int n = -1;
        QCOMPARE(PastePrices(f.s, copied, &n), status);
        QCOMPARE(f.s.CurrPriceList.size(), before + size_t(n));
        for (const tPriceInfo *p : f.s.CurrPriceList)
            QCOMPARE(p->CoinType, into);
        QVERIFY(f.history.Empty());
    }

    void copyStatus()
    {
        tFixture f;
        int copied = 0;
        QVERIFY(CopyPrices(f.s, copied).isEmpty());
        f.Add(352001, 1900);
        QCOMPARE(CopyPrices(f.s, copied), QStringLiteral("1 price list entry was copied to the clipboard."));
        f.Add(352001, 1901);
        QCOMPARE(CopyPrices(f.s, copied), QStringLiteral("2 price list entries were copied to the clipboard."));
    }
};

QTEST_GUILESS_MAIN(tst_PriceRows)
#include "tst_pricerows.moc"
