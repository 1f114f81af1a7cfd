#pragma once

#include "widgets/Dialogs.h"

#include <QString>

#include <deque>
#include <vector>

// Answers the editor's message boxes while it lives. Every box must have been
// expected with ok()/cancel(), in order; a box nobody expected, or an answer
// left over at the end, fails the test.
class BoxScript : public Dialogs::Handler {
public:
    BoxScript();
    ~BoxScript() override;
    BoxScript(const BoxScript&) = delete;
    BoxScript& operator=(const BoxScript&) = delete;

    // The next box is answered OK (the only answer a box without Cancel has).
    BoxScript& ok(int times = 1);
    // The next box is answered Cancel.
    BoxScript& cancel();

    [[nodiscard]] const std::vector<Dialogs::Box>& boxes() const { return m_boxes; }
    [[nodiscard]] std::vector<QString> texts() const;
    [[nodiscard]] const Dialogs::Box& last() const;
    [[nodiscard]] int pending() const { return int(m_answers.size()); }

    bool show(const Dialogs::Box& box) override;

private:
    std::deque<bool> m_answers;
    std::vector<Dialogs::Box> m_boxes;
    Dialogs::Handler* m_previous;
};
