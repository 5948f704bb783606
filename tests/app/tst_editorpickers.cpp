#include <QtTest>

#include <QCheckBox>
#include <QDesktopServices>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "core/model/commatext.h"
#include "core/model/dates.h"
#include "core/collection/ui/udfform.h"
#include "browse/coins/coingridcells.h"
#include "browse/coins/coingridcolumns.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/coins/ui/nacallout.h"
#include "pricing/valuation/valuation.h"
#include "support/coinspagedriver.h"

// The entry editor's pickers, calendar, value callout and user-defined
// fields in the assembled program, reached as a collector reaches them.
namespace {

const QColor Pink(0xFF, 0xB6, 0xC1);

// A new collection, the first priced series' Coins page and its first
// entry made with New.
tCoinInfo *FirstEntry(tProgramFixture &program)
{
    std::vector<tnodeinfo *> series;
    OpenEmptySeries(program, series);
    Click(Control<QPushButton>(program.Form(), "NewCoinBtn"));
    return Current(program.State());
}

TDayCell *DayCell(const TMainForm &form, int day)
{
    return Control<TDayCell>(form, qPrintable(QStringLiteral("DayCell%1").arg(day)));
}

QString MonthShown(const TMainForm &form)
{
    return Control<QLabel>(form, "MonthLabel")->text() + QLatin1Char(' ') + Control<QLabel>(form, "YearLabel")->text();
}

// Adds a field of the type with the label in the user-fields window.
void AddField(TUDFform *window, int type, const QString &label)
{
    window->ListBox2->setCurrentRow(type);
    Click(window->AddButton);
    QVERIFY(window->Edit1->hasFocus());
    QTest::keyClicks(window->Edit1, label);
}

TUDFform *OpenUserFields(tProgramFixture &program)
{
    program.Trigger(QStringLiteral("Userfields1"));
    auto *window = program.Form().findChild<TUDFform *>();
    return window && window->isVisible() ? window : nullptr;
}

// The user-fields window from the File menu: adds the fields, presses OK
// and opens the Coins page again.
void DefineFields(tProgramFixture &program, const std::vector<std::pair<int, QString>> &fields)
{
    TUDFform *window = OpenUserFields(program);
    QVERIFY(window);
    for (const auto &[type, label] : fields)
        AddField(window, type, label);
    Click(window->OKbutton);
    QTRY_VERIFY(!program.Form().findChild<TUDFform *>());
    ClickTab(program.Form(), PageCoins);
}

int ColumnTitled(const TMainForm &form, const QString &title)
{
    const auto *grid = Control<TCoinGridView>(form, "CoinGrid");
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString().startsWith(title))
            return c;
    return -1;
}

} // namespace

class tst_EditorPickers : public QObject {
    Q_OBJECT

