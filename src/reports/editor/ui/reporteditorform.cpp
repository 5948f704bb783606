#include "reports/editor/ui/reporteditorform.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "reports/editor/reportfields.h"

TReportEditorForm::TReportEditorForm(const QString &folder, const QStringList &coinFields, QWidget *parent)
    : QDialog(parent), folder_(folder)
{
    setObjectName(QStringLiteral("ReportEditorForm"));
    setWindowTitle(QStringLiteral("Orvanta: Report Editor"));
    resize(640, 620);

    FieldBrowser = new QTreeWidget;
    FieldBrowser->setObjectName(QStringLiteral("FieldBrowser"));
    FieldBrowser->setHeaderLabels({QStringLiteral("Data sets and their fields")});
    for (const auto &[set, fields] : ReportFieldBrowserSets(coinFields)) {
        auto *top = new QTreeWidgetItem(FieldBrowser, {set});
        for (const QString &field : fields)
            new QTreeWidgetItem(top, {field});
    }
    CopyFieldBtn = new QPushButton(QStringLiteral("Copy the field"));
    CopyFieldBtn->setObjectName(QStringLiteral("CopyFieldBtn"));
    CopyFieldBtn->setToolTip(QStringLiteral("Copies the selected field as a template prints it, "
                                            "for example [Coins.\"Year\"]"));

    TemplateBox = new QComboBox;
    TemplateBox->setObjectName(QStringLiteral("TemplateBox"));
    for (const QString &file : platform::sortedEntries(folder))
        if (file.endsWith(QLatin1String(".FR3"), Qt::CaseInsensitive) && QFileInfo(QDir(folder), file).isFile())
            TemplateBox->addItem(file.left(file.size() - 4), QDir(folder).filePath(file));
    EditTemplateBtn = new QPushButton(QStringLiteral("Edit the template"));
    EditTemplateBtn->setObjectName(QStringLiteral("EditTemplateBtn"));
    EditTemplateBtn->setEnabled(TemplateBox->count() > 0);
    CloseBtn = new QPushButton(QStringLiteral("Close"));
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));

    auto *templates = new QHBoxLayout;
    templates->addWidget(new QLabel(QStringLiteral("Template:")));
    templates->addWidget(TemplateBox, 1);
    templates->addWidget(EditTemplateBtn);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CopyFieldBtn);
    bottom->addStretch(1);
    bottom->addWidget(CloseBtn);
    auto *v = new QVBoxLayout(this);
    v->addLayout(templates);
    v->addWidget(FieldBrowser, 1);
    v->addLayout(bottom);

    OpenInEditor = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    connect(CopyFieldBtn, &QPushButton::clicked, this, &TReportEditorForm::CopyField);
    connect(FieldBrowser, &QTreeWidget::itemDoubleClicked, this, &TReportEditorForm::CopyField);
    connect(EditTemplateBtn, &QPushButton::clicked, this, &TReportEditorForm::EditTemplate);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TReportEditorForm::CopyField()
{
    const QTreeWidgetItem *item = FieldBrowser->currentItem();
    if (!item || !item->parent())
        return;
    QGuiApplication::clipboard()->setText(ReportFieldExpression(item->parent()->text(0), item->text(0)));
}

void TReportEditorForm::EditTemplate()
{
    const QString path = TemplateBox->currentData().toString();
    if (!path.isEmpty() && OpenInEditor)
        OpenInEditor(path);
}
