// SPDX-License-Identifier: MIT
// Looks words up through the real window, as a user would, and prints each
// word once the lookup (and so its history insert) has returned. For tests
// that run two at once, or kill one mid-write.
// Usage: faultdriver PREFIX COUNT   (COUNT 0: until killed)
// Looks up PREFIX0, PREFIX1, ... in ./en-si.db; exits with the number of
// error boxes it saw.
#include "tests/testsupport.h"
#include "tests/windowdriver.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: faultdriver PREFIX COUNT\n");
        return 100;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = QByteArray(argv[2]).toInt();
    ModalWatcher boxes;
    WindowDriver driver;
    QTextStream out(stdout);
    for (int i = 0; count == 0 || i < count; ++i) {
        const QString word = prefix + QString::number(count == 0 ? i % 1000 : i);
        driver.searchBox->setText(word);
        driver.searchButton->click();
        out << word << Qt::endl;
    }
    for (const QString &text : boxes.texts())
        std::fprintf(stderr, "error box: %s\n", qPrintable(text));
    return int(boxes.count());
}
