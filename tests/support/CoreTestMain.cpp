#include <QCoreApplication>
#include <gtest/gtest.h>

// The entry of the test programs that link the core library alone.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VornTanorEditor"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
