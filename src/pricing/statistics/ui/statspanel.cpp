#include "pricing/statistics/ui/statspanel.h"

#include <QBoxLayout>
#include <QColor>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "core/model/blocks.h"
#include "core/model/currproc.h"

TStatsPanel::TStatsPanel(tMainState &state, QWidget *page, QScrollArea *scrollBox, QWidget *content, QLabel *label45)
    : QObject(page), ScrollBox1(scrollBox), s_(state), page_(page), content_(content)
{
    setObjectName(QStringLiteral("StatsPanel"));
    Runner = new TStatsRunner(this);
    Runner->setObjectName(QStringLiteral("StatsRunner"));
    connect(Runner, &TStatsRunner::ResultReady, this, &TStatsPanel::ShowResult);

    Label49 = new QLabel(QStringLiteral("Calculating..."), page);
    Label49->setObjectName(QStringLiteral("Label49"));
    Label49->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label49->setContentsMargins(0, 24, 0, 0);
    QFont big = Label49->font();
    big.setPixelSize(16);
    big.setBold(true);
    Label49->setFont(big);
    Label49->hide();
    if (auto *box = qobject_cast<QBoxLayout *>(page->layout()))
        box->insertWidget(0, Label49, 1);

    // The labels are placed by hand, one under another.
    delete content->layout();
    Line1 = new QFrame(content);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->hide();
    for (const tStatsLabelSpec &spec : StatsLabelSpecs()) {
        const QString name = QString::fromLatin1(spec.Name);
        QLabel *l = name == QLatin1String("Label45") ? label45 : new QLabel(content);
        if (l != label45) {
            l->setObjectName(name);
            if (spec.Caption) {
                l->setText(QString::fromLatin1(spec.Caption));
                QFont bold = l->font();
                bold.setBold(true);
                l->setFont(bold);
            }
        }
        l->setParent(content);
        labels_.insert(name, l);
    }
    // NextSeriesLabel is blank unless maintainer mode fills it: no empty line then.
    label45->setVisible(!label45->text().isEmpty());
    scrollBox->viewport()->installEventFilter(this);
}

void TStatsPanel::StartCalcThread()
{
    CurrProcGuard guard(Blocks::StartCalcThread);
    Totaler.CalcNode = s_.SelectedTreeNode;
    Label49->setText(QStringLiteral("Calculating..."));
    Label49->show();
    ScrollBox1->hide();
    Runner->Start(s_, s_.SelectedTreeNode);
}

void TStatsPanel::ShowResult(const std::shared_ptr<const tStatsResult> &result)
{
    if (!result->Error.isEmpty()) {
        Label49->setText(QStringLiteral("The statistics could not be calculated:\n") + result->Error);
        return;
    }
    Totaler = result->Totals;
    coins_ = result->Coins;
    for (const tStatsLabelText &t : result->Labels) {
        QLabel *l = labels_.value(t.Name);
        if (!l)
            continue;
        l->setText(t.Text);
        l->setVisible(t.Visible);
        if (t.Color)
            l->setStyleSheet(QStringLiteral("color: %1").arg(QColor::fromRgba(t.Color).name()));
    }
    ArrangeStatsLabels(coins_);
    RevealStatistics();
    Q_EMIT StatisticsShown();
}

void TStatsPanel::RevealStatistics()
{
    Label49->hide();
    ScrollBox1->show();
    page_->update();
}

void TStatsPanel::ArrangeStatsLabels(bool coins)
{
    if (arranging_)
        return;
    arranging_ = true;
    QHash<QString, tStatsLabelBox> boxes;
    for (auto it = labels_.cbegin(); it != labels_.cend(); ++it)
        boxes.insert(it.key(), {!it.value()->isHidden(), it.value()->sizeHint().height(), {}});
    tStatsArea area;
    area.ClientWidth = ScrollBox1->viewport()->width();
    area.LineWidth = 2;
    // The page has the width of the Image page's panel beside it.
    area.PanelWidth = page_->width();
    const tStatsArrangement a = ::ArrangeStatsLabels(coins, area, boxes);
    int right = 0;
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it) {
        QLabel *l = labels_.value(it.key());
        l->setVisible(it->Visible);
        if (!it->Visible)
            continue;
        l->setWordWrap(false);
        l->setGeometry(it->Rect);
        right = std::max(right, it->Rect.right() + 1);
    }
    // "- or -" stands centred under the weight in grams.
    QLabel *grams = labels_.value(QStringLiteral("Label101"));
    QLabel *orLabel = labels_.value(QStringLiteral("Label113"));
    if (grams && orLabel && !orLabel->isHidden()) {
        orLabel->setAlignment(Qt::AlignHCenter);
        orLabel->setFixedWidth(std::max(grams->sizeHint().width(), orLabel->sizeHint().width()));
    }
    const int height = std::max(a.Height, ScrollBox1->viewport()->height());
    Line1->setVisible(a.Line1Visible);
    Line1->setGeometry(a.Line1X, 0, area.LineWidth, height);
    content_->setMinimumSize(coins ? 0 : right, a.Height);
    arranging_ = false;
}

bool TStatsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == ScrollBox1->viewport())
        ArrangeStatsLabels(coins_);
    return QObject::eventFilter(watched, event);
}
