#pragma once
// The three finder tool windows of the main menu: "Find text"
// (TFindTextForm), "Find a catalog number" (TFindCatalogForm) and "Find a
// coin by item number" (TFindItemForm). Each is modeless and thin: the
// searches are plain code (browse/finders/findtext.h, catalogkeys.h,
// tracking.h), and what a hit shows in the main window goes through
// tNavigationSeams.
#include <functional>
#include <memory>
#include <vector>

#include <QWidget>

#include "browse/finders/catalogkeys.h"
#include "browse/finders/findtext.h"
#include "browse/finders/tracking.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Places a tool window centred over another window, keeping its size.
void CentreOver(QWidget *window, const QWidget *over);

class TFindTextForm : public QWidget {
    Q_OBJECT
public:
    // environment: what the maintenance searches need, asked at each search.
    TFindTextForm(tMainState &s, tNavigationSeams nav, std::function<tFindEnvironment()> environment,
                  QWidget *parent = nullptr);
    ~TFindTextForm() override;

    QComboBox *ComboEdit1 = nullptr;
    QLabel *StatusLabel = nullptr;
    QPushButton *Upbutton = nullptr;    // "Find previous"
    QPushButton *Downbutton = nullptr;  // "Find next"
    QCheckBox *CaseCheckBox = nullptr;
    QPushButton *ViewSizeBtn = nullptr; // "OK"

    // "Find next" (forward) or "Find previous".
    void DownbuttonClick(bool forward);
    // The history as shown in the drop-down, newest first.
    QStringList History() const { return history_; }
    // Drops the hits: the next step searches afresh.
    void Forget();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillDropDown();

    tMainState &s_;
    tNavigationSeams nav_;
    std::function<tFindEnvironment()> environment_;
    tTextFinder finder_;
    QStringList history_;
};

class TFindCatalogForm : public QWidget {
    Q_OBJECT
public:
    TFindCatalogForm(tMainState &s, tNavigationSeams nav, std::function<QString(int country)> countryName,
                     QWidget *parent = nullptr);
    ~TFindCatalogForm() override;

    QComboBox *CountryBox = nullptr;
    QTableWidget *Grid1 = nullptr;
    QLineEdit *Edit1 = nullptr;       // "Filter:"
    QPushButton *OKButton = nullptr;  // "Done"

    // On every activation: the country list afresh, preselecting the
    // selected series' country; the numbers only when that country changed.
    void FormActivate();
    void CountryBoxChange();
    void FilterCatalogList();
    void Grid1SelectCell(int row);
    const std::vector<tKMitem *> &Rows() const { return rows_; }
    // Drops the list: the next activation builds it afresh.
    void Forget();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShareColumns();

    tMainState &s_;
    tNavigationSeams nav_;
    std::function<QString(int)> countryName_;
    tKMList list_;
    std::vector<tKMitem *> rows_;
    int lastCountry_ = -1;
    // The list links series: it is rebuilt once series were freed.
    uint64_t treeGeneration_ = 0;
    bool filling_ = false;
};

class TFindItemForm : public QWidget {
    Q_OBJECT
public:
    // lastNumber: the number shown at the last closing, kept by the caller.
    TFindItemForm(tMainState &s, tNavigationSeams nav, int32_t *lastNumber, QWidget *parent = nullptr);
    ~TFindItemForm() override;

    QSpinBox *SpinBox1 = nullptr;
    QLabel *StatusLabel = nullptr;
    QPushButton *SearchButton = nullptr;
    QPushButton *OKButton = nullptr;  // "Done"

    void ShowRange();
    // Focuses the number with its text selected.
    void ReadyForTyping();
    void SearchButtonClick();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    tMainState &s_;
    tNavigationSeams nav_;
    int32_t *lastNumber_ = nullptr;
    bool isDefaultText_ = true;
};
