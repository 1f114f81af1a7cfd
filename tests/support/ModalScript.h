#pragma once

#include "widgets/ModalOpener.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <vector>

// Drives the windows the editor opens modally while it lives: each opened
// window is handed to the next step, which drives it (and should close it).
// A window nobody expected is closed at once and recorded; steps left over
// at the end fail the test.
class ModalScript {
public:
    using Step = std::function<void(QDialog*)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Step step);
    // Typed step: fails the test when the window is of another class.
    template <class T> ModalScript& then(std::function<void(T*)> step);
    [[nodiscard]] const std::vector<QString>& opened() const { return m_opened; }
    [[nodiscard]] int pending() const { return int(m_steps.size()); }

private:
    void run(QDialog* dialog);
    std::deque<Step> m_steps;
    std::vector<QString> m_opened; // class names, in order
    ModalOpener::Hook m_previous;
};

#include <gtest/gtest.h>

template <class T> ModalScript& ModalScript::then(std::function<void(T*)> step) {
    return then([step = std::move(step)](QDialog* d) {
        T* typed = qobject_cast<T*>(d);
        if (!typed) {
            ADD_FAILURE() << "expected " << T::staticMetaObject.className() << " but "
                          << d->metaObject()->className() << " opened";
            d->reject();
            return;
        }
        step(typed);
    });
}

inline ModalScript::ModalScript() : m_previous(ModalOpener::SetHook([this](QDialog* d) { run(d); })) {}

inline ModalScript::~ModalScript() {
    ModalOpener::SetHook(m_previous);
    if (!m_steps.empty())
        ADD_FAILURE() << m_steps.size() << " scripted window step(s) left over";
}

inline ModalScript& ModalScript::then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

inline void ModalScript::run(QDialog* dialog) {
    m_opened.push_back(QString::fromLatin1(dialog->metaObject()->className()));
    if (m_steps.empty()) {
        ADD_FAILURE() << "unexpected window " << dialog->metaObject()->className();
        dialog->reject();
        return;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step(dialog);
}
