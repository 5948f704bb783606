// The Coins page's thumbnail strip on its own: which side shows a picture
// or its label, and that a picture already shown is not read again.
#include <QLabel>
#include <QTemporaryDir>
#include <QVariantAnimation>
#include <QtTest>

#include "core/model/mainstate.h"
#include "browse/shell/ui/mainwidgets.h"
#include "browse/coins/ui/thumbnailstrip.h"
#include "support/testsupport.h"

namespace {

struct tStrip {
    QTemporaryDir Dir;
    tMainState State;
    QWidget Panel;
    TRotatedLabel Slide{90};
    TThumbnailStrip *Strip = nullptr;
    std::vector<std::unique_ptr<tCoinInfo>> Entries;

    tStrip()
    {
        State.FolderImagesRedirect = Dir.path() + QLatin1Char('/');
        Panel.resize(0, 400);
        Strip = new TThumbnailStrip(State, &Panel, &Slide);
    }
    QString File(const char *name) const { return Dir.filePath(QString::fromLatin1(name)); }
    tCoinInfo &Add(const QString &obverse, const QString &reverse = QString())
    {
        auto e = std::make_unique<tCoinInfo>();
        e->CoinType = 2001;
        e->Year = 1990;
        e->Obverse = obverse;
        e->Reverse = reverse;
        State.CurrCoinList.push_back(e.get());
        Entries.push_back(std::move(e));
        return *Entries.back();
    }
    QColor ObverseColour() const { return Strip->ThumbnailObvImage->pixmap().toImage().pixelColor(0, 0); }
};

} // namespace

class tst_ThumbnailStrip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two entries sharing one picture: moving between them does not read
    // the file again (here the file changed on disk meanwhile).
    void theSamePictureIsNotReadAgain()
    {
        tStrip t;
        WriteTestFile(t.File("shared.png"), PngBytes(Qt::red));
        WriteTestFile(t.File("other.png"), PngBytes(Qt::blue));
        t.Add(t.File("shared.png"));
        t.Add(t.File("shared.png"));
        t.Add(t.File("other.png"));
        t.State.ThumbNailsOut = true;
        t.Strip->ShowThumbnails(0);
        QCOMPARE(t.ObverseColour(), QColor(Qt::red));
        WriteTestFile(t.File("shared.png"), PngBytes(Qt::green));
        t.Strip->ShowThumbnails(1);
        QCOMPARE(t.ObverseColour(), QColor(Qt::red));
        QCOMPARE(t.Strip->StoreThumbObvPath, t.File("shared.png"));
        // Another file is read, and coming back reads the shared one anew.
        t.Strip->ShowThumbnails(2);
        QCOMPARE(t.ObverseColour(), QColor(Qt::blue));
        t.Strip->ShowThumbnails(0);
        QCOMPARE(t.ObverseColour(), QColor(Qt::green));
    }

    void sides_data()
    {
        QTest::addColumn<QString>("obverseFile");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("pictureShown");
        QTest::newRow("picture") << "a.png" << PngBytes(Qt::red) << true << 0 << true;
        QTest::newRow("damaged picture shows the label") << "a.png" << QByteArray("not a picture") << true << 0
                                                         << false;
        QTest::newRow("pdf attachment shows the label") << "a.pdf" << QByteArray("%PDF-1.4") << true << 0 << false;
        QTest::newRow("closed strip") << "a.png" << PngBytes(Qt::red) << false << 0 << false;
        QTest::newRow("row outside the list") << "a.png" << PngBytes(Qt::red) << true << 5 << false;
        QTest::newRow("no row") << "a.png" << PngBytes(Qt::red) << true << -1 << false;
    }

    void sides()
    {
        QFETCH(QString, obverseFile);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, open);
        QFETCH(int, row);
        QFETCH(bool, pictureShown);
        tStrip t;
        const QString file = t.Dir.filePath(obverseFile);
        WriteTestFile(file, bytes);
        t.Add(file);
        t.State.ThumbNailsOut = open;
        t.Panel.show();
        t.Strip->ShowThumbnails(row);
        QCOMPARE(t.Strip->ThumbnailObvImage->isVisibleTo(&t.Panel), pictureShown);
        QCOMPARE(t.Strip->ThumbnailObvLabel->isVisibleTo(&t.Panel), !pictureShown);
        if (!pictureShown)
            QCOMPARE(t.Strip->ThumbnailObvLabel->text(), QStringLiteral("No\nObverse\nImage"));
        // The entry has no reverse at all.
        QCOMPARE(t.Strip->ThumbnailRevLabel->text(), QStringLiteral("No\nReverse\nImage"));
    }

    // Opening lays two squares of half the panel's height beside each
    // other's edge and shows the current row; closing shrinks to nothing.
    void placeOpensAndCloses()
    {
        tStrip t;
        WriteTestFile(t.File("a.png"), PngBytes(Qt::red));
        t.Add(t.File("a.png"));
        t.State.CoinGridRow = 0;
        t.State.ThumbNailsOut = true;
        t.Strip->PlaceThumbnailPanel(false);
        QCOMPARE(t.Panel.width(), 200);
        QCOMPARE(t.Strip->ThumbnailObvPanel->geometry(), QRect(0, 0, 200, 200));
        QCOMPARE(t.Strip->ThumbnailRevPanel->geometry(), QRect(0, 200, 200, 200));
        QCOMPARE(t.Slide.text(), QStringLiteral("\u25B2 Images \u25B2"));
        QCOMPARE(t.ObverseColour(), QColor(Qt::red));

        t.Strip->Toggle();
        QVERIFY(!t.State.ThumbNailsOut);
        QCOMPARE(t.Slide.text(), QStringLiteral("\u25BC Images \u25BC"));
        QTRY_COMPARE(t.Panel.width(), 0);
        // Reopening shows the current row again.
        t.Strip->StoreThumbObvPath.clear();
        t.Strip->ThumbnailObvImage->clear();
        t.Strip->Toggle();
        QCOMPARE(t.ObverseColour(), QColor(Qt::red));
        QTRY_COMPARE(t.Panel.width(), 200);
    }
};

QTEST_MAIN(tst_ThumbnailStrip)
#include "tst_thumbnailstrip.moc"
