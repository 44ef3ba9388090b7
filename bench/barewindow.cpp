// SPDX-License-Identifier: MIT
#include "barewindow.h"

#include "appinfo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QGroupBox *group(const QString &title, const QList<QWidget *> &widgets)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    box->setLayout(layout);
    return box;
}

} // namespace

QWidget *buildBareWindow(const QString &shownHtml)
{
    QFont font;
    font.setPointSize(AppInfo::fontPointSize);

    auto *searchBox = new QLineEdit(QStringLiteral("--history"));
    searchBox->setFont(font);
    auto *searchButton = new QPushButton;
    searchButton->setIcon(QIcon(QStringLiteral(":/icons/search.png")));
    searchButton->setFlat(true);
    auto *resultView = new QTextBrowser;
    resultView->setFont(font);
    resultView->setText(shownHtml);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchBox);
    searchRow->addWidget(searchButton);
    auto *dictionaryLayout = new QVBoxLayout;
    dictionaryLayout->addLayout(searchRow);
    dictionaryLayout->addWidget(resultView);
    auto *dictionaryTab = new QWidget;
    dictionaryTab->setLayout(dictionaryLayout);

    auto *settingsLayout = new QVBoxLayout;
    settingsLayout->addWidget(group(QStringLiteral("Main"), {new QCheckBox(QStringLiteral("Always on top"))}));
    settingsLayout->addWidget(
        group(QStringLiteral("History"),
              {new QCheckBox(QStringLiteral("Show history at startup")), new QPushButton(QStringLiteral("Clear"))}));
    settingsLayout->addWidget(group(
        QStringLiteral("Help"),
        {new QLabel(QStringLiteral("Type <b>-h</b> or <b>--help</b> in search box <br />for view help document"))}));
    settingsLayout->addStretch();
    auto *settingsTab = new QWidget;
    settingsTab->setLayout(settingsLayout);

    auto *aboutLayout = new QVBoxLayout;
    aboutLayout->addWidget(new QLabel(
        QStringLiteral("<h3>Orvanta Dictionary</h3><p>Version %1</p>").arg(QLatin1String(AppInfo::version))));
    aboutLayout->addStretch();
    auto *aboutTab = new QWidget;
    aboutTab->setLayout(aboutLayout);

    auto *tabs = new QTabWidget;
    tabs->addTab(dictionaryTab, QStringLiteral("Dictionary"));
    tabs->addTab(settingsTab, QStringLiteral("Settings"));
    tabs->addTab(aboutTab, QStringLiteral("About"));
    auto *layout = new QHBoxLayout;
    layout->addWidget(tabs);
    auto *window = new QWidget;
    window->setLayout(layout);
    window->setWindowIcon(QIcon(QStringLiteral(":icons/dic.png")));
    window->setWindowTitle(QStringLiteral("Orvanta Dictionary"));
    window->setFixedSize(235, 354);
    return window;
}
