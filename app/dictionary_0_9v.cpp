// SPDX-License-Identifier: MIT
#include "app/dictionary_0_9v.h"

#include "app/searchcompleter.h"
#include "appinfo.h"
#include "commands/cleanword.h"
#include "commands/searchcommand.h"
#include "format/resultformat.h"
#include "settings/windowsettings.h"
#include "store/dictionarystore.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// %1 is the version. The window's width is fixed: keep the closing lines
// short enough for one line each.
const char aboutText[] = QT_TRANSLATE_NOOP(
    "Dictionary_0_9v", "<h3>Orvanta Dictionary</h3>"
                       "<p>A English to Sinhala Dictionary just build<br>for simplicity</p>"
                       "<p>Version %1</p>"
                       "<p>© 2026 Orvanta authors</p>"
                       "<p>Free software, MIT licence</p>"
                       "<p>Written for Norvelk</p>"
                       "<p><a href='https://norvelk.example/orvanta'>norvelk.example/orvanta</a></p>");

const char helpLabelText[] =
    QT_TRANSLATE_NOOP("Dictionary_0_9v", "Type <b>-h</b> or <b>--help</b> in search box <br />for view help document");

QFont sharedFont()
{
    QFont font;
    font.setPointSize(AppInfo::fontPointSize);
    return font;
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace

Dictionary_0_9v::Dictionary_0_9v(QWidget *parent)
    : QWidget(parent)
    , showHistoryAtStartup(false)
    , database(nullptr)
    , clipboardRetryPending(false)
{
    // Widgets of the Dictionary and Settings pages.
    createDictionaryPage();
    createSettingsPage();

    // The option boxes are wired before the stored settings are applied, so
    // applying them runs their slots.
    connect(alwaysOnTopCheckBox, &QCheckBox::stateChanged, this, &Dictionary_0_9v::changeAlwaysOnTop);
    connect(showHistoryCheckBox, &QCheckBox::stateChanged, this, &Dictionary_0_9v::changeShowHistoryAtStartup);
    connect(clearButton, &QPushButton::clicked, this, &Dictionary_0_9v::clearHistory);

    // About page, the tabs and the window's own layout.
    createAboutPageAndTabs();

    // The one database connection.
    openDatabase();

    // Icon, title and the fixed size.
    setWindowIcon(QIcon(QStringLiteral(":icons/dic.png")));
    setWindowTitle(tr("Orvanta Dictionary"));
    setFixedSize(AppInfo::windowSize);

    // Stored position and options.
    loadSettings();

    // Typing goes to the search box from the start.
    searchBox->setFocus(Qt::OtherFocusReason);

    // Look up the clipboard text, or show the history.
    runStartupChoice();

    // Offers as the user types; the store is first asked on a keystroke. A
    // choice, or Return over the offers, searches as Return does.
    auto *completer = new SearchCompleter(searchBox);
    connect(completer, &SearchCompleter::searchRequested, searchButton, &QPushButton::click);

    // Searching and link clicks only from here on.
    connect(searchButton, &QPushButton::clicked, this, &Dictionary_0_9v::showWordDef);
    connect(resultView, &QTextBrowser::anchorClicked, this, &Dictionary_0_9v::showWordDefFromUrl);
}

Dictionary_0_9v::~Dictionary_0_9v()
{
    // Drop the handle before the connection so none of it is left in use.
    delete database;
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

void Dictionary_0_9v::createDictionaryPage()
{
    dictionaryTab = new QWidget;

    searchBox = new QLineEdit;
    const QFont font = sharedFont();
    searchBox->setFont(font);

    searchButton = new QPushButton;
    searchButton->setIcon(QIcon(QStringLiteral(":/icons/search.png")));
    searchButton->setFlat(true);
    searchButton->setShortcut(QKeySequence(Qt::Key_Return));
    // The keypad's Enter is the button's second shortcut: it clicks the
    // button just as Return does.
    auto *enterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), searchButton);
    connect(enterShortcut, &QShortcut::activated, searchButton, &QPushButton::animateClick);

    resultView = new QTextBrowser;
    resultView->setReadOnly(true);
    resultView->setFont(font);
    resultView->setOpenLinks(false);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchBox);
    searchRow->addWidget(searchButton);

    auto *pageLayout = new QVBoxLayout;
    pageLayout->addLayout(searchRow);
    pageLayout->addWidget(resultView);
    dictionaryTab->setLayout(pageLayout);
}

