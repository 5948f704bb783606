#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "browse/finders/ui/trackform.h"
#include "support/coinfixture.h"

// The Search & Track window on its own: the rows it builds for the user
// fields, the phone mask typed through the keyboard, and counters that
// follow what is typed.
class tst_TrackForm : public QObject {
    Q_OBJECT
private:
    static QCheckBox *RowBox(const TTrackForm &form, const QString &text)
    {
        for (const auto &r : form.Rows())
            if (r.Box->text() == text)
                return r.Box;
        return nullptr;
    }

private Q_SLOTS:
    void userFieldsGetRowsByType()
    {
        auto s = NewCoinState();
        const std::pair<int, const char *> fields[] = {
            {UDFTextBox, "Maker*"}, {UDFPickList, "Mark"},  {UDFCheckBox, "Boxed"},      {UDFMoney, "Paid range"},
            {UDFDate, "Seen range"}, {UDFEmptySpace, nullptr}, {UDFPhone, "Tel"},         {UDFReal, "Weight range"}};
        const QStringList labels{"Maker", "Mark", "Boxed", "Paid", "Seen", "Gap", "Tel", "Weight"};
        for (size_t i = 0; i < std::size(fields); ++i)
            AddField(*s, fields[i].first, labels[static_cast<int>(i)]);
        TTrackForm form(*s);
        QCOMPARE(form.Rows().size(), size_t(21 + 7));  // the empty space has no row
        for (const auto &[type, text] : fields) {
            if (!text)
                continue;
            QCheckBox *box = RowBox(form, QString::fromLatin1(text));
            QVERIFY2(box, text);
        }
        const auto &money = form.Rows()[21 + 3];
        QVERIFY(money.Max && money.To);
        QCOMPARE(money.To->text(), QStringLiteral("to"));
        const auto &pick = form.Rows()[21 + 1];
        QCOMPARE(static_cast<QComboBox *>(pick.Min)->currentIndex(), -1);  // nothing preselected
    }

    void phoneRowIsTypedThroughTheMaskAndCounts()
    {
        auto s = NewCoinState();
        AddField(*s, UDFPhone, QStringLiteral("Tel"));
        for (const char *phone : {"(555)123-4567", "(555)999-0000", "(556)000-0000"})
            AddCoin(*s, {.UDFstring = QString::fromLatin1(phone), .Folder = s->SelectedTreeNode});
        TTrackForm form(*s);
        form.show();
        QCheckBox *box = RowBox(form, QStringLiteral("Tel"));
        box->setChecked(true);
        auto *edit = static_cast<QLineEdit *>(form.Rows().back().Min);
        QTest::keyClicks(edit, QStringLiteral("555"));
        QCOMPARE(edit->text(), QStringLiteral("(555"));
        QCOMPARE(form.Counts().UntrackedMatching, 2);
        QTest::keyClicks(edit, QStringLiteral("1234567"));
        QCOMPARE(edit->text(), QStringLiteral("(555)123-4567"));
        QCOMPARE(form.Counts().UntrackedMatching, 1);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("(555)123-456"));
        edit->setCursorPosition(0);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("(555)123-456"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("TotalLabel"))->text(),
                 QStringLiteral("Total coins in selected series: 3"));
    }
};

QTEST_MAIN(tst_TrackForm)
#include "tst_trackform.moc"
