#pragma once
// The program's application object. Exceptions must never cross Qt's event
// loop, so every event is delivered inside one guard: whatever an event
// handler throws is caught here and reported by AppException, and the
// program goes on running.
#include <QApplication>

class TOrvantaApplication : public QApplication {
    Q_OBJECT
public:
    TOrvantaApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
