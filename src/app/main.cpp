#include <QApplication>

#include "mainwindow/ui/mainform.h"
#include "mainwindow/ui/titleform.h"
#include "platform/singleinstance.h"

namespace {

// Names the one running instance of the program.
const QString InstanceKey = QStringLiteral("{AD12094E-7308-4067-8CAC-565A1FF3ADDC}");

// Calls into units built later are installed here (see mainwindow/ui/seams.h).
tMainFormSeams ProgramSeams()
{
    return {};
}

int ProgramEntry(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));

    // Another instance runs: end at once, without a window or a message.
    const platform::SingleInstance instance(InstanceKey);
    if (!instance.isFirst())
        return 0;

    int status = 0;
    try {
        TMainForm form(ProgramSeams());
        new TTitle_Form;  // owned through Title_Form, freed by the deferred start-up
        CallSeam(form.Seams.CreateNewFolderForm);
        form.show();
        Title_Form->raise();
        status = app.exec();
        delete Title_Form;  // the window closed before the deferred start-up ran
    } catch (...) {
        // A failure while the window is created or the loop runs ends the
        // program quietly; failures inside handlers are reported there.
    }
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    return ProgramEntry(argc, argv);
}
