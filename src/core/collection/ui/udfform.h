#pragma once
// "Orvanta: User defined fields": adds, labels, configures and deletes the
// collection's user-defined fields on a working copy (core/collection/udffields.h).
// OK re-slots every entry's values and replaces the definitions; Cancel
// changes nothing. Modal to the application but shown without a nested
// event loop: Done reports how it was closed, and the window frees itself.
#include <QDialog>

#include <functional>

#include "core/collection/udffields.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
struct tMainState;

class TUDFform : public QDialog {
    Q_OBJECT
public:
    TUDFform(tMainState &state, std::function<void(bool ok)> done, QWidget *parent = nullptr);

    QListWidget *ListBox1 = nullptr;  // the fields
    QListWidget *ListBox2 = nullptr;  // the field types
    QLabel *Label5 = nullptr;         // type of the selected field
    QLabel *StatusLabel = nullptr;    // description of the chosen type
    QLabel *LabelCaption = nullptr;
    QLineEdit *Edit1 = nullptr;       // the label
    QLabel *LengthCaption = nullptr;
    QSpinBox *LengthEdit = nullptr;
    QLabel *OptionsCaption = nullptr;
    QPlainTextEdit *Memo1 = nullptr;  // one choice a line
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *OKbutton = nullptr;
    QPushButton *CancelButton = nullptr;

    const tUDFWorkList &Work() const { return work; }

    void ListBox1Click();
    void ListBox2Click();
    void AddButtonClick();
    void DeleteButtonClick();
    void Edit1Exit();
    void Memo1Exit();
    void OKbuttonClick();

protected:
    void reject() override { Finish(false); }
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    tUDFWorkField *Selected();
    void Finish(bool ok);

    tMainState &s;
    tUDFWorkList work;
    std::function<void(bool)> done_;
    bool finished_ = false;
};
