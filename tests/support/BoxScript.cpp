#include "BoxScript.h"

#include <gtest/gtest.h>

BoxScript::BoxScript() : m_previous(Dialogs::SetHandler(this)) {}

BoxScript::~BoxScript() {
    Dialogs::SetHandler(m_previous);
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted box answer(s) left over";
}

BoxScript& BoxScript::ok(int times) {
    for (int i = 0; i < times; ++i)
        m_answers.push_back(true);
    return *this;
}

BoxScript& BoxScript::cancel() {
    m_answers.push_back(false);
    return *this;
}

std::vector<QString> BoxScript::texts() const {
    std::vector<QString> out;
    for (const Dialogs::Box& b : m_boxes)
        out.push_back(b.text);
    return out;
}

const Dialogs::Box& BoxScript::last() const {
    static const Dialogs::Box none{nullptr, Dialogs::Kind::Plain, Dialogs::Icon::None, {}, {}};
    return m_boxes.empty() ? none : m_boxes.back();
}

bool BoxScript::show(const Dialogs::Box& box) {
    m_boxes.push_back(box);
    // A box without a parent is a top-level window of its own: closing it
    // while the main window is hidden used to end the program.
    if (!box.parent)
        ADD_FAILURE() << "box without a parent window: " << box.text.toStdString();
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected box \"" << box.caption.toStdString() << "\": " << box.text.toStdString();
        return false;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
