#include "tools/common/ui/toolwindow.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

#include "core/program/ui/centring.h"

Qt::WindowFlags ToolWindowFlags()
{
    return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

QTabWidget *NewConverterTabs(QWidget *window)
{
    auto *tabs = new QTabWidget(window);
    tabs->setObjectName(QStringLiteral("TabControl1"));
    tabs->setTabPosition(QTabWidget::South);
    return tabs;
}

QWidget *NewTabPage(const char *name)
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

QPushButton *LayOutTabsAboveOk(QDialog *window, QTabWidget *tabs)
{
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKbutton"));
    QObject::connect(ok, &QPushButton::clicked, window, &QDialog::close);
    auto *strip = new QHBoxLayout;
    strip->addStretch();
    strip->addWidget(ok);
    auto *v = new QVBoxLayout(window);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(tabs, 1);
    v->addLayout(strip);
    return ok;
}

void PlaceToolWindow(QWidget *window, const QWidget *main, tToolPlacement placement)
{
    window->adjustSize();
    if (placement == tToolPlacement::OnScreen || !main) {
        CentreOnScreen(window);
        return;
    }
    const QRect m = main->geometry();
    window->move(m.left() + (m.width() - window->width()) / 2, m.top() + (m.height() - window->height()) / 2);
}
