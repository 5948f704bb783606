#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVariantAnimation>

#include "core/files/collectionfile.h"
#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"
#include "browse/seriespictures/seriespictures.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/seriespictures/ui/quarterform.h"
#include "browse/seriespictures/ui/picturebox.h"
#include "browse/seriespictures/ui/seriespicturepanel.h"
#include "browse/coins/ui/thumbnailstrip.h"
#include "support/programfixture.h"
#include "support/programsteps.h"
#include "support/testsupport.h"

// The series pictures as a collector meets them in the assembled program:
// the small pictures of the Series page opening large in place of the tree,
// the real-size view, the special-series window from the Display menu and
// the Coins page's thumbnail strip.
namespace {

// The first round coin series of the new collection with a width.
tnodeinfo *RoundSeries(const tMainState &s)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (!found && n->NodeMode != NodeModeComment && n->CoinShape == 0 && n->Measure1 > 10 && n->ChildNodes.empty())
            found = n;
    });
    return found;
}

void Click(QWidget *w)
{
    QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    Settle();
}

int PanelTag(const TMainForm &form)
{
    return form.ImagePanel->property("Tag").toInt();
}

bool LargeViewOpen(const TMainForm &form)
{
    return form.ImagePanel->isVisible() && !form.TreeBaseLayout->isVisible();
}

} // namespace

