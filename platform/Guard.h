#pragma once

#include "platform/Dialogs.h"

#include <QObject>

#include <exception>
#include <type_traits>
#include <utility>

// Handlers run through Guarded so that no exception crosses a Qt slot: a
// failure ends the command, the general error box shows it and the window
// stays as it was. The handler may take the signal's arguments or none.
template <class F> auto Guarded(F f) {
    return [f = std::move(f)](auto&&... args) mutable {
        try {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        } catch (const std::exception& e) {
            Dialogs::ShowError(e);
        } catch (...) {
            Dialogs::ShowError(QStringLiteral("Unknown error"));
        }
    };
}

// Runs f now, under the same rule.
template <class F> void RunGuarded(F&& f) {
    Guarded(std::forward<F>(f))();
}

// connect() with the guard around the handler.
template <class Sender, class Signal, class F>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, const QObject* context, F f) {
    return QObject::connect(sender, signal, context, Guarded(std::move(f)));
}
