#include "pricing/pricelists/ui/pricegridview.h"

#include <cmath>
#include <unordered_map>

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyle>
#include <QToolButton>
#include <QTimer>
#include <QToolTip>

#include "core/program/epicmessage.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/priceeditrules.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/valuation/valuation.h"

// The painted cell area. It holds no cell objects: it paints the view's cell
// model and turns mouse positions into screen cells.
class TPriceCellArea : public QWidget {
public:
    explicit TPriceCellArea(TPriceGridView *view)
        : QWidget(view), view_(view)
    {
        setObjectName(QStringLiteral("PriceLayout"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        p.fillRect(event->rect(), palette().window());
        const auto &g = view_->geo_;
        QFont plain = font();
        plain.setPixelSize(18);
        QFont bold = plain;
        bold.setBold(true);
        // Fonts and pens change rarely from cell to cell; setting them only
        // on a change keeps a full repaint cheap.
        const QFont *font = nullptr;
        QColor pen;
        auto usePen = [&](const QColor &c) {
            if (c != pen) {
                pen = c;
                p.setPen(c);
            }
        };
        for (int r = 0; r < g.RowsNeeded; ++r)
            for (int c = 0; c < g.ColsNeeded; ++c) {
                const auto &cell = view_->cells_[static_cast<size_t>(r * g.ColsNeeded + c)];
                const QRectF box(c * g.ColWidth, r * g.RowHeight, g.ColWidth, g.RowHeight);
                if (!event->rect().intersects(box.toAlignedRect()))
                    continue;
                QColor fill = cell.Fill;
                if (view_->selectedAqua_ && c > 0 && c == view_->PriceSelectedCol && r == view_->PriceSelectedRow)
                    fill = PriceColors::Aqua;
                p.fillRect(box, fill);
                usePen(c == 0 ? PriceColors::Grey : PriceColors::Gainsboro);
                p.drawRect(box.adjusted(0, 0, -1, -1));
                if (cell.Text.isEmpty())
                    continue;
                usePen(cell.Ink);
                const QFont *want = c == 0 || cell.Bold ? &bold : &plain;
                if (want != font) {
                    font = want;
                    p.setFont(*want);
                }
                const QStaticText &st = Laid(cell.Text, want == &bold);
                const QSizeF size = st.size();
                const QRectF inner = box.adjusted(4, 0, -4, 0);
                const qreal x = c == 0 ? inner.left() + (inner.width() - size.width()) / 2 : inner.right() - size.width();
                const QPointF at(x, inner.top() + (inner.height() - size.height()) / 2);
                if (size.width() > inner.width()) {
                    p.save();
                    p.setClipRect(inner);
                    p.drawStaticText(at, st);
                    p.restore();
                    font = nullptr;
                    pen = QColor();
                } else {
                    p.drawStaticText(at, st);
                }
            }
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        int c = 0, r = 0;
        if (Hit(e->position(), c, r))
            view_->PressCell(c, r);
        else if (view_->YearOptionsPopup)
            view_->YearOptionsPopup->hide();
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        int c = 0, r = 0;
        if (Hit(e->position(), c, r))
            view_->MoveOverCell(c, r, e->buttons() & Qt::LeftButton);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        int c = 0, r = 0;
        if (Hit(e->position(), c, r))
            view_->ReleaseCell(c, r);
    }
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ToolTip) {
            auto *help = static_cast<QHelpEvent *>(e);
            int c = 0, r = 0;
            const QString tip = Hit(help->pos(), c, r) ? view_->CellHint(c, r) : QString();
            if (tip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), tip, this);
            return true;
        }
        return QWidget::event(e);
    }
    void resizeEvent(QResizeEvent *) override
    {
        if (isVisible() && !view_->s_.CurrPriceList.empty()) {
            view_->SetupPricelistColumns(-1);
            view_->RenderPrices();
        }
    }

private:
    // Laid-out texts by content: scrolling shows mostly texts painted before.
    const QStaticText &Laid(const QString &text, bool boldFont)
    {
        auto &cache = boldFont ? boldTexts_ : plainTexts_;
        if (cache.size() > 8192)
            cache.clear();
        auto it = cache.find(text);
        if (it == cache.end()) {
            QFont f = font();
            f.setPixelSize(18);
            f.setBold(boldFont);
            QStaticText st(text);
            st.setTextFormat(Qt::PlainText);
            st.prepare(QTransform(), f);
            it = cache.emplace(text, std::move(st)).first;
        }
        return it->second;
    }
    std::unordered_map<QString, QStaticText> plainTexts_, boldTexts_;
    bool Hit(QPointF pos, int &c, int &r) const
    {
        const auto &g = view_->geo_;
        if (g.ColWidth <= 0 || g.RowHeight <= 0)
            return false;
        c = static_cast<int>(pos.x() / g.ColWidth);
        r = static_cast<int>(pos.y() / g.RowHeight);
        return pos.x() >= 0 && pos.y() >= 0 && c < g.ColsNeeded && r < g.RowsNeeded;
    }
    TPriceGridView *view_;
};

