// SPDX-License-Identifier: MIT
#ifndef WINDOWSETTINGS_H
#define WINDOWSETTINGS_H

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The three values kept between runs in the per-user settings store.
struct WindowSettings
{
    QPoint pos = QPoint(200, 200);
    bool alwaysOnTop = true;
    bool showHistoryAtStartup = true;

    // Reads "pos", "check" and "startup"; absent keys give the defaults.
    static WindowSettings load();
    // Writes all three keys, changed or not.
    void save() const;
};

// Where to put a window of the given size whose stored position is stored.
// A position that leaves the window at least partly on one of the screens is
// kept as it is; one that puts it wholly off every screen (a monitor that
// was unplugged) falls back to the default, moved inside the primary screen.
QPoint placeWindow(const QPoint &stored, const QSize &size, const QList<QRect> &screens, const QRect &primary);

#endif
