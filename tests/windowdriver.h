// SPDX-License-Identifier: MIT
#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

#include "app/dictionary_0_9v.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>

#include <memory>

// Reaches the window's widgets the way a user sees them.
struct WindowDriver
{
    explicit WindowDriver(QWidget *parent = nullptr);

    // Shows the window and waits until it has the keyboard, so that Return
    // reaches the search button's shortcut.
    bool activate();
    void type(const QString &text);
    void pressReturn();
    // A key that searches: Return, or the keypad's Enter.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void search(const QString &text);

    std::unique_ptr<Dictionary_0_9v> window;
    QLineEdit *searchBox = nullptr;
    QPushButton *searchButton = nullptr;
    QTextBrowser *resultView = nullptr;
    QCheckBox *alwaysOnTop = nullptr;
    QCheckBox *showHistory = nullptr;
    QPushButton *clearButton = nullptr;
    QTabWidget *tabs = nullptr;
};

#endif