namespace {

template <class T>
T *Named(const char *name, QWidget *parent)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QToolButton *ArrowButton(const char *name, Qt::ArrowType arrow, QWidget *parent)
{
    auto *b = Named<QToolButton>(name, parent);
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    return b;
}

QComboBox *EditorCombo(const char *name, QWidget *parent, bool editable)
{
    auto *c = Named<QComboBox>(name, parent);
    c->setEditable(editable);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
    }
    c->hide();
    return c;
}

} // namespace

TPriceGridView::TPriceGridView(tMainState &state, QWidget *parent)
    : QWidget(parent), s_(state)
{
    setObjectName(QStringLiteral("PriceGridView"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    WholeLayout = Named<QWidget>("WholeLayout", this);
    outer->addWidget(WholeLayout);
    auto *grid = new QGridLayout(WholeLayout);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    PriceLayout = new TPriceCellArea(this);
    PriceHScrollBar = Named<QScrollBar>("PriceHScrollBar", WholeLayout);
    PriceHScrollBar->setOrientation(Qt::Horizontal);
    PriceVScrollBar = Named<QScrollBar>("PriceVScrollBar", WholeLayout);
    PriceVScrollBar->setOrientation(Qt::Vertical);
    Button1 = ArrowButton("Button1", Qt::LeftArrow, WholeLayout);
    Button3 = ArrowButton("Button3", Qt::RightArrow, WholeLayout);
    Button4 = ArrowButton("Button4", Qt::UpArrow, WholeLayout);
    Button5 = ArrowButton("Button5", Qt::DownArrow, WholeLayout);
    auto *v = new QVBoxLayout;
    v->addWidget(Button4);
    v->addWidget(PriceVScrollBar, 1);
    v->addWidget(Button5);
    auto *h = new QHBoxLayout;
    h->addWidget(Button1);
    h->addWidget(PriceHScrollBar, 1);
    h->addWidget(Button3);
    grid->addWidget(PriceLayout, 0, 0);
    grid->addLayout(v, 0, 1);
    grid->addLayout(h, 1, 0);

    connect(PriceHScrollBar, &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
    connect(PriceVScrollBar, &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
    connect(Button1, &QToolButton::clicked, this, [this] { PriceHScrollBar->setValue(PriceHScrollBar->value() - 1); });
    connect(Button3, &QToolButton::clicked, this, [this] { PriceHScrollBar->setValue(PriceHScrollBar->value() + 1); });
    connect(Button4, &QToolButton::clicked, this, [this] { PriceVScrollBar->setValue(PriceVScrollBar->value() - 1); });
    connect(Button5, &QToolButton::clicked, this, [this] { PriceVScrollBar->setValue(PriceVScrollBar->value() + 1); });

    // ---- The in-place editors, parked hidden on the cell area ----
    DataEdit = Named<QLineEdit>("DataEdit", PriceLayout);
    MintageEdit = Named<QLineEdit>("MintageEdit", PriceLayout);
    FloatEdit = Named<QLineEdit>("FloatEdit", PriceLayout);
    for (QLineEdit *e : {DataEdit, MintageEdit, FloatEdit}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->installEventFilter(this);
        e->hide();
    }
    MintageEdit->setMaxLength(15);
    ValueEdit = EditorCombo("ValueEdit", PriceLayout, true);
    ValueEdit->addItems(ValueCodeNames());
    MetalEdit = EditorCombo("MetalEdit", PriceLayout, false);
    MintEdit = EditorCombo("MintEdit", PriceLayout, true);
    MintEdit->lineEdit()->setMaxLength(20);
    GMEdit = EditorCombo("GMEdit", PriceLayout, true);
    GMEdit->lineEdit()->setMaxLength(10);
    for (QComboBox *c : {ValueEdit, MintEdit, GMEdit}) {
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }
    MetalEdit->installEventFilter(this);
    connect(ValueEdit, &QComboBox::activated, this, [this](int i) { ChooseCode(i); });
    connect(MetalEdit, &QComboBox::activated, this, [this](int i) {
        tPriceInfo *e = FindPriceByIdentity(s_, openEntry_);
        if (!e || openKind_ != PriceKindMetal)
            return;
        SetPriceMetal(s_, History, *e, i < 0 ? 0 : MetalEdit->itemData(i).toInt());
        UpdateButtons();
        RenderPrices();
    });

    YearOptions = Named<QToolButton>("YearOptions", PriceLayout);
    YearOptions->setText(QStringLiteral("..."));
    YearOptions->setFocusPolicy(Qt::NoFocus);
    YearOptions->hide();
    connect(YearOptions, &QToolButton::clicked, this, [this] { YearOptionsClick(); });
    YearOptionsPopup = Named<QFrame>("YearOptionsPopup", PriceLayout);
    YearOptionsPopup->setFrameShape(QFrame::Box);
    YearOptionsPopup->setAutoFillBackground(true);
    auto *pv = new QVBoxLayout(YearOptionsPopup);
    CircaCheckBox = Named<QCheckBox>("CircaCheckBox", YearOptionsPopup);
    CircaCheckBox->setText(QStringLiteral("Circa (aproximate date)"));
    HideYearCheckBox = Named<QCheckBox>("HideYearCheckBox", YearOptionsPopup);
    HideYearCheckBox->setText(QStringLiteral("Does not affect series date range"));
    pv->addWidget(CircaCheckBox);
    pv->addWidget(HideYearCheckBox);
    YearOptionsPopup->adjustSize();
    YearOptionsPopup->hide();
    for (QCheckBox *b : {CircaCheckBox, HideYearCheckBox})
        connect(b, &QCheckBox::toggled, this, [this, b] { YearFlagChanged(b); });
}

TPriceGridView::~TPriceGridView() = default;

void TPriceGridView::SetWidthBox(QComboBox *box)
{
    widthBox_ = box;
    if (!box)
        return;
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
        SetupPricelistColumns(-1);
        RenderPrices();
    });
}

void TPriceGridView::FillMintEdit(const QStringList &items)
{
    const QSignalBlocker block(MintEdit);
    MintEdit->clear();
    MintEdit->addItems(items);
}

void TPriceGridView::FillGMEdit(const QStringList &items)
{
    const QSignalBlocker block(GMEdit);
    GMEdit->clear();
    GMEdit->addItems(items);
}

int TPriceGridView::WidthChoice() const { return widthBox_ ? widthBox_->currentIndex() : int(ColWidthNormal); }

bool TPriceGridView::Paper() const { return s_.SelectedTreeNode && IsPaperSeries(*s_.SelectedTreeNode); }

int TPriceGridView::RowKindAt(int screenRow) const
{
    return PriceRowKindAt(xref_, Paper(), PriceVScrollBar->value(), screenRow);
}

tPriceInfo *TPriceGridView::SelectedEntry() const
{
    const int e = SelectedPriceEntry(geo_, PriceSelectedCol, PriceHScrollBar->value(),
                                     static_cast<int>(s_.CurrPriceList.size()));
    return e >= 0 ? s_.CurrPriceList[static_cast<size_t>(e)] : nullptr;
}

QRect TPriceGridView::CellRect(int screenCol, int screenRow) const
{
    return QRectF(screenCol * geo_.ColWidth, screenRow * geo_.RowHeight, geo_.ColWidth, geo_.RowHeight).toAlignedRect();
}

QString TPriceGridView::CellText(int screenCol, int screenRow) const
{
    const size_t i = static_cast<size_t>(screenRow * geo_.ColsNeeded + screenCol);
    return i < cells_.size() ? cells_[i].Text : QString();
}

QString TPriceGridView::CellHint(int screenCol, int screenRow) const
{
    const tnodeinfo *series = s_.SelectedTreeNode;
    const int kind = RowKindAt(screenRow);
    if (screenCol != 0 || !series || series->GradeScale == 0 || kind < PriceKindGrade0)
        return QString();
    const int gradeKind = IsPaperSeries(*series) ? GradeKindPaper : GradeKindCoins;
    const int slot = kind - PriceKindGrade0;
    return QStringLiteral("The grade ") + s_.GradeTitles3D.Title(gradeKind, series->GradeScale, slot) +
           QStringLiteral(" coresponds to ") + s_.GradeTitles3D.Title(gradeKind, 0, slot) +
           QStringLiteral(" on the Sheldon scale");
}

QColor TPriceGridView::CellColor(int screenCol, int screenRow) const
{
    const size_t i = static_cast<size_t>(screenRow * geo_.ColsNeeded + screenCol);
    if (i >= cells_.size())
        return {};
    if (selectedAqua_ && screenCol > 0 && screenCol == PriceSelectedCol && screenRow == PriceSelectedRow)
        return PriceColors::Aqua;
    return cells_[i].Fill;
}

void TPriceGridView::UpdateButtons()
{
    if (Hooks.EnableButtons)
        Hooks.EnableButtons(!History.Empty(), !s_.CurrPriceList.empty(), SelectedEntry() != nullptr);
}

void TPriceGridView::HideEditors()
{
    for (QWidget *w : std::initializer_list<QWidget *>{YearOptionsPopup, YearOptions, DataEdit, MintageEdit, FloatEdit,
                                                       ValueEdit, MetalEdit, MintEdit, GMEdit})
        w->hide();
    openEditor_ = nullptr;
    openKind_ = -1;
}

void TPriceGridView::SetupPricelistColumns(int scrollTo)
{
    CommitEditor();
    HideEditors();
    const bool empty = s_.CurrPriceList.empty();
    if (Hooks.ShowEmpty)
        Hooks.ShowEmpty(empty);
    WholeLayout->setVisible(!empty);
    if (empty) {
        geo_ = {};
        cells_.clear();
        UpdateButtons();
        return;
    }
    const bool paper = Paper();
    xref_ = BuildPriceRowXref(s_.GradeTitles3D, paper, s_.SelectedTreeNode ? s_.SelectedTreeNode->GradeScale : 0);
    geo_ = ComputePriceGridGeometry(static_cast<float>(PriceLayout->width()), static_cast<float>(PriceLayout->height()),
                                    WidthChoice(), static_cast<int>(s_.CurrPriceList.size()),
                                    static_cast<int>(xref_.size()), paper);
    cells_.assign(static_cast<size_t>(std::max(0, geo_.RowsNeeded * geo_.ColsNeeded)), tCell{});
    {
        const QSignalBlocker bh(PriceHScrollBar), bv(PriceVScrollBar);
        PriceHScrollBar->setRange(0, geo_.HMax);
        PriceVScrollBar->setRange(0, geo_.VMax);
        PriceHScrollBar->setSingleStep(geo_.HSmallChange);
        PriceVScrollBar->setSingleStep(geo_.VSmallChange);
        if (scrollTo >= 0 && scrollTo < static_cast<int>(s_.CurrPriceList.size())) {
            const tPriceScroll sc = ScrollPriceGridTo(geo_, scrollTo, PriceHScrollBar->value());
            PriceHScrollBar->setValue(sc.HValue);
            PriceSelectedCol = sc.SelectedCol;
        }
    }
    std::tie(PriceSelectedCol, PriceSelectedRow) = ClampPriceSelection(geo_, PriceSelectedCol, PriceSelectedRow);
    Drag.Clear();
    selectedAqua_ = true;
    UpdateButtons();
}

void TPriceGridView::RenderPrices()
{
    if (s_.CurrPriceList.empty() || !s_.SelectedTreeNode || cells_.empty())
        return;
    const tnodeinfo &series = *s_.SelectedTreeNode;
    const tNumberSeps seps = LocaleNumberSeps();
    const int o = PriceHScrollBar->value();
    const int hot = Hooks.HotPrice ? Hooks.HotPrice() : -1;
    const int count = static_cast<int>(s_.CurrPriceList.size());
    const int widthChoice = WidthChoice();
    for (int i = 0; i < geo_.RowsNeeded; ++i) {
        for (int j = 0; j < geo_.ColsNeeded; ++j) {
            tCell &cell = cells_[static_cast<size_t>(i * geo_.ColsNeeded + j)];
            const tPriceCellRef ref = PriceCellAt(xref_, Paper(), o, PriceVScrollBar->value(), count, j, i);
            cell.LRow = ref.Kind;
            cell.LCol = ref.LCol;
            cell.Text = PriceCellText(s_, series, cell.LCol, ref.Kind, widthChoice, seps);
            const bool runEnd = ref.Entry >= 0 && (s_.CurrPriceList[static_cast<size_t>(ref.Entry)]->DateBits & DateBitRunEnd);
            const tPriceInk ink = PriceCellInk(j, ref.Entry, hot, runEnd);
            cell.Ink = ink.Ink;
            cell.Bold = ink.Bold;
        }
    }
    const tPriceArrows arrows = PriceArrowStates(PriceHScrollBar->value(), PriceHScrollBar->maximum(),
                                                 PriceVScrollBar->value(), PriceVScrollBar->maximum());
    Button1->setEnabled(arrows.Left);
    Button3->setEnabled(arrows.Right);
    Button4->setEnabled(arrows.Up);
    Button5->setEnabled(arrows.Down);
    const bool aqua = selectedAqua_;
    const size_t sel = static_cast<size_t>(PriceSelectedRow * geo_.ColsNeeded + PriceSelectedCol);
    ColorPriceCells(sel < cells_.size() ? cells_[sel].LCol : 0, sel < cells_.size() ? cells_[sel].LRow : 0);
    selectedAqua_ = aqua;
    PriceLayout->update();
}

void TPriceGridView::ColorPriceCells(int rc, int rk)
{
    selectedAqua_ = false;
    for (tCell &cell : cells_)
        cell.Fill = ColorPriceCell(cell.LCol, cell.LRow, rc, rk, Drag);
    PriceLayout->update();
}

void TPriceGridView::ScrollChanged()
{
    CommitEditor();
    HideEditors();
    RenderPrices();
    Drag.Clear();
    const size_t sel = static_cast<size_t>(PriceSelectedRow * geo_.ColsNeeded + PriceSelectedCol);
    if (sel < cells_.size())
        ColorPriceCells(cells_[sel].LCol, cells_[sel].LRow);
    UpdateButtons();
}

void TPriceGridView::PressCell(int sc, int sr)
{
    if (ValueEdit->isVisible()) {
        CommitEditor();
        Drag.Clear();
    }
    const tCell &cell = cells_[static_cast<size_t>(sr * geo_.ColsNeeded + sc)];
    // A range names entries: it never starts in the title column.
    if (cell.LRow >= PriceKindGrade0 && cell.LCol > 0) {
        Drag.Dragging = true;
        Drag.OriginX = Drag.RangeX = cell.LCol;
        Drag.OriginY = Drag.RangeY = cell.LRow;
    }
    ColorPriceCells(cell.LCol, cell.LRow);
}

void TPriceGridView::MoveOverCell(int sc, int sr, bool leftHeld)
{
    const tCell &cell = cells_[static_cast<size_t>(sr * geo_.ColsNeeded + sc)];
    if (!Drag.Dragging || cell.LRow < PriceKindGrade0 || cell.LCol < 1 ||
        (cell.LCol == Drag.RangeX && cell.LRow == Drag.RangeY))
        return;
    Drag.RangeX = cell.LCol;
    Drag.RangeY = cell.LRow;
    if (!leftHeld)
        ReleaseCell(sc, sr);
    const size_t sel = static_cast<size_t>(PriceSelectedRow * geo_.ColsNeeded + PriceSelectedCol);
    if (sel < cells_.size())
        ColorPriceCells(cells_[sel].LCol, cells_[sel].LRow);
}

void TPriceGridView::ReleaseCell(int sc, int sr)
{
    Drag.Dragging = false;
    CommitEditor();
    HideEditors();
    const tCell cell = cells_[static_cast<size_t>(sr * geo_.ColsNeeded + sc)];
    if (cell.LCol == 0)
        return;
    if (cell.LCol - 1 >= static_cast<int>(s_.CurrPriceList.size()))
        return;
    OpenEditorAt(sc, sr);
    if (cell.LRow < PriceKindGrade0 && Drag.RangeSelected())
        Drag.Clear();
    PriceSelectedCol = sc;
    PriceSelectedRow = sr;
    ColorPriceCells(cell.LCol, cell.LRow);
    UpdateButtons();
}

void TPriceGridView::OpenEditorAt(int sc, int sr)
{
    const tCell &cell = cells_[static_cast<size_t>(sr * geo_.ColsNeeded + sc)];
    tPriceInfo &e = *s_.CurrPriceList[static_cast<size_t>(cell.LCol - 1)];
    openEntry_ = PriceIdentity(e);
    openCol_ = cell.LCol;
    openKind_ = cell.LRow;
    rememberedIndex_ = -1;
    const QRect box = CellRect(sc, sr);
    const tPriceEditorChoice choice = PriceEditorFor(cell.LRow);
    const QString text = PriceEditorText(e, cell.LRow, LocaleNumberSeps().Decimal);
    QWidget *editor = EditorWidget(choice.Editor);
    switch (choice.Editor) {
    case tPriceEditor::Data:
    case tPriceEditor::Mintage:
    case tPriceEditor::Float: {
        auto *line = static_cast<QLineEdit *>(editor);
        line->setMaxLength(choice.MaxLength);
        line->setText(text);
        break;
    }
    case tPriceEditor::Mint:
    case tPriceEditor::GM: {
        auto *c = static_cast<QComboBox *>(editor);
        c->lineEdit()->setMaxLength(choice.MaxLength);
        c->setCurrentIndex(-1);
        c->setEditText(text);
        break;
    }
    case tPriceEditor::Metal: {
        const QSignalBlocker block(MetalEdit);
        MetalEdit->clear();
        if (s_.MetalArray.empty()) {
            for (int n = 1; n <= MetalCount; ++n)
                MetalEdit->addItem(MetalName(n), n);
        } else {
            for (const MetalRec &m : s_.MetalArray)
                MetalEdit->addItem(m.Name, m.index);
        }
        MetalEdit->setCurrentIndex(MetalEdit->findData(int(e.Metal)));
        rememberedIndex_ = MetalEdit->currentIndex();
        break;
    }
    case tPriceEditor::Value: {
        const QSignalBlocker block(ValueEdit);
        const int code = PriceEditorCode(e, cell.LRow);
        ValueEdit->setCurrentIndex(code);
        if (code < 0)
            ValueEdit->setEditText(text);
        rememberedIndex_ = ValueEdit->currentIndex();
        break;
    }
    }
    QRect place = box;
    if (cell.LRow == PriceKindYear) {
        // The year options button sits at the cell's right edge.
        YearOptions->setGeometry(box.right() - box.height() + 1, box.top(), box.height(), box.height());
        YearOptions->show();
        YearOptions->raise();
        place.setWidth(box.width() - box.height());
        int x = box.left();
        if (x + YearOptionsPopup->width() > PriceLayout->width())
            x = PriceLayout->width() - YearOptionsPopup->width();
        YearOptionsPopup->move(x, box.bottom() + 1);
    }
    editor->setGeometry(place);
    auto *combo = qobject_cast<QComboBox *>(editor);
    remembered_ = combo ? combo->currentText() : static_cast<QLineEdit *>(editor)->text();
    editor->show();
    editor->raise();
    editor->setFocus();
    if (auto *le = combo ? combo->lineEdit() : static_cast<QLineEdit *>(editor)) {
        le->deselect();
        le->end(false);
    }
    openEditor_ = editor;
}

void TPriceGridView::CommitEditor(bool deferRefusal)
{
    if (!openEditor_ || committing_)
        return;
    committing_ = true;
    tPriceInfo *e = FindPriceByIdentity(s_, openEntry_);
    const int kind = openKind_;
    QString error;
    if (e) {
        auto *combo = qobject_cast<QComboBox *>(openEditor_);
        const QString text = combo ? combo->currentText() : static_cast<QLineEdit *>(openEditor_)->text();
        if (openEditor_ == ValueEdit) {
            if (ValueEdit->currentIndex() < 0 && text != remembered_) {
                const auto amount = ParseAmount(text, LocaleNumberSeps());
                if (amount.Value)
                    ApplyValueAmount(s_, History, ValueRangeFor(openCol_, kind), *amount.Value);
                else
                    error = amount.Error;
            }
        } else if (openEditor_ != MetalEdit && text != remembered_) {
            SetPriceHeaderText(s_, History, *e, kind, text, LocaleNumberSeps(), &error);
            if (kind == PriceKindGM && !e->GM.isEmpty() && GMEdit->findText(e->GM) < 0)
                GMEdit->addItem(e->GM);
        }
    }
    if (kind >= PriceKindGrade0)
        Drag.Clear();
    HideEditors();
    committing_ = false;
    RenderPrices();
    UpdateButtons();
    if (error.isEmpty())
        return;
    if (deferRefusal)
        QTimer::singleShot(0, this, [this, error] { Refuse(error); });
    else
        Refuse(error);
}

void TPriceGridView::Refuse(const QString &message)
{
    if (Hooks.ShowRefusal)
        Hooks.ShowRefusal(message);
    else
        ShowEpicMessage(message, QStringLiteral("OK"));
}

tValueRange TPriceGridView::ValueRangeFor(int lcol, int kind) const
{
    tValueRange r;
    int c1 = lcol, c2 = lcol, k1 = kind, k2 = kind;
    if (Drag.RangeSelected()) {
        c1 = std::min(Drag.OriginX, Drag.RangeX);
        c2 = std::max(Drag.OriginX, Drag.RangeX);
        k1 = std::min(Drag.OriginY, Drag.RangeY);
        k2 = std::max(Drag.OriginY, Drag.RangeY);
    }
    const int count = static_cast<int>(s_.CurrPriceList.size());
    for (int c = std::max(1, c1); c <= std::min(c2, count); ++c)
        r.Entries.push_back(s_.CurrPriceList[static_cast<size_t>(c - 1)]);
    r.SlotLo = std::clamp(k1 - PriceKindGrade0, 0, GradeSlots - 1);
    r.SlotHi = std::clamp(k2 - PriceKindGrade0, 0, GradeSlots - 1);
    r.EditedSlot = std::clamp(kind - PriceKindGrade0, 0, GradeSlots - 1);
    return r;
}

void TPriceGridView::ChooseCode(int index)
{
    if (openEditor_ != ValueEdit || index < 0 || index == rememberedIndex_)
        return;
    if (!FindPriceByIdentity(s_, openEntry_))
        return;
    {
        const QSignalBlocker block(ValueEdit);
        ValueEdit->setCurrentIndex(index);
    }
    ApplyValueCode(s_, History, ValueRangeFor(openCol_, openKind_), index + 1);
    rememberedIndex_ = index;
    remembered_ = ValueEdit->currentText();
    RenderPrices();
    UpdateButtons();
}

void TPriceGridView::MovePriceEditRow(int step)
{
    if (geo_.RowsNeeded < 1)
        return;
    int r = PriceSelectedRow + step;
    if (r >= geo_.RowsNeeded)
        r = 0;
    if (r < 0)
        r = geo_.RowsNeeded - 1;
    ReleaseCell(PriceSelectedCol, r);
    Drag.Dragging = false;
}

QWidget *TPriceGridView::EditorWidget(tPriceEditor editor) const
{
    switch (editor) {
    case tPriceEditor::Data: return DataEdit;
    case tPriceEditor::Mint: return MintEdit;
    case tPriceEditor::GM: return GMEdit;
    case tPriceEditor::Mintage: return MintageEdit;
    case tPriceEditor::Metal: return MetalEdit;
    case tPriceEditor::Float: return FloatEdit;
    case tPriceEditor::Value: return ValueEdit;
    }
    return ValueEdit;
}

void TPriceGridView::RestoreEditor()
{
    if (openEditor_ == MetalEdit) {
        // A metal chosen from the list is stored at once: going back to the
        // metal the editor opened with puts it back in the entry as well.
        const int now = MetalEdit->currentIndex();
        {
            const QSignalBlocker block(MetalEdit);
            MetalEdit->setCurrentIndex(rememberedIndex_);
        }
        tPriceInfo *e = FindPriceByIdentity(s_, openEntry_);
        const int metal = rememberedIndex_ < 0 ? 0 : MetalEdit->itemData(rememberedIndex_).toInt();
        if (e && now != rememberedIndex_ && e->Metal != metal) {
            SetPriceMetal(s_, History, *e, metal);
            UpdateButtons();
            RenderPrices();
        }
    } else if (openEditor_ == ValueEdit) {
        const QSignalBlocker block(ValueEdit);
        ValueEdit->setCurrentIndex(rememberedIndex_);
        if (rememberedIndex_ < 0)
            ValueEdit->setEditText(remembered_);
    } else if (auto *c = qobject_cast<QComboBox *>(openEditor_)) {
        c->setEditText(remembered_);
    } else if (auto *le = qobject_cast<QLineEdit *>(openEditor_)) {
        le->setText(remembered_);
    }
}

void TPriceGridView::EditorLostFocus(Qt::FocusReason reason)
{
    if (!openEditor_ || committing_)
        return;
    // A list dropping down, a menu or another window in front takes the
    // focus only for a while: the editor stays open with what was typed.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    QWidget *now = QApplication::focusWidget();
    if (now && (now == openEditor_ || openEditor_->isAncestorOf(now) || YearOptionsPopup->isAncestorOf(now)))
        return;
    // The focus is still changing: a refusal waits until it has settled
    // rather than opening a message box inside the change.
    CommitEditor(true);
}

bool TPriceGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        EditorLostFocus(static_cast<QFocusEvent *>(event)->reason());
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress || !openEditor_)
        return QWidget::eventFilter(watched, event);
    auto *combo = qobject_cast<QComboBox *>(openEditor_);
    // An editable list takes the keys itself before its text field does;
    // the filter sits on both and whichever sees the key first decides.
    if (watched != openEditor_ && !(combo && watched == combo->lineEdit()))
        return QWidget::eventFilter(watched, event);
    auto *k = static_cast<QKeyEvent *>(event);
    const QString text = combo ? combo->currentText() : static_cast<QLineEdit *>(openEditor_)->text();
    const tPriceKey key{k->key(), (k->modifiers() & Qt::ControlModifier) != 0, k->text()};
    switch (PriceEditorKey(PriceEditorFor(openKind_).Editor, openKind_, key, text, ValueEdit->currentIndex() >= 0,
                           LocaleNumberSeps())) {
    case tPriceKeyAction::Pass: return false;
    case tPriceKeyAction::Drop: return true;
    case tPriceKeyAction::NextRow: MovePriceEditRow(1); return true;
    case tPriceKeyAction::PreviousRow: MovePriceEditRow(-1); return true;
    case tPriceKeyAction::Restore: RestoreEditor(); return true;
    case tPriceKeyAction::PickDashes: ChooseCode(CodeDashes - 1); return true;
    case tPriceKeyAction::PickSplit30: ChooseCode(CodeSplit0 + 3 - 1); return true;
    case tPriceKeyAction::ClearCodeAndType: {
        const QSignalBlocker block(ValueEdit);
        ValueEdit->setCurrentIndex(-1);
        ValueEdit->clearEditText();
        return false;
    }
    case tPriceKeyAction::SelectByInitial: {
        QStringList names;
        for (int i = 0; i < MetalEdit->count(); ++i)
            names << MetalEdit->itemText(i);
        const int i = IndexByInitial(names, k->text()[0]);
        if (i >= 0) {
            MetalEdit->setCurrentIndex(i);
            Q_EMIT MetalEdit->activated(i);
        }
        return true;
    }
    }
    return true;
}

