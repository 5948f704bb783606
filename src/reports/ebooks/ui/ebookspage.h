#pragma once
// The eBooks page of the main window: the book picker, the open PDF
// catalogue at the page bound to the selected series, bookmarks, page box,
// zoom and fit, the page-by-page text search, printing, and the eLink
// button that binds the selected series to the shown page. The page owns the
// eBook library; the library's rules are plain functions
// (reports/ebooks/ebooklibrary.h), the viewer's too (ebookviewer.h).
#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/model/mainstate.h"
#include "reports/ebooks/ebooklibrary.h"
#include "reports/ebooks/ebookviewer.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPdfDocument;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QToolButton;
class TPdfPageView;
class TSetupEbookForm;

class TEbooksPage : public QWidget {
    Q_OBJECT
public:
    explicit TEbooksPage(tMainState &state, QWidget *parent = nullptr);
    ~TEbooksPage() override;

    tMainState &State;
    tEbookLibrary Library;
    tBookPicker Picker;
    std::vector<tEbookBookmark> Bookmarks;
    bool CancelEbookSearch = false;

    // ---- Services of the main window ----
    // The picker's pictures: a book that binds the selected series, the others.
    std::function<QIcon(bool bound)> BookIcon;
    // Shows or hides the eBooks tab (visible while the library has a book).
    std::function<void(bool visible)> ShowTab;
    // The print dialog; false when cancelled. Replaceable, so that tests
    // print to a file without a modal dialog.
    std::function<bool(QPrinter &printer, int pageCount)> ChoosePrinter;

    // ---- Commands ----
    void LoadEbooks();
    void SetUpBookList();
    void BookListBoxChange();
    void BookmarkBoxChange();
    void eBookPageEditChange();
    void ZoomPFDFwClick(bool width);
    void SpeedButton1Click();
    void eLinkButtonClick();
    void PrintEbookButtonClick();
    // Writes every modified index; failures are reported once, together.
    void SaveEbookIndexes();
    // "Edit eBook": the setup window for the selected series.
    void SetupEbookClick();
    TSetupEbookForm *SetupForm() const;
    // Recomputes the tree's marks of the focused eBook.
    void DesignateIndexedeBooks();

    QListWidget *BookListBox;
    QListWidget *BookmarkBox;
    QLabel *Label9;
    QSpinBox *eBookPageEdit;
    QSlider *PDFzoomBar;  // hundredths of the zoom factor
    QPushButton *ZoomPFDFw;
    QPushButton *ZoomPFDFh;
    QPushButton *PrintEbookButton;
    QPushButton *eLinkButton;
    QComboBox *eBookSearchEdit;
    QToolButton *SpeedButton1;
    QWidget *eBookButtonsLayout;
    QWidget *eBookSearchLayout;
    QProgressBar *eBookSeachProgressBar;
    QLabel *Label29;
    QPushButton *Button6;
    QScrollArea *eBookScrollBox;
    TPdfPageView *FPdfView1;
    QPdfDocument *FPdf1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int32_t SelectedSeries() const;
    void ShowBookmarkOfPage(int page);
    void ScrollHome();
    void RefreshTreeAndMenus();

    QString openFile_;
    QPointer<TSetupEbookForm> setupForm_;
    QRect setupBounds_;  // the setup window's last place, until the program ends
};
