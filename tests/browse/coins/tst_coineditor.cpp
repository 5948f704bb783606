#include <QtTest>

#include "core/model/dates.h"
#include "browse/coins/coineditor.h"
#include "support/coinentryfixture.h"
#include "support/scriptedui.h"

namespace {

// The entry fields the write rules touch, by name, as text.
QString Get(const tCoinInfo &c, const QString &field)
{
    static const QHash<QString, std::function<QString(const tCoinInfo &)>> get = {
        {"Grade", [](const tCoinInfo &c) { return QString::number(c.Grade); }},
        {"GM", [](const tCoinInfo &c) { return c.GM; }},
        {"Have", [](const tCoinInfo &c) { return QString::number(c.Have); }},
        {"Gradedby", [](const tCoinInfo &c) { return c.Gradedby; }},
        {"Stored", [](const tCoinInfo &c) { return c.Stored; }},
        {"BuyDate", [](const tCoinInfo &c) { return QString::number(c.BuyDate); }},
        {"SellDate", [](const tCoinInfo &c) { return QString::number(c.SellDate); }},
        {"BuyPrice", [](const tCoinInfo &c) { return QString::number(c.BuyPrice); }},
        {"SellPrice", [](const tCoinInfo &c) { return QString::number(c.SellPrice); }},
        {"Comment", [](const tCoinInfo &c) { return c.Comment; }},
        {"Notes", [](const tCoinInfo &c) { return c.Notes; }},
        {"BuyLock", [](const tCoinInfo &c) { return QString::number(c.BuyLock); }},
        {"SellLock", [](const tCoinInfo &c) { return QString::number(c.SellLock); }},
        {"MintError", [](const tCoinInfo &c) { return QString::number(c.MintError); }},
        {"User1", [](const tCoinInfo &c) { return QString::number(c.User1); }},
        {"UDFstring", [](const tCoinInfo &c) { return c.UDFstring; }},
    };
    return get.value(field)(c);
}

void Set(tCoinInfo &c, const QString &field, const QString &v)
{
    if (field == "Grade") c.Grade = v.toInt();
    else if (field == "Have") c.Have = v.toInt();
    else if (field == "Gradedby") c.Gradedby = v;
    else if (field == "BuyDate") c.BuyDate = v.toInt();
    else if (field == "SellDate") c.SellDate = v.toInt();
    else if (field == "BuyPrice") c.BuyPrice = v.toLongLong();
    else if (field == "BuyLock") c.BuyLock = v.toInt();
    else if (field == "SellLock") c.SellLock = v.toInt();
    else if (field == "UDFstring") c.UDFstring = v;
    else QFAIL(qPrintable("no setter for " + field));
}

// "Field=value;Field=value" as pairs.
QList<std::pair<QString, QString>> Pairs(const QString &assignments)
{
    QList<std::pair<QString, QString>> out;
    for (const QString &p : assignments.split(';', Qt::SkipEmptyParts)) {
        const int eq = p.indexOf('=');
        out.append({p.left(eq), p.mid(eq + 1)});
    }
    return out;
}

} // namespace

class tst_CoinEditor : public QObject {
    Q_OBJECT

    tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        ui.reset();
        platform::setUserInterface(&ui);
    }
    void cleanup() { platform::setUserInterface(nullptr); }

    // With three rows marked and a fourth current, one commit writes all
    // four and leaves four records; four undos restore each entry.
    void multiEditWritesCurrentAndMarked()
    {
        tCoinFixture f;
        for (int i = 0; i < 5; ++i)
            f.AddCoin(2000 + i)->Have = 10 + i;
        f.s.CoinGridRow = 1;
        for (int i : {0, 2, 4})
            f.Row(i)->selected = true;
        tEditorValue v;
        v.Number = 3;
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::HaveEdit, v), 4);
        QCOMPARE(f.s.UndoCoinList.size(), size_t(4));
        for (int i : {0, 1, 2, 4})
            QCOMPARE(f.Row(i)->Have, 3);
        QCOMPARE(f.Row(3)->Have, 13);
        QVERIFY(f.s.DataModified);

        for (int i = 0; i < 4; ++i)
            QVERIFY(UndoCoinBtnClick(f.s));
        QVERIFY(!UndoCoinBtnClick(f.s));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.Row(i)->Have, 10 + i);
    }

    // An edit that switches a view on rebuilds the list once, after every
    // marked entry was written; the rebuilt list (in collection order here)
    // does not decide which entries the edit reaches.
    void editSwitchingAViewOnWritesEveryMarkedEntry()
    {
        tCoinFixture f;
        for (int year : {2004, 2003, 2002, 2001, 2000}) {
            tCoinInfo *c = f.AddCoin(year);
            c->Have = 0;
            c->Need = 1;
        }
        f.s.ViewHave = false;
        Q_EMIT f.s.Events->SortFolderCoins();
        f.Log.clear();
        f.s.CoinGridRow = 0;  // 2000
        f.Row(1)->selected = true;  // 2001
        f.Row(3)->selected = true;  // 2003
        tEditorValue v;
        v.Number = 2;
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::HaveEdit, v), 3);
        QVERIFY(f.s.ViewHave);
        QCOMPARE(f.Calls("PrepCoinsPage"), 1);
        QList<int> written;
        for (const auto &c : f.s.CoinList)
            if (c->Have == 2)
                written << c->Year;
        std::sort(written.begin(), written.end());
        QCOMPARE(written, (QList<int>{2000, 2001, 2003}));
        QCOMPARE(f.Row(f.s.CoinGridRow)->Year, 2000);

        // A view already on rebuilds nothing.
        f.Log.clear();
        v.Number = 4;
        StuffCoinInfo(f.s, tCoinField::HaveEdit, v);
        QCOMPARE(f.Calls("PrepCoinsPage"), 0);
    }

    void writeRules_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("recorded");

        const QString day2024 = QString::number(DateToDay(QDate(2024, 3, 5)));
        QTest::newRow("grade") << "GradeBox" << "" << 12 << false << "" << "Grade=12" << true;
        QTest::newRow("blank grade item is no grade") << "GradeBox" << "" << -1 << false << "Grade=12" << "Grade=-1" << true;
        QTest::newRow("grade modifier") << "GMbox" << "PL" << 0 << false << "" << "GM=PL" << true;
        QTest::newRow("graded by is stored trimmed") << "GradedByBox" << " NGC " << 0 << false << "" << "Gradedby=NGC" << true;
        QTest::newRow("blanks around the same grader change nothing")
            << "GradedByBox" << " NGC " << 0 << false << "Gradedby=NGC" << "Gradedby=NGC" << false;
        QTest::newRow("stored in") << "StoredBox" << "Album " << 0 << false << "" << "Stored=Album" << true;
        QTest::newRow("same count changes nothing") << "HaveEdit" << "" << 2 << false << "Have=2" << "Have=2" << false;
        QTest::newRow("date read with four-digit year")
            << "BuyDateBox" << FormatShortDate(day2024.toInt()) << 0 << false << "" << "BuyDate=" + day2024 << true;
        QTest::newRow("cleared date stores none") << "BuyDateBox" << "" << 0 << false << "BuyDate=45000" << "BuyDate=0" << true;
        QTest::newRow("unreadable date stores none")
            << "SellDateBox" << "not a date" << 0 << false << "SellDate=45000" << "SellDate=0" << true;
        QTest::newRow("price truncated to cents") << "PriceEdit" << "12.349" << 0 << false << "" << "BuyPrice=123400" << true;
        QTest::newRow("minus sign dropped") << "SellPriceEdit" << "-5" << 0 << false << "" << "SellPrice=50000" << true;
        QTest::newRow("same cents keep finer digits")
            << "PriceEdit" << "12.34" << 0 << false << "BuyPrice=123456" << "BuyPrice=123456" << false;
        QTest::newRow("comment kept as typed") << "CommentEdit" << " spaced " << 0 << false << "" << "Comment= spaced " << true;
        QTest::newRow("notes") << "NotesMemo" << "line 1\nline 2" << 0 << false << "" << "Notes=line 1\nline 2" << true;
        QTest::newRow("sell lock turns buy lock off")
            << "SellBox" << "" << 0 << true << "BuyLock=1" << "SellLock=1;BuyLock=0" << true;
        QTest::newRow("buy lock turns sell lock off")
            << "BuyBox" << "" << 0 << true << "SellLock=1" << "BuyLock=1;SellLock=0" << true;
        QTest::newRow("mint error") << "ErrorBox" << "" << 0 << true << "" << "MintError=1" << true;
        QTest::newRow("track") << "User1Box" << "" << 0 << true << "" << "User1=1" << true;
    }
    void writeRules()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, checked);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, recorded);
        tCoinFixture f;
        tCoinInfo *c = f.AddCoin(1990);
        for (const auto &[k, v] : Pairs(before))
            Set(*c, k, v);
        f.s.CoinGridRow = 0;
        tEditorValue v;
        v.Text = text;
        v.Number = number;
        v.Checked = checked;
        const tCoinInfo was = *c;
        QCOMPARE(StuffCoinInfo(f.s, CoinFieldFromName(control), v), recorded ? 1 : 0);
        for (const auto &[k, value] : Pairs(after))
            QCOMPARE(Get(*c, k), value);
        QCOMPARE(f.s.UndoCoinList.size(), size_t(recorded ? 1 : 0));
        QCOMPARE(f.s.DataModified, recorded);
        if (recorded) {
            QCOMPARE(f.s.UndoCoinList[0]->ChangedField, CoinFieldFromName(control));
            QVERIFY(UndoCoinBtnClick(f.s));
            for (const auto &[k, value] : Pairs(after))
                QCOMPARE(Get(*c, k), Get(was, k));
        }
    }

    // User fields are written slot by slot and leave no undo record.
    void userFieldWritesItsSlotOnly()
    {
        tCoinFixture f;
        for (int i = 0; i < 3; ++i)
            f.s.UDFlist.push_back(std::make_unique<tUDFfield>());
        tCoinInfo *c = f.AddCoin(1990);
        c->UDFstring = QStringLiteral("a");
        f.s.CoinGridRow = 0;
        tEditorValue v;
        v.UDFIndex = 1;
        v.Text = QStringLiteral("b c");
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::UserField, v), 1);
        QCOMPARE(c->UDFstring, QStringLiteral("a,\"b c\","));
        QVERIFY(f.s.UndoCoinList.empty());
        QVERIFY(f.s.DataModified);
    }

    void yearMintVarietyFromThePriceRow()
    {
        tCoinFixture f;
        tPriceInfo *row = f.AddPrice(1921, QStringLiteral("D"), QStringLiteral("doubled"), QStringLiteral("PL"));
        tCoinInfo *c = f.AddCoin(1921, QStringLiteral("d"));
        c->Variety = QStringLiteral("DOUBLED");
        f.s.CoinGridRow = 0;
        tEditorValue v;
        v.Price = row;
        v.Text = QStringLiteral("PL");
        // Mint and variety compare with case: "d" is not "D".
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::DateMintBox, v), 1);
        QCOMPARE(c->Mint, QStringLiteral("D"));
        QCOMPARE(c->Variety, QStringLiteral("doubled"));
        QCOMPARE(c->GM, QStringLiteral("PL"));
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::DateMintBox, v), 0);
        v.Price = nullptr;  // nothing chosen
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::DateMintBox, v), 0);
        QCOMPARE(c->Year, 1921);
    }

    // The commit re-sorts and the entry being edited stays the current row.
    void commitResortsAndKeepsTheEntryCurrent()
    {
        tCoinFixture f;
        tPriceInfo *late = f.AddPrice(2010, QStringLiteral("P"));
        for (int y : {1990, 2000, 2005})
            f.AddCoin(y, QStringLiteral("P"));
        tCoinInfo *edited = f.Row(0);
        f.s.CoinGridRow = 0;
        tEditorValue v;
        v.Price = late;
        StuffCoinInfo(f.s, tCoinField::DateMintBox, v);
        QCOMPARE(f.Row(2), edited);
        QCOMPARE(f.s.CoinGridRow, 2);
        QCOMPARE(f.Calls("RefreshCoinGrid"), 1);
    }

    void commitOnEmptyListOnlyRefreshesCaption()
    {
        tCoinFixture f;
        tEditorValue v;
        v.Number = 3;
        QCOMPARE(StuffCoinInfo(f.s, tCoinField::HaveEdit, v), 0);
        QCOMPARE(f.Log, QStringList{"SetMainCaption"});
        QVERIFY(!f.s.DataModified);
    }

    // After 101 commits the oldest record is gone.
    void undoKeepsTheNewest100()
    {
        tCoinFixture f;
        tCoinInfo *c = f.AddCoin(1990);
        c->Have = 0;
        f.s.CoinGridRow = 0;
        tEditorValue v;
        for (int i = 1; i <= 101; ++i) {
            v.Number = i;
            StuffCoinInfo(f.s, tCoinField::HaveEdit, v);
        }
        QCOMPARE(f.s.UndoCoinList.size(), size_t(MaxCoinUndo));
        for (int i = 0; i < 100; ++i)
            QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(c->Have, 1);
        QVERIFY(!UndoCoinBtnClick(f.s));
        QCOMPARE(c->Have, 1);
    }

    void deleteCurrentAndMarked()
    {
        tCoinFixture f;
        f.s.AskingCoin = false;
        for (int i = 0; i < 5; ++i)
            f.AddCoin(2000 + i);
        f.s.CoinGridRow = 1;
        f.Row(3)->selected = true;
        f.Row(4)->selected = true;
        tCoinInfo *current = f.Row(1), *third = f.Row(3), *fourth = f.Row(4);
        QCOMPARE(DeleteCoinBtnClick(f.s), 3);
        QCOMPARE(f.s.CurrCoinList.size(), size_t(2));
        QCOMPARE(f.s.CoinList.size(), size_t(2));
        QCOMPARE(f.s.UndoCoinList.size(), size_t(3));
        QCOMPARE(f.Cents->EntryCount, 2);
        QCOMPARE(f.Country->EntryCount, 2);
        QCOMPARE(f.s.CoinGridRow, 1);
        QVERIFY(f.s.DataModified);
        QVERIFY(f.Log.contains("RefreshCoinGrid"));

        // The last removed comes back first, unmarked.
        for (tCoinInfo *back : {third, fourth, current}) {
            QVERIFY(UndoCoinBtnClick(f.s));
            QCOMPARE(f.Row(f.s.CoinGridRow), back);
            QVERIFY(!back->selected);
        }
        QCOMPARE(f.s.CoinList.size(), size_t(5));
        QCOMPARE(f.Cents->EntryCount, 5);
    }

    void deleteAsks_data()
    {
        QTest::addColumn<bool>("asking");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("dontAsk");
        QTest::addColumn<int>("removed");
        QTest::addColumn<bool>("askingAfter");
        QTest::newRow("yes") << true << 1 << false << 1 << true;
        QTest::newRow("no removes nothing") << true << 2 << false << 0 << true;
        QTest::newRow("no still takes the check box") << true << 2 << true << 0 << false;
        QTest::newRow("yes and don't ask again") << true << 1 << true << 1 << false;
        QTest::newRow("not asking removes at once") << false << 0 << false << 1 << false;
    }
    void deleteAsks()
    {
        QFETCH(bool, asking);
        QFETCH(int, answer);
        QFETCH(bool, dontAsk);
        tCoinFixture f;
        f.AddCoin(2000);
        f.AddCoin(2001);
        f.s.CoinGridRow = 0;
        f.s.AskingCoin = asking;
        ui.reply(answer, dontAsk);
        QTEST(DeleteCoinBtnClick(f.s), "removed");
        QTEST(f.s.AskingCoin, "askingAfter");
        QCOMPARE(int(ui.Messages.size()), asking ? 1 : 0);
        if (asking) {
            const auto &q = ui.Messages[0];
            QCOMPARE(q.Text, DeleteCoinsText);
            QVERIFY(q.ShowDontAsk);
            QCOMPARE(q.Buttons.size(), size_t(2));
            QCOMPARE(q.Buttons[0].Caption, QStringLiteral("Yes"));
            QCOMPARE(q.Buttons[0].Value, 1);
            QCOMPARE(q.Buttons[1].Caption, QStringLiteral("No"));
        }
        QCOMPARE(f.s.DataModified, answer == 1 || !asking);
    }

    void deletingTheLastEntryLeavesNoRow()
    {
        tCoinFixture f;
        f.s.AskingCoin = false;
        f.AddCoin(2000);
        f.s.CoinGridRow = 0;
        QCOMPARE(DeleteCoinBtnClick(f.s), 1);
        QVERIFY(f.s.CurrCoinList.empty());
        QCOMPARE(f.s.CoinGridRow, -1);
        // The page is laid out for an empty list: its notice, a resting editor.
        QCOMPARE(f.Calls("PrepCoinsPage"), 1);
        QCOMPARE(DeleteCoinBtnClick(f.s), 0);
        QCOMPARE(f.s.UndoCoinList.size(), size_t(1));
    }

    // Numbers are never handed out twice while entries exist; a collection
    // without entries starts again at 1.
    void itemNumbersAfterDeleteAndUndo()
    {
        tCoinFixture f;
        f.s.AskingCoin = false;
        f.AddPrice(2000, QStringLiteral("P"));
        for (int i = 0; i < 3; ++i)
            f.AddCoin(2000 + i);
        f.s.CoinGridRow = 2;
        tCoinInfo *third = f.Row(2);
        DeleteCoinBtnClick(f.s);
        QCOMPARE(NewCoinBtnClick(f.s, false)->Inventory, 4);
        QVERIFY(UndoCoinBtnClick(f.s));  // the new entry
        QVERIFY(UndoCoinBtnClick(f.s));  // the deletion
        QCOMPARE(third->Inventory, 3);
        QCOMPARE(NewCoinBtnClick(f.s, false)->Inventory, 5);

        for (auto &c : f.s.CoinList)
            c->selected = true;
        DeleteCoinBtnClick(f.s);
        QVERIFY(f.s.CoinList.empty());
        QCOMPARE(NewCoinBtnClick(f.s, false)->Inventory, 1);
    }

    void priceTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rounded to cents") << "12.349" << "12.35";
        QTest::newRow("pasted minus dropped") << "-5" << "5.00";
        QTest::newRow("symbol and grouping dropped") << "$1,234.5" << "1234.50";
        QTest::newRow("empty") << "" << "0.00";
        QTest::newRow("unreadable") << "1.2.3" << "0.00";
    }
    void priceTexts()
    {
        QFETCH(QString, typed);
        QTEST(PriceEditExitText(typed), "shown");
    }

    void priceKeys_data()
    {
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "12.3" << QChar('4') << true;
        QTest::newRow("second separator") << "12.3" << QChar('.') << false;
        QTest::newRow("first separator") << "12" << QChar('.') << true;
        QTest::newRow("digit at the length limit") << "12345678.90" << QChar('1') << false;
        QTest::newRow("minus") << "" << QChar('-') << false;
        QTest::newRow("letter") << "1" << QChar('a') << false;
    }
    void priceKeys()
    {
        QFETCH(QString, remaining);
        QFETCH(QChar, typed);
        QTEST(PriceKeyAccepted(remaining, typed, 11), "accepted");
    }

    void pickerLists()
    {
        tCoinFixture f;
        tPriceInfo *p1 = f.AddPrice(1990, QStringLiteral("P"));
        f.AddPrice(1990, QStringLiteral("P"), {}, QStringLiteral(" PL "));
        tPriceInfo *d = f.AddPrice(1990, QStringLiteral("D"), QStringLiteral("dd"));
        tPriceInfo *circa = f.AddPrice(1991, QStringLiteral("P"));
        circa->DateBits |= DateBitCirca;
        f.AddPrice(1990, QStringLiteral("P"), {}, QStringLiteral("pl"));  // apart from its run: an item again

        const auto rows = DateMintRows(f.s);
        QCOMPARE(rows.size(), size_t(4));
        QCOMPARE(rows[0], p1);
        QCOMPARE(rows[1], d);
        QCOMPARE(DateMintItemText(f.s, *d), QStringLiteral("1990-D (dd)"));
        QCOMPARE(DateMintItemText(f.s, *circa), QStringLiteral("P"));

        QCOMPARE(GMItemsFor(f.s, p1), (QStringList{"", "PL"}));
        QCOMPARE(GMItemsFor(f.s, nullptr), QStringList());

        tCoinInfo coin;
        coin.Year = 1990;
        coin.Mint = QStringLiteral("P");
        QCOMPARE(DateMintIndexFor(f.s, rows, coin), 3);  // the last match
        coin.Mint = QStringLiteral("D");
        coin.Variety = QStringLiteral("dd");
        QCOMPARE(DateMintIndexFor(f.s, rows, coin), 1);
        coin.Variety = QStringLiteral("DD");  // varieties compare with case
        QCOMPARE(DateMintIndexFor(f.s, rows, coin), -1);
    }

    void pickerItemsOutliveAPriceReload()
    {
        tCoinFixture f;
        f.AddPrice(1990, QStringLiteral("P"), QStringLiteral("dd"));
        const tDateMintKey key = DateMintKeyOf(*DateMintRows(f.s).front());
        // A reload frees the rows and reads them again.
        f.s.CurrPriceList.clear();
        f.s.PriceList.clear();
        QCOMPARE(DateMintRowFor(f.s, key), nullptr);
        f.AddPrice(1990, QStringLiteral("P"), QStringLiteral("dd"), QStringLiteral("PL"));
        const tPriceInfo *again = DateMintRowFor(f.s, key);
        QVERIFY(again);
        QCOMPARE(GMItemsFor(f.s, again), QStringList{QStringLiteral("PL")});
    }

    void itemPictureShowsWhatTheSeriesHolds_data()
    {
        QTest::addColumn<QString>("mint");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<bool>("collected");
        QTest::newRow("same year, mint and variety") << "D" << "DD" << true;
        QTest::newRow("mint and variety in another case") << "d" << "dd" << true;
        QTest::newRow("another variety") << "D" << "" << false;
    }
    void itemPictureShowsWhatTheSeriesHolds()
    {
        QFETCH(QString, mint);
        QFETCH(QString, variety);
        QFETCH(bool, collected);
        tCoinFixture f;
        // The variety is stored packed; entries hold it as shown.
        tPriceInfo *row = f.AddPrice(1990, QStringLiteral("D"), QStringLiteral("dd"));
        tCoinInfo *coin = f.AddCoin(1990, mint);
        coin->Variety = variety;
        f.Select(f.Cents);
        QCOMPARE(DateMintRowCollected(f.s, *row), collected);
    }
};

QTEST_APPLESS_MAIN(tst_CoinEditor)
#include "tst_coineditor.moc"
