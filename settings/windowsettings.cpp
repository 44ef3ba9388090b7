// SPDX-License-Identifier: MIT
#include "settings/windowsettings.h"

#include "appinfo.h"

#include <QSettings>
#include <QVariant>

namespace {

// Where the per-user settings store keeps them.
QString organisation()
{
    return QLatin1String(AppInfo::settingsOrganisation);
}

QString application()
{
    return QLatin1String(AppInfo::settingsApplication);
}

} // namespace

WindowSettings WindowSettings::load()
{
    const WindowSettings defaults;
    QSettings settings(organisation(), application());
    WindowSettings stored;
    stored.pos = settings.value(QStringLiteral("pos"), QVariant(defaults.pos)).toPoint();
    stored.alwaysOnTop = settings.value(QStringLiteral("check"), QVariant(defaults.alwaysOnTop)).toBool();
    stored.showHistoryAtStartup =
        settings.value(QStringLiteral("startup"), QVariant(defaults.showHistoryAtStartup)).toBool();
    return stored;
}

void WindowSettings::save() const
{
    QSettings settings(organisation(), application());
    settings.setValue(QStringLiteral("pos"), QVariant(pos));
    settings.setValue(QStringLiteral("check"), QVariant(alwaysOnTop));
    settings.setValue(QStringLiteral("startup"), QVariant(showHistoryAtStartup));
}

QPoint placeWindow(const QPoint &stored, const QSize &size, const QList<QRect> &screens, const QRect &primary)
{
    const QRect window(stored, size);
    for (const QRect &screen : screens) {
        if (screen.intersects(window))
            return stored;
    }
    QRect fallback(WindowSettings().pos, size);
    // Keep the top-left corner on screen even when the window is larger.
    if (fallback.right() > primary.right())
        fallback.moveRight(primary.right());
    if (fallback.bottom() > primary.bottom())
        fallback.moveBottom(primary.bottom());
    if (fallback.left() < primary.left())
        fallback.moveLeft(primary.left());
    if (fallback.top() < primary.top())
        fallback.moveTop(primary.top());
    return fallback.topLeft();
}
