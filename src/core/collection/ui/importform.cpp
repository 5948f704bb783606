#include "core/collection/ui/importform.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/model/helpers.h"
#include "core/collection/textimport.h"
#include "core/program/ui/centring.h"

TImportForm::TImportForm(tMainState &state, const QString &fileName, QWidget *parent)
    : QDialog(parent), OVIfilename(fileName), s(state)
{
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(ImportCaption);
    setModal(true);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    resize(388, 498);

    const auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    auto *heading = new QLabel(QStringLiteral("Importing"), this);
    Label1 = static_cast<QLabel *>(named(new QLabel(this), "Label1"));
    const QFontMetricsF metrics(Label1->font());
    Label1->setText(ShortCaption(fileName, 300, [&metrics](const QString &t) { return metrics.horizontalAdvance(t); }));
    Label1->setToolTip(fileName);
    Label4 = static_cast<QLabel *>(named(new QLabel(QStringLiteral("Data length filter:"), this), "Label4"));
    FilterBox = static_cast<QComboBox *>(named(new QComboBox(this), "FilterBox"));
    FilterBox->addItems(ImportFilterChoices());
    FilterBox->setCurrentIndex(0);
    CheckBox1 = static_cast<QCheckBox *>(named(
        new QCheckBox(QStringLiteral("Reject any entries that do not match a price list entry"), this), "CheckBox1"));
    Memo1 = static_cast<QPlainTextEdit *>(named(new QPlainTextEdit(this), "Memo1"));
    Memo2 = static_cast<QPlainTextEdit *>(named(new QPlainTextEdit(this), "Memo2"));
    for (QPlainTextEdit *memo : {Memo1, Memo2}) {
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    Label2 = static_cast<QLabel *>(named(new QLabel(QStringLiteral("Items imported: 0"), this), "Label2"));
    Label3 = static_cast<QLabel *>(named(new QLabel(QStringLiteral("Items rejected: 0"), this), "Label3"));
    Button1 = static_cast<QPushButton *>(named(new QPushButton(QStringLiteral("Begin importing"), this), "Button1"));
    Button2 = static_cast<QPushButton *>(named(new QPushButton(QStringLiteral("Cancel"), this), "Button2"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    auto *grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(FilterBox, 1, 1);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);
    grid->addWidget(Label2, 3, 0, 1, 2);
    grid->addWidget(Memo1, 4, 0, 1, 2);
    grid->addWidget(Label3, 5, 0, 1, 2);
    grid->addWidget(Memo2, 6, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

TImportForm::~TImportForm() = default;

int TImportForm::StagedCount() const
{
    return run_ ? static_cast<int>(run_->ImportList.size()) : 0;
}

void TImportForm::Button1Click()
{
    if (started_) {
        AcceptImport();
        return;
    }
    if (OVIfilename.isEmpty())
        return;
    started_ = true;
    Button1->setEnabled(false);
    FilterBox->setEnabled(false);
    Label4->setEnabled(false);
    CheckBox1->setEnabled(false);
    RunImport();
    if (CloseNow) {
        // Cancelled while it ran: the staged entries go with the window.
        run_.reset();
        QDialog::reject();
        return;
    }
    Button1->setText(QStringLiteral("Accept imported data"));
    Button1->setEnabled(true);
}

void TImportForm::RunImport()
{
    run_ = std::make_unique<tTextImport>(s, FilterBox->currentIndex(), CheckBox1->isChecked());
    running_ = true;
    QElapsedTimer shown;
    shown.start();
    try {
        ImportFile(OVIfilename, *run_, [this, &shown] {
            // Window events run between lines, so Cancel is seen; the lists
            // are brought up to date a few times a second, not per line.
            QApplication::processEvents();
            if (shown.elapsed() > 200) {
                ShowProgress();
                shown.restart();
            }
            return !CloseNow;
        });
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
    ShowProgress();
}

void TImportForm::ShowProgress()
{
    if (!run_)
        return;
    for (; shownAccepted_ < run_->AcceptedLines.size(); ++shownAccepted_)
        Memo1->appendPlainText(run_->AcceptedLines[shownAccepted_]);
    for (; shownRejected_ < run_->RejectedLines.size(); ++shownRejected_)
        Memo2->appendPlainText(run_->RejectedLines[shownRejected_]);
    Label2->setText(QStringLiteral("Coins imported: ") + QString::number(run_->Imported));
    Label3->setText(QStringLiteral("Coins rejected:") + QString::number(run_->Rejected));
}

void TImportForm::AcceptImport()
{
    if (run_)
        ::AcceptImport(s, run_->ImportList);
    accept();
}

void TImportForm::Button2Click()
{
    CloseNow = true;
    // A running import notices the flag after its current line and closes
    // the window itself; the window stays until the run has returned.
    if (!running_)
        QDialog::reject();
}

void TImportForm::reject()
{
    Button2Click();
}

void TImportForm::closeEvent(QCloseEvent *event)
{
    if (running_) {
        CloseNow = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ShowImportForm(tMainState &s, const QString &fileName, QWidget *parent)
{
    TImportForm form(s, fileName, parent);
    CentreOnScreen(&form);
    form.exec();
}
