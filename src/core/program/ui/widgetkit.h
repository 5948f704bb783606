#pragma once
// Small helpers the windows share when they build their controls and run
// their commands.
#include <exception>
#include <utility>

#include <QString>

#include "core/program/errorreport.h"

// A control carrying its design name as object name, so handlers and tests
// find it by that name.
template <class T, class... Args>
T *Make(const char *name, Args &&...args)
{
    auto *w = new T(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// Runs a command and hands what it throws to the application's error
// window, so a picture or file that fails is reported and the page goes on.
template <class Fn>
void Guarded(Fn fn)
{
    try {
        fn();
    } catch (const std::exception &e) {
        AppException(e);
    }
}