    QList<QUrl> opened;

public Q_SLOTS:
    // Stands in for the browser.
    void openUrl(const QUrl &url) { opened << url; }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The "▲" button opens the calendar on the box's month; the arrows
    // move across the year's end, a day cell writes and commits, Cancel
    // leaves the box alone, and a day the shown month lacks becomes its
    // last day.
    void calendarOfThePurchaseDate()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        auto *box = Control<QLineEdit>(form, "BuyDateBox");
        auto *button = Control<QToolButton>(form, "BuyDateButton");
        auto *popup = Control<TDatePopup>(form, "DatePopup");
        TypeInto(box, QStringLiteral("1/5/2024"));
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2024, 1, 5)));

        Click(button);
        QVERIFY(popup->isVisible());
        QCOMPARE(MonthShown(form), QStringLiteral("January 2024"));
        QCOMPARE(DayCell(form, 5)->palette().color(QPalette::Window), Pink);
        QVERIFY(DayCell(form, 31)->isVisible());
        // 1 January 2024 is a Monday: the second column of the first row.
        QCOMPARE(DayCell(form, 1)->pos(), QPoint(26, 0));
        // Two-digit days stay inside their cells with room to spare, so
        // neighbours do not run together.
        for (int d : {22, 28, 30}) {
            const QLabel *label = DayCell(form, d)->Label();
            const int text = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(text + 4 <= DayCell(form, d)->width(), qPrintable(QString::number(text)));
        }

        Click(Control<QToolButton>(form, "ImageViewer1"));
        QCOMPARE(MonthShown(form), QStringLiteral("December 2023"));
        QCOMPARE(DayCell(form, 5)->palette().color(QPalette::Window), QColor(Qt::white));
        Click(Control<QToolButton>(form, "ImageViewer2"));
        Click(Control<QToolButton>(form, "ImageViewer2"));
        QCOMPARE(MonthShown(form), QStringLiteral("February 2024"));
        QVERIFY(!DayCell(form, 30)->isVisible());

        QTest::mouseClick(DayCell(form, 15), Qt::LeftButton);
        QVERIFY(!popup->isVisible());
        QCOMPARE(box->text(), QStringLiteral("2/15/2024"));
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2024, 2, 15)));

        Click(button);
        Click(Control<QToolButton>(form, "ImageViewer1"));
        Click(Control<QPushButton>(form, "Button10"));
        QVERIFY(!popup->isVisible());
        QCOMPARE(box->text(), QStringLiteral("2/15/2024"));
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2024, 2, 15)));

        // From the 31st of January to February, closed by a click elsewhere.
        TypeInto(box, QStringLiteral("1/31/2024"));
        Click(button);
        Click(Control<QToolButton>(form, "ImageViewer2"));
        popup->hide();
        QCOMPARE(box->text(), QStringLiteral("2/29/2024"));
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2024, 2, 29)));
        // Opened and closed without a choice: nothing is written.
        program.State().DataModified = false;
        Click(button);
        popup->hide();
        QVERIFY(!program.State().DataModified);

        Click(button);
        Click(Control<QPushButton>(form, "Button9"));
        QCOMPARE(coin->BuyDate, TodayDay());
        QCOMPARE(box->text(), FormatShortDate(TodayDay()));
    }

    // The purchase date is typed, shown and set with Today in the C locale
    // of a fresh system as in American and German: each shows the whole
    // date, in digits, and stores it.
    void purchaseDateInEveryLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::newRow("C.UTF-8") << QLocale::c() << QStringLiteral("2021-03-15");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("3/15/2021");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("15.03.2021");
    }
    void purchaseDateInEveryLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        const QLocale old;
        QLocale::setDefault(locale);
        const auto restore = qScopeGuard([&] { QLocale::setDefault(old); });
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        auto *box = Control<QLineEdit>(form, "BuyDateBox");

        TypeInto(box, typed);
        QCOMPARE(box->text(), typed);
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2021, 3, 15)));

        // Letters are not a date; the stored one stays.
        TypeInto(box, QStringLiteral("x"));
        QCOMPARE(coin->BuyDate, DateToDay(QDate(2021, 3, 15)));

        Click(Control<QToolButton>(form, "BuyDateButton"));
        Click(Control<QPushButton>(form, "Button9"));
        QCOMPARE(coin->BuyDate, TodayDay());
        const QDate today = QDate::currentDate();
        QVERIFY2(box->text().contains(QString::number(today.year())), qPrintable(box->text()));
        QCOMPARE(ParseShortDate(box->text()), TodayDay());
        for (QChar c : box->text())
            QVERIFY2(c.isDigit() || DateTypingCharacters().contains(c), qPrintable(box->text()));
    }

    // Esc in the grade box after picking another grade puts the old grade
    // back into the entry.
    void escInTheGradeBoxRestores()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        auto *grade = Control<QComboBox>(form, "GradeBox");
        Pick(grade, 3);
        const int picked = coin->Grade;
        QVERIFY(picked >= 0);
        Focus(Control(form, "CommentEdit"));
        Focus(grade);
        QTest::keyClick(grade, Qt::Key_Down);
        Settle();
        QVERIFY(coin->Grade != picked);
        QTest::keyClick(grade, Qt::Key_Escape);
        Settle();
        QCOMPARE(grade->currentIndex(), 3);
        QCOMPARE(coin->Grade, picked);
    }

    // An entry graded in Mint State whose price row says "Proof only" at
    // that grade shows the callout pointing at the grade box, on the Coins
    // page only; another grade hides it.
    void callOutForAProofOnlyIssue()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        Pick(Control<QComboBox>(form, "DateMintBox"), 0);
        auto *grade = Control<QComboBox>(form, "GradeBox");
        const int ms65 = grade->findData(24);
        QVERIFY(ms65 > 0);
        Money value = 0;
        tPriceInfo *row = GetCoinValue(s, *coin, value, true, false);
        QVERIFY(row);
        row->Value[24] = ValueCodeToMoney(CodeProofOnly);
        auto *callout = Control<TNACallout>(form, "NA_Popup");
        QVERIFY(!callout->isVisible());
        Pick(grade, ms65);
        QCOMPARE(coin->Grade, 24);
        QVERIFY(callout->isVisible());
        QVERIFY(callout->NA_Label->text().startsWith(QStringLiteral("This coin entry has a Mint State grade")));
        ClickTab(form, PageSeries);
        QVERIFY(!callout->isVisible());
        ClickTab(form, PageCoins);
        QVERIFY(callout->isVisible());
        Pick(grade, ms65 - 1);
        QVERIFY(!callout->isVisible());
    }

    // The window adds fields; the editor shows a control for each, a value
    // typed into it is stored in the entry and shown in the grid, and a
    // check box of a new entry holds F until checked.
    void userFieldsFromTheMenuToTheGrid()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        tMainState &s = program.State();

        TUDFform *window = OpenUserFields(program);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Orvanta: User defined fields"));
        AddField(window, UDFTextBox, QStringLiteral("Owner"));
        AddField(window, UDFCheckBox, QStringLiteral("Certified"));
        AddField(window, UDFPhone, QStringLiteral("Dealer phone"));
        QCOMPARE(window->ListBox1->count(), 3);
        Click(window->OKbutton);
        QTRY_VERIFY(!form.findChild<TUDFform *>());
        QCOMPARE(s.UDFlist.size(), size_t(3));
        QCOMPARE(s.UDFlist[0]->FieldLabel, QStringLiteral("Owner"));
        QVERIFY(s.DataModified);
        QCOMPARE(form.PageTabs->currentIndex(), int(PageSeries));

        ClickTab(form, PageCoins);
        auto *owner = Control<QLineEdit>(form, "UDFControl1");
        QVERIFY(owner->isVisible() && owner->isEnabled());
        QCOMPARE(Control<QLabel>(form, "UDFLabel1")->text(), QStringLiteral("Owner"));
        TypeInto(owner, QStringLiteral("Smith"));
        QCOMPARE(CommaTextItem(coin->UDFstring, 0), QStringLiteral("Smith"));
        const int column = ColumnTitled(form, QStringLiteral("Owner"));
        QVERIFY(column >= 0);
        QCOMPARE(Cell(form, s.CoinGridRow, column), QStringLiteral("Smith"));

        TypeInto(Control(form, "UDFControl3"), QStringLiteral("2125551234"));
        QCOMPARE(CommaTextItem(coin->UDFstring, 2), QStringLiteral("(212)555-1234"));

        Click(Control<QPushButton>(form, "NewCoinBtn"));
        tCoinInfo *second = Current(s);
        QVERIFY(second != coin);
        QCOMPARE(CommaTextItem(second->UDFstring, 1), QStringLiteral("F"));
        auto *check = Control<QCheckBox>(form, "UDFControl2");
        QVERIFY(!check->isChecked());
        QCOMPARE(Control<QLineEdit>(form, "UDFControl1")->text(), QString());
        check->click();
        Settle();
        QCOMPARE(CommaTextItem(second->UDFstring, 1), QStringLiteral("T"));
        QCOMPARE(CommaTextItem(coin->UDFstring, 1), QString());
    }

    // Deleting a field in the window moves the other fields' values with
    // them; a resize remakes the controls without losing or committing
    // what is being typed.
    void fieldsKeepTheirValuesThroughTheWindowAndResizes()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        DefineFields(program, {{UDFTextBox, QStringLiteral("A")}, {UDFTextBox, QStringLiteral("B")}});
        TypeInto(Control(form, "UDFControl1"), QStringLiteral("a"));
        TypeInto(Control(form, "UDFControl2"), QStringLiteral("b"));
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{"a", "b"}));

        // Typing, then the window changes size before the box is left.
        auto *b = Control<QLineEdit>(form, "UDFControl2");
        Focus(b);
        QTest::keyClicks(b, QStringLiteral("ee"));
        form.resize(form.width() + 60, form.height());
        Settle();
        CallSeam(form.Seams.ClearUDFlist2);
        CallSeam(form.Seams.CreateUDFobjects);
        CallSeam(form.Seams.ShowUDFValues, s.CoinGridRow);
        Settle();
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{"a", "b"}));
        auto *remade = Control<QLineEdit>(form, "UDFControl2");
        QCOMPARE(remade->text(), QStringLiteral("bee"));
        QVERIFY(remade->hasFocus());
        QTest::keyClick(remade, Qt::Key_Tab);
        Settle();
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{"a", "bee"}));

        TUDFform *window = OpenUserFields(program);
        QVERIFY(window);
        window->ListBox1->setCurrentRow(0);
        Click(window->DeleteButton);
        Click(window->OKbutton);
        QTRY_VERIFY(!form.findChild<TUDFform *>());
        QCOMPARE(CommaTextSplit(coin->UDFstring), QStringList{"bee"});
        ClickTab(form, PageCoins);
        QCOMPARE(Control<QLineEdit>(form, "UDFControl2")->text(), QStringLiteral("bee"));
        QVERIFY(form.findChildren<QWidget *>(QStringLiteral("UDFControl1")).isEmpty());
    }

    // A stored value longer than its control's length shows whole and is
    // not cut when the collector passes through the control; typing stops
    // at the length. The same holds for the comment box.
    void longStoredValuesSurvivePassingThrough()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        TUDFform *window = OpenUserFields(program);
        QVERIFY(window);
        AddField(window, UDFTextBox, QStringLiteral("Owner"));
        window->LengthEdit->setValue(10);
        AddField(window, UDFAttachment, QStringLiteral("Receipt"));
        AddField(window, UDFHistoryDropDown, QStringLiteral("Dealer"));
        window->LengthEdit->setValue(10);
        Click(window->OKbutton);
        QTRY_VERIFY(!form.findChild<TUDFform *>());
        QCOMPARE(s.UDFlist[0]->Length, 10);

        const QString owner = QStringLiteral("Johann Sebastian Smith");
        const QString link = QStringLiteral("https://example.com/") + QString(120, QLatin1Char('x'));
        const QString dealer = QStringLiteral("Coins of the Old World");
        const QString comment = QStringLiteral("A comment well past twenty-five characters");
        coin->UDFstring = CommaTextJoin({owner, link, dealer});
        coin->Comment = comment;
        ClickTab(form, PageCoins);
        Q_EMIT s.Events->FillCoinEditor();
        auto *ownerBox = Control<QLineEdit>(form, "UDFControl1");
        QCOMPARE(ownerBox->text(), owner);
        QCOMPARE(Control<QLineEdit>(form, "UDFControl2")->text(), link);
        QCOMPARE(Control<QComboBox>(form, "UDFControl3")->currentText(), dealer);
        QCOMPARE(Control<QLineEdit>(form, "CommentEdit")->text(), comment);

        s.DataModified = false;
        for (const char *name : {"UDFControl1", "UDFControl2", "UDFControl3", "CommentEdit"}) {
            Focus(Control(form, name));
            QTest::keyClick(Control(form, name), Qt::Key_Tab);
            Settle();
        }
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{owner, link, dealer}));
        QCOMPARE(coin->Comment, comment);
        QVERIFY(!s.DataModified);

        // Shortening a long value is an edit like any other; typing stops at
        // the length.
        Focus(ownerBox);
        ownerBox->end(false);
        QTest::keyClick(ownerBox, Qt::Key_Backspace);
        QTest::keyClicks(ownerBox, QStringLiteral("hh"));
        QCOMPARE(ownerBox->text(), owner.chopped(1));
        QTest::keyClick(ownerBox, Qt::Key_Tab);
        Settle();
        QCOMPARE(CommaTextItem(coin->UDFstring, 0), owner.chopped(1));
        TypeInto(ownerBox, QStringLiteral("Maria Magdalena"));
        QCOMPARE(CommaTextItem(coin->UDFstring, 0), QStringLiteral("Maria Magd"));
    }

    // Deleting field B of A, B, C: an Undo afterwards puts back the values
    // each field had, not B's under C, and a paste of entries copied before
    // brings their values under their own fields.
    void undoAndClipboardFollowTheFields()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        const int series = coin->CoinType;
        DefineFields(program, {{UDFTextBox, QStringLiteral("A")},
                               {UDFTextBox, QStringLiteral("B")},
                               {UDFTextBox, QStringLiteral("C")}});
        TypeInto(Control(form, "UDFControl1"), QStringLiteral("a"));
        TypeInto(Control(form, "UDFControl2"), QStringLiteral("b"));
        TypeInto(Control(form, "UDFControl3"), QStringLiteral("c"));
        program.Ui.answer(QStringLiteral("OK"));
        program.Trigger(QStringLiteral("Copytoclipboard1"));
        TypeInto(Control(form, "CommentEdit"), QStringLiteral("first"));  // an edit record of a, b, c
        Click(Control<QPushButton>(form, "CloneCoinBtn"));
        tCoinInfo *clone = Current(s);
        QVERIFY(clone && clone != coin);
        program.Ui.answer(QStringLiteral("Yes"));
        Click(Control<QPushButton>(form, "DeleteCoinBtn"));  // a deleted entry held for Undo

        TUDFform *window = OpenUserFields(program);
        QVERIFY(window);
        window->ListBox1->setCurrentRow(1);
        Click(window->DeleteButton);
        Click(window->OKbutton);
        QTRY_VERIFY(!form.findChild<TUDFform *>());
        ClickTab(form, PageCoins);
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{"a", "c"}));

        Click(Control<QPushButton>(form, "UndoCoinBtn"));  // the deleted clone comes back
        QCOMPARE(CommaTextSplit(Current(s)->UDFstring), (QStringList{"a", "c"}));
        Click(Control<QPushButton>(form, "UndoCoinBtn"));  // the clone goes
        Click(Control<QPushButton>(form, "UndoCoinBtn"));  // the comment goes back
        QCOMPARE(coin->Comment, QString());
        QCOMPARE(CommaTextSplit(coin->UDFstring), (QStringList{"a", "c"}));
        QCOMPARE(Control<QLineEdit>(form, "UDFControl3")->text(), QStringLiteral("c"));

        // The entry copied to the clipboard before, pasted now, keeps each
        // value under its field.
        program.Ui.answer(QStringLiteral("OK"));
        program.Trigger(QStringLiteral("PasteFromClipboard1"));
        int pasted = 0;
        for (const auto &c : s.CoinList) {
            if (c->CoinType != series || c.get() == coin)
                continue;
            ++pasted;
            QCOMPARE(CommaTextSplit(c->UDFstring), (QStringList{"a", "c"}));
        }
        QCOMPARE(pasted, 1);
    }

    // The certification field's button opens the grading service's page
    // for the certificate typed, with the entry's grade for NGC; another
    // service opens nothing. The attachment's button opens its text; empty,
    // nothing.
    void certificateLookUpOpensTheServicePage()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        tCoinInfo *coin = FirstEntry(program);
        QVERIFY(coin);
        TMainForm &form = program.Form();
        DefineFields(program,
                     {{UDFCertification, QStringLiteral("Certificate")}, {UDFAttachment, QStringLiteral("Receipt")}});
        auto *grade = Control<QComboBox>(form, "GradeBox");
        Pick(grade, grade->findData(24));  // MS-65
        TypeInto(Control(form, "GradedByBox"), QStringLiteral("NGC"));
        TypeInto(Control(form, "UDFControl1"), QStringLiteral("123-001"));
        QCOMPARE(CommaTextItem(coin->UDFstring, 0), QStringLiteral("123-001"));

        opened.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
        Click(Control<QToolButton>(form, "UDFButton1"));
        TypeInto(Control(form, "GradedByBox"), QStringLiteral("ANACS"));
        Click(Control<QToolButton>(form, "UDFButton1"));
        // The attachment's button hands its text to the system as it is.
        Click(Control<QToolButton>(form, "UDFButton2"));
        TypeInto(Control(form, "UDFControl2"), QStringLiteral("https://example.com/receipt 12.pdf"));
        Click(Control<QToolButton>(form, "UDFButton2"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("https://www.ngccoin.com/certlookup/123-001/65")),
                                      QUrl(QStringLiteral("https://example.com/receipt 12.pdf"))}));
    }
};

QTEST_MAIN(tst_EditorPickers)
#include "tst_editorpickers.moc"
