#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/program/epicmessage.h"
#include "core/program/ui/epicmessageform.h"
#include "core/program/ui/userinterface.h"

using platform::MessageButton;
using platform::MessageRequest;

namespace {

MessageRequest Request(const QString &text, const QStringList &captions, int toggles = 0, int wide = 0)
{
    MessageRequest r;
    r.Text = text;
    for (int i = 0; i < captions.size(); ++i) {
        if (captions[i].isEmpty())
            continue;
        MessageButton b;
        b.Caption = captions[i];
        b.Value = 1 << i;
        b.Toggle = (toggles & b.Value) != 0;
        b.Wide = (wide & b.Value) != 0;
        r.Buttons.push_back(b);
    }
    return r;
}

QWidget *Row(const TEpicMessage &box, const char *name)
{
    return box.findChild<QWidget *>(QLatin1String(name));
}

// Centre of a button, in its row's coordinates.
double Centre(const QPushButton *b)
{
    return b->x() + b->width() / 2.0;
}

} // namespace

class tst_EpicMessageForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneButtonIsCentred()
    {
        TEpicMessage box(Request(QStringLiteral("Saved."), {"OK"}));
        box.show();
        QPushButton *ok = box.Button(1);
        QVERIFY(ok->isVisible());
        QCOMPARE(ok->size(), QSize(120, 41));
        QCOMPARE(Centre(ok), Row(box, "Brow1Layout")->width() / 2.0);
        QVERIFY(!Row(box, "Brow2Layout")->isVisible());
        for (int n = 2; n <= 6; ++n)
            QVERIFY(!box.Button(n)->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.Outcome().Value, 1);
        QCOMPARE(box.result(), 1);
    }

    void threeButtonsAre14Apart()
    {
        TEpicMessage box(Request(QStringLiteral("Your changes have not been saved."), {"Save", "Discard", "Cancel"}));
        box.show();
        QPushButton *save = box.Button(1), *discard = box.Button(2), *cancel = box.Button(3);
        QCOMPARE(discard->x() - (save->x() + save->width()), 14);
        QCOMPARE(cancel->x() - (discard->x() + discard->width()), 14);
        QCOMPARE(Centre(discard), Row(box, "Brow1Layout")->width() / 2.0);
        // Every button lies wholly inside its row, shadow room included.
        QVERIFY(save->x() > 0);
        QVERIFY(cancel->x() + cancel->width() < Row(box, "Brow1Layout")->width());
        QTest::mouseClick(discard, Qt::LeftButton);
        QCOMPARE(box.Outcome().Value, 2);
        QCOMPARE(box.Outcome().OptionBits, 0);
    }

    void sixButtonsFillTwoRows()
    {
        TEpicMessage box(Request(QStringLiteral("Which?"), {"1", "2", "3", "4", "5", "6"}));
        box.show();
        QWidget *upper = Row(box, "Brow1Layout"), *lower = Row(box, "Brow2Layout");
        QVERIFY(upper->isVisible() && lower->isVisible());
        QVERIFY(lower->y() >= upper->y() + upper->height());
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(box.Button(n)->parentWidget(), n <= 3 ? upper : lower);
        QCOMPARE(box.Button(5)->x(), box.Button(2)->x());  // rows line up
        QTest::mouseClick(box.Button(5), Qt::LeftButton);
        QCOMPARE(box.Outcome().Value, 16);
    }

    void twoButtonsInTheLowerRowOnly()
    {
        TEpicMessage box(Request(QStringLiteral("?"), {"", "", "", "Yes", "", "No"}));
        box.show();
        QVERIFY(!Row(box, "Brow1Layout")->isVisible());
        const double centre = Row(box, "Brow2Layout")->width() / 2.0;
        QCOMPARE(centre - (box.Button(4)->x() + box.Button(4)->width()), 10.0);
        QCOMPARE(box.Button(6)->x() - centre, 10.0);
    }

    void togglesStayPressedAndDoNotClose()
    {
        MessageRequest r = Request(QStringLiteral("Print which pages?"), {"A", "B", "C", "D", "E", "Print"}, 31, 31);
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::red);
        r.Image = picture;
        TEpicMessage box(r);
        box.show();
        QVERIFY(!box.HasPicture());  // wide buttons: no picture
        QVERIFY(!box.findChild<QWidget *>(QStringLiteral("Layout2"))->isVisible());
        QCOMPARE(box.Button(1)->width(), 180);
        QCOMPARE(box.Button(6)->width(), 120);
        QTest::mouseClick(box.Button(1), Qt::LeftButton);
        QTest::mouseClick(box.Button(3), Qt::LeftButton);
        QTest::mouseClick(box.Button(2), Qt::LeftButton);
        QTest::mouseClick(box.Button(2), Qt::LeftButton);  // pressed and released again
        QVERIFY(box.isVisible());
        QVERIFY(box.Button(1)->isChecked() && box.Button(3)->isChecked() && !box.Button(2)->isChecked());
        QTest::mouseClick(box.Button(6), Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.Outcome().Value, 32);
        QCOMPARE(box.Outcome().OptionBits, 5);
    }

    void askBox()
    {
        MessageRequest hidden = Request(QStringLiteral("?"), {"OK"});
        hidden.AskDefault = true;
        TEpicMessage quiet(hidden);
        quiet.show();
        QVERIFY(!quiet.findChild<QCheckBox *>(QStringLiteral("AskBox"))->isVisible());
        QTest::mouseClick(quiet.Button(1), Qt::LeftButton);
        QVERIFY(quiet.Outcome().DontAsk);

        MessageRequest shown = Request(QStringLiteral("?"), {"OK"});
        shown.ShowDontAsk = true;
        TEpicMessage asking(shown);
        asking.show();
        auto *ask = asking.findChild<QCheckBox *>(QStringLiteral("AskBox"));
        QVERIFY(ask->isVisible() && !ask->isChecked());
        QCOMPARE(ask->text(), QStringLiteral("Don't ask me to confirm this each time"));
        QTest::mouseClick(ask, Qt::LeftButton, {}, QPoint(5, ask->height() / 2));
        QTest::mouseClick(asking.Button(1), Qt::LeftButton);
        QVERIFY(asking.Outcome().DontAsk);
    }

    void escapeGivesTheCancelLikeButton_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("value");
        QTest::newRow("save, discard, cancel") << QStringList{"Save", "Discard", "Cancel"} << 4;
        QTest::newRow("yes, no") << QStringList{"Yes", "No"} << 2;
        QTest::newRow("one button") << QStringList{"OK"} << 1;
    }
    void escapeGivesTheCancelLikeButton()
    {
        QFETCH(QStringList, captions);
        QFETCH(int, value);
        TEpicMessage box(Request(QStringLiteral("Discard your changes?"), captions));
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.Outcome().Value, value);

        TEpicMessage closed(Request(QStringLiteral("Discard your changes?"), captions));
        closed.show();
        closed.close();
        QCOMPARE(closed.Outcome().Value, value);
    }

    void ampersandsShowLiterally()
    {
        TEpicMessage box(Request(QStringLiteral("?"), {"Shape & size"}));
        QCOMPARE(box.Button(1)->text(), QStringLiteral("Shape && size"));
        QVERIFY(QKeySequence::mnemonic(box.Button(1)->text()).isEmpty());
    }

    void heightFollowsTheMessage()
    {
        TEpicMessage shortBox(Request(QStringLiteral("Done."), {"OK"}));
        QStringList lines;
        for (int i = 0; i < 20; ++i)
            lines << QStringLiteral("Line %1 of a long message").arg(i);
        TEpicMessage longBox(Request(lines.join(QLatin1Char('\r')), {"OK"}));
        QVERIFY(shortBox.height() < 318);
        QVERIFY(longBox.height() > 318);
        auto *label = longBox.findChild<QLabel *>(QStringLiteral("Label1"));
        QVERIFY(label->geometry().bottom() < longBox.Button(1)->mapTo(&longBox, QPoint(0, 0)).y());
        QCOMPARE(label->font().pixelSize(), 14);

        MessageRequest big = Request(QStringLiteral("Done."), {"OK"});
        big.LargeText = true;
        QCOMPARE(TEpicMessage(big).findChild<QLabel *>(QStringLiteral("Label1"))->font().pixelSize(), 20);
    }

    void pictureColumn()
    {
        MessageRequest r = Request(QStringLiteral("Done."), {"OK"});
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        r.Image = picture;
        TEpicMessage box(r);
        box.show();
        QVERIFY(box.HasPicture());
        auto *image = box.findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(image->isVisible());
        QCOMPARE(image->width(), image->height());
        QCOMPARE(image->pos(), QPoint(8, 8));
        // The box is tall enough for the whole picture even for a short message.
        QVERIFY(box.height() >= image->y() + image->height() + 8);
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("Label1"))->x() >= 210);

        MessageRequest bad = Request(QStringLiteral("Done."), {"OK"});
        bad.Picture = QStringLiteral("Resource/NoSuchPicture");
        QVERIFY(!TEpicMessage(bad).HasPicture());
    }

    void messageIsPlainText()
    {
        TEpicMessage box(Request(QStringLiteral("<b>1 < 2</b>"), {"OK"}));
        auto *label = box.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>1 < 2</b>"));
    }

    void programServiceShowsNamedModalBoxes()
    {
        TUserInterface services;
        const int before = MsgCounter;
        QStringList names;
        bool inUseWhileShown = false;
        auto clickSecond = [&] {
            // Runs inside the box's own event loop, so the box is showing.
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<TEpicMessage *>(w); box && box->isVisible()) {
                    names << box->objectName();
                    inUseWhileShown = MessageInUse;
                    QTest::mouseClick(box->Button(2), Qt::LeftButton);
                }
        };
        QTimer::singleShot(0, clickSecond);
        const platform::MessageResult first = services.showMessage(Request(QStringLiteral("?"), {"A", "B"}));
        QTimer::singleShot(0, clickSecond);
        services.showMessage(Request(QStringLiteral("?"), {"A", "B"}));
        QCOMPARE(first.Value, 2);
        QCOMPARE(names, (QStringList{QStringLiteral("M%1").arg(before + 1), QStringLiteral("M%1").arg(before + 2)}));
        QVERIFY(inUseWhileShown);
        QVERIFY(!MessageInUse);
    }
};

QTEST_MAIN(tst_EpicMessageForm)
#include "tst_epicmessageform.moc"
