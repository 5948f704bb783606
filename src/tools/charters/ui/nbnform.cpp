#include "tools/charters/ui/nbnform.h"

#include <QBoxLayout>
#include <QFile>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "core/files/valuestream.h"
#include "tools/common/ui/toolwindow.h"

namespace {

// What a symbol shows: a filled mark for a note the bank issued, a cross
// for one it did not.
const QString IssuedMark = QStringLiteral("\u25A0");
const QString NotIssuedMark = QStringLiteral("\u2716");

} // namespace

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

int TBankTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int TBankTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant TBankTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= rowCount())
        return {};
    const tNBN &b = banks_[static_cast<size_t>(shown_[static_cast<size_t>(index.row())])];
    switch (index.column()) {
    case 0: return QString::number(b.Charter);
    case 1: return b.BankName;
    case 2: return b.City;
    case 3: return b.State;
    case 4: return b.County;
    default: return {};
    }
}

QVariant TBankTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char *const titles[] = {"Charter", "Bank Name", "City", "State", "County"};
    return section >= 0 && section < 5 ? QString::fromLatin1(titles[section]) : QVariant();
}

void TBankTableModel::Reset(const std::function<void()> &change)
{
    beginResetModel();
    change();
    endResetModel();
}

TNBNForm::TNBNForm(QWidget *parent) : QDialog(parent, ToolWindowFlags())
{
    Build();
    QFile f(QStringLiteral(":/tools/NBlist"));
    if (f.open(QIODevice::ReadOnly))
        Load(f.readAll());
    else
        Load({});
}

TNBNForm::TNBNForm(const QByteArray &stream, QWidget *parent) : QDialog(parent, ToolWindowFlags())
{
    Build();
    Load(stream);
}

void TNBNForm::Build()
{
    setObjectName(QStringLiteral("NBNForm"));
    setWindowTitle(QStringLiteral("Orvanta: National Bank Charters"));
    resize(716, 724);

    auto *top = new QHBoxLayout;
    const char *const sortCaptions[] = {"Charter", "Bank name", "City", "State", "County"};
    for (int t = 0; t < 5; ++t) {
        auto *b = new QPushButton(QString::fromLatin1(sortCaptions[t]));
        b->setObjectName(QStringLiteral("Button%1").arg(t + 1));
        connect(b, &QPushButton::clicked, this, [this, t] { SortByColumn(t); });
        SortButtons[static_cast<size_t>(t)] = b;
        top->addWidget(b);
    }

    model_ = new TBankTableModel(banks_, shown_, this);
    Grid1 = new QTableView;
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setModel(model_);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->verticalHeader()->hide();
    Grid1->horizontalHeader()->setSectionsClickable(false);
    Grid1->setColumnWidth(0, 70);
    Grid1->setColumnWidth(1, 300);
    Grid1->setColumnWidth(2, 130);
    Grid1->setColumnWidth(3, 50);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!inSort_ && current.isValid())
                    ShowSymbols(current.row());
            });

    Layout3 = new QWidget;
    Layout3->setObjectName(QStringLiteral("Layout3"));
    auto *filterBar = new QHBoxLayout(Layout3);
    filterBar->setContentsMargins(0, 0, 0, 0);
    Button6 = new QPushButton(QStringLiteral("Clear filter"));
    Button6->setObjectName(QStringLiteral("Button6"));
    connect(Button6, &QPushButton::clicked, this, &TNBNForm::ClearFilter);
    FilterLabel = new QLabel;
    FilterLabel->setObjectName(QStringLiteral("FilterLabel"));
    filterBar->addWidget(Button6);
    filterBar->addWidget(FilterLabel, 1);
    Layout3->hide();

    auto *symbols = new QGridLayout;
    symbols->setHorizontalSpacing(4);
    symbols->setVerticalSpacing(0);
    for (int d = 0; d < CharterDenominations; ++d) {
        auto *caption = new TClickLabel(CharterDenominationCaptions()[d]);
        caption->setObjectName(QStringLiteral("D%1Label").arg(CharterDenominationCaptions()[d].mid(1)));
        caption->setAlignment(Qt::AlignCenter);
        caption->setCursor(Qt::PointingHandCursor);
        connect(caption, &TClickLabel::clicked, this,
                [this, d] { ApplyFilter({tCharterFilter::ByDenomination, d, -1}); });
        DenominationLabels[static_cast<size_t>(d)] = caption;
        symbols->addWidget(caption, 0, d + 1);
    }
    for (int s = 0; s < CharterSeriesRows; ++s) {
        auto *caption = new TClickLabel(CharterSeriesCaptions()[s]);
        caption->setObjectName(QStringLiteral("Label%1").arg(s + 1));
        caption->setCursor(Qt::PointingHandCursor);
        connect(caption, &TClickLabel::clicked, this, [this, s] { ApplyFilter({tCharterFilter::BySeries, -1, s}); });
        SeriesLabels[static_cast<size_t>(s)] = caption;
        symbols->addWidget(caption, s + 1, 0);
    }
    QFont symbolFont = font();
    symbolFont.setPixelSize(18);
    for (int s = 0; s < CharterSeriesRows; ++s)
        for (int d = 0; d < CharterDenominations; ++d) {
            auto *l = new TClickLabel(NotIssuedMark);
            l->setObjectName(QStringLiteral("Symbol%1").arg(d * 10 + s));
            l->setFixedSize(24, 24);
            l->setAlignment(Qt::AlignCenter);
            l->setFont(symbolFont);
            if (CharterSymbolEnabled(d, s)) {
                l->setProperty("Tag", d * 10 + s);
                l->setCursor(Qt::PointingHandCursor);
                connect(l, &TClickLabel::clicked, this,
                        [this, d, s] { ApplyFilter({tCharterFilter::Symbol, d, s}); });
            } else {
                l->setProperty("Tag", -1);
                auto *dim = new QGraphicsOpacityEffect(l);
                dim->setOpacity(0.2);
                l->setGraphicsEffect(dim);
            }
            LabelArray[static_cast<size_t>(d * 10 + s)] = l;
            symbols->addWidget(l, s + 1, d + 1, Qt::AlignCenter);
        }

    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(QStringLiteral("Year Chartered:")));
    Label12 = new QLabel;
    Label12->setObjectName(QStringLiteral("Label12"));
    yearRow->addWidget(Label12);
    yearRow->addStretch();
    OkBtn = new QPushButton(QStringLiteral("OK"));
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::close);
    yearRow->addWidget(OkBtn);
    auto *instruction = new QLabel(QStringLiteral(
        "Click on any of the symbols or text at left to filter the list so that it shows only banks which issued "
        "that type and/or denomination of note."));
    instruction->setWordWrap(true);
    LoadErrorLabel = new QLabel;
    LoadErrorLabel->setObjectName(QStringLiteral("LoadErrorLabel"));
    LoadErrorLabel->setWordWrap(true);
    LoadErrorLabel->hide();

    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(LoadErrorLabel);
    v->addWidget(Grid1, 1);
    v->addWidget(Layout3);
    v->addLayout(symbols);
    v->addWidget(instruction);
    v->addLayout(yearRow);
}

