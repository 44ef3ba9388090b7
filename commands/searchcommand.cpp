// SPDX-License-Identifier: MIT
#include "commands/searchcommand.h"

#include "appinfo.h"

#include <QCoreApplication>

SearchCommand recognizeSearchCommand(const QString &typed)
{
    // Copied with its line end, or typed with a space: still the command.
    const QString text = typed.trimmed();
    if (text == QLatin1String("-H") || text == QLatin1String("--history"))
        return SearchCommand::History;
    if (text == QLatin1String("-h") || text == QLatin1String("--help"))
        return SearchCommand::Help;
    if (text == QLatin1String("-v") || text == QLatin1String("--version"))
        return SearchCommand::Version;
    return SearchCommand::None;
}

namespace {

// One line of the help page: what, and its two command words.
QString helpLine(const char *what, const char *shortWord, const char *longWord)
{
    const QString line = QCoreApplication::translate("SearchCommand", what)
                             .arg(QLatin1String("<b>") + QLatin1String(shortWord) + QLatin1String("</b>"),
                                  QLatin1String("<b>") + QLatin1String(longWord) + QLatin1String("</b>"));
    return QLatin1String("<p>") + line + QLatin1String("</p>");
}

} // namespace

QString helpPage()
{
    QString page;
    page.append(QLatin1String("<h4>"));
    page.append(QCoreApplication::translate("SearchCommand", "Help Document"));
    page.append(QLatin1String("</h4>"));
    page.append(helpLine(QT_TRANSLATE_NOOP("SearchCommand", "History: %1 or %2"), "-H", "--history"));
    page.append(helpLine(QT_TRANSLATE_NOOP("SearchCommand", "Help: %1 or %2"), "-h", "--help"));
    page.append(helpLine(QT_TRANSLATE_NOOP("SearchCommand", "Version: %1 or %2"), "-v", "--version"));
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