void Dictionary_0_9v::createSettingsPage()
{
    settingsTab = new QWidget;

    alwaysOnTopCheckBox = new QCheckBox(tr("Always on top"));
    auto *mainGroup = new QGroupBox(tr("Main"));
    auto *mainLayout = new QVBoxLayout;
    mainLayout->addWidget(alwaysOnTopCheckBox);
    mainGroup->setLayout(mainLayout);

    showHistoryCheckBox = new QCheckBox(tr("Show history at startup"));
    showHistoryCheckBox->setChecked(false);
    clearButton = new QPushButton(tr("Clear"));
    auto *historyGroup = new QGroupBox(tr("History"));
    auto *historyLayout = new QVBoxLayout;
    historyLayout->addWidget(showHistoryCheckBox);
    historyLayout->addWidget(clearButton);
    historyGroup->setLayout(historyLayout);

    auto *helpLabel = new QLabel(tr(helpLabelText));
    // The window's width is fixed: wrap rather than cut off.
    helpLabel->setWordWrap(true);
    auto *helpGroup = new QGroupBox(tr("Help"));
    auto *helpLayout = new QVBoxLayout;
    helpLayout->addWidget(helpLabel);
    helpGroup->setLayout(helpLayout);

    auto *pageLayout = new QVBoxLayout;
    pageLayout->addWidget(mainGroup);
    pageLayout->addWidget(historyGroup);
    pageLayout->addWidget(helpGroup);
    pageLayout->addStretch();
    settingsTab->setLayout(pageLayout);
}

void Dictionary_0_9v::createAboutPageAndTabs()
{
    aboutTab = new QWidget;
    auto *aboutLabel = new QLabel(tr(aboutText).arg(QLatin1String(AppInfo::version)));
    aboutLabel->setWordWrap(true);
    auto *aboutLayout = new QVBoxLayout;
    aboutLayout->addWidget(aboutLabel);
    aboutLayout->addStretch();
    aboutTab->setLayout(aboutLayout);

    auto *tabs = new QTabWidget;
    tabs->addTab(dictionaryTab, tr("Dictionary"));
    tabs->addTab(settingsTab, tr("Settings"));
    tabs->addTab(aboutTab, tr("About"));
    tabs->setMovable(true);

    auto *windowLayout = new QHBoxLayout;
    windowLayout->addWidget(tabs);
    setLayout(windowLayout);
}

void Dictionary_0_9v::openDatabase()
{
    database = new QSqlDatabase;
    *database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(QSqlDatabase::defaultConnection));
    QString error;
    if (!DictionaryStore::open(*database, &error))
        reportDatabaseError(error);
}

void Dictionary_0_9v::runStartupChoice()
{
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (!text.isEmpty() && !showHistoryAtStartup)
        lookUpClipboardText(text);
    if (showHistoryAtStartup) {
        showHistory();
        searchBox->setText(QStringLiteral("--history"));
        searchBox->selectAll();
    }
    clipboardRetryPending = text.isEmpty() && !showHistoryAtStartup;
}

void Dictionary_0_9v::lookUpClipboardText(const QString &text)
{
    searchBox->setText(text);
    showWordDef();
}

void Dictionary_0_9v::retryClipboardLookup()
{
    clipboardRetryPending = false;
    if (!searchBox->text().isEmpty() || searchBox->isModified())
        return;
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (!text.isEmpty())
        lookUpClipboardText(text);
}

bool Dictionary_0_9v::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && clipboardRetryPending)
        retryClipboardLookup();
    return handled;
}

