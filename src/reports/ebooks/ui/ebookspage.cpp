#include "reports/ebooks/ui/ebookspage.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/program/log.h"
#include "platform/uiservices.h"
#include "reports/ebooks/ui/pdfpageview.h"
#include "reports/ebooks/ui/setupebookform.h"

namespace {

template <class T>
T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel *Caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(14);
    f.setBold(true);
    label->setFont(f);
    return label;
}

constexpr int ZoomSteps = 100;  // the zoom bar counts hundredths

// While a search or a print job lets window events run between pages, the
// controls that would open another book or move the page stay disabled.
class tBusyControls {
public:
    explicit tBusyControls(std::initializer_list<QWidget *> widgets) : widgets_(widgets)
    {
        for (QWidget *w : widgets_)
            w->setEnabled(false);
    }
    ~tBusyControls()
    {
        for (QWidget *w : widgets_)
            w->setEnabled(true);
    }
    tBusyControls(const tBusyControls &) = delete;
    tBusyControls &operator=(const tBusyControls &) = delete;

private:
    std::vector<QWidget *> widgets_;
};

bool DefaultPrintDialog(QPrinter &printer, int pageCount, QWidget *parent)
{
    platform::ModalScope modal;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

TEbooksPage::TEbooksPage(tMainState &state, QWidget *parent) : QWidget(parent), State(state)
{
    setObjectName(QStringLiteral("EbooksPage"));
    FPdf1 = Named(new QPdfDocument(this), "FPdf1");

    auto *h = new QHBoxLayout(this);
    auto *leftPanel = Named(new QWidget(this), "eBookListPanel");
    leftPanel->setFixedWidth(300);
    auto *left = new QVBoxLayout(leftPanel);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(Caption(QStringLiteral("eBooks"), leftPanel));
    BookListBox = Named(new QListWidget(leftPanel), "BookListBox");
    BookListBox->setIconSize(QSize(32, 32));
    left->addWidget(BookListBox, 2);
    left->addWidget(Caption(QStringLiteral("Bookmarks"), leftPanel));
    BookmarkBox = Named(new QListWidget(leftPanel), "BookmarkBox");
    left->addWidget(BookmarkBox, 3);

    eBookButtonsLayout = Named(new QWidget(leftPanel), "eBookButtonsLayout");
    auto *bar = new QGridLayout(eBookButtonsLayout);
    bar->setContentsMargins(0, 0, 0, 0);
    Label9 = Named(new QLabel(QStringLiteral("Page (of 0)"), eBookButtonsLayout), "Label9");
    eBookPageEdit = Named(new QSpinBox(eBookButtonsLayout), "eBookPageEdit");
    eBookPageEdit->setRange(1, 1);
    eLinkButton = Named(new QPushButton(QStringLiteral("eLink"), eBookButtonsLayout), "eLinkButton");
    eLinkButton->setToolTip(QStringLiteral("Click to link the current page with the currently selected series"));
    bar->addWidget(Label9, 0, 0);
    bar->addWidget(eBookPageEdit, 0, 1);
    bar->addWidget(eLinkButton, 0, 2);
    PDFzoomBar = Named(new QSlider(Qt::Horizontal, eBookButtonsLayout), "PDFzoomBar");
    PDFzoomBar->setRange(static_cast<int>(EbookZoomMin * ZoomSteps), static_cast<int>(EbookZoomMax * ZoomSteps));
    PDFzoomBar->setValue(static_cast<int>(EbookZoomMin * ZoomSteps));
    PDFzoomBar->setToolTip(QStringLiteral("Click to adjust the image zoom level"));
    bar->addWidget(new QLabel(QStringLiteral("Zoom"), eBookButtonsLayout), 1, 0);
    bar->addWidget(PDFzoomBar, 1, 1, 1, 2);
    ZoomPFDFw = Named(new QPushButton(QStringLiteral("Fit width"), eBookButtonsLayout), "ZoomPFDFw");
    ZoomPFDFh = Named(new QPushButton(QStringLiteral("Fit height"), eBookButtonsLayout), "ZoomPFDFh");
    PrintEbookButton = Named(new QPushButton(QStringLiteral("Print"), eBookButtonsLayout), "PrintEbookButton");
    bar->addWidget(ZoomPFDFw, 2, 0);
    bar->addWidget(ZoomPFDFh, 2, 1);
    bar->addWidget(PrintEbookButton, 2, 2);
    eBookSearchEdit = Named(new QComboBox(eBookButtonsLayout), "eBookSearchEdit");
    eBookSearchEdit->setEditable(true);
    eBookSearchEdit->setInsertPolicy(QComboBox::NoInsert);
    eBookSearchEdit->setMaxVisibleItems(20);
    SpeedButton1 = Named(new QToolButton(eBookButtonsLayout), "SpeedButton1");
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SpeedButton1->setToolTip(QStringLiteral("Search the eBook from the shown page"));
    bar->addWidget(eBookSearchEdit, 3, 0, 1, 2);
    bar->addWidget(SpeedButton1, 3, 2);
    left->addWidget(eBookButtonsLayout);

    eBookSearchLayout = Named(new QWidget(leftPanel), "eBookSearchLayout");
    auto *search = new QVBoxLayout(eBookSearchLayout);
    search->setContentsMargins(0, 0, 0, 0);
    Label29 = Named(new QLabel(eBookSearchLayout), "Label29");
    eBookSeachProgressBar = Named(new QProgressBar(eBookSearchLayout), "eBookSeachProgressBar");
    Button6 = Named(new QPushButton(QStringLiteral("Cancel"), eBookSearchLayout), "Button6");
    search->addWidget(Label29);
    search->addWidget(eBookSeachProgressBar);
    search->addWidget(Button6);
    left->addWidget(eBookSearchLayout);
    eBookSearchLayout->hide();
    h->addWidget(leftPanel);

    eBookScrollBox = Named(new QScrollArea(this), "eBookScrollBox");
    eBookScrollBox->setFrameShape(QFrame::StyledPanel);
    eBookScrollBox->setAlignment(Qt::AlignCenter);
    FPdfView1 = Named(new TPdfPageView, "FPdfView1");
    FPdfView1->SetDocument(FPdf1);
    eBookScrollBox->setWidget(FPdfView1);
    h->addWidget(eBookScrollBox, 1);

    // Each control with its handler.
    connect(BookListBox, &QListWidget::currentRowChanged, this, [this] { BookListBoxChange(); });
    connect(BookmarkBox, &QListWidget::currentRowChanged, this, [this] { BookmarkBoxChange(); });
    connect(eBookPageEdit, &QSpinBox::valueChanged, this, [this] { eBookPageEditChange(); });
    connect(PDFzoomBar, &QSlider::valueChanged, this,
            [this](int value) { FPdfView1->SetZoom(static_cast<double>(value) / ZoomSteps); });
    connect(ZoomPFDFw, &QPushButton::clicked, this, [this] { ZoomPFDFwClick(true); });
    connect(ZoomPFDFh, &QPushButton::clicked, this, [this] { ZoomPFDFwClick(false); });
    connect(PrintEbookButton, &QPushButton::clicked, this, [this] { PrintEbookButtonClick(); });
    connect(eLinkButton, &QPushButton::clicked, this, [this] { eLinkButtonClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    // Enter in the search box searches; the box takes the key so that it
    // neither adds an item of its own nor passes the key on.
    // The keys reach the box, which hands them to its line edit unfiltered.
    eBookSearchEdit->installEventFilter(this);
    eBookSearchEdit->lineEdit()->installEventFilter(this);
    // Any edit of the search text drops the shown hit.
    connect(eBookSearchEdit, &QComboBox::editTextChanged, this, [this] {
        CurrProcGuard guard(Blocks::EbookSearchEditChange);
        if (FPdfView1->HitStart() != -1)
            FPdfView1->SetHit(-1, -1);
    });
    connect(Button6, &QPushButton::clicked, this, [this] { CancelEbookSearch = true; });
    connect(FPdfView1, &TPdfPageView::PageChanged, this, [this] { FPdfView1->SetHit(-1, -1); });
}

bool TEbooksPage::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == eBookSearchEdit || watched == eBookSearchEdit->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SpeedButton1Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TEbooksPage::~TEbooksPage()
{
    // The view is the scroll box's; the document must outlive its last paint.
    delete eBookScrollBox->takeWidget();
}

int32_t TEbooksPage::SelectedSeries() const
{
    return State.SelectedTreeNode ? State.SelectedTreeNode->CoinType : 0;
}

void TEbooksPage::LoadEbooks()
{
    ::LoadEbooks(Library, State.EbooksRedirect);
    if (ShowTab)
        ShowTab(!Library.Books.empty());
    SetUpBookList();
}

void TEbooksPage::SetUpBookList()
{
    const QSignalBlocker block(BookListBox);
    BookListBox->clear();
    Picker = ::SetUpBookList(Library, SelectedSeries());
    for (const tBookPickerItem &entry : Picker.Items) {
        auto *item = new QListWidgetItem(entry.Text, BookListBox);
        if (BookIcon)
            item->setIcon(BookIcon(entry.Bound));
        item->setForeground(QColor::fromRgba(entry.Bound ? 0xFF000000 : 0xFF808080));
        item->setData(Qt::UserRole, entry.Book);
    }
    BookListBox->setCurrentRow(Picker.Selected);
}

void TEbooksPage::BookListBoxChange()
{
    CurrProcGuard guard(Blocks::BookListBoxChange);
    const QSignalBlocker blockPicker(BookListBox);
    const int32_t series = SelectedSeries();
    if (State.IndicateEBook >= 1) {
        for (size_t r = 0; r < Picker.Items.size(); ++r)
            if (Picker.Items[r].Book + 1 == State.IndicateEBook)
                BookListBox->setCurrentRow(static_cast<int>(r));
    } else if (BookListBox->currentRow() < 0 && BookListBox->count() > 0) {
        BookListBox->setCurrentRow(0);
    }
    const tEbookTarget target = EbookToOpen(Library, Picker, BookListBox->currentRow(), State.IndicateEBook, series);
    if (target.Book < 1)
        return;
    Library.CurrentlyActiveBook = target.Book;
    const tEbook &book = Library.Books[static_cast<size_t>(target.Book - 1)];

    FPdfView1->setEnabled(false);
    if (openFile_ != book.PDFfileName || FPdf1->status() != QPdfDocument::Status::Ready) {
        FPdf1->close();
        FPdfView1->Reset();
        openFile_.clear();
        FPdf1->setPassword(QString());
        const QPdfDocument::Error error = FPdf1->load(book.PDFfileName);
        if (error != QPdfDocument::Error::None) {
            const QSignalBlocker blockPage(eBookPageEdit);
            eBookPageEdit->setRange(1, 1);
            Label9->setText(QStringLiteral("Page (of 0)"));
            BookmarkBox->clear();
            Bookmarks.clear();
            FPdfView1->resize(0, 0);
            ShowEpicMessage(error == QPdfDocument::Error::IncorrectPassword
                                ? QStringLiteral("This eBook is protected by a password and cannot be shown:\n") +
                                      BookTitle(book)
                                : QStringLiteral("This eBook could not be opened:\n") + book.PDFfileName,
                            QStringLiteral("OK"));
            return;
        }
        openFile_ = book.PDFfileName;
        // The page to come is shown afresh, whatever page number the view had.
        FPdfView1->SetPage(0);
    }
    FPdfView1->setEnabled(true);
    const int count = FPdf1->pageCount();
    {
        const QSignalBlocker blockPage(eBookPageEdit);
        eBookPageEdit->setRange(1, std::max(count, 1));
        Label9->setText(QStringLiteral("Page (of %1)").arg(count));
        if (target.Page >= 1 && target.Page <= count)
            Library.CurrentlyActivePage = target.Page;
        eBookPageEdit->setValue(target.Page);
    }

    {
        CurrProcGuard bookmarks(Blocks::AddBookmarkChildren);
        const QSignalBlocker blockMarks(BookmarkBox);
        BookmarkBox->clear();
        QPdfBookmarkModel model;
        model.setDocument(FPdf1);
        Bookmarks = FlattenBookmarks(model, static_cast<int>(QPdfBookmarkModel::Role::Title),
                                     static_cast<int>(QPdfBookmarkModel::Role::Page));
        for (const tEbookBookmark &mark : Bookmarks)
            BookmarkBox->addItem(mark.Title);
    }
    eBookPageEditChange();
    ZoomPFDFwClick(true);
    ScrollHome();
}

void TEbooksPage::BookmarkBoxChange()
{
    const int row = BookmarkBox->currentRow();
    if (row < 0 || row >= static_cast<int>(Bookmarks.size()))
        return;
    eBookPageEdit->setValue(Bookmarks[static_cast<size_t>(row)].Page);
    ScrollHome();
}

void TEbooksPage::eBookPageEditChange()
{
    CurrProcGuard guard(Blocks::EbookPageEditChange);
    if (FPdf1->status() != QPdfDocument::Status::Ready)
        return;
    const int page = std::min(eBookPageEdit->value(), FPdf1->pageCount());
    FPdfView1->SetPage(page);
    FPdfView1->update();
    ShowBookmarkOfPage(FPdfView1->Page());
    Library.CurrentlyActivePage = page;
}

void TEbooksPage::ShowBookmarkOfPage(int page)
{
    const QSignalBlocker block(BookmarkBox);
    BookmarkBox->setCurrentRow(BookmarkForPage(Bookmarks, page));
}

void TEbooksPage::ScrollHome()
{
    eBookScrollBox->horizontalScrollBar()->setValue(0);
    eBookScrollBox->verticalScrollBar()->setValue(0);
}

void TEbooksPage::ZoomPFDFwClick(bool width)
{
    CurrProcGuard guard(Blocks::SetPdfViewZoom);
    const QSizeF points = FPdfView1->PageSize();
    if (points.isEmpty())
        return;
    const double zoom = width ? FitWidthZoom(eBookScrollBox->width(), points, FPdfView1->PixelsPerInch())
                              : FitHeightZoom(eBookScrollBox->height(), points, FPdfView1->PixelsPerInch());
    PDFzoomBar->setValue(static_cast<int>(std::lround(zoom * ZoomSteps)));
    FPdfView1->SetZoom(static_cast<double>(PDFzoomBar->value()) / ZoomSteps);
}

void TEbooksPage::SpeedButton1Click()
{
    CurrProcGuard guard(Blocks::EbookSearch);
    const QString text = eBookSearchEdit->currentText().trimmed();
    // A second search waits for the first: the bar is hidden while one runs.
    if (text.isEmpty() || eBookButtonsLayout->isHidden() || FPdf1->status() != QPdfDocument::Status::Ready)
        return;
    CancelEbookSearch = false;
    const int count = FPdf1->pageCount();
    eBookSeachProgressBar->setRange(0, std::max(count - FPdfView1->Page(), 0));
    eBookSeachProgressBar->setValue(0);
    eBookButtonsLayout->hide();
    eBookSearchLayout->show();
    const auto restore = qScopeGuard([this] {
        eBookButtonsLayout->show();
        eBookSearchLayout->hide();
    });
    {
        const QSignalBlocker block(eBookSearchEdit);
        QStringList history;
        for (int i = 0; i < eBookSearchEdit->count(); ++i)
            history << eBookSearchEdit->itemText(i);
        AddSearchHistory(history, text);
        eBookSearchEdit->clear();
        eBookSearchEdit->addItems(history);
        eBookSearchEdit->setCurrentIndex(0);
    }
    Label29->setText(QStringLiteral("Searching for \"%1\"...").arg(text));
    const tBusyControls busy{BookListBox, BookmarkBox};

    const int shown = FPdfView1->HitStart();
    const int len = static_cast<int>(text.size());
    FPdfView1->SetHit(-1, -1);
    const tEbookSearchHit hit = SearchEbook(
        count, FPdfView1->Page(), shown, len,
        [this, &text](int page, int from) { return FindOnPage(FPdf1->getAllText(page - 1).text(), text, from); },
        [this](int done) {
            eBookSeachProgressBar->setValue(done);
            QCoreApplication::processEvents();
            return CancelEbookSearch;
        });
    if (!hit.Found) {
        FPdfView1->update();
        if (!hit.Cancelled) {
            eBookButtonsLayout->show();
            eBookSearchLayout->hide();
            ShowEpicMessage(QStringLiteral("The search text was not found in the eBook"), QStringLiteral("OK"));
        }
        return;
    }
    eBookPageEdit->setValue(hit.Page);
    FPdfView1->SetHit(hit.Start, hit.Start + len - 1);
}

void TEbooksPage::eLinkButtonClick()
{
    if (Library.Books.empty())
        return;
    // The book is the picked one; with nothing picked there is no book to bind.
    const int row = BookListBox->currentRow();
    if (row < 0 || row >= static_cast<int>(Picker.Items.size()) || !State.SelectedTreeNode)
        return;
    const int book = Picker.Items[static_cast<size_t>(row)].Book;
    // The page box speaks of the book on show; a book that did not open has
    // no page to bind.
    if (FPdf1->status() != QPdfDocument::Status::Ready ||
        openFile_ != Library.Books[static_cast<size_t>(book)].PDFfileName)
        return;
    if (!ELink(Library, book, SelectedSeries(), eBookPageEdit->value()))
        return;
    if (State.IndicateEBook == book + 1)
        State.SelectedTreeNode->eIndexed = true;
    RefreshTreeAndMenus();
}

void TEbooksPage::RefreshTreeAndMenus()
{
    Q_EMIT State.Events->RenderTree();
    SetUpBookList();
    Q_EMIT State.Events->SetSaveMenuVisibility();
}

void TEbooksPage::DesignateIndexedeBooks()
{
    ::DesignateIndexedeBooks(State, Library);
}

void TEbooksPage::SaveEbookIndexes()
{
    const QStringList failures = ::SaveEbookIndexes(Library);
    Q_EMIT State.Events->SetSaveMenuVisibility();
    if (!failures.isEmpty()) {
        LogEntry(QStringLiteral("eBook save failed: ") + failures.join(QStringLiteral("; ")));
        ShowEpicMessage(QStringLiteral("These eBook changes could not be saved; they are kept for the next save:\n\n") +
                            failures.join(QLatin1Char('\n')),
                        QStringLiteral("OK"));
    }
}

void TEbooksPage::PrintEbookButtonClick()
{
    CurrProcGuard guard(Blocks::PrintEbookButtonClick);
    if (FPdf1->status() != QPdfDocument::Status::Ready || FPdf1->pageCount() < 1)
        return;
    const int count = FPdf1->pageCount();
    const QSizeF shown = FPdfView1->PageSize();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(shown.width() > shown.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFromTo(FPdfView1->Page(), FPdfView1->Page());
    printer.setPrintRange(QPrinter::PageRange);
    printer.setCopyCount(1);
    const bool ok = ChoosePrinter ? ChoosePrinter(printer, count) : DefaultPrintDialog(printer, count, this);
    if (!ok)
        return;
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage(), 1, count);
        to = std::clamp(printer.toPage(), from, count);
    }
    // The copies are made here, sheet by sheet, in the order asked for; the
    // printer itself is given one copy.
    const std::vector<int> sheets = PrintSheetOrder(from, to, std::max(printer.copyCount(), 1), printer.collateCopies());
    printer.setCopyCount(1);
    const QString title = FPdf1->metaData(QPdfDocument::MetaDataField::Title).toString();
    printer.setDocName(title.isEmpty() ? window()->windowTitle() : title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowEpicMessage(QStringLiteral("The printer could not be started."), QStringLiteral("OK"));
        return;
    }
    const auto end = qScopeGuard([&painter] { painter.end(); });
    const tBusyControls busy{BookListBox, BookmarkBox, eBookButtonsLayout};
    const QRectF paper(0, 0, painter.device()->width(), painter.device()->height());
    bool first = true;
    for (const int page : sheets) {
        if (!first)
            printer.newPage();
        first = false;
        eBookPageEdit->setValue(page);
        const QRectF target = FitPageRect(FPdf1->pagePointSize(page - 1), paper);
        const QImage image = FPdf1->render(page - 1, PrintBitmapSize(target.size().toSize()));
        painter.setOpacity(1);
        painter.drawImage(target, image);
        QCoreApplication::processEvents();
    }
}

TSetupEbookForm *TEbooksPage::SetupForm() const
{
    return setupForm_;
}

void TEbooksPage::SetupEbookClick()
{
    CurrProcGuard guard(Blocks::SetupEbookClick);
    if (setupForm_) {
        setupForm_->raise();
        setupForm_->activateWindow();
        return;
    }
    if (!State.SelectedTreeNode)
        return;
    setupForm_ = new TSetupEbookForm(Library, *State.SelectedTreeNode, State.IndicateEBook, window());
    if (setupBounds_.width() > 439)
        setupForm_->setGeometry(setupBounds_);
    connect(setupForm_, &TSetupEbookForm::Accepted, this, [this](int indicate) {
        State.IndicateEBook = indicate;
        DesignateIndexedeBooks();
        RefreshTreeAndMenus();
    });
    connect(setupForm_, &TSetupEbookForm::Closing, this, [this](const QRect &bounds) { setupBounds_ = bounds; });
    setupForm_->show();
    setupForm_->raise();
}
