// SPDX-License-Identifier: MIT
#ifndef PLATFORMPREFERENCE_H
#define PLATFORMPREFERENCE_H

#include <QByteArray>
#include <QString>

// The value to give QT_QPA_PLATFORM before the application object is made,
// given its current value (null when unset) and the system's kernel type
// (QSysInfo::kernelType()), or a null array to leave it alone. Under Wayland
// a native window cannot be moved, kept on top, or read the clipboard before
// it has focus; XWayland can, so a Linux desktop prefers it and falls back to
// Wayland where no X server is there. Other systems have neither, so their
// own platform is left to Qt. A value the user set, even an empty one, is
// never changed.
QByteArray preferredPlatform(const char *current, const QString &kernelType);

#endif
