// SPDX-License-Identifier: MIT
#include "app/platformpreference.h"

QByteArray preferredPlatform(const char *current, const QString &kernelType)
{
    if (current || kernelType != QLatin1String("linux"))
        return QByteArray();
    return QByteArrayLiteral("xcb;wayland");
}