void Dictionary_0_9v::reportDatabaseError(const QString &text)
{
    // Above the window, which may be kept above every other one: a modal box
    // hidden beneath it would leave the program looking frozen.
    QMessageBox box(QMessageBox::Warning, tr("Error"), text, QMessageBox::Ok, isVisible() ? this : nullptr);
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void Dictionary_0_9v::showWordDef()
{
    clipboardRetryPending = false;
    const QString text = searchBox->text();
    switch (recognizeSearchCommand(text)) {
    case SearchCommand::History:
        showHistory();
        break;
    case SearchCommand::Help:
        showHelp();
        break;
    case SearchCommand::Version:
        showVersion();
        break;
    case SearchCommand::None:
        if (!text.isEmpty()) {
            QString word = text;
            resultView->setText(getWordDef(&word));
            if (word != text)
                searchBox->setText(word);
        }
        break;
    }
    searchBox->selectAll();
}

void Dictionary_0_9v::showWordDefFromUrl(QUrl url)
{
    clipboardRetryPending = false;
    QString word = wordFromLink(url);
    if (!word.isEmpty()) {
        const QString html = getWordDef(&word);
        resultView->clear();
        resultView->setText(html);
    }
    searchBox->setText(word);
    searchBox->selectAll();
}

QString Dictionary_0_9v::getWordDef(QString *word)
{
    QString key = word->toLower();
    QString entry;
    bool ok = lookUpKey(key, &entry);
    const QStringList cleaned = ok && entry.isEmpty() ? cleanedWords(*word) : QStringList();
    for (const QString &candidate : cleaned) {
        if (candidate.toLower() == key)
            continue;
        ok = lookUpKey(candidate.toLower(), &entry);
        if (!ok)
            break;
        if (!entry.isEmpty()) {
            *word = candidate;
            key = candidate.toLower();
            break;
        }
    }
    if (!entry.isEmpty())
        addToHistory(key);
    return senseListHtml(entry);
}

bool Dictionary_0_9v::lookUpKey(const QString &key, QString *entry)
{
    QString error;
    if (DictionaryStore::lookup(key, entry, &error))
        return true;
    reportDatabaseError(error);
    return false;
}

void Dictionary_0_9v::addToHistory(QString word)
{
    QString error;
    if (!DictionaryStore::record(word, &error))
        reportDatabaseError(error);
}

void Dictionary_0_9v::showHistory()
{
    QStringList words;
    QString error;
    if (!DictionaryStore::recentWords(&words, &error))
        reportDatabaseError(error);
    resultView->setText(historyListHtml(words));
}

void Dictionary_0_9v::clearHistory()
{
    QString error;
    if (!DictionaryStore::clear(&error))
        reportDatabaseError(error);
}

void Dictionary_0_9v::showHelp()
{
    resultView->setText(helpPage());
}

void Dictionary_0_9v::showVersion()
{
    resultView->setText(versionPage());
}

void Dictionary_0_9v::loadSettings()
{
    const WindowSettings stored = WindowSettings::load();
    showHistoryAtStartup = stored.showHistoryAtStartup;
    const QScreen *primary = QGuiApplication::primaryScreen();
    move(primary ? placeWindow(stored.pos, size(), availableScreenAreas(), primary->availableGeometry()) : stored.pos);
    alwaysOnTopCheckBox->setChecked(stored.alwaysOnTop);
    showHistoryCheckBox->setChecked(showHistoryAtStartup);
}

void Dictionary_0_9v::saveSettings()
{
    WindowSettings current;
    current.pos = pos();
    current.alwaysOnTop = alwaysOnTopCheckBox->isChecked();
    current.showHistoryAtStartup = showHistoryCheckBox->isChecked();
    current.save();
}

void Dictionary_0_9v::closeEvent(QCloseEvent *event)
{
    saveSettings();
    event->accept();
}

void Dictionary_0_9v::changeAlwaysOnTop()
{
    setWindowFlags(alwaysOnTopCheckBox->isChecked() ? Qt::WindowStaysOnTopHint : Qt::Widget);
    show();
}

void Dictionary_0_9v::changeShowHistoryAtStartup()
{
    showHistoryAtStartup = showHistoryCheckBox->isChecked();
}
