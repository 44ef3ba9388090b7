// SPDX-License-Identifier: MIT
// The bare window as a program of its own, to set the dictionary's memory
// against.
#include "bench/barewindow.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget *window = buildBareWindow(QString());
    window->show();
    const int status = app.exec();
    delete window;
    return status;
}
