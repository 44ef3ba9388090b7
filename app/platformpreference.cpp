// SPDX-License-Identifier: MIT
#include "platformpreference.h"

QByteArray preferredPlatform(const char *current)
{
    if (current)
        return QByteArray();
    return QByteArrayLiteral("xcb;wayland");
}
