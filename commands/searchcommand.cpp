// SPDX-License-Identifier: MIT
#include "searchcommand.h"

#include "appinfo.h"

SearchCommand recognizeSearchCommand(const QString &text)
{
    if (text == QLatin1String("-H") || text == QLatin1String("--history"))
        return SearchCommand::History;
    if (text == QLatin1String("-h") || text == QLatin1String("--help"))
        return SearchCommand::Help;
    if (text == QLatin1String("-v") || text == QLatin1String("--version"))
        return SearchCommand::Version;
    return SearchCommand::None;
}

QString helpPage()
{
    QString page;
    page.append(QLatin1String("<h4>Help Document</h4>"));
    page.append(QLatin1String("<p>History: <b>-H</b> or <b>--history</b></p>"));
    page.append(QLatin1String("<p>Help: <b>-h</b> or <b>--help</b></p>"));
    page.append(QLatin1String("<p>Version: <b>-v</b> or <b>--version</b></p>"));
    return page;
}

QString versionPage()
{
    QString page;
    page.append(QLatin1String("<h4>Version</h4>"));
    page.append(QLatin1String("<p>"));
    page.append(QLatin1String(AppInfo::version));
    page.append(QLatin1String("v</p>"));
    return page;
}
