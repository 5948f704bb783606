#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include "core/files/collectionsettings.h"
#include "core/model/dates.h"
#include "browse/coins/coineditor.h"
#include "browse/coins/ui/coineditorpanel.h"
#include "browse/coins/ui/pickerbox.h"
#include "support/coinentryfixture.h"
#include "support/scriptedui.h"

class tst_CoinEditorPanel : public QObject {
    Q_OBJECT

    tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
    std::unique_ptr<tCoinFixture> f;
    std::unique_ptr<TCoinEditorPanel> panel;

    template <class T>
    T *Control(const char *name) const
    {
        T *w = panel->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    // The grid moving to a row: the panel fills from it.
    void ShowRow(int row)
    {
        f->s.CoinGridRow = row;
        Q_EMIT f->s.Events->FillCoinEditor();
    }
    void Open()
    {
        panel = std::make_unique<TCoinEditorPanel>(f->s);
        panel->resize(800, 500);
        panel->show();
        panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel.get()));
    }
    static void Focus(QWidget *w)
    {
        w->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(w->hasFocus());
    }
    static void Retype(QWidget *w, const QString &text)
    {
        Focus(w);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, text);
    }

    // One user field, its control made, the first row shown.
    void AddUserField(int id, int type)
    {
        auto field = std::make_unique<tUDFfield>();
        field->ID = id;
        field->FieldType = type;
        field->Length = 20;
        f->s.UDFlist.push_back(std::move(field));
        panel->CreateUDFobjects(800);
        ShowRow(0);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        ui.reset();
        platform::setUserInterface(&ui);
        f = std::make_unique<tCoinFixture>();
        f->s.CurrGradeList = {{QStringLiteral("VF-20"), 12}, {QStringLiteral("MS-65"), 25}};
        f->AddPrice(1990, QStringLiteral("P"));
        f->AddPrice(1990, QStringLiteral("P"), {}, QStringLiteral("FB"));
        f->AddPrice(1991, QStringLiteral("D"));
        for (int i = 0; i < 3; ++i)
            f->AddCoin(1990 + i, QStringLiteral("P"))->Comment = QStringLiteral("coin %1").arg(i);
        Open();
        ShowRow(0);
    }
    void cleanup()
    {
        panel.reset();
        f.reset();
        platform::setUserInterface(nullptr);
    }

    // The controls show the entry; filling them writes nothing back.
    void fillShowsTheEntryAndWritesNothing()
    {
        tCoinInfo *c = f->Row(1);
        c->Year = 1990;
        c->GM = QStringLiteral("fb");
        c->Have = 2;
        c->Need = 1;
        c->Grade = 25;
        c->Gradedby = QStringLiteral("PCGS");
        c->BuyPrice = 123456;
        c->BuyDate = DateToDay(QDate(2024, 3, 5));
        c->Notes = QStringLiteral("from a fair");
        c->SellLock = true;
        c->User1 = true;
        ShowRow(1);
        QCOMPARE(Control<QComboBox>("DateMintBox")->currentText(), QStringLiteral("1990-P"));
        QCOMPARE(Control<QComboBox>("GMbox")->currentText(), QStringLiteral("FB"));
        QCOMPARE(Control<QComboBox>("GradeBox")->currentText(), QStringLiteral("MS-65"));
        QCOMPARE(Control<QSpinBox>("HaveEdit")->value(), 2);
        QCOMPARE(Control<QSpinBox>("NeedEdit")->value(), 1);
        QCOMPARE(Control<QComboBox>("GradedByBox")->currentText(), QStringLiteral("PCGS"));
        QCOMPARE(Control<QLineEdit>("PriceEdit")->text(), QStringLiteral("12.35"));
        QCOMPARE(Control<QLineEdit>("BuyDateBox")->text(), QStringLiteral("3/5/2024"));
        QCOMPARE(Control<QLineEdit>("SellDateBox")->text(), QString());
        QCOMPARE(Control<QLineEdit>("CommentEdit")->text(), QStringLiteral("coin 1"));
        QCOMPARE(Control<QPlainTextEdit>("NotesMemo")->toPlainText(), QStringLiteral("from a fair"));
        QVERIFY(Control<QCheckBox>("SellBox")->isChecked());
        QVERIFY(!Control<QCheckBox>("BuyBox")->isChecked());
        QVERIFY(Control<QCheckBox>("User1Box")->isChecked());
        QVERIFY(f->s.UndoCoinList.empty());
        QVERIFY(!f->s.DataModified);
        QCOMPARE(c->GM, QStringLiteral("fb"));
        QCOMPARE(c->BuyPrice, Money(123456));
    }

    // The free-text boxes and the counts hold their focus in an inner edit.
    void boxesWithInnerEditsCommitOnLeaving()
    {
        auto *graded = Control<QComboBox>("GradedByBox");
        Retype(graded, QStringLiteral(" NGC "));
        QTest::keyClick(graded, Qt::Key_Tab);
        QCOMPARE(f->Row(0)->Gradedby, QStringLiteral("NGC"));
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));
        Focus(graded);
        QTest::keyClick(graded, Qt::Key_Return);
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));
    }

    // Typed text stands on its own; Escape brings back what the box held
    // when it got the focus; Return moves on and commits.
    void pickBoxesRestoreAndCommit()
    {
        ClearGradedByBox(f->s);
        ClearStoredBox(f->s);
        f->Row(0)->Gradedby = QStringLiteral("NGC");
        f->Row(0)->Stored = QStringLiteral("Album");
        ShowRow(0);
        auto *box = Control<QComboBox>("GradedByBox");
        QCOMPARE(box->count(), 6);
        QCOMPARE(box->currentIndex(), box->findText(QStringLiteral("NGC")));
        Focus(box);
        box->lineEdit()->end(false);
        QTest::keyClicks(box, QStringLiteral("X"));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QStringLiteral("NGCX"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->currentText(), QStringLiteral("NGC"));
        QCOMPARE(box->currentIndex(), box->findText(QStringLiteral("NGC")));
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, QStringLiteral("2"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->hasFocus());
        QCOMPARE(f->Row(0)->Gradedby, QStringLiteral("NGC2"));

        auto *stored = Control<QComboBox>("StoredBox");
        Focus(stored);
        stored->lineEdit()->selectAll();
        QTest::keyClicks(stored, QStringLiteral("Box 7"));
        QTest::keyClick(stored, Qt::Key_Escape);
        QCOMPARE(stored->currentText(), QStringLiteral("Album"));
        Focus(Control<QLineEdit>("CommentEdit"));
        QCOMPARE(f->Row(0)->Stored, QStringLiteral("Album"));
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));
    }

    // The suggestions are the collection's lists; the text shown stays.
    void pickListsFollowTheCollection()
    {
        f->Row(1)->Gradedby = QStringLiteral("Dealer");
        f->s.GradedByBoxItems = {QStringLiteral("ANACS"), QStringLiteral("Dealer")};
        f->s.StoredBoxItems = {QStringLiteral("Safe")};
        ShowRow(1);
        auto *box = Control<QComboBox>("GradedByBox");
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(Control<QComboBox>("StoredBox")->itemText(0), QStringLiteral("Safe"));
        f->s.GradedByBoxItems = {QStringLiteral("PCGS")};
        panel->FillPickLists();
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->currentText(), QStringLiteral("Dealer"));
        QCOMPARE(box->currentIndex(), -1);
        QVERIFY(!f->s.DataModified);
    }

    void notesRestoreOnEscapeAndCommitOnLeaving()
    {
        f->Row(2)->Notes = QStringLiteral("notes 2");
        ShowRow(2);
        auto *memo = Control<QPlainTextEdit>("NotesMemo");
        auto *comment = Control<QLineEdit>("CommentEdit");
        Focus(memo);
        QTest::keyClicks(memo, QStringLiteral("abc"));
        QTest::keyClick(memo, Qt::Key_Escape);
        QCOMPARE(memo->toPlainText(), QStringLiteral("notes 2"));
        Focus(comment);
        QVERIFY(f->s.UndoCoinList.empty());
        Focus(memo);
        QTest::keyClicks(memo, QStringLiteral("!"));
        Focus(comment);
        QCOMPARE(f->Row(2)->Notes, memo->toPlainText());
        QCOMPARE(f->Row(2)->Notes.size(), 8);
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));
    }

    // Maximised notes take the other fields' place; the button or the
    // restoring hook (New, Undo, Delete, a page change) bring the editor back
    // exactly as it was.
    void notesButtonTogglesBackToTheSameLayout()
    {
        QCoreApplication::processEvents();
        auto *memo = Control<QPlainTextEdit>("NotesMemo");
        auto *button = Control<QToolButton>("NoteMaxedBtn");
        const QRect memoAt = memo->geometry();
        const QRect buttonAt = button->geometry();
        const int editorHeight = panel->CoinScrollBox->height();
        QSignalSpy maxed(panel.get(), &TCoinEditorPanel::NoteMaxedChanged);
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(panel->NoteMaxed);
        QVERIFY(!Control<QComboBox>("GradedByBox")->isVisible());
        QVERIFY(memo->width() > memoAt.width());
        QCOMPARE(panel->CoinScrollBox->height(), editorHeight);
        QCOMPARE(memo->font().pixelSize(), 16);
        Q_EMIT f->s.Events->RestoreNotesMemo();
        QCoreApplication::processEvents();
        QVERIFY(!panel->NoteMaxed);
        QVERIFY(Control<QComboBox>("GradedByBox")->isVisible());
        QCOMPARE(memo->geometry(), memoAt);
        QCOMPARE(button->geometry(), buttonAt);
        QCOMPARE(memo->font().pixelSize(), 12);
        QCOMPARE(maxed.count(), 2);
    }

    // A hook left behind by a closed panel does nothing.
    void hooksOutliveThePanelHarmlessly()
    {
        panel.reset();
        Q_EMIT f->s.Events->FillCoinEditor();
        Q_EMIT f->s.Events->CommitPendingEdit();
        Q_EMIT f->s.Events->RestoreNotesMemo();
    }

    void typingCommitsOnLeavingAndUndoRestores()
    {
        auto *comment = Control<QLineEdit>("CommentEdit");
        auto *undo = Control<QPushButton>("UndoCoinBtn");
        QVERIFY(!undo->isEnabled());
        Retype(comment, QStringLiteral("Nice"));
        QCOMPARE(f->Row(0)->Comment, QStringLiteral("coin 0"));  // not before leaving
        QTest::keyClick(comment, Qt::Key_Tab);
        QCOMPARE(f->Row(0)->Comment, QStringLiteral("Nice"));
        QVERIFY(f->s.DataModified);
        QVERIFY(undo->isEnabled());

        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(f->Row(0)->Comment, QStringLiteral("coin 0"));
        QCOMPARE(comment->text(), QStringLiteral("coin 0"));
        QVERIFY(!undo->isEnabled());
    }

    // Counts commit while typing, into every marked entry.
    void countsWriteTheMarkedEntries()
    {
        f->Row(2)->selected = true;
        auto *have = Control<QSpinBox>("HaveEdit");
        Retype(have, QStringLiteral("7"));
        QCOMPARE(f->Row(0)->Have, 7);
        QCOMPARE(f->Row(1)->Have, 1);
        QCOMPARE(f->Row(2)->Have, 7);
        QVERIFY(f->s.DataModified);
    }

    void priceBoxRoundsOnLeaving()
    {
        auto *price = Control<QLineEdit>("PriceEdit");
        Retype(price, QStringLiteral("12.3-4x9"));  // "-" and "x" are refused
        QCOMPARE(price->text(), QStringLiteral("12.349"));
        QTest::keyClick(price, Qt::Key_Return);     // Enter moves on like Tab
        QVERIFY(!price->hasFocus());
        QCOMPARE(price->text(), QStringLiteral("12.35"));
        QCOMPARE(f->Row(0)->BuyPrice, Money(123500));

        // A pasted minus sign is dropped.
        Focus(price);
        price->setText(QStringLiteral("-5"));
        QTest::keyClick(price, Qt::Key_Tab);
        QCOMPARE(price->text(), QStringLiteral("5.00"));
        QCOMPARE(f->Row(0)->BuyPrice, Money(50000));
    }

    void escapeRestoresWithoutCommitting()
    {
        auto *comment = Control<QLineEdit>("CommentEdit");
        Retype(comment, QStringLiteral("oops"));
        QTest::keyClick(comment, Qt::Key_Escape);
        QCOMPARE(comment->text(), QStringLiteral("coin 0"));
        QTest::keyClick(comment, Qt::Key_Tab);
        QVERIFY(f->s.UndoCoinList.empty());
        QVERIFY(!f->s.DataModified);
    }

    void lockBoxesAreExclusive()
    {
        auto *buy = Control<QCheckBox>("BuyBox");
        auto *sell = Control<QCheckBox>("SellBox");
        // Clicked on their indicators.
        QTest::mouseClick(buy, Qt::LeftButton, {}, QPoint(6, buy->height() / 2));
        QVERIFY(f->Row(0)->BuyLock);
        QTest::mouseClick(sell, Qt::LeftButton, {}, QPoint(6, sell->height() / 2));
        QVERIFY(!buy->isChecked());
        QVERIFY(f->Row(0)->SellLock);
        QVERIFY(!f->Row(0)->BuyLock);
    }

    // Save, Close and a series change come from menus that leave the focus
    // in the control: the typed value must still reach the entry, once.
    void commitPendingEditWithoutLeaving()
    {
        auto *date = Control<QLineEdit>("BuyDateBox");
        Retype(date, QStringLiteral("3/5/2024"));
        panel->CommitPendingEdit();
        QVERIFY(date->hasFocus());
        QCOMPARE(f->Row(0)->BuyDate, DateToDay(QDate(2024, 3, 5)));
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));

        // Nothing pending: nothing written.
        panel->CommitPendingEdit();
        QCOMPARE(f->s.UndoCoinList.size(), size_t(1));

        // Code below the window reaches the same through the state's hook.
        Retype(Control<QLineEdit>("CommentEdit"), QStringLiteral("kept"));
        Q_EMIT f->s.Events->CommitPendingEdit();
        QCOMPARE(f->Row(0)->Comment, QStringLiteral("kept"));
    }

    // A row change while a box keeps the focus must not carry the text of
    // the earlier entry into the new one when the box is left.
    void rowChangeWhileEditingWritesNothingStale()
    {
        auto *comment = Control<QLineEdit>("CommentEdit");
        Focus(comment);
        f->Row(0)->selected = true;
        ShowRow(2);
        QTest::keyClick(comment, Qt::Key_Tab);
        QCOMPARE(f->Row(2)->Comment, QStringLiteral("coin 2"));
        QCOMPARE(f->Row(0)->Comment, QStringLiteral("coin 0"));
        QVERIFY(f->s.UndoCoinList.empty());
    }

    void pickingAYearWritesYearAndModifier()
    {
        auto *dm = Control<QComboBox>("DateMintBox");
        QCOMPARE(dm->count(), 2);
        dm->setCurrentIndex(1);  // 1991 D
        QCOMPARE(f->Row(f->s.CoinGridRow)->Year, 1991);
        QCOMPARE(f->Row(f->s.CoinGridRow)->Mint, QStringLiteral("D"));
        QCOMPARE(Control<QComboBox>("GMbox")->count(), 1);
        Control<QComboBox>("GradeBox")->setCurrentIndex(1);
        QCOMPARE(f->Row(f->s.CoinGridRow)->Grade, 12);
        QCOMPARE(f->s.UndoCoinList.size(), size_t(2));
    }

    void deleteRemovesTheMarkedRows()
    {
        f->Row(2)->selected = true;
        ui.reply(1);
        auto *del = Control<QPushButton>("DeleteCoinBtn");
        QTest::mouseClick(del, Qt::LeftButton);
        QCOMPARE(int(ui.Messages.size()), 1);
        QCOMPARE(f->s.CurrCoinList.size(), size_t(1));
        QCOMPARE(f->Row(0)->Year, 1991);
        QCOMPARE(Control<QLineEdit>("CommentEdit")->text(), QStringLiteral("coin 1"));
        QVERIFY(Control<QPushButton>("UndoCoinBtn")->isEnabled());

        // The last entry of the series: nothing left to delete or clone.
        ui.reply(1);
        QTest::mouseClick(del, Qt::LeftButton);
        QVERIFY(f->s.CurrCoinList.empty());
        QVERIFY(!del->isEnabled());
        QVERIFY(!Control<QPushButton>("CloneCoinBtn")->isEnabled());
        QVERIFY(Control<QPushButton>("NewCoinBtn")->isEnabled());
        QVERIFY(!Control<QLineEdit>("CommentEdit")->isEnabled());

        QTest::mouseClick(Control<QPushButton>("UndoCoinBtn"), Qt::LeftButton);
        QCOMPARE(f->s.CurrCoinList.size(), size_t(1));
        QVERIFY(Control<QLineEdit>("CommentEdit")->isEnabled());
        QVERIFY(del->isEnabled());
    }

    void withoutACurrentRowTheEditorRests()
    {
        ShowRow(-1);
        QVERIFY(!Control<QPushButton>("CloneCoinBtn")->isEnabled());
        QVERIFY(!Control<QSpinBox>("HaveEdit")->isEnabled());
        QCOMPARE(Control<QSpinBox>("HaveEdit")->value(), 1);
        QCOMPARE(Control<QLineEdit>("PriceEdit")->text(), QStringLiteral("$0.00"));
        QCOMPARE(Control<QLineEdit>("CommentEdit")->text(), QString());
        QVERIFY(f->s.UndoCoinList.empty());

        QTest::mouseClick(Control<QPushButton>("NewCoinBtn"), Qt::LeftButton);
        QCOMPARE(f->s.CoinList.size(), size_t(4));
        QVERIFY(Control<QSpinBox>("HaveEdit")->isEnabled());
        QVERIFY(Control<QPushButton>("CloneCoinBtn")->isEnabled());
    }

    // Clearing the user-field controls while enabling commits nothing.
    void enablingClearsUserFieldsWithoutCommitting()
    {
        auto field = std::make_unique<tUDFfield>();
        field->FieldType = UDFCheckBox;
        QCheckBox box;
        field->Control = &box;
        f->s.UDFlist.push_back(std::move(field));
        f->Row(0)->UDFstring = QStringLiteral("T");
        tMainState &s = f->s;
        connect(&box, &QCheckBox::toggled, &box, [&s](bool on) {
            tEditorValue v;
            v.UDFIndex = 0;
            v.Text = on ? QStringLiteral("T") : QStringLiteral("F");
            StuffCoinInfo(s, tCoinField::UserField, v);
        });
        {
            QSignalBlocker block(box);
            box.setChecked(true);
        }
        panel->SetCoinScrollBoxEnable(true);
        QVERIFY(!box.isChecked());
        QCOMPARE(f->Row(0)->UDFstring, QStringLiteral("T"));
        QVERIFY(!f->s.DataModified);
        panel->SetCoinScrollBoxEnable(false);
        QVERIFY(!box.isEnabled());
        f->s.UDFlist.clear();
    }

    // Another year keeps the chosen grade modifier when that year has it,
    // else the first.
    void gradeModifierFollowsTheYear()
    {
        f->AddPrice(1992, QStringLiteral("P"));
        f->AddPrice(1992, QStringLiteral("P"), {}, QStringLiteral("FB"));
        ShowRow(0);
        auto *dm = Control<QComboBox>("DateMintBox");
        auto *gm = Control<QComboBox>("GMbox");
        dm->setCurrentIndex(0);  // 1990 P
        gm->setCurrentIndex(gm->findText(QStringLiteral("FB")));
        dm->setCurrentIndex(2);  // 1992 P
        QCOMPARE(gm->currentText(), QStringLiteral("FB"));
        QCOMPARE(f->Row(f->s.CoinGridRow)->GM, QStringLiteral("FB"));
        dm->setCurrentIndex(1);  // 1991 D has no FB
        QCOMPARE(gm->currentIndex(), 0);
        QCOMPARE(gm->currentText(), QString());
    }

    // The price list is read again while the items show: a pick finds the
    // new rows.
    void pickAfterAPriceReload()
    {
        f->s.CurrPriceList.clear();
        f->s.PriceList.clear();
        f->AddPrice(1990, QStringLiteral("P"), {}, QStringLiteral("DMPL"));
        f->AddPrice(1991, QStringLiteral("D"), {}, QStringLiteral("RB"));
        auto *dm = Control<QComboBox>("DateMintBox");
        QCOMPARE(dm->count(), 2);  // the items were shown before the reload
        dm->setCurrentIndex(1);
        QCOMPARE(f->Row(f->s.CoinGridRow)->Year, 1991);
        QCOMPARE(f->Row(f->s.CoinGridRow)->GM, QStringLiteral("RB"));
        QCOMPARE(Control<QComboBox>("GMbox")->currentText(), QStringLiteral("RB"));
    }

    // A value typed into a user field and left is stored as its type
    // stores it and shown again as its type shows it.
    void userFieldStoresAndShowsByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text trimmed") << int(UDFTextBox) << " gold " << "gold" << "gold";
        QTest::newRow("money 7") << int(UDFMoney) << "7" << "7.00" << "7.00";
        QTest::newRow("date") << int(UDFDate) << "3/5/2024" << QString::number(DateToDay(QDate(2024, 3, 5)))
                              << "3/5/2024";
        QTest::newRow("number") << int(UDFNumber) << "12" << "12" << "12";
        QTest::newRow("phone mask") << int(UDFPhone) << "2125551234" << "(212)555-1234" << "(212)555-1234";
        QTest::newRow("history") << int(UDFHistoryDropDown) << "Smith " << "Smith" << "Smith";
    }
    void userFieldStoresAndShowsByType()
    {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        AddUserField(7, type);
        QWidget *w = panel->findChild<QWidget *>(QStringLiteral("UDFControl7"));
        QVERIFY(w);
        Retype(w, typed);
        QTest::keyClick(w, Qt::Key_Tab);
        QCOMPARE(f->Row(0)->UDFstring, stored);
        ShowRow(1);
        ShowRow(0);
        const auto *box = qobject_cast<QComboBox *>(w);
        QCOMPARE(box ? box->currentText() : static_cast<QLineEdit *>(w)->text(), shown);
        panel->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Drop);
        f->s.UDFlist.clear();
    }

    // The controls are made again (a resize, a new collection) while a
    // value is being typed: nothing is written by the old control going
    // away; the typing moves to the new control or is dropped.
    void remakingControlsWhileTyping()
    {
        AddUserField(3, UDFTextBox);
        auto *e = panel->findChild<QLineEdit *>(QStringLiteral("UDFControl3"));
        Retype(e, QStringLiteral("typed"));
        panel->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Carry);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f->Row(0)->UDFstring, QString());
        panel->CreateUDFobjects(800);
        panel->ShowUDFValues(0, true);
        auto *again = panel->findChild<QLineEdit *>(QStringLiteral("UDFControl3"));
        QVERIFY(again && again != e);
        QCOMPARE(again->text(), QStringLiteral("typed"));
        QVERIFY(!f->s.DataModified);
        panel->ClearUDFlist2(TCoinEditorPanel::tPendingEdit::Drop);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f->Row(0)->UDFstring, QString());
        f->s.UDFlist.clear();
    }

    // Closed, a picker draws its chosen item on one line, shrinking the
    // type down to 10 before it would overflow; the grade boxes lead with a
    // blank, the year list does not.
    void closedPickersFitTheirText()
    {
        auto *dm = static_cast<TPickerBox *>(Control<QComboBox>("DateMintBox"));
        auto *grade = static_cast<TPickerBox *>(Control<QComboBox>("GradeBox"));
        QCOMPARE(dm->ClosedText(), QStringLiteral("1990-P"));
        QCOMPARE(dm->ClosedFontSize(), 16);
        grade->setCurrentIndex(1);
        QCOMPARE(grade->ClosedText(), QStringLiteral(" VF-20"));
        grade->setCurrentIndex(-1);
        QCOMPARE(grade->ClosedText(), QString());
        // Just too narrow for the largest size, whatever font the machine
        // falls back to.
        QFont big = dm->font();
        big.setPixelSize(16);
        dm->setFixedWidth(QFontMetrics(big).horizontalAdvance(dm->ClosedText()) + 2);
        QVERIFY(dm->ClosedFontSize() < 16);
        dm->setFixedWidth(10);
        QCOMPARE(dm->ClosedFontSize(), 10);
    }
};

QTEST_MAIN(tst_CoinEditorPanel)
#include "tst_coineditorpanel.moc"
