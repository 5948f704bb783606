#pragma once
// "Report Editor": the names a template can print, from every data set
// (the coin data set with the user fields' labels), to copy into a
// template, and the templates of the reports folder to open in the
// system's editor. The report list is reloaded when the window closes.
#include <functional>

#include <QDialog>

class QComboBox;
class QPushButton;
class QTreeWidget;

class TReportEditorForm : public QDialog {
    Q_OBJECT
public:
    TReportEditorForm(const QString &folder, const QStringList &coinFields, QWidget *parent = nullptr);

    // Opens a template file in the system's editor. Replaceable, so that
    // tests launch nothing.
    std::function<void(const QString &path)> OpenInEditor;

    QTreeWidget *FieldBrowser;
    QPushButton *CopyFieldBtn;
    QComboBox *TemplateBox;
    QPushButton *EditTemplateBtn;
    QPushButton *CloseBtn;

private:
    void CopyField();
    void EditTemplate();

    QString folder_;
};
