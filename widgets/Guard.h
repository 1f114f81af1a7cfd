#pragma once

#include "widgets/Dialogs.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <type_traits>
#include <utility>

// Handlers run through Guarded so that no exception crosses a Qt slot: a
// failure ends the command, the general error box (parented to `window`)
// shows it and the window stays as it was. The handler may take the
// signal's arguments or none.
template <class F> auto Guarded(QWidget* window, F f) {
    // The return type is stated so that Qt, counting the arguments the
    // handler takes, does not instantiate the body with too few of them.
    return [window = QPointer<QWidget>(window), f = std::move(f)](auto&&... args) mutable -> void {
        try {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else if constexpr (std::is_invocable_v<F&>)
                f();
            else
                static_assert(sizeof...(args) < 0,
                              "the handler takes neither the signal's arguments nor none");
        } catch (const std::exception& e) {
            Dialogs::ShowError(window, e);
        } catch (...) {
            Dialogs::ShowError(window, QStringLiteral("Unknown error"));
        }
    };
}

// Runs f now, under the same rule.
template <class F> void RunGuarded(QWidget* window, F&& f) {
    Guarded(window, std::forward<F>(f))();
}

// connect() with the guard around the handler; the context is the window
// that owns the handler.
template <class Sender, class Signal, class F>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QWidget* context, F f) {
    return QObject::connect(sender, signal, context, Guarded(context, std::move(f)));
}
