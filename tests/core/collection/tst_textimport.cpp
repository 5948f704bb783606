#include <QtTest>

#include "core/collection/coinentries.h"
#include "core/model/commatext.h"
#include "core/model/dates.h"
#include "core/collection/textimport.h"
#include "platform/cp1252.h"
#include "support/treefixture.h"

namespace {

QString FixturePath()
{
    return qEnvironmentVariable("ORVANTA_TEST_DATA") + QStringLiteral("/import/coins.csv");
}

// The collection the fixture is imported into: two series, one entry that
// already holds item number 10, and one check-box user field.
struct tTarget {
    tTarget()
    {
        nodes = BuildTree(s, QStringLiteral("Country #2\n  Cents #10\n    Wheat #12\n"));
        auto c = std::make_unique<tCoinInfo>();
        c->CoinType = 10;
        c->Folder = nodes[QStringLiteral("Cents")];
        c->Inventory = 10;
        c->User1 = true;
        c->Have = 1;
        s.CoinList.push_back(std::move(c));
        s.MaxInventory = 10;
        auto field = std::make_unique<tUDFfield>();
        field->FieldType = UDFCheckBox;
        s.UDFlist.push_back(std::move(field));
    }
    tTextImport Run(int filter, bool matchPrices = false)
    {
        tTextImport run(s, filter, matchPrices);
        ImportFile(FixturePath(), run);
        return run;
    }
    tMainState s;
    QHash<QString, tnodeinfo *> nodes;
};

QString Field(const tCoinInfo &c, const QString &name)
{
    const QHash<QString, QString> f{
        {QStringLiteral("series"), QString::number(c.CoinType)},
        {QStringLiteral("folder"), c.Folder ? QString::number(c.Folder->CoinType) : QString()},
        {QStringLiteral("item"), QString::number(c.Inventory)},
        {QStringLiteral("year"), QString::number(c.Year)},
        {QStringLiteral("mint"), c.Mint},
        {QStringLiteral("variety"), c.Variety},
        {QStringLiteral("grade"), QString::number(c.Grade)},
        {QStringLiteral("gradedby"), c.Gradedby},
        {QStringLiteral("buyprice"), QString::number(c.BuyPrice)},
        {QStringLiteral("locks"), QString::number(c.BuyLock) + QString::number(c.SellLock)},
        {QStringLiteral("comment"), c.Comment},
        {QStringLiteral("counts"), QStringLiteral("%1/%2/%3/%4").arg(c.Have).arg(c.Need).arg(c.Sell).arg(c.Sold)},
        {QStringLiteral("notes"), c.Notes},
        {QStringLiteral("stored"), c.Stored},
        {QStringLiteral("error"), QString::number(c.MintError)},
        {QStringLiteral("pictures"), c.Obverse + QLatin1Char('|') + c.Reverse},
        {QStringLiteral("user"), c.UDFstring},
        {QStringLiteral("tracked"), QString::number(c.User1)},
    };
    return f.value(name, QStringLiteral("?"));
}

} // namespace

