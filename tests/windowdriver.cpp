// SPDX-License-Identifier: MIT
#include "tests/windowdriver.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

WindowDriver::WindowDriver(QWidget *parent)
    : window(new Dictionary_0_9v(parent))
{
    searchBox = window->findChild<QLineEdit *>();
    resultView = window->findChild<QTextBrowser *>();
    tabs = window->findChild<QTabWidget *>();
    const QList<QCheckBox *> boxes = window->findChildren<QCheckBox *>();
    for (QCheckBox *box : boxes) {
        if (box->text() == QLatin1String("Always on top"))
            alwaysOnTop = box;
        else if (box->text() == QLatin1String("Show history at startup"))
            showHistory = box;
    }
    const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->text() == QLatin1String("Clear"))
            clearButton = button;
        else if (button->text().isEmpty())
            searchButton = button;
    }
}

bool WindowDriver::activate()
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}

void WindowDriver::type(const QString &text)
{
    searchBox->selectAll();
    // Key by key with the text each key gives, so Sinhala types as well.
    if (text.isEmpty())
        QTest::keyClick(searchBox, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, searchBox, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void WindowDriver::pressReturn()
{
    press(Qt::Key_Return);
}

void WindowDriver::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The shortcut animates the button; its click comes a moment later.
    // A closed error box may have taken the keyboard away, as it would.
    if (!window->isActiveWindow())
        activate();
    QSignalSpy clicked(searchButton, &QPushButton::clicked);
    // Keys go to the offers' popup while it is open.
    QWidget *popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup : searchBox, key, modifiers);
    if (clicked.isEmpty() && !clicked.wait(2000))
        qWarning("the key did not click the search button");
}

void WindowDriver::search(const QString &text)
{
    type(text);
    pressReturn();
}
