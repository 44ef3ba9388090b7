// SPDX-License-Identifier: MIT
#include "app/dictionary_0_9v.h"
#include "app/platformpreference.h"
#include "app/uilanguage.h"

#include <QApplication>
#include <QLocale>
#include <QSysInfo>
#include <QTranslator>

#include <cstdlib>

int main(int argc, char *argv[])
{
    // Must be decided before the application object picks its platform.
    const QByteArray platform = preferredPlatform(std::getenv("QT_QPA_PLATFORM"), QSysInfo::kernelType());
    if (!platform.isNull())
        qputenv("QT_QPA_PLATFORM", platform);

    QApplication app(argc, argv);
    // Sinhala for a Sinhala desktop; English, built in, for every other.
    QTranslator translator;
    installTranslation(&translator, QLocale::system().uiLanguages());
    Dictionary_0_9v window;
    window.show();
    return app.exec();
}
