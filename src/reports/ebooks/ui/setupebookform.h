#pragma once
// "Edit eBook": the page of one series in every book of the eBook library
// at once, and which book is focused (its indexed series are marked in the
// tree). One row per book, the open book first; OK changes only the books
// whose page box the user changed.
#include <QDialog>
#include <vector>

#include "platform/uiservices.h"
#include "reports/ebooks/ebooklibrary.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
struct tnodeinfo;

class TSetupEbookForm : public QDialog {
    Q_OBJECT
public:
    TSetupEbookForm(tEbookLibrary &library, const tnodeinfo &series, int indicateEBook, QWidget *parent = nullptr);

    int32_t SeriesNumber = 0;
    // One slot per book, by library index.
    std::vector<QLineEdit *> EditList;
    std::vector<QCheckBox *> CheckBoxList;
    std::vector<int> OrgList;

    QLabel *SeriesLabel;
    QScrollArea *ScrollBox;
    QPushButton *Button1;  // OK
    QPushButton *Button3;  // Cancel

    void CheckBox1Click(QCheckBox *clicked);
    void Button1Click();

Q_SIGNALS:
    // OK: the bindings changed; indicate is the new focused eBook (index + 1, 0 none).
    void Accepted(int indicate);
    // The window closes at this place.
    void Closing(const QRect &bounds);

public:
    // However the window closes (OK, Cancel, Esc, its frame) it reports its place.
    void done(int result) override;

private:
    tEbookLibrary &library_;
    platform::ModalScope modal_;  // the automatic save waits while the window is open
};