class tst_TextImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixtureEntries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("series and its folder") << 0 << "folder" << "10";
        QTest::newRow("free item number kept") << 0 << "item" << "100";
        QTest::newRow("mint and variety") << 0 << "variety" << "VDB";
        QTest::newRow("xf45 is EF-45") << 0 << "grade" << "14";
        QTest::newRow("quoted price with symbol and grouping") << 0 << "buyprice" << "12345000";
        QTest::newRow("B locks the buy price") << 0 << "locks" << "10";
        QTest::newRow("blank inside a field does not split it") << 0 << "comment" << "Nice one";
        QTest::newRow("have with quantity") << 0 << "counts" << "2/0/0/0";
        QTest::newRow("stored in") << 0 << "stored" << "Album 1";
        QTest::newRow("t marks a mint error") << 0 << "error" << "1";
        QTest::newRow("pictures") << 0 << "pictures" << "obv.jpg|rev.jpg";
        QTest::newRow("missing check box column is F") << 0 << "user" << "F";
        QTest::newRow("imported entries are tracked") << 0 << "tracked" << "1";
        QTest::newRow("taken item number becomes 0") << 1 << "item" << "0";
        QTest::newRow("Proof65 is PF-65") << 1 << "grade" << "35";
        QTest::newRow("negative price loses its sign") << 1 << "buyprice" << "125000";
        QTest::newRow("s locks the sell price") << 1 << "locks" << "01";
        QTest::newRow("quantity 0 of need is one needed") << 1 << "counts" << "0/1/0/0";
        QTest::newRow("good is G-4 and the comment is cut") << 2 << "grade" << "3";
        QTest::newRow("sold in any case") << 2 << "counts" << "0/0/0/3";
        QTest::newRow("same item number twice: the second gets a new one") << 3 << "item" << "0";
        QTest::newRow("quoted comma stays in the field") << 3 << "comment" << "Smith, John";
        QTest::newRow("sell") << 3 << "counts" << "0/0/1/0";
        QTest::newRow("yes in a check box column") << 3 << "user" << "T";
        QTest::newRow("grade outside the scale is no grade") << 4 << "grade" << "-1";
        QTest::newRow("other column text is taken as it is") << 4 << "user" << "F";
    }
    void fixtureEntries()
    {
        QFETCH(int, entry);
        QFETCH(QString, field);
        QFETCH(QString, value);
        tTarget t;
        const tTextImport run = t.Run(0);
        QCOMPARE(run.ImportList.size(), size_t(5));
        QCOMPARE(Field(*run.ImportList[static_cast<size_t>(entry)], field), value);
    }

    void fieldCountFilter_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<QStringList>("rejected");
        const QString notFound = QStringLiteral("Line 7/Item number 103/Series 9999 not found");
        QTest::newRow("accept all: short line is a parsing error")
            << 0 << QStringList{"1909-S VDB EF-45 ", "1910 PF-65 ", "1911-D G-4 ", "1914-P Doubled Die MS-65 ", "1915  "}
            << QStringList{"Line 6 rejected, error encountered in parsing", notFound};
        QTest::newRow("exactly 21")
            << 1 << QStringList{"1909-S VDB EF-45 ", "1910 PF-65 ", "1911-D G-4 "}
            << QStringList{"Line 6 rejected, improper number of fields (20)", notFound,
                           "Line 8 rejected, improper number of fields (22)",
                           "Line 9 rejected, improper number of fields (23)"};
        QTest::newRow("22 or more")
            << 4 << QStringList{"1914-P Doubled Die MS-65 ", "1915  "}
            << QStringList{"Line 3 rejected, improper number of fields (21)",
                           "Line 4 rejected, improper number of fields (21)",
                           "Line 5 rejected, improper number of fields (21)",
                           "Line 6 rejected, improper number of fields (20)",
                           "Line 7 rejected, improper number of fields (21)"};
        QTest::newRow("exactly 23")
            << 5 << QStringList{"1915  "}
            << QStringList{"Line 3 rejected, improper number of fields (21)",
                           "Line 4 rejected, improper number of fields (21)",
                           "Line 5 rejected, improper number of fields (21)",
                           "Line 6 rejected, improper number of fields (20)",
                           "Line 7 rejected, improper number of fields (21)",
                           "Line 8 rejected, improper number of fields (22)"};
    }
    void fieldCountFilter()
    {
        QFETCH(int, filter);
        QFETCH(QStringList, accepted);
        QFETCH(QStringList, rejected);
        tTarget t;
        const tTextImport run = t.Run(filter);
        QCOMPARE(run.AcceptedLines, accepted);
        QCOMPARE(run.RejectedLines, rejected);
        QCOMPARE(run.Imported, accepted.size());
        QCOMPARE(run.Rejected, rejected.size());
    }

    // Fields split only where the line says so without doubt; a line that
    // could be read two ways is refused with the reason.
    void fieldsOfALine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("error");
        QTest::newRow("blanks around fields dropped") << " a , b c ,d" << QStringList{"a", "b c", "d"} << "";
        QTest::newRow("tab inside a field") << "a,Box 3\tleft,c" << QStringList{"a", "Box 3\tleft", "c"} << "";
        QTest::newRow("stray quote inside a field") << "a,Box 3\" tray,c" << QStringList{"a", "Box 3\" tray", "c"}
                                                    << "";
        QTest::newRow("quoted comma") << "a,\"Smith, John\",c" << QStringList{"a", "Smith, John", "c"} << "";
        QTest::newRow("doubled quote in a quoted field") << "\"3\"\" box\",b" << QStringList{"3\" box", "b"} << "";
        QTest::newRow("empty fields and a trailing comma") << "a,,b," << QStringList{"a", "", "b", ""} << "";
        QTest::newRow("quote never closed") << "a,\"Box 3, tray" << QStringList{}
                                            << "a double quote of field 2 is not closed";
        QTest::newRow("text after the closing quote") << "a,\"Box 3\" tray,c" << QStringList{}
                                                      << "text follows the closing double quote of field 2";
        QTest::newRow("quotes across a comma") << "a,Box \"3, 4\" tray,c" << QStringList{}
                                               << "a double quote in field 2 may enclose the comma after it";
    }
    void fieldsOfALine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QFETCH(QString, error);
        const tImportFields split = SplitImportFields(line);
        QCOMPARE(split.Fields, fields);
        QCOMPARE(split.Error, error);
    }

    // A refused line is listed with its number and reason, and the lines
    // around it are read as they stand; a pick-list column keeps an item of
    // its list.
    void refusedLinesAndPickLists()
    {
        tTarget t;
        auto pick = std::make_unique<tUDFfield>();
        pick->FieldType = UDFPickList;
        pick->Options = CommaTextJoin({QStringLiteral("Album"), QStringLiteral("Box 3\" tray")});
        t.s.UDFlist.push_back(std::move(pick));
        tTextImport run(t.s, 0, false);
        const QString tail = QStringLiteral(",,,,,,,,,1,have,");
        run.AddLine(QStringLiteral("10,200,1920,D,,MS65") + tail + QStringLiteral("Tab\tnotes,Box 3\" tray,,,,F,box 3\" TRAY"), 1);
        run.AddLine(QStringLiteral("10,201,1921,D,,MS65") + tail + QStringLiteral("\"Box 3\" tray,Album 1,,,,F,album"), 2);
        run.AddLine(QStringLiteral("10,202,1922,D,,MS65") + tail + QStringLiteral("notes,Album 1,,,,F,Shelf"), 3);
        QCOMPARE(run.RejectedLines,
                 QStringList{"Line 2 rejected, text follows the closing double quote of field 17"});
        QCOMPARE(run.ImportList.size(), size_t(2));
        const tCoinInfo &first = *run.ImportList[0];
        QCOMPARE(first.Notes, QStringLiteral("Tab\tnotes"));
        QCOMPARE(first.Stored, QStringLiteral("Box 3\" tray"));
        QCOMPARE(first.Have, 1);
        QCOMPARE(CommaTextSplit(first.UDFstring), (QStringList{"F", "Box 3\" tray"}));
        QCOMPARE(CommaTextSplit(run.ImportList[1]->UDFstring), (QStringList{"F", "-1"}));
    }

    void filterChoicesName21To27Fields()
    {
        const QStringList choices = ImportFilterChoices();
        QCOMPARE(choices.size(), 15);
        QCOMPARE(choices[1], QStringLiteral("Reject any lines that don't have exactly 21 fields"));
        QCOMPARE(choices[14], QStringLiteral("Accept all lines that have 27 or more fields"));
    }

    void grades_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slot");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("poor") << " poor " << 0;
        QTest::newRow("fair") << "Fair" << 1;
        QTest::newRow("fine") << "fine" << 7;
        QTest::newRow("xf40") << "XF40" << 13;
        QTest::newRow("ms65 without hyphen") << "ms65" << 24;
        QTest::newRow("pf-70") << "PF-70" << 40;
        QTest::newRow("proof-60") << "PROOF-60" << 30;
        QTest::newRow("p65") << "p65" << 35;
        QTest::newRow("a bare slot number") << "12" << 12;
        QTest::newRow("minus one is no grade") << "-1" << -1;
        QTest::newRow("beyond the scale") << "41" << -1;
        QTest::newRow("below the scale") << "-7" << -1;
        QTest::newRow("no alias and no digits") << "nice" << 0;
    }
    void grades()
    {
        QFETCH(QString, text);
        QFETCH(int, slot);
        QCOMPARE(ParseGrade(text), slot);
    }

    void gradeAliasesHoldAtMostEightShortNames()
    {
        for (int slot = 0; slot <= 40; ++slot) {
            const QStringList aliases = GradeAliases(slot);
            QVERIFY(aliases.size() >= 2 && aliases.size() <= 8);
            for (const QString &a : aliases)
                QVERIFY2(a.size() <= 10 && a == a.toUpper(), qPrintable(a));
        }
        QCOMPARE(GradeAliases(35), (QStringList{"PF-65", "PF65", "PR-65", "PR65", "PROOF-65", "PROOF65", "P-65", "P65"}));
    }

    void prices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("money");
        QTest::newRow("symbol and grouping") << "$1,234.50" << 12345000LL;
        QTest::newRow("sign dropped") << "-3.25" << 32500LL;
        QTest::newRow("comma is no decimal separator") << "3,25" << 3250000LL;
        QTest::newRow("two points is no number") << "1.2.3" << 0LL;
        QTest::newRow("empty") << "" << 0LL;
    }
    void prices()
    {
        QFETCH(QString, text);
        QFETCH(qlonglong, money);
        QCOMPARE(ReadImportPrice(text), money);
    }

    void datesInTheShortFormat()
    {
        tTarget t;
        tTextImport run(t.s, 0, false);
        const int day = DateToDay(QDate(2021, 3, 4));
        run.AddLine(QStringLiteral("10,1,2000,,,,,,%1,,not a date,,,,,,,,,,").arg(FormatShortDate(day)), 1);
        QCOMPARE(run.ImportList.size(), size_t(1));
        QCOMPARE(run.ImportList[0]->BuyDate, day);
        QCOMPARE(run.ImportList[0]->SellDate, 0);
    }

    void textIsUtf8WhenValidElseWindows1252()
    {
        const QString text = QStringLiteral("10,1,2000,,Münze €");
        QCOMPARE(DecodeImportText("\xEF\xBB\xBF" + text.toUtf8()), text);
        QCOMPARE(DecodeImportText(text.toUtf8()), text);
        QCOMPARE(DecodeImportText(platform::toCp1252(text)), text);
        QCOMPARE(ImportTextLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    }

    void priceMatchKeepsOnlyListedVarieties()
    {
        tTarget t;
        auto listed = std::make_unique<tPriceInfo>();
        listed->CoinType = 10;
        listed->Year = 1909;
        listed->Mint = QStringLiteral("s");
        listed->Variety = QStringLiteral("vdb");
        t.s.PriceList.push_back(std::move(listed));
        const tTextImport run = t.Run(0, true);
        QCOMPARE(run.AcceptedLines, QStringList{"1909-S VDB EF-45 "});
        QVERIFY(run.RejectedLines.contains(QStringLiteral("Line 4 does not match a price list entry")));
        QCOMPARE(run.Rejected, 6);
    }

    void acceptAppendsInReverseAndTracksOnlyTheImport()
    {
        tTarget t;
        tTextImport run = t.Run(0);
        int binCounts = 0;
        QObject::connect(t.s.Events.get(), &tStateEvents::ShowBinCount, [&] { ++binCounts; });
        t.s.ViewNeed = false;
        AcceptImport(t.s, run.ImportList);
        QVERIFY(run.ImportList.empty());
        QList<int> years, items;
        for (const auto &c : t.s.CoinList) {
            years << c->Year;
            items << c->Inventory;
        }
        // The last accepted line first; new numbers in that order, past
        // every number the file brought along.
        QCOMPARE(years, (QList<int>{0, 1915, 1914, 1911, 1910, 1909}));
        // 1914 repeats 1909's number and gets a new one.
        QCOMPARE(items, (QList<int>{10, 102, 103, 101, 104, 100}));
        QVERIFY(!t.s.CoinList[0]->User1);
        for (size_t i = 1; i < t.s.CoinList.size(); ++i) {
            QVERIFY(t.s.CoinList[i]->User1);
            QVERIFY(t.s.CoinList[i]->InBin);
        }
        QCOMPARE(t.s.BinList.size(), size_t(5));
        QCOMPARE(binCounts, 1);
        QVERIFY(t.s.ViewNeed);
        QVERIFY(t.s.DataModified);
        QCOMPARE(t.nodes[QStringLiteral("Cents")]->EntryCount, 5);
        QCOMPARE(t.nodes[QStringLiteral("Country")]->EntryCount, 5);
        // Three new numbers were handed out (102 to 104); the next is 105.
        QCOMPARE(AssignInventory(t.s), 105);
    }

    void stopsWhenAskedAndKeepsWhatWasRead()
    {
        tTarget t;
        tTextImport run(t.s, 0, false);
        int asked = 0;
        ImportFile(FixturePath(), run, [&] { return ++asked <= 4; });
        QCOMPARE(run.Imported, 2);   // lines 3 and 4
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ImportFile(QStringLiteral("/nonexistent.csv"), run));
    }
};

QTEST_GUILESS_MAIN(tst_TextImport)
#include "tst_textimport.moc"
