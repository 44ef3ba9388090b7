// SPDX-License-Identifier: MIT
#include "dictionary_0_9v.h"
#include "platformpreference.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    // Must be decided before the application object picks its platform.
    const QByteArray platform = preferredPlatform(std::getenv("QT_QPA_PLATFORM"));
    if (!platform.isNull())
        qputenv("QT_QPA_PLATFORM", platform);

    QApplication app(argc, argv);
    Dictionary_0_9v window;
    window.show();
    return app.exec();
}
