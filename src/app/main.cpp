#include <QApplication>

#include "mainwindow/ui/mainform.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    TMainForm form;
    form.show();
    return app.exec();
}
