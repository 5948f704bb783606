#include "reports/bin/ui/reportbinpane.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "browse/shell/mainlayout.h"
#include "core/model/currproc.h"
#include "reports/bin/reportbin.h"

namespace {

template <class T>
T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void PixelFont(QWidget *w, int px, bool bold = false)
{
    QFont f = w->font();
    f.setPixelSize(px);
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

TReportBinPane::TReportBinPane(tMainState &state, QWidget *parent) : QWidget(parent), state_(state)
{
    setObjectName(QStringLiteral("ReportBinPane"));
    BinGrid = Named(new QTableWidget(0, BinColumnCount, this), "BinGrid");
    QStringList titles;
    for (int c = 0; c < BinColumnCount; ++c)
        titles << BinColumnTitle(c);
    BinGrid->setHorizontalHeaderLabels(titles);
    BinGrid->verticalHeader()->hide();
    BinGrid->verticalHeader()->setDefaultSectionSize(32);
    BinGrid->horizontalHeader()->setSectionsMovable(true);
    BinGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    BinGrid->horizontalHeader()->setStretchLastSection(true);
    BinGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    BinGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    BinGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BinGrid->setWordWrap(false);
    PixelFont(BinGrid, 16);
    PixelFont(BinGrid->horizontalHeader(), 16);

    pictureColumn_ = Named(new QWidget(this), "Layout8");
    Panel8 = Named(new QFrame(pictureColumn_), "Panel8");
    Panel10 = Named(new QFrame(pictureColumn_), "Panel10");
    ImageControl1 = Named(new QLabel(Panel8), "ImageControl1");
    ImageControl2 = Named(new QLabel(Panel10), "ImageControl2");
    for (QLabel *box : {ImageControl1, ImageControl2}) {
        box->setAlignment(Qt::AlignCenter);
        box->setScaledContents(false);
        box->hide();
    }
    obverseLabel_ = Named(new QLabel(QStringLiteral("Obverse"), pictureColumn_), "ObverseBinLabel");
    reverseLabel_ = Named(new QLabel(QStringLiteral("Reverse"), pictureColumn_), "ReverseBinLabel");
    for (QLabel *l : {obverseLabel_, reverseLabel_}) {
        PixelFont(l, 16, true);
        l->adjustSize();
    }
    buttons_ = Named(new QWidget(pictureColumn_), "Layout9");
    auto *bl = new QVBoxLayout(buttons_);
    bl->setContentsMargins(0, 0, 0, 0);
    BinRadioButton1 = Named(new QRadioButton(QStringLiteral("Show \"Series\" images"), buttons_), "BinRadioButton1");
    BinRadioButton2 = Named(new QRadioButton(QStringLiteral("Show \"Coins\" images"), buttons_), "BinRadioButton2");
    BinRadioButton2->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(BinRadioButton1);
    group->addButton(BinRadioButton2);
    GoToThisCoinBtn = Named(new QPushButton(QStringLiteral("Go to this entry"), buttons_), "GoToThisCoinBtn");
    RemoveFromBinBtn = Named(new QPushButton(QStringLiteral("Remove from bin"), buttons_), "RemoveFromBinBtn");
    EmptyTheBinBtn = Named(new QPushButton(QStringLiteral("Empty the bin"), buttons_), "EmptyTheBinBtn");
    for (QWidget *w : std::initializer_list<QWidget *>{BinRadioButton1, BinRadioButton2, GoToThisCoinBtn,
                                                       RemoveFromBinBtn, EmptyTheBinBtn})
        bl->addWidget(w);
    buttons_->adjustSize();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BinGrid, 1);
    layout->addWidget(pictureColumn_);

    connect(BinGrid, &QTableWidget::currentCellChanged, this, [this](int row) { ShowBinPictures(row); });
    // Both radios share the handler; only the one that comes on shows.
    for (QRadioButton *r : {BinRadioButton1, BinRadioButton2})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ShowBinPictures(BinGrid->currentRow());
        });
    connect(RemoveFromBinBtn, &QPushButton::clicked, this, &TReportBinPane::RemoveFromBinBtnClick);
    connect(EmptyTheBinBtn, &QPushButton::clicked, this, &TReportBinPane::EmptyTheBinBtnClick);
    connect(GoToThisCoinBtn, &QPushButton::clicked, this, &TReportBinPane::GoToThisCoinBtnClick);
}