void TNBNForm::Load(const QByteArray &stream)
{
    try {
        banks_ = ReadBanks(stream);
        loaded_ = true;
    } catch (const StreamReadError &e) {
        banks_.clear();
        LoadErrorLabel->setText(
            QStringLiteral("The list of national banks could not be read (%1).").arg(QString::fromUtf8(e.what())));
        LoadErrorLabel->show();
    }
    const tIssueCounts counts = IssueCounts(banks_);
    for (int s = 0; s < CharterSeriesRows; ++s)
        for (int d = 0; d < CharterDenominations; ++d)
            if (CharterSymbolEnabled(d, s))
                LabelArray[static_cast<size_t>(d * 10 + s)]->setToolTip(
                    QString::number(counts[static_cast<size_t>(s)][static_cast<size_t>(d)]) +
                    QStringLiteral(" banks issued this note."));
    model_->Reset([this] { shown_ = FilterBanks(banks_, {}); });
    ShowRowZero();
}

void TNBNForm::ShowSymbols(int row)
{
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return;
    symbolsOf_ = shown_[static_cast<size_t>(row)];
    const tNBN &b = banks_[static_cast<size_t>(symbolsOf_)];
    Label12->setText(QString::number(b.CharterYear));
    for (int s = 0; s < CharterSeriesRows; ++s)
        for (int d = 0; d < CharterDenominations; ++d) {
            TClickLabel *l = LabelArray[static_cast<size_t>(d * 10 + s)];
            if (!CharterSymbolEnabled(d, s)) {
                l->setText(NotIssuedMark);
                continue;
            }
            const bool issued = (b.SeriesIssued[static_cast<size_t>(s)] >> d & 1) != 0;
            l->setText(issued ? IssuedMark : NotIssuedMark);
            l->setStyleSheet(issued ? QStringLiteral("color: #008000") : QStringLiteral("color: #FF0000"));
        }
}

void TNBNForm::ShowRowZero()
{
    if (shown_.empty())
        return;
    Grid1->setCurrentIndex(model_->index(0, 0));
    Grid1->scrollToTop();
    ShowSymbols(0);
}

void TNBNForm::ApplyFilter(const tCharterFilter &filter)
{
    model_->Reset([&] { shown_ = FilterBanks(banks_, filter); });
    FilterLabel->setText(FilterText(filter));
    Layout3->show();
    ShowRowZero();
}

void TNBNForm::ClearFilter()
{
    model_->Reset([&] { shown_ = FilterBanks(banks_, {}); });
    Layout3->hide();
    ShowRowZero();
}

void TNBNForm::SortByColumn(int button)
{
    if (inSort_)
        return;
    inSort_ = true;
    const int row = Grid1->currentIndex().row();
    model_->Reset([&] { SortShown(banks_, shown_, button); });
    // The selected row index stays; the symbols keep showing their bank
    // until another row is chosen.
    if (row >= 0 && row < static_cast<int>(shown_.size()))
        Grid1->setCurrentIndex(model_->index(row, 0));
    inSort_ = false;
}
