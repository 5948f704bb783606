#include "reports/ebooks/ui/setupebookform.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSizeGrip>

#include "core/model/model.h"

namespace {

QLabel *SizedLabel(const QString &text, int pixelSize, bool bold, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

} // namespace

TSetupEbookForm::TSetupEbookForm(tEbookLibrary &library, const tnodeinfo &series, int indicateEBook, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      library_(library)
{
    setObjectName(QStringLiteral("SetupEbookForm"));
    // The window frees itself however it closes: OK, Cancel, Esc or its frame.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Orvanta: eBook Setup"));
    setMinimumSize(440, 374);
    resize(440, 374);
    SeriesNumber = series.CoinType;

    auto *v = new QVBoxLayout(this);
    SeriesLabel = SizedLabel(series.NodeName, 16, true, this);
    SeriesLabel->setObjectName(QStringLiteral("SeriesLabel"));
    v->addWidget(SeriesLabel);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(true);
    auto *rows = new QWidget;
    auto *rowsLayout = new QVBoxLayout(rows);
    v->addWidget(ScrollBox, 1);

    const size_t count = library.Books.size();
    EditList.assign(count, nullptr);
    CheckBoxList.assign(count, nullptr);
    OrgList.assign(count, 0);
    auto addRow = [&](size_t i, bool open) {
        const tEbook &book = library.Books[i];
        auto *row = new QWidget(rows);
        auto *grid = new QGridLayout(row);
        grid->setContentsMargins(4, 4, 4, 12);
        auto *name = SizedLabel(QFileInfo(book.PDFfileName).fileName(), 14, true, row);
        name->setStyleSheet(QStringLiteral("color: %1;").arg(open ? QStringLiteral("#800080") : QStringLiteral("#0000FF")));
        grid->addWidget(name, 0, 0, 1, 5);
        grid->addWidget(SizedLabel(SetupStatusText(book), 12, false, row), 1, 0, 1, 5);
        grid->addWidget(SizedLabel(QStringLiteral("Page:"), 12, false, row), 2, 0);
        auto *edit = new QLineEdit(row);
        edit->setObjectName(QStringLiteral("PageEdit%1").arg(i));
        edit->setFixedWidth(48);
        // Typing is held to four digits; a page already bound is shown whole.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
        const int page = BoundPage(book, SeriesNumber);
        if (page > 0)
            edit->setText(QString::number(page));
        OrgList[i] = page;
        EditList[i] = edit;
        grid->addWidget(edit, 2, 1);
        grid->addWidget(SizedLabel(QStringLiteral("%1 pages indexed").arg(book.SeriesNumbers.size()), 12, false, row),
                        2, 2);
        auto *check = new QCheckBox(QStringLiteral("Focus on this eBook"), row);
        check->setObjectName(QStringLiteral("FocusBox%1").arg(i));
        check->setChecked(indicateEBook == static_cast<int>(i) + 1);
        connect(check, &QCheckBox::clicked, this, [this, check] { CheckBox1Click(check); });
        CheckBoxList[i] = check;
        grid->addWidget(check, 2, 3);
        grid->setColumnStretch(4, 1);
        rowsLayout->addWidget(row);
    };
    const int active = library.CurrentlyActiveBook - 1;
    if (active >= 0 && active < static_cast<int>(count))
        addRow(static_cast<size_t>(active), true);
    for (size_t i = 0; i < count; ++i)
        if (static_cast<int>(i) != active)
            addRow(i, false);
    rowsLayout->addStretch(1);
    ScrollBox->setWidget(rows);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button3 = new QPushButton(QStringLiteral("Cancel"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    v->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TSetupEbookForm::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetupEbookForm::CheckBox1Click(QCheckBox *clicked)
{
    for (QCheckBox *box : CheckBoxList)
        if (box && box != clicked)
            box->setChecked(false);
}

void TSetupEbookForm::Button1Click()
{
    std::vector<QString> texts;
    texts.reserve(EditList.size());
    int focused = -1;
    for (size_t i = 0; i < EditList.size(); ++i) {
        texts.push_back(EditList[i] ? EditList[i]->text() : QString());
        if (CheckBoxList[i] && CheckBoxList[i]->isChecked())
            focused = static_cast<int>(i);
    }
    const int indicate = ApplyEbookSetup(library_, SeriesNumber, texts, OrgList, focused);
    Q_EMIT Accepted(indicate);
    accept();
}

void TSetupEbookForm::done(int result)
{
    Q_EMIT Closing(geometry());
    QDialog::done(result);
}
