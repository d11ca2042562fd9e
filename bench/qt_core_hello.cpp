// The yardstick for lotto-cli's start: a program linked to Qt Core alone that starts a
// QCoreApplication and prints one line (docs/PERFORMANCE.md compares both with hyperfine).
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::puts("Zerbosts Lotto");
    return 0;
}
