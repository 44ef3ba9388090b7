// SPDX-License-Identifier: MIT
// The Start-menu entry on Windows: starts the dictionary on the user's own
// copy of the word list, which the program reads as ./en-si.db. Everything
// installed sits beside this program, and is never written.
#include "tools/launcher/userwordlist.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString installed = QCoreApplication::applicationDirPath();
    // %LOCALAPPDATA%\orvanta-dictionary: the user's, kept by the uninstaller.
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/orvanta-dictionary");
    UserWordList copy({installed + QStringLiteral("/en-si.db"), installed + QStringLiteral("/en-si-import.exe")}, data);
    QString error;
    QString warning;
    if (!copy.prepare(&error, &warning)) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvanta Dictionary"), error);
        return 1;
    }
    if (!warning.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Orvanta Dictionary"), warning);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!QProcess::startDetached(installed + QStringLiteral("/orvanta-dictionary.exe"), arguments, copy.directory())) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvanta Dictionary"),
                              UserWordList::tr("Cannot start the dictionary."));
        return 1;
    }
    return 0;
}
