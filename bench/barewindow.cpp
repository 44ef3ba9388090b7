// SPDX-License-Identifier: MIT
#include "bench/barewindow.h"

#include "appinfo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
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
    searchButton->setShortcut(QKeySequence(Qt::Key_Return));
    new QShortcut(QKeySequence(Qt::Key_Enter), searchButton);
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
    auto *helpLabel =
        new QLabel(QStringLiteral("Type <b>-h</b> or <b>--help</b> in search box <br />for view help document"));
    helpLabel->setWordWrap(true);
    settingsLayout->addWidget(group(QStringLiteral("Help"), {helpLabel}));
    settingsLayout->addStretch();
    auto *settingsTab = new QWidget;
    settingsTab->setLayout(settingsLayout);

    auto *aboutLayout = new QVBoxLayout;
    auto *aboutLabel = new QLabel(QStringLiteral("<h3>Orvanta Dictionary</h3>"
                                                 "<p>A English to Sinhala Dictionary just build<br>for simplicity</p>"
                                                 "<p>Version %1</p>"
                                                 "<p>© 2026 Orvanta authors</p>"
                                                 "<p>Free software, MIT licence</p>"
                                                 "<p>Written for Norvelk</p>"
                                                 "<p><a href='https://norvelk.example/orvanta'>"
                                                 "norvelk.example/orvanta</a></p>")
                                      .arg(QLatin1String(AppInfo::version)));
    aboutLabel->setWordWrap(true);
    aboutLayout->addWidget(aboutLabel);
    aboutLayout->addStretch();
    auto *aboutTab = new QWidget;
    aboutTab->setLayout(aboutLayout);

    auto *tabs = new QTabWidget;
    tabs->addTab(dictionaryTab, QStringLiteral("Dictionary"));
    tabs->addTab(settingsTab, QStringLiteral("Settings"));
    tabs->addTab(aboutTab, QStringLiteral("About"));
    tabs->setMovable(true);
    auto *layout = new QHBoxLayout;
    layout->addWidget(tabs);
    auto *window = new QWidget;
    window->setLayout(layout);
    window->setWindowIcon(QIcon(QStringLiteral(":icons/dic.png")));
    window->setWindowTitle(QStringLiteral("Orvanta Dictionary"));
    window->setFixedSize(AppInfo::windowSize);
    return window;
}
