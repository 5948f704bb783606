#include "mainwindow/ui/mainform.h"

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvanta"));
    resize(1280, 800);
    MainForm = this;
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
}
