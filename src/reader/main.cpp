// kestrin.bin: the reader runtime at the front of every executable e-book. It plays the compiled
// book appended to its own file.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorelle reader"));
    std::fprintf(stderr, "This program holds no e-book: build a book with Quorelle's "
                         "\"Create Executable\" to get one.\n");
    return 1;
}