void TPriceGridView::YearOptionsClick()
{
    if (YearOptionsPopup->isVisible()) {
        YearOptionsPopup->hide();
        return;
    }
    const tPriceInfo *e = FindPriceByIdentity(s_, openEntry_);
    if (!e)
        return;
    CircaCheckBox->setChecked(e->DateBits & DateBitCirca);
    HideYearCheckBox->setChecked(e->DateBits & DateBitNoRange);
    YearOptionsPopup->show();
    YearOptionsPopup->raise();
}

void TPriceGridView::YearFlagChanged(QCheckBox *box)
{
    if (!YearOptionsPopup->isVisible())
        return;
    tPriceInfo *e = FindPriceByIdentity(s_, openEntry_);
    if (!e)
        return;
    const uint16_t bit = box == CircaCheckBox ? DateBitCirca : DateBitNoRange;
    e->DateBits = static_cast<uint16_t>(box->isChecked() ? e->DateBits | bit : e->DateBits & ~bit);
    s_.DatesMayHaveChanged = true;
    MarkSelectedPricesModified(s_);
    if (box == CircaCheckBox)
        RenderPrices();
}

// ---- Commands ----

void TPriceGridView::AfterCountChange(int scrollTo)
{
    SetupPricelistColumns(scrollTo);
    RenderPrices();
    if (Hooks.ShowCoinsTab)
        Hooks.ShowCoinsTab(!s_.CurrPriceList.empty());
    if (Hooks.ListChanged)
        Hooks.ListChanged();
}

