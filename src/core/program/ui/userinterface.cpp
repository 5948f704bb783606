#include "core/program/ui/userinterface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "core/program/epicmessage.h"
#include "core/program/ui/epicmessageform.h"
#include "core/program/ui/errorform.h"

namespace {

QStringList RunFileDialog(const platform::FileRequest &request, QFileDialog::AcceptMode mode,
                          QFileDialog::FileMode fileMode)
{
    const QString start = request.FileName.isEmpty() ? request.Folder : QDir(request.Folder).filePath(request.FileName);
    QFileDialog dialog(QApplication::activeWindow(), request.Title, start, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    if (fileMode == QFileDialog::Directory)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    if (mode == QFileDialog::AcceptSave && !request.ConfirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString First(const QStringList &names)
{
    return names.isEmpty() ? QString() : names.first();
}

} // namespace

platform::MessageResult TUserInterface::showMessage(const platform::MessageRequest &request)
{
    TEpicMessage box(request);
    ++MsgCounter;
    box.setObjectName(QStringLiteral("M") + QString::number(MsgCounter));
    box.exec();
    return box.Outcome();
}

QString TUserInterface::openFileName(const platform::FileRequest &request)
{
    return First(RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

QStringList TUserInterface::openFileNames(const platform::FileRequest &request)
{
    return RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

QString TUserInterface::saveFileName(const platform::FileRequest &request)
{
    return First(RunFileDialog(request, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

QString TUserInterface::pickFolder(const platform::FileRequest &request)
{
    return First(RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::Directory));
}

void TUserInterface::showError(const platform::ErrorReport &report)
{
    TErrorForm form(report, QApplication::activeWindow());
    form.exec();
}
