#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "core/collection/ui/udfform.h"

// The user-defined fields window: each type's editors, what leaving an
// editor keeps, and how it closes.
class tst_UDFForm : public QObject {
    Q_OBJECT

    tMainState s;
    QList<bool> closed;

    TUDFform *Open()
    {
        auto *w = new TUDFform(s, [this](bool ok) { closed << ok; });
        w->show();
        w->activateWindow();
        return w;
    }

private Q_SLOTS:
    void init()
    {
        s.UDFlist.clear();
        s.CoinList.clear();
        s.DataModified = false;
        closed.clear();
    }

    void eachTypeShowsItsEditors_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("length");
        QTest::addColumn<bool>("options");
        QTest::addColumn<QString>("check");  // empty: no check box
        QTest::addColumn<QString>("lengthCaption");
        QTest::addColumn<int>("lengthLimit");
        QTest::addColumn<QString>("description");
        QTest::newRow("text box") << int(UDFTextBox) << true << false << QString() << "Length" << 50
                                  << "Text box: A box for entering one line of text";
        QTest::newRow("history drop-down") << int(UDFHistoryDropDown) << true << false << "Display as top 10 list"
                                           << "Length" << 50
                                           << "History drop-down: A text box which has a drop-down box for "
                                              "selecting previous responses";
        QTest::newRow("pick list") << int(UDFPickList) << false << true << QString() << "Length" << 50
                                   << "Pick list: A drop-down box for selecting one choice out of a predefined "
                                      "list of choices";
        QTest::newRow("text box with pick list") << int(UDFTextPickList) << true << true << QString() << "Length"
                                                 << 50
                                                 << "Text box with pick list: A box for entering text, with a "
                                                    "drop-down box of predefined responces";
        QTest::newRow("check box") << int(UDFCheckBox) << false << false << QString() << "Length" << 50
                                   << "Check box: A yes/no box which can be checked or unchecked with a mouse click";
        QTest::newRow("number") << int(UDFNumber) << true << false << "Default to incremental value" << "Length" << 10
                                << "Number: A box for entering an integer numeric value";
        QTest::newRow("real number") << int(UDFReal) << true << false << QString() << "Points " << 4
                                     << "Real number: A box for entering a numeric value with a decimal point";
    }
    void eachTypeShowsItsEditors()
    {
        QFETCH(int, type);
        QFETCH(bool, length);
        QFETCH(bool, options);
        QFETCH(QString, check);
        QFETCH(QString, lengthCaption);
        QFETCH(int, lengthLimit);
        QFETCH(QString, description);
        TUDFform *w = Open();
        QVERIFY(!w->Edit1->isVisible());  // no field yet
        QVERIFY(!w->DeleteButton->isEnabled());
        w->ListBox2->setCurrentRow(type);
        QCOMPARE(w->StatusLabel->text(), description);
        w->AddButtonClick();
        QVERIFY(w->DeleteButton->isEnabled());
        QCOMPARE(w->ListBox1->currentItem()->text(), QStringLiteral("(Blank)"));
        QCOMPARE(w->Label5->text(), UDFTypeNames.at(type));
        QVERIFY(w->Edit1->isVisible());
        QCOMPARE(w->LengthEdit->isVisible(), length);
        QCOMPARE(w->Memo1->isVisible(), options);
        QCOMPARE(w->CheckBox1->isVisible(), !check.isEmpty());
        if (!check.isEmpty())
            QCOMPARE(w->CheckBox1->text(), check);
        if (length) {
            QCOMPARE(w->LengthCaption->text(), lengthCaption);
            QCOMPARE(w->LengthEdit->maximum(), lengthLimit);
        }
        delete w;
    }

    // What the editors hold when OK is pressed goes into the definitions:
    // a blank label as "(Blank)", the options' lines trimmed without the
    // blank ones, the check box as bit 0.
    void okKeepsWhatTheEditorsHold()
    {
        TUDFform *w = Open();
        w->ListBox2->setCurrentRow(UDFTextPickList);
        w->AddButtonClick();
        w->Edit1->setText(QStringLiteral("Colour"));
        w->Edit1Exit();
        QCOMPARE(w->ListBox1->item(0)->text(), QStringLiteral("Colour"));
        w->LengthEdit->setValue(30);
        w->Memo1->setPlainText(QStringLiteral("  red \n\nblue"));
        w->Memo1Exit();
        QCOMPARE(w->Memo1->toPlainText(), QStringLiteral("red\nblue"));
        w->ListBox2->setCurrentRow(UDFNumber);
        w->AddButtonClick();
        w->Edit1->setText(QStringLiteral("   "));
        w->CheckBox1->setChecked(true);
        QTest::mouseClick(w->OKbutton, Qt::LeftButton);
        QCOMPARE(closed, QList<bool>{true});
        QCOMPARE(s.UDFlist.size(), size_t(2));
        QCOMPARE(s.UDFlist[0]->FieldLabel, QStringLiteral("Colour"));
        QCOMPARE(s.UDFlist[0]->Length, 30);
        QCOMPARE(CommaTextSplit(s.UDFlist[0]->Options), (QStringList{"red", "blue"}));
        QCOMPARE(s.UDFlist[1]->FieldLabel, QStringLiteral("(Blank)"));
        QCOMPARE(s.UDFlist[1]->BitByte & 1, 1);
        QVERIFY(s.DataModified);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cancelChangesNothing()
    {
        auto field = std::make_unique<tUDFfield>();
        field->ID = 1;
        field->FieldLabel = QStringLiteral("Owner");
        s.UDFlist.push_back(std::move(field));
        TUDFform *w = Open();
        QCOMPARE(w->Edit1->text(), QStringLiteral("Owner"));
        w->DeleteButtonClick();
        QVERIFY(!w->DeleteButton->isEnabled());
        QTest::mouseClick(w->CancelButton, Qt::LeftButton);
        QCOMPARE(closed, QList<bool>{false});
        QCOMPARE(s.UDFlist.size(), size_t(1));
        QVERIFY(!s.DataModified);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(tst_UDFForm)
#include "tst_udfform.moc"
