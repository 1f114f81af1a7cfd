// Runs a fuzz target over every file of its corpus folders, without the
// fuzzing engine: the test suite replays what fuzzing found with the normal
// compiler, so an input that once crashed a target keeps being tried.
#include "FuzzCheck.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                   std::size_t(input.size()));
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    // An empty corpus proves nothing: count it as a failure.
    return files > 0 ? 0 : 1;
}
