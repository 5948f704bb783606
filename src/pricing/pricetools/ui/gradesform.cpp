#include "pricing/pricetools/ui/gradesform.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>

#include "core/program/ui/pixelfont.h"

namespace {

constexpr int ColumnCount = 4;  // the standard scale, then user scales 1..3

} // namespace

TGradesForm::TGradesForm(tGradeTitles &titles, std::function<void(bool)> applied, QWidget *parent)
    : QDialog(parent), titles_(titles), edit_(titles), applied_(std::move(applied))
{
    setObjectName(QStringLiteral("GradesForm"));
    setWindowTitle(QStringLiteral("Orvanta: User Defined Grade Scales"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(508, 438);

    Grid1 = new QTableWidget(0, ColumnCount, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setHorizontalHeaderLabels({QStringLiteral("Sheldon Scale"), QStringLiteral("User Scale 1"),
                                      QStringLiteral("User Scale 2"), QStringLiteral("User Scale 3")});
    for (int c = 0; c < ColumnCount; ++c)
        Grid1->setColumnWidth(c, 120);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(32);
    Grid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    SetPixelFont(Grid1, 18);
    connect(Grid1, &QTableWidget::itemChanged, this, &TGradesForm::Grid1SetValue);

    TabControl1 = new QTabBar(this);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setShape(QTabBar::RoundedSouth);
    TabControl1->addTab(QStringLiteral("Coins"));
    TabControl1->addTab(QStringLiteral("Paper money"));
    TabControl1->setTabData(0, GradeKindCoins);
    TabControl1->setTabData(1, GradeKindPaper);
    connect(TabControl1, &QTabBar::currentChanged, this, &TGradesForm::TabControl1Change);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setFixedSize(105, 41);
    SetPixelFont(OkBtn, 16);
    connect(OkBtn, &QPushButton::clicked, this, &TGradesForm::OkBtnClick);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setFixedSize(105, 41);
    SetPixelFont(CancelBtn, 16);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto *box = new QVBoxLayout(this);
    box->addWidget(Grid1, 1);
    box->addWidget(TabControl1);
    box->addLayout(buttons);

    TabControl1Change(0);
}

void TGradesForm::TabControl1Change(int index)
{
    entryIndex_ = TabControl1->tabData(index).toInt();
    FillGrid();
}

void TGradesForm::FillGrid()
{
    filling_ = true;
    const QSignalBlocker block(Grid1);
    Grid1->setUpdatesEnabled(false);
    const int rows = GradeRowCount(entryIndex_);
    Grid1->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem(edit_.Title(entryIndex_, c, r));
            item->setTextAlignment(Qt::AlignCenter);
            if (!tGradeScaleEdit::Editable(entryIndex_, c, r)) {
                // The standard titles read as row headers and take no typing.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(Grid1->palette().button());
                item->setForeground(Grid1->palette().buttonText());
            }
            Grid1->setItem(r, c, item);
        }
    Grid1->setUpdatesEnabled(true);
    filling_ = false;
}

void TGradesForm::Grid1SetValue(QTableWidgetItem *item)
{
    if (filling_ || !item)
        return;
    const int r = item->row();
    const int c = item->column();
    edit_.SetTitle(entryIndex_, c, r, item->text());
    // Show what is kept: at most ten characters of the file's code page.
    const QSignalBlocker block(Grid1);
    item->setText(edit_.Title(entryIndex_, c, r));
}

void TGradesForm::OkBtnClick()
{
    const bool changed = edit_.Apply(titles_);
    if (applied_)
        applied_(changed);
    accept();
}
