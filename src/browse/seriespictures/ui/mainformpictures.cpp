// The series pictures in the main window: the small pictures and the large
// view of the Series page, the real-size view, the Coins page's thumbnail
// strip and the "Special Series Images" window (Display menu).
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "core/program/ui/centring.h"
#include "browse/seriespictures/seriespictures.h"
#include "browse/tree/seriesselection.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/seriespictures/ui/quarterform.h"
#include "browse/seriespictures/ui/seriespicturepanel.h"
#include "browse/coins/ui/thumbnailstrip.h"

void TMainForm::InstallSeriesPictures()
{
    SeriesPictures = new TSeriesPicturePanel(*this);
    if (!Seams.FullPath)
        Seams.FullPath = [this](const QString &path, int country, bool obverse, bool paper) {
            return fullpath(State, path, country, obverse, paper);
        };
    if (!Seams.BigImageDown)
        Seams.BigImageDown = [this] { SeriesPictures->BigImageDown(); };
    // A collection being read replaces the series the large view shows
    // (after the window has hidden the pages of entries).
    QObject::connect(State.Events.get(), &tStateEvents::HideCoinPages, this,
                     [this] { SeriesPictures->BigImageDown(); });
    if (!Seams.ViewSizeBtnClick)
        Seams.ViewSizeBtnClick = [this](QObject *sender) { SeriesPictures->ViewSizeBtnClick(sender); };
    tSelectionSeams &sel = SelectionSeams;
    if (!sel.ShowImage)
        sel.ShowImage = [this](const QString &picture, int country, bool obverse, bool paper) {
            SeriesPictures->ShowImage(obverse ? ObverseImage : ReverseImage, picture, country, obverse, paper);
        };
    if (!sel.SetViewSizeVisible)
        sel.SetViewSizeVisible = [this](bool visible) { ViewSizeBtn->setVisible(visible); };

    // The strip's panel stands where the Coins page kept a place for it:
    // it gives way to the totals when several entries are marked.
    if (CoinGridPage && CoinGridPage->ThumbnailPanel != ThumbnailPanel) {
        delete CoinGridPage->ThumbnailPanel;
        CoinGridPage->ThumbnailPanel = ThumbnailPanel;
    }
    Thumbnails = new TThumbnailStrip(State, ThumbnailPanel, ImageSlideLabel);
    if (!Seams.PlaceThumbnailPanel)
        Seams.PlaceThumbnailPanel = [this](bool animate) { Thumbnails->PlaceThumbnailPanel(animate); };
    if (!sel.ShowThumbnails)
        sel.ShowThumbnails = [this] { Thumbnails->ShowThumbnails(State.CoinGridRow); };
    if (CoinGridPage)
        CoinGridPage->RowShown = [this, before = CoinGridPage->RowShown](int row) {
            if (before)
                before(row);
            Thumbnails->ShowThumbnails(row);
        };

    if (auto *special = findChild<QAction *>(QStringLiteral("QuarterForm1")))
        connect(special, &QAction::triggered, this, &TMainForm::QuarterForm1Click);
}

void TMainForm::QuarterForm1Click()
{
    // One window at a time: a second request brings the open one forward.
    if (!QuarterForm) {
        QuarterForm = new TQuarterForm(State, this);
        QuarterForm->SelectSeriesNode = [this](tnodeinfo *series) {
            CallSeam(Seams.BigImageDown);
            State.SelectedTreeNode = series;
            CallSeam(Seams.MakeTreeNodeVisible, series);
            Q_EMIT State.Events->SeriesSelected();
            CallSeam(Seams.RenderTree);
        };
        QuarterForm->RefreshMainImages = [this] {
            const tnodeinfo *n = State.SelectedTreeNode;
            if (!n)
                return;
            const bool paper = n->CoinShape == PaperMoneyShape;
            SeriesPictures->ShowImage(ObverseImage, n->Obverse, n->Country, true, paper);
            SeriesPictures->ShowImage(ReverseImage, n->Reverse, n->Country, false, paper);
        };
        QuarterForm->CollectionModified = [this] {
            Q_EMIT State.Events->SetMainCaption();
            Q_EMIT State.Events->SetSaveMenuVisibility();
        };
    }
    // Centred over the main window on every request, also when it was open.
    const QRect m = geometry();
    QuarterForm->move(m.left() + (m.width() - QuarterForm->width()) / 2,
                      m.top() + (m.height() - QuarterForm->height()) / 2);
    QuarterForm->showNormal();
    QuarterForm->raise();
    QuarterForm->activateWindow();
}