void TReportBinPane::RefreshBinList()
{
    const int row = ::RefreshBinList(state_, BinGrid->currentRow());
    const QSignalBlocker block(BinGrid);
    const int rows = static_cast<int>(state_.BinList.size());
    BinGrid->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const tCoinInfo &coin = *state_.BinList[static_cast<size_t>(r)];
        // By the column's place in the design: a moved column keeps its
        // content because the header maps it, not the model.
        for (int c = 0; c < BinColumnCount; ++c) {
            auto *item = new QTableWidgetItem(BinCellText(state_, coin, c));
            item->setTextAlignment(BinCellAlignment(c));
            BinGrid->setItem(r, c, item);
        }
    }
    if (row >= 0) {
        BinGrid->setCurrentCell(row, std::max(0, BinGrid->currentColumn()));
        BinGrid->scrollTo(BinGrid->model()->index(row, 0));
    }
    ShowBinPictures(row);
}

tCoinInfo *TReportBinPane::CurrentEntry() const
{
    const int row = BinGrid->currentRow();
    if (row < 0 || row >= static_cast<int>(state_.BinList.size()))
        return nullptr;
    return state_.BinList[static_cast<size_t>(row)];
}

void TReportBinPane::ShowPicture(QLabel *box, QWidget *panel, const QString &path)
{
    QImage image;
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        image = reader.read();
    }
    if (image.isNull()) {
        box->clear();
        box->hide();
        return;
    }
    box->setGeometry(panel->rect());
    box->setPixmap(QPixmap::fromImage(image.scaled(panel->size().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio,
                                                   Qt::SmoothTransformation)));
    box->setProperty("PicturePath", path);
    box->show();
}

void TReportBinPane::ShowBinPictures(int row)
{
    CurrProcGuard guard(23500);
    if (row < 0 || row >= static_cast<int>(state_.BinList.size())) {
        ShowPicture(ImageControl1, Panel8, {});
        ShowPicture(ImageControl2, Panel10, {});
        return;
    }
    const tCoinInfo &coin = *state_.BinList[static_cast<size_t>(row)];
    QString obverse, reverse;
    if (BinRadioButton1->isChecked()) {
        if (coin.Folder && SeriesPicturePath) {
            obverse = SeriesPicturePath(*coin.Folder, true);
            reverse = SeriesPicturePath(*coin.Folder, false);
        }
    } else {
        obverse = BinCoinPicturePath(state_, coin.Obverse);
        reverse = BinCoinPicturePath(state_, coin.Reverse);
    }
    ShowPicture(ImageControl1, Panel8, obverse);
    ShowPicture(ImageControl2, Panel10, reverse);
}

void TReportBinPane::RemoveFromBinBtnClick()
{
    if (!RemoveFromBin(state_, CurrentEntry()))
        return;
    RefreshBinList();
    Q_EMIT BinChanged();
}

void TReportBinPane::EmptyTheBinBtnClick()
{
    EmptyTheBin(state_);
    BinGrid->setRowCount(0);
    ShowBinPictures(-1);
    Q_EMIT BinChanged();
}

void TReportBinPane::GoToThisCoinBtnClick()
{
    CurrProcGuard guard(28500);
    if (tCoinInfo *coin = CurrentEntry(); coin && GoToCoin)
        GoToCoin(coin);
}

void TReportBinPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ArrangePictures();
}

void TReportBinPane::ArrangePictures()
{
    const tBinColumn c = ComputeBinColumn({double(width()), double(height()), QSizeF(buttons_->size()),
                                           QSizeF(obverseLabel_->size()), QSizeF(reverseLabel_->size())});
    pictureColumn_->setFixedWidth(c.Width);
    Panel8->setGeometry(c.Pictures.ObversePanel);
    Panel10->setGeometry(c.Pictures.ReversePanel);
    obverseLabel_->move(c.Pictures.ObverseLabel);
    reverseLabel_->move(c.Pictures.ReverseLabel);
    buttons_->move(c.BinButtons);
    ShowBinPictures(BinGrid->currentRow());
}
