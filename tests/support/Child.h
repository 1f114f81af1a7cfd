#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

// A control of a window by its object name (any name when none is given).
// A missing control fails the test that asked for it, naming the control,
// and ends it with an exception instead of a crash on a null pointer.
template <class T> T* child(const QObject* parent, const QString& name = QString()) {
    T* found = parent ? parent->findChild<T*>(name) : nullptr;
    if (!found) {
        const std::string what =
            "no control \"" + name.toStdString() + "\" of type " + T::staticMetaObject.className();
        ADD_FAILURE() << what;
        throw std::runtime_error(what);
    }
    return found;
}

template <class T> T* child(const QObject* parent, const char* name) {
    return child<T>(parent, QString::fromLatin1(name));
}

template <class T, class Window>
T* child(const std::unique_ptr<Window>& parent, const QString& name = QString()) {
    return child<T>(parent.get(), name);
}
