#pragma once
// TImportForm, "Orvanta: Import a CSV file": the collector picks a
// field-count filter and whether entries must match a price-list entry,
// starts the import of the text file, reviews the accepted and rejected
// lines and accepts the entries into the collection or cancels. The work is
// tTextImport (core/collection/textimport.h); the window only drives it.
#include <QDialog>

#include <memory>

#include "core/model/mainstate.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class tTextImport;

inline const QString ImportCaption = QStringLiteral("Orvanta: Import a CSV file");

class TImportForm : public QDialog {
    Q_OBJECT
public:
    TImportForm(tMainState &state, const QString &fileName, QWidget *parent = nullptr);
    ~TImportForm() override;

    QString OVIfilename;
    bool CloseNow = false;     // Cancel asked the running import to stop
    bool Running() const { return running_; }
    // The entries read so far and not yet accepted.
    int StagedCount() const;

    QLabel *Label1 = nullptr;  // the file being imported
    QLabel *Label2 = nullptr;  // imported count
    QLabel *Label3 = nullptr;  // rejected count
    QLabel *Label4 = nullptr;
    QComboBox *FilterBox = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;  // accepted lines
    QPlainTextEdit *Memo2 = nullptr;  // rejected lines
    QPushButton *Button1 = nullptr;   // "Begin importing", then "Accept imported data"
    QPushButton *Button2 = nullptr;   // "Cancel"

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Button1Click();
    void Button2Click();
    void RunImport();
    void AcceptImport();
    void ShowProgress();

    tMainState &s;
    std::unique_ptr<tTextImport> run_;
    bool running_ = false;
    bool started_ = false;
    int shownAccepted_ = 0;
    int shownRejected_ = 0;
};

// The welcome window's import: the window for the file, shown modally.
void ShowImportForm(tMainState &s, const QString &fileName, QWidget *parent);
