#include "widgets/Dialogs.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Without a script, a box would wait for a click that never comes and the
// test would hang until CTest's timeout: fail it at once instead, naming the
// box. Tests that drive real boxes switch this off (Dialogs::SetHandler).
class UnscriptedBoxes : public Dialogs::Handler {
public:
    bool show(const Dialogs::Box& box) override {
        ADD_FAILURE() << "a box no test expected: " << box.caption.toStdString() << ": "
                      << box.text.toStdString();
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    // Test discovery runs the binary outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    UnscriptedBoxes unscripted;
    Dialogs::SetHandler(&unscripted);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    Dialogs::SetHandler(nullptr);
    return result;
}