void TPriceGridView::AddPrice(bool clone)
{
    if (!s_.SelectedTreeNode)
        return;
    tPriceInfo *source = nullptr;
    if (clone) {
        CommitEditor();
        source = SelectedEntry();
        if (!source)
            return;
    }
    const int index = AddPriceEntry(s_, History, source);
    PriceSelectedRow = 0;
    AfterCountChange(index);
    MovePriceEditRow(0);
}

void TPriceGridView::DeletePrice()
{
    tPriceInfo *entry = SelectedEntry();
    if (!entry)
        return;
    if (AskingPrice) {
        const uint8_t answer = ShowEpicMessage(
            QStringLiteral("This will remove the entire column, thereby deleting this variety from the price list.  "
                           "Do you wish to proceed?"),
            QStringLiteral("Yes"), QStringLiteral("No"), {}, {}, {}, {}, 2, 3, -1, -1, -1, -1, 0,
            QStringLiteral("Don't ask me to confirm this each time"), false);
        AskingPrice = !EpicDontAsk;
        if (answer != 1)
            return;
    }
    CommitEditor();
    HideEditors();
    DeletePriceEntry(s_, History, entry);
    AfterCountChange(-1);
}

void TPriceGridView::UndoPrice()
{
    CommitEditor();
    const int shown = SelectedPriceSource(s_);
    const tPriceUndone u = UndoPriceChange(s_, History);
    if (u.Done && u.CoinType != shown && Hooks.RevealSeries)
        Hooks.RevealSeries(u.CoinType);
    if (!u.Done) {
        UpdateButtons();
        return;
    }
    // The row of the undone edit, when it is in view.
    for (int i = 0; i < geo_.RowsNeeded; ++i)
        if (RowKindAt(i) == u.Row) {
            PriceSelectedRow = i;
            break;
        }
    if (u.CountChanged) {
        AfterCountChange(u.Index);
    } else {
        SetupPricelistColumns(u.Index);
        RenderPrices();
    }
}

void TPriceGridView::CopyPrices()
{
    const QString text = ::CopyPrices(s_, CopyPriceSeries);
    if (!text.isEmpty() && Hooks.ShowStatus)
        Hooks.ShowStatus(text);
}

void TPriceGridView::PastePrices(bool pageActive)
{
    if (!s_.SelectedTreeNode)
        return;
    CommitEditor();
    const QString text = ::PastePrices(s_, CopyPriceSeries);
    if (Hooks.ShowStatus)
        Hooks.ShowStatus(text);
    if (Hooks.ShowCoinsTab)
        Hooks.ShowCoinsTab(!s_.CurrPriceList.empty());
    if (pageActive) {
        PriceSelectedRow = 0;
        SetupPricelistColumns(-1);
        RenderPrices();
        if (!s_.CurrPriceList.empty())
            MovePriceEditRow(0);
    }
    if (Hooks.ListChanged)
        Hooks.ListChanged();
}