class tst_SeriesPicturesProgram : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The small obverse opens large in place of the tree with the file's
    // name beside it; a second click closes it. A reverse without a file
    // shows its no-image label and opens nothing.
    void smallPictureOpensLargeAndClosesOnSecondClick()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tnodeinfo *series = RoundSeries(program.State());
        QVERIFY(series);
        // Stored in the form older files use: the country folder, named in
        // another letter case than on disk.
        series->Obverse = QStringLiteral("~cent OBVERSE.png");
        series->Reverse = QStringLiteral("~Missing.png");
        const QString stored = form.Seams.FullPath(QStringLiteral("~Cent Obverse.png"), series->Country, true, false);
        WriteTestFile(stored, PngBytes(Qt::darkYellow, QSize(40, 40)));
        ClickSeries(form, series);

        auto *obverse = Control<QLabel>(form, "Image2");
        QVERIFY(obverse->isVisible() && !obverse->pixmap().isNull());
        QVERIFY(!Control(form, "ObverseNoImageLabel")->isVisible());
        QVERIFY(!Control(form, "Image3")->isVisible());
        QVERIFY(Control(form, "ReverseNoImageLabel")->isVisible());

        Click(obverse);
        QVERIFY(LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewObverse));
        QVERIFY(!Control<QLabel>(form, "BigImage")->pixmap().isNull());
        QCOMPARE(form.SeriesPictures->BigLabelFile, stored);
        QVERIFY(static_cast<TRotatedLabel *>(form.BigLabel)->text().contains(QStringLiteral("Cent Obverse.png")));

        // A double-click on the file's name opens the file.
        QStringList opened;
        form.SeriesPictures->OpenFile = [&opened](const QString &file) { opened << file; };
        QTest::mouseDClick(form.BigLabel, Qt::LeftButton, {}, form.BigLabel->rect().center());
        QCOMPARE(opened, QStringList{stored});

        // The magnifier follows a press on the large picture.
        auto *big = Control<QLabel>(form, "BigImage");
        QTest::mousePress(big, Qt::LeftButton, {}, big->rect().center());
        QVERIFY(form.MagnifierGlass->isVisible());
        QTest::mouseRelease(big, Qt::LeftButton, {}, big->rect().center());
        QVERIFY(!form.MagnifierGlass->isVisible());

        Click(obverse);
        QVERIFY(!LargeViewOpen(form));
        QVERIFY(form.TreeBaseLayout->isVisible());
        QCOMPARE(PanelTag(form), int(BigViewClosed));

        // Changing the side page closes the view as well.
        Click(obverse);
        QVERIFY(LargeViewOpen(form));
        form.SideTabs->setCurrentWidget(form.Tab2Themes);
        Settle();
        QVERIFY(!LargeViewOpen(form));

        // So does the pointer leaving the large picture.
        form.SideTabs->setCurrentWidget(form.Tab2Image);
        Settle();
        Click(obverse);
        QVERIFY(LargeViewOpen(form));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(big, &leave);
        QVERIFY(!LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewClosed));
    }

    // Reading a collection replaces the series the large view showed: the
    // view closes and the tree shows again.
    void readingACollectionClosesTheLargeView()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        const QString path = QDir(program.Home()).filePath(QStringLiteral("Saved.OVD"));
        program.Ui.pick({path});
        program.Trigger(QStringLiteral("SaveCoinData1"));
        QVERIFY(QFile::exists(path));
        tnodeinfo *series = RoundSeries(program.State());
        ClickSeries(form, series);
        Click(Control(form, "ViewSizeBtn"));
        QVERIFY(LargeViewOpen(form));
        QVERIFY(form.Seams.LoadDataFromFile(path, false));
        Settle();
        QVERIFY(!LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewClosed));
    }

    // A picture file that is there but cannot be read shows the no-image
    // label; nothing is reported.
    void damagedPictureShowsTheNoImageLabel()
    {
        tProgramFixture program(tScriptedUi::tUnscripted::Fail);
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tnodeinfo *series = RoundSeries(program.State());
        series->Obverse = QDir(program.Home()).filePath(QStringLiteral("broken.jpg"));
        WriteTestFile(series->Obverse, QByteArray("\xff\xd8\xff not a picture"));
        ClickSeries(form, series);
        QVERIFY(!Control(form, "Image2")->isVisible());
        QVERIFY(Control(form, "ObverseNoImageLabel")->isVisible());
    }

    // View Size opens the real-size view, the reference picker and the
    // legend box redraw it, and a second press closes it.
    void viewSizeOpensRedrawsAndCloses()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tnodeinfo *series = RoundSeries(program.State());
        ClickSeries(form, series);
        auto *button = Control<QPushButton>(form, "ViewSizeBtn");
        QVERIFY(button->isEnabled());

        Click(button);
        QVERIFY(LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewSize));
        QVERIFY(form.StackPickerLayout->isVisible());
        QVERIFY(!form.FavoriteBox->isVisible());
        QVERIFY(static_cast<TRotatedLabel *>(form.BigLabel)->text().startsWith(QStringLiteral(" Size: ")));
        QVERIFY(form.SeriesPictures->BigLabelFile.isEmpty());
        auto *big = Control<QLabel>(form, "BigImage");
        const QImage us = big->pixmap().toImage();
        QVERIFY(!us.isNull());

        auto *picker = Control<QComboBox>(form, "StackPickerBox");
        picker->setCurrentIndex(1);
        Settle();
        QVERIFY(LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewSize));
        const QImage euro = big->pixmap().toImage();
        QVERIFY(euro != us);

        Control<QCheckBox>(form, "LegendCheckBox")->click();
        Settle();
        QVERIFY(LargeViewOpen(form));
        QVERIFY(big->pixmap().toImage() != euro);

        Click(button);
        QVERIFY(!LargeViewOpen(form));
        QVERIFY(form.FavoriteBox->isVisible());
        QVERIFY(!form.StackPickerLayout->isVisible());

        // A series without measures offers no real-size view.
        tnodeinfo *country = series;
        while (country->ParentNode != program.State().EntireCollection.get())
            country = country->ParentNode;
        QCOMPARE(country->Measure1, 0.0f);
        ClickSeries(form, country);
        QVERIFY(!button->isVisible());
    }

    // Paper money: the note is drawn over the reference note, without the
    // coin reference picker, and the caption strip stands at the left.
    void viewSizeOfANote()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        // The new collection holds coins only; one series becomes a note
        // series of the size of current United States notes.
        tnodeinfo *note = RoundSeries(program.State());
        note->CoinShape = PaperMoneyShape;
        note->Measure1 = 155.956f;
        note->Measure2 = 66.294f;
        ClickSeries(form, note);
        QVERIFY(form.PaperLayout);
        auto *button = Control<QPushButton>(form, "ViewSizeBtn");
        Click(button);
        QVERIFY(LargeViewOpen(form));
        QCOMPARE(PanelTag(form), int(BigViewSize));
        QVERIFY(!form.StackPickerLayout->isVisible());
        QCOMPARE(form.SeriesViewArea->layout()->indexOf(form.BigLabelLayout), 0);
        const QPixmap shown = Control<QLabel>(form, "BigImage")->pixmap();
        QVERIFY(!shown.isNull());
        QVERIFY(std::abs(double(shown.width()) / shown.height() - 1000.0 / 444) < 0.05);
        Click(button);
        QVERIFY(!LargeViewOpen(form));
        QVERIFY(form.PaperLayout);
    }

    // "Special Series Images" in the Display menu: the chosen design's
    // picture names go into the series, the collection is marked modified
    // and the saved file holds them.
    void specialSeriesWindowWritesThePictureNames()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        // The new collection holds the catalogue's special series.
        tnodeinfo *q = s.QuarterNode;
        QVERIFY(q && s.ATBNode && s.DollarNode);
        WriteTestFile(s.FolderImagesRedirect + QStringLiteral("United States/State Quarters/Pennsylvania.jpg"),
                      PngBytes(Qt::gray, QSize(30, 30)));
        s.DataModified = false;

        program.Trigger(QStringLiteral("QuarterForm1"));
        QVERIFY(form.QuarterForm);
        TQuarterForm &w = *form.QuarterForm;
        QVERIFY(w.isVisible());
        QCOMPARE(w.ComboBox1->currentIndex(), 0);
        QCOMPARE(w.ListBox1->currentRow(), 0);
        QVERIFY(w.Label3->isVisible());  // no picture of Delaware here
        w.ListBox1->setCurrentRow(1);
        Settle();
        QVERIFY(w.Image1->isVisible() && !w.Label3->isVisible());
        // The design turns in and comes to rest as the picture itself.
        QTRY_COMPARE(w.PreviewAnimation->state(), QAbstractAnimation::Stopped);
        QCOMPARE(w.Image1->pixmap().toImage().pixelColor(w.Image1->pixmap().rect().center()), QColor(Qt::gray));

        // "Go to this series" selects the category's series; the window stays.
        Click(w.Button2);
        QCOMPARE(s.SelectedTreeNode, q);
        QVERIFY(w.isVisible());

        // The park quarters' list, at its second-to-last design.
        w.ComboBox1->setCurrentIndex(1);
        Settle();
        QCOMPARE(w.ListBox1->count(), 56);
        w.ListBox1->setCurrentRow(54);
        Settle();
        QCOMPARE(w.ListBox1->currentItem()->text(), QStringLiteral("Tallgrass Prairie (2020)"));

        Click(w.OKbutton);
        QCOMPARE(q->Obverse, QStringLiteral("~SQ~Obverse.jpg"));
        QCOMPARE(q->Reverse, QStringLiteral("~SQ~Pennsylvania.jpg"));
        QCOMPARE(s.ATBNode->Reverse, QStringLiteral("~SQ~Tallgrass Prairie.jpg"));
        QVERIFY(s.DataModified);
        // The selected series shows its new reverse at once.
        QVERIFY(Control<QLabel>(form, "Image3")->isVisible());
        QTRY_VERIFY(!form.QuarterForm);

        const QString path = QDir(program.Home()).filePath(QStringLiteral("Quarters.OVD"));
        program.Ui.pick({path});
        program.Trigger(QStringLiteral("SaveCoinData1"));
        tMainState read;
        QVERIFY(LoadDataFromFile(read, path, false));
        QVERIFY(read.QuarterNode);
        QCOMPARE(read.QuarterNode->Reverse, QStringLiteral("~SQ~Pennsylvania.jpg"));
        QVERIFY(read.ATBNode);
        QCOMPARE(read.ATBNode->Obverse, QStringLiteral("~SQ~ATB Obverse.jpg"));

        // Reopened, the window starts at the design chosen before.
        program.Trigger(QStringLiteral("QuarterForm1"));
        QCOMPARE(form.QuarterForm->ListBox1->currentRow(), 1);
        form.QuarterForm->close();
    }

    // A wide picture keeps its proportions in the small square, centred;
    // a photo larger than Qt's default limit (8000 x 6000) shows, decoded at
    // the size it is shown at, and opens large from the file at full size.
    void smallPicturesKeepProportionsAndDecodeAtTheirSize()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tnodeinfo *series = RoundSeries(program.State());
        QVERIFY(series);
        const QString wide = QDir(program.Home()).filePath(QStringLiteral("wide.png"));
        WriteTestFile(wide, PngBytes(Qt::darkGreen, QSize(400, 100)));
        const QString photo = QDir(program.Home()).filePath(QStringLiteral("photo.jpg"));
        {
            QImage big(8000, 6000, QImage::Format_RGB32);
            big.fill(Qt::darkRed);
            QVERIFY(big.save(photo, "JPEG", 50));
        }
        series->Obverse = wide;
        series->Reverse = photo;
        ClickSeries(form, series);

        auto *obverse = qobject_cast<TPictureBox *>(Control(form, "Image2"));
        QVERIFY(obverse && obverse->isVisible());
        const QRect drawn = obverse->PictureRect();
        const QRect box = obverse->contentsRect();
        QVERIFY(drawn.isValid());
        QCOMPARE(drawn.width(), box.width());
        QVERIFY(qAbs(drawn.height() * 4 - drawn.width()) <= 4);
        QVERIFY(qAbs((drawn.top() - box.top()) - (box.bottom() - drawn.bottom())) <= 1);

        auto *reverse = qobject_cast<TPictureBox *>(Control(form, "Image3"));
        QVERIFY(reverse && reverse->isVisible());
        const QSize decoded = reverse->pixmap().size();
        QVERIFY(!decoded.isEmpty());
        QVERIFY2(decoded.width() <= reverse->DecodeBox().width() && decoded.height() <= reverse->DecodeBox().height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(decoded.width()).arg(decoded.height())));
        QVERIFY(qAbs(decoded.width() * 3 - decoded.height() * 4) <= 8);

        Click(reverse);
        QVERIFY(LargeViewOpen(form));
        QCOMPARE(form.SeriesPictures->BigLabelFile, photo);
        QVERIFY(!Control<QLabel>(form, "BigImage")->pixmap().isNull());
    }

    // The strip on the Coins page slides out with the selected entry's
    // pictures and slides back at a second click.
    void thumbnailStripToggles()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        tnodeinfo *series = nullptr;
        ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
            if (!series && n->NodeMode != NodeModeComment && n->CoinShape != PaperMoneyShape && n->ChildNodes.empty() &&
                std::count_if(s.PriceList.begin(), s.PriceList.end(),
                              [&](const auto &p) { return p->CoinType == n->CoinType; }) >= 1)
                series = n;
        });
        QVERIFY(series);
        ClickSeries(form, series);
        ClickTab(form, PageCoins);
        Click(Control(form, "NewCoinBtn"));
        QCOMPARE(s.CurrCoinList.size(), size_t(1));
        const QString front = QDir(program.Home()).filePath(QStringLiteral("front.png"));
        WriteTestFile(front, PngBytes(Qt::cyan, QSize(20, 20)));
        s.CurrCoinList.front()->Obverse = front;

        auto *slide = Control<TRotatedLabel>(form, "ImageSlideLabel");
        QVERIFY(!s.ThumbNailsOut);
        QCOMPARE(form.ThumbnailPanel->width(), 0);
        Click(slide);
        QVERIFY(s.ThumbNailsOut);
        QCOMPARE(slide->text(), QStringLiteral("\u25B2 Images \u25B2"));
        QTRY_COMPARE(form.ThumbnailPanel->width(), form.ThumbnailPanel->height() / 2);
        QVERIFY(form.ThumbnailPanel->width() > 0);
        auto *obverse = Control<QLabel>(form, "ThumbnailObvImage");
        QVERIFY(obverse->isVisible() && !obverse->pixmap().isNull());
        auto *reverseLabel = Control<QLabel>(form, "ThumbnailRevLabel");
        QVERIFY(reverseLabel->isVisible());
        QCOMPARE(reverseLabel->text(), QStringLiteral("No\nReverse\nImage"));

        // A tall picture keeps its proportions in its square, centred.
        const QString tall = QDir(program.Home()).filePath(QStringLiteral("tall.png"));
        WriteTestFile(tall, PngBytes(Qt::magenta, QSize(50, 200)));
        s.CurrCoinList.front()->Reverse = tall;
        form.Thumbnails->ShowThumbnails(s.CoinGridRow);
        auto *reverse = qobject_cast<TPictureBox *>(Control(form, "ThumbnailRevImage"));
        QVERIFY(reverse && reverse->isVisible());
        const QRect drawn = reverse->PictureRect();
        const QRect box = reverse->contentsRect();
        QCOMPARE(drawn.height(), box.height());
        QVERIFY(qAbs(drawn.width() * 4 - drawn.height()) <= 4);
        QVERIFY(qAbs((drawn.left() - box.left()) - (box.right() - drawn.right())) <= 1);

        Click(slide);
        QVERIFY(!s.ThumbNailsOut);
        QCOMPARE(slide->text(), QStringLiteral("\u25BC Images \u25BC"));
        QTRY_COMPARE(form.ThumbnailPanel->width(), 0);
    }

    // An entry of the state quarters without pictures of its own shows the
    // stock pictures of its design; choosing another design in the year,
    // mint and variety box shows that design's (the edit re-shows the row).
    void stripShowsTheStockPicturesOfASpecialSeries()
    {
        tProgramFixture program;
        StartWithNewCollection(program);
        TMainForm &form = program.Form();
        tMainState &s = program.State();
        const QString folder = s.FolderImagesRedirect + QStringLiteral("United States/State Quarters/");
        WriteTestFile(folder + QStringLiteral("Obverse.jpg"), PngBytes(Qt::white));
        WriteTestFile(folder + QStringLiteral("Delaware.jpg"), PngBytes(Qt::red));
        WriteTestFile(folder + QStringLiteral("Pennsylvania.jpg"), PngBytes(Qt::blue));
        QVERIFY(s.QuarterNode);
        ClickSeries(form, s.QuarterNode);
        ClickTab(form, PageCoins);
        Click(Control(form, "NewCoinBtn"));
        Click(Control(form, "ImageSlideLabel"));
        auto *dateMint = Control<QComboBox>(form, "DateMintBox");
        auto reverseColour = [&form] {
            const QPixmap shown = Control<QLabel>(form, "ThumbnailRevImage")->pixmap();
            return shown.isNull() ? QColor() : shown.toImage().pixelColor(0, 0);
        };
        const int delaware = dateMint->findText(QStringLiteral("Delaware"), Qt::MatchContains);
        const int pennsylvania = dateMint->findText(QStringLiteral("Pennsylvania"), Qt::MatchContains);
        QVERIFY(delaware >= 0 && pennsylvania >= 0);
        dateMint->setCurrentIndex(delaware);
        Settle();
        QVERIFY(Control(form, "ThumbnailObvImage")->isVisible());
        QCOMPARE(reverseColour(), QColor(Qt::red));
        dateMint->setCurrentIndex(pennsylvania);
        Settle();
        QCOMPARE(s.CurrCoinList.front()->Variety.contains(QStringLiteral("Pennsylvania")), true);
        QCOMPARE(reverseColour(), QColor(Qt::blue));
    }
};

QTEST_MAIN(tst_SeriesPicturesProgram)
#include "tst_seriespictures.moc"
