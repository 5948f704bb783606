#include <QtTest>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "support/scriptedui.h"

using platform::MessageButton;
using platform::MessageRequest;

namespace {

QImage Square(QColor c)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

MessageRequest WithButtons(const QStringList &captions, int toggles = 0)
{
    MessageRequest r;
    for (int i = 0; i < captions.size(); ++i) {
        MessageButton b;
        b.Caption = captions[i];
        b.Value = 1 << i;
        b.Toggle = (toggles & b.Value) != 0;
        r.Buttons.push_back(b);
    }
    return r;
}

} // namespace

class tst_EpicMessage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        EpicMessageHooks = {};
        EpicOptionBits = 0xFF;
        EpicDontAsk = false;
    }

    void threeButtonsAndTheirValues()
    {
        tScriptedUi ui;
        ui.answer(QStringLiteral("Discard"));
        const uint8_t r = ShowEpicMessage(QStringLiteral("Your changes have not been saved.\rSave them?"),
                                          QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel"),
                                          QString(), QString(), QString(), 15, 19, 3);
        QCOMPARE(r, uint8_t(2));
        QCOMPARE(EpicOptionBits, uint8_t(0));
        QCOMPARE(ui.Messages.size(), size_t(1));
        const MessageRequest &q = ui.Messages[0];
        QCOMPARE(q.Caption, QStringLiteral("Orvanta"));
        QCOMPARE(q.Text, QStringLiteral("Your changes have not been saved.\rSave them?"));  // unchanged
        QCOMPARE(q.Buttons.size(), size_t(3));
        const int icons[] = {15, 19, 3};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(q.Buttons[i].Value, 1 << i);
            QCOMPARE(q.Buttons[i].ImageIndex, icons[i]);
            QVERIFY(!q.Buttons[i].Toggle && !q.Buttons[i].Wide);
        }
        QVERIFY(!q.ShowDontAsk);
    }

    void blankTextsHideButtonsWithoutShiftingValues()
    {
        tScriptedUi ui;
        ui.answerValue(16);
        QCOMPARE(ShowEpicMessage(QStringLiteral("?"), QString(), QStringLiteral("   "), QStringLiteral("Now"),
                                 QString(), QStringLiteral("Later")),
                 uint8_t(16));
        const MessageRequest &q = ui.Messages[0];
        QCOMPARE(q.Buttons.size(), size_t(2));
        QCOMPARE(q.Buttons[0].Value, 4);
        QCOMPARE(q.Buttons[1].Value, 16);
    }

    void togglesReportWhatWasLeftPressed()
    {
        tScriptedUi ui;
        ui.answer(QStringLiteral("Go"), 5);
        const uint8_t r = ShowEpicMessage(QStringLiteral("Pick"), QStringLiteral("A"), QStringLiteral("B"),
                                          QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"),
                                          QStringLiteral("Go"), -1, -1, -1, -1, -1, -1, 31, QString(), false,
                                          QStringLiteral("Resource/SaveCoin"), 31);
        QCOMPARE(r, uint8_t(32));
        QCOMPARE(EpicOptionBits, uint8_t(5));
        const MessageRequest &q = ui.Messages[0];
        for (int i = 0; i < 5; ++i)
            QVERIFY(q.Buttons[i].Toggle && q.Buttons[i].Wide);
        QVERIFY(!q.Buttons[5].Toggle && !q.Buttons[5].Wide);
        QVERIFY(q.Image.isNull());  // wide buttons leave no room for a picture
    }

    void optionBitsCountOnlyToggles()
    {
        // A window that reports a pressed normal button must not make it an option.
        tScriptedUi ui;
        ui.answer(QStringLiteral("OK"), 3);
        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"), QStringLiteral("Opt"), QString(), QString(),
                        QString(), QString(), -1, -1, -1, -1, -1, -1, 0, QString(), false, QString(), 2);
        QCOMPARE(EpicOptionBits, uint8_t(2));
    }

    void askBox()
    {
        tScriptedUi ui;
        ui.answer(QStringLiteral("OK")).answer(QStringLiteral("OK"), 0, true).answer(QStringLiteral("OK"), 0, false);
        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"), {}, {}, {}, {}, {}, -1, -1, -1, -1, -1, -1, 0,
                        QString(), true);
        QVERIFY(!ui.Messages[0].ShowDontAsk);
        QVERIFY(EpicDontAsk);  // a hidden box still reports its initial state

        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"), {}, {}, {}, {}, {}, -1, -1, -1, -1, -1, -1, 0,
                        QStringLiteral("Don't ask me to confirm this each time"));
        QVERIFY(ui.Messages[1].ShowDontAsk);
        QCOMPARE(ui.Messages[1].AskText, QStringLiteral("Don't ask me to confirm this each time"));
        QVERIFY(EpicDontAsk);

        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"), {}, {}, {}, {}, {}, -1, -1, -1, -1, -1, -1, 0,
                        QStringLiteral("Remember"), true);
        QVERIFY(!EpicDontAsk);
    }

    void dismissingNeverGoesOn_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("toggles");
        QTest::addColumn<int>("value");
        QTest::newRow("save, discard, cancel") << QStringList{"Save", "Discard", "Cancel"} << 0 << 4;
        QTest::newRow("cancel first") << QStringList{"Cancel", "Delete"} << 0 << 1;
        QTest::newRow("yes, no") << QStringList{"Yes", "No"} << 0 << 2;
        QTest::newRow("cancel beats no") << QStringList{"No", "Cancel", "Yes"} << 0 << 2;
        QTest::newRow("case and blanks") << QStringList{"Go", " cancel "} << 0 << 2;
        QTest::newRow("otherwise the last") << QStringList{"Replace", "Keep both"} << 0 << 2;
        QTest::newRow("toggles never answer") << QStringList{"OK", "Cancel"} << 2 << 1;
        QTest::newRow("only toggles") << QStringList{"A", "B"} << 3 << 0;
    }
    void dismissingNeverGoesOn()
    {
        QFETCH(QStringList, captions);
        QFETCH(int, toggles);
        QFETCH(int, value);
        QCOMPARE(platform::cancelValue(WithButtons(captions, toggles)), value);
    }

    void dismissedQuestionThroughTheBox()
    {
        tScriptedUi ui;
        ui.dismiss();
        QCOMPARE(ShowEpicMessage(QStringLiteral("Discard your changes?"), QStringLiteral("Save"),
                                 QStringLiteral("Discard"), QStringLiteral("Cancel")),
                 uint8_t(4));
    }

    void storedAndFilePictures_data()
    {
        QTest::addColumn<QString>("forceImage");
        QTest::addColumn<bool>("found");
        QTest::newRow("stored picture") << QStringLiteral("Resource/SaveCoin") << true;
        QTest::newRow("prefix and name in lower case") << QStringLiteral("resource/savecoin") << true;
        QTest::newRow("name with extension") << QStringLiteral("RESOURCE/SaveCoin.png") << true;
        QTest::newRow("no such stored picture") << QStringLiteral("Resource/SavePrice") << false;
        QTest::newRow("stored picture that is not a picture") << QStringLiteral("Resource/Broken") << false;
        QTest::newRow("picture file") << QStringLiteral("@/photo.png") << true;
        QTest::newRow("picture file, other case") << QStringLiteral("@/PHOTO.PNG") << true;
        QTest::newRow("missing file") << QStringLiteral("@/none.png") << false;
        QTest::newRow("unreadable file") << QStringLiteral("@/Broken.png") << false;
        QTest::newRow("blank") << QStringLiteral("  ") << false;
    }
    void storedAndFilePictures()
    {
        QFETCH(QString, forceImage);
        QFETCH(bool, found);
        QTemporaryDir dir;
        QVERIFY(Square(Qt::red).save(dir.filePath(QStringLiteral("SaveCoin.png"))));
        QVERIFY(Square(Qt::blue).save(dir.filePath(QStringLiteral("photo.png"))));
        QFile broken(dir.filePath(QStringLiteral("Broken.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        forceImage.replace(QLatin1Char('@'), dir.path());
        QCOMPARE(!LoadForcedImage(forceImage, dir.path()).isNull(), found);
    }

    void defaultPictureComesFromTheMainWindow()
    {
        tScriptedUi ui;
        QList<int> asked;
        EpicMessageHooks.DefaultPicture = [&](int country) {
            asked << country;
            if (country == 99)
                throw std::runtime_error("no photo");
            return Square(Qt::green);
        };
        ui.answer(QStringLiteral("OK")).answer(QStringLiteral("OK")).answer(QStringLiteral("OK"))
            .answer(QStringLiteral("OK"));
        auto ask = [](const QString &force, int country) {
            ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"), {}, {}, {}, {}, {}, -1, -1, -1, -1, -1, -1, 0,
                            QString(), false, force, 0, country);
        };
        ask(QString(), 44);                             // the country's photo
        ask(QString(), 0);                              // the selected series' picture
        ask(QString(), 99);                             // a failing picture: no picture, same question
        ask(QStringLiteral("/no/such/picture.png"), 44);  // a forced picture is never replaced
        QCOMPARE(asked, (QList<int>{44, 0, 99}));
        QVERIFY(!ui.Messages[0].Image.isNull());
        QVERIFY(!ui.Messages[1].Image.isNull());
        QVERIFY(ui.Messages[2].Image.isNull());
        QVERIFY(ui.Messages[3].Image.isNull());
    }

    void largeFontAndBlockNumber()
    {
        tScriptedUi ui;
        ui.answer(QStringLiteral("OK")).answer(QStringLiteral("OK"));
        CurrProc = 4242;
        bool large = true;
        EpicMessageHooks.LargeText = [&] { return large; };
        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"));
        large = false;
        ShowEpicMessage(QStringLiteral("?"), QStringLiteral("OK"));
        QVERIFY(ui.Messages[0].LargeText);
        QVERIFY(!ui.Messages[1].LargeText);
        QCOMPARE(CurrProc, 4242);
    }

    void buttonRows_data()
    {
        QTest::addColumn<int>("rowWidth");
        QTest::addColumn<int>("slotWidth");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<int>>("lefts");
        QTest::newRow("none") << 382 << 120 << QList<int>{} << QList<int>{};
        QTest::newRow("one centred") << 382 << 120 << QList<int>{120} << QList<int>{131};
        QTest::newRow("one narrow in a wide row") << 573 << 180 << QList<int>{120} << QList<int>{226};
        QTest::newRow("two, 20 apart at the centre") << 382 << 120 << QList<int>{120, 120} << QList<int>{61, 201};
        QTest::newRow("three, 14 apart") << 382 << 120 << QList<int>{120, 120, 120} << QList<int>{-3, 131, 265};
        QTest::newRow("three wide") << 573 << 180 << QList<int>{180, 180, 180} << QList<int>{2, 196, 390};
        QTest::newRow("narrow centred in wide slots") << 573 << 180 << QList<int>{120, 180} << QList<int>{126, 296};
    }
    void buttonRows()
    {
        QFETCH(int, rowWidth);
        QFETCH(int, slotWidth);
        QFETCH(QList<int>, widths);
        QFETCH(QList<int>, lefts);
        const std::vector<int> got = ArrangeButtonRow(rowWidth, slotWidth, {widths.begin(), widths.end()});
        QCOMPARE(QList<int>(got.begin(), got.end()), lefts);
    }
};

QTEST_MAIN(tst_EpicMessage)
#include "tst_epicmessage.moc"
