// SPDX-License-Identifier: MIT
// The main window: its class, layout, searches, history and links, and how
// it copes with broken dictionary files.
#include "app/uilanguage.h"
#include "appinfo.h"
#include "commands/searchcommand.h"
#include "tests/testsupport.h"
#include "tests/windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMetaMethod>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTranslator>

#include <utility>

namespace {

const QList<Row> sampleRows = {
    {"apple", QString::fromUtf8("ඇපල්")},
    {"water", QString::fromUtf8("වතුර|ජලය")},
    {"o'clock", QString::fromUtf8("වේලාව")},
    {"rock 'n' roll", QString::fromUtf8("රොක් ඇන්ඩ් රෝල්")},
    {"c#", "සී ෂාප්"},
    {"100%", QString::fromUtf8("සියයට සියය")},
    {"at&t", "ඒටී ඇන්ඩ් ටී"},
    {"-h", "minus h"},
    {"--help", "dashes"},
    {"bold", "<b>thick</b>|plain"},
    {"blank", ""},
    {"nothing", QVariant()},
    // Sinhala keys answer with English words.
    {QString::fromUtf8("ජලය"), "water|aqua"},
    {QString::fromUtf8("ප්\u200Dරශ්නය"), "question|problem"},
    {QString::fromUtf8("පොත"), "book"},
    {"space ", "with its space"},
    {"space", "without"},
    // A word that a command in quotes stands for.
    {"version", QString::fromUtf8("අනුවාදය")},
};

// Lets a value be NULL, which the shipped schema forbids.
const QStringList looseSchema = {"create table dict(key text primary key, value text)",
                                 "create table history(id integer primary key autoincrement, word text not null)"};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void classAndSlots();
    void layoutAndTexts();
    void textsFitTheWindow_data();
    void textsFitTheWindow();
    void uiLanguage_data();
    void uiLanguage();
    void iconsLoad();

    void searchByKeyAndByButton_data();
    void searchByKeyAndByButton();
    void commands_data();
    void commands();
    void commandsWithWhiteSpace_data();
    void commandsWithWhiteSpace();
    void capitalsAreLoweredOnlyForTheLookup();
    void emptySearchBoxDoesNothing();
    void wordsThatAreNotFound_data();
    void wordsThatAreNotFound();
    void copiedTextIsCleaned_data();
    void copiedTextIsCleaned();
    void markupInAValueIsShownAsMarkup();
    void sqlInAWordChangesNothing();

    void historyListsTheNewestTwenty();
    void historyLinksLookTheWordUpAgain_data();
    void historyLinksLookTheWordUpAgain();
    void linkWordsAreNotCommands();
    void emptyLinkOnlyEmptiesTheSearchBox();
    void clearEmptiesTheHistoryAndLeavesTheView();

    void sinhalaWordsLookUpEnglish_data();
    void sinhalaWordsLookUpEnglish();

    void missingDictionaryFile();
    void fileThatIsNotSqlite();
    void fileWithoutHistoryTable();
    void severalRowsForOneKey();
    void readOnlyDictionary();

private:
    std::unique_ptr<WindowDriver> open(bool expectActive = true);

    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<ModalWatcher> boxes;
    // How many error boxes the running test expects; any other number fails.
    int expectedBoxes = 0;
};

void TestWindow::init()
{
    environment = std::make_unique<TestEnvironment>();
    environment->createDictionary(sampleRows, looseSchema);
    // Start quietly: no history list, no clipboard lookup.
    environment->writeSettings({{"startup", false}, {"check", false}});
    QGuiApplication::clipboard()->clear();
    boxes = std::make_unique<ModalWatcher>();
}

void TestWindow::cleanup()
{
    finishTestCase(boxes, environment, std::exchange(expectedBoxes, 0));
}

std::unique_ptr<WindowDriver> TestWindow::open(bool expectActive)
{
    auto driver = std::make_unique<WindowDriver>();
    if (expectActive && !driver->activate())
        qWarning("window did not become active");
    return driver;
}

void TestWindow::classAndSlots()
{
    auto driver = open(false);
    const QMetaObject *meta = driver->window->metaObject();
    QCOMPARE(meta->className(), "Dictionary_0_9v");
    QCOMPARE(meta->superClass(), &QWidget::staticMetaObject);
    const QList<QByteArray> expected = {"showWordDef()", "showWordDefFromUrl(QUrl)", "changeAlwaysOnTop()",
                                        "changeShowHistoryAtStartup()", "clearHistory()"};
    QCOMPARE(meta->methodCount() - meta->methodOffset(), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
    }
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
    QCOMPARE(meta->enumeratorCount(), meta->enumeratorOffset());
    QCOMPARE(meta->classInfoCount(), meta->classInfoOffset());
    QVERIFY(driver->window->qt_metacast("Dictionary_0_9v") == driver->window.get());

    // Invoked through the meta-object system, slot 0 runs the search.
    driver->searchBox->setText(QStringLiteral("-v"));
    QVERIFY(meta->method(meta->methodOffset()).invoke(driver->window.get()));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(versionPageHtml()));
}

void TestWindow::layoutAndTexts()
{
    auto driver = open();
    Dictionary_0_9v *window = driver->window.get();
    QCOMPARE(window->windowTitle(), QStringLiteral("Orvanta Dictionary"));
    QCOMPARE(window->size(), AppInfo::windowSize);
    QCOMPARE(window->minimumSize(), AppInfo::windowSize);
    QCOMPARE(window->maximumSize(), AppInfo::windowSize);

    QTabWidget *tabs = driver->tabs;
    QVERIFY(tabs && tabs->isMovable());
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Dictionary"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Settings"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("About"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(driver->searchBox->isAncestorOf(driver->searchButton)
            || tabs->widget(0)->isAncestorOf(driver->searchButton));
    QVERIFY(tabs->widget(0)->isAncestorOf(driver->resultView));

    QCOMPARE(driver->searchBox->font().pointSize(), AppInfo::fontPointSize);
    QCOMPARE(driver->resultView->font().pointSize(), AppInfo::fontPointSize);
    QCOMPARE(driver->alwaysOnTop->font().pointSize(), QApplication::font().pointSize());
    QVERIFY(driver->searchButton->isFlat());
    QCOMPARE(driver->searchButton->shortcut(), QKeySequence(Qt::Key_Return));
    QVERIFY(driver->resultView->isReadOnly());
    QVERIFY(!driver->resultView->openLinks());

    QStringList groups;
    const QList<QGroupBox *> groupBoxes = tabs->widget(1)->findChildren<QGroupBox *>();
    for (const QGroupBox *group : groupBoxes)
        groups.append(group->title());
    QCOMPARE(groups, (QStringList{"Main", "History", "Help"}));
    QVERIFY(groupBoxes.at(0)->isAncestorOf(driver->alwaysOnTop));
    QVERIFY(groupBoxes.at(1)->isAncestorOf(driver->showHistory));
    QVERIFY(groupBoxes.at(1)->isAncestorOf(driver->clearButton));
    QCOMPARE(groupBoxes.at(2)->findChild<QLabel *>()->text(),
             QStringLiteral("Type <b>-h</b> or <b>--help</b> in search box <br />for view help document"));

    const QString about = tabs->widget(2)->findChild<QLabel *>()->text();
    QVERIFY(about.startsWith(QStringLiteral("<h3>Orvanta Dictionary</h3>"
                                            "<p>A English to Sinhala Dictionary just build<br>for simplicity</p>"
                                            "<p>Version %1</p>")
                                 .arg(QLatin1String(AppInfo::version))));
    QCOMPARE(about.count(QStringLiteral("<p>")), 6);
    QVERIFY(!tabs->widget(2)->findChild<QLabel *>()->openExternalLinks());
}

void TestWindow::textsFitTheWindow_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<QStringList>("uiLanguages");
    for (const int pointSize : {9, 10, 11}) {
        QTest::addRow("%d pt", pointSize) << pointSize << QStringList{"en-US"};
        QTest::addRow("%d pt, Sinhala", pointSize) << pointSize << QStringList{"si-LK"};
    }
}

void TestWindow::textsFitTheWindow()
{
#ifdef Q_OS_WIN
    QSKIP("Qt's offscreen platform has no fonts on Windows; the Wine end-to-end test shows the real window");
#endif
    QFETCH(int, pointSize);
    QFETCH(QStringList, uiLanguages);
    QTranslator translator;
    installTranslation(&translator, uiLanguages);
    const auto removeTranslation = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
    const QFont previous = QApplication::font();
    QFont font = previous;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
    const auto restoreFont = qScopeGuard([previous] { QApplication::setFont(previous); });
    auto driver = open(false);
    driver->window->show();
    QTabWidget *tabs = driver->tabs;
    // The tab titles fit at the default size; larger fonts scroll them.
    if (pointSize == 9)
        QVERIFY(tabs->tabBar()->sizeHint().width() <= tabs->width());
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QWidget *page = tabs->widget(i);
        page->layout()->activate();
        const QList<QLabel *> labels = page->findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            const QByteArray what = tabs->tabText(i).toUtf8() + ": needs "
                                    + QByteArray::number(label->minimumSizeHint().width()) + " px, has "
                                    + QByteArray::number(label->width()) + ": " + label->text().toUtf8();
            QVERIFY2(page->rect().contains(QRect(label->mapTo(page, QPoint(0, 0)), label->size())), what);
            QVERIFY2(label->minimumSizeHint().width() <= label->width(), what);
        }
    }

    // The closing paragraphs of the About tab read on one line each.
    const QLabel *about = tabs->widget(2)->findChild<QLabel *>();
    QTextDocument document;
    document.setDefaultFont(about->font());
    document.setHtml(about->text());
    const QFontMetrics metrics(about->font());
    for (int i = 1; i <= 4; ++i) {
        const QString line = document.findBlockByNumber(document.blockCount() - i).text();
        QVERIFY2(metrics.horizontalAdvance(line) <= about->contentsRect().width(), qPrintable(line));
    }
}

void TestWindow::uiLanguage_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QStringList>("tabTitles");
    QTest::addColumn<QString>("help");
    const QString sinhala = QStringLiteral(":/i18n/orvanta-dictionary_si.qm");
    const QStringList sinhalaTabs = {QString::fromUtf8("සෙවුම"), QString::fromUtf8("සැකසුම්"), QString::fromUtf8("පිළිබඳ")};
    const QString sinhalaHelp = QString::fromUtf8("<h4>උදව් ලේඛනය</h4>"
                                                  "<p>ඉතිහාසය: <b>-H</b> හෝ <b>--history</b></p>"
                                                  "<p>උදව්: <b>-h</b> හෝ <b>--help</b></p>"
                                                  "<p>අනුවාදය: <b>-v</b> හෝ <b>--version</b></p>");
    const QStringList englishTabs = {"Dictionary", "Settings", "About"};
    const QString englishHelp = helpPageHtml();
    QTest::newRow("si") << QStringList{"si"} << sinhala << sinhalaTabs << sinhalaHelp;
    QTest::newRow("si-LK") << QStringList{"si-LK"} << sinhala << sinhalaTabs << sinhalaHelp;
    QTest::newRow("si_LK.UTF-8") << QStringList{"si_LK.UTF-8"} << sinhala << sinhalaTabs << sinhalaHelp;
    QTest::newRow("de-DE, si-LK") << QStringList{"de-DE", "si-LK"} << sinhala << sinhalaTabs << sinhalaHelp;
    QTest::newRow("C") << QStringList{"C"} << QString() << englishTabs << englishHelp;
    QTest::newRow("en-US") << QStringList{"en-US"} << QString() << englishTabs << englishHelp;
    QTest::newRow("en-GB, si-LK") << QStringList{"en-GB", "si-LK"} << QString() << englishTabs << englishHelp;
    QTest::newRow("de-DE") << QStringList{"de-DE"} << QString() << englishTabs << englishHelp;
    QTest::newRow("none") << QStringList() << QString() << englishTabs << englishHelp;
}

void TestWindow::uiLanguage()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, translation);
    QFETCH(QStringList, tabTitles);
    QFETCH(QString, help);
    QCOMPARE(translationFor(uiLanguages), translation);
    QTranslator translator;
    QCOMPARE(installTranslation(&translator, uiLanguages), !translation.isEmpty());
    const auto removeTranslation = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });

    auto driver = open();
    QStringList titles;
    for (int i = 0; i < driver->tabs->count(); ++i)
        titles.append(driver->tabs->tabText(i));
    QCOMPARE(titles, tabTitles);
    driver->search(QStringLiteral("-h"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(help));
    // The version page is the same in every language.
    driver->search(QStringLiteral("-v"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(versionPageHtml()));
}

void TestWindow::iconsLoad()
{
    auto driver = open(false);
    QVERIFY(!QIcon(QStringLiteral(":icons/dic.png")).isNull());
    QVERIFY(!driver->window->windowIcon().isNull());
    QVERIFY(!driver->searchButton->icon().isNull());
    QCOMPARE(driver->window->windowIcon().pixmap(128).toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(QStringLiteral(":/icons/dic.png")).convertToFormat(QImage::Format_ARGB32));
}

void TestWindow::searchByKeyAndByButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void TestWindow::searchByKeyAndByButton()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    auto driver = open();
    driver->type(QStringLiteral("water"));
    driver->press(key, modifiers);
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QString::fromUtf8("වතුර<br />ජලය<br />")));
    QCOMPARE(driver->searchBox->selectedText(), QStringLiteral("water"));

    driver->type(QStringLiteral("apple"));
    QTest::mouseClick(driver->searchButton, Qt::LeftButton);
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("ඇපල්\n"));

    // Typing alone triggers nothing.
    driver->type(QStringLiteral("water"));
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("ඇපල්\n"));
    QCOMPARE(environment->history(), (QStringList{"water", "apple"}));

    // Commands too.
    driver->type(QStringLiteral("-v"));
    driver->press(key, modifiers);
    QCOMPARE(shownHtml(driver->resultView), renderedAs(versionPageHtml()));
}

void TestWindow::commands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("html");
    const QString help = helpPageHtml();
    const QString version = versionPageHtml();
    QTest::newRow("-h") << "-h" << help;
    QTest::newRow("--help") << "--help" << help;
    QTest::newRow("-v") << "-v" << version;
    QTest::newRow("--version") << "--version" << version;
    QTest::newRow("-H") << "-H" << QStringLiteral("<a href='water'>water</a><br/>");
    QTest::newRow("--history") << "--history" << QStringLiteral("<a href='water'>water</a><br/>");
    // Not commands: looked up, lowered, as words.
    QTest::newRow("--HELP") << "--HELP" << QStringLiteral("dashes<br />");
    QTest::newRow("-V") << "-V" << QStringLiteral("<br />");
}

void TestWindow::commands()
{
    QFETCH(QString, text);
    QFETCH(QString, html);
    auto driver = open();
    driver->search(QStringLiteral("water"));
    driver->search(text);
    QCOMPARE(shownHtml(driver->resultView), renderedAs(html));
    QCOMPARE(driver->searchBox->text(), text);
    QCOMPARE(driver->searchBox->selectedText(), text);
}

void TestWindow::commandsWithWhiteSpace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("recorded");
    const QStringList water{"water"};
    QTest::newRow("copied with its line end") << "--help\n"
                                              << "--help\n"
                                              << helpPage() << water;
    QTest::newRow("spaces") << " --history "
                            << " --history " << QStringLiteral("<a href='water'>water</a><br/>") << water;
    QTest::newRow("tab and crlf") << "\t-v\r\n"
                                  << "\t-v\r\n"
                                  << versionPageHtml() << water;
    // Inside other punctuation it is a word, found cleaned.
    QTest::newRow("in quotes") << "\"--version\""
                               << "version" << QString::fromUtf8("අනුවාදය<br />") << QStringList{"water", "version"};
    // The longest key it holds: --help is a word of the fixture.
    QTest::newRow("with a full stop") << "--help."
                                      << "--help" << QStringLiteral("dashes<br />") << QStringList{"water", "--help"};
}

// Pasted, as text copied from a page or a terminal comes.
void TestWindow::commandsWithWhiteSpace()
{
    QFETCH(QString, text);
    QFETCH(QString, box);
    QFETCH(QString, html);
    QFETCH(QStringList, recorded);
    auto driver = open();
    driver->search(QStringLiteral("water"));
    QGuiApplication::clipboard()->setText(text);
    driver->searchBox->selectAll();
    QTest::keyClick(driver->searchBox, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(driver->searchBox->text(), text);
    driver->pressReturn();
    QCOMPARE(shownHtml(driver->resultView), renderedAs(html));
    QCOMPARE(driver->searchBox->text(), box);
    QCOMPARE(environment->history(), recorded);
}

void TestWindow::capitalsAreLoweredOnlyForTheLookup()
{
    auto driver = open();
    driver->search(QStringLiteral("WaTeR"));
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
    QCOMPARE(driver->searchBox->text(), QStringLiteral("WaTeR"));
    QCOMPARE(driver->searchBox->selectedText(), QStringLiteral("WaTeR"));
    QCOMPARE(environment->history(), QStringList{"water"});
}

void TestWindow::emptySearchBoxDoesNothing()
{
    auto driver = open();
    driver->search(QStringLiteral("apple"));
    const QString before = shownHtml(driver->resultView);
    driver->search(QString());
    QCOMPARE(driver->searchBox->text(), QString());
    QCOMPARE(shownHtml(driver->resultView), before);
    QCOMPARE(environment->history(), QStringList{"apple"});
}

void TestWindow::wordsThatAreNotFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unknown") << "zzz";
    QTest::newRow("empty value") << "blank";
    QTest::newRow("null value") << "nothing";
    QTest::newRow("only spaces") << "   ";
}

void TestWindow::wordsThatAreNotFound()
{
    QFETCH(QString, text);
    auto driver = open();
    driver->search(text);
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QStringLiteral("<br />")));
    QVERIFY(environment->history().isEmpty());
}

void TestWindow::copiedTextIsCleaned_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("recorded");
    addCopiedTextRows();
    // Found as typed: a stored key with its trailing space.
    QTest::newRow("stored with a space") << "space "
                                         << "space "
                                         << "with its space\n"
                                         << QStringList{"space "};
    QTest::newRow("a key that ends in a mark") << "c#."
                                               << "c#" << QString::fromUtf8("සී ෂාප්\n") << QStringList{"c#"};
    QTest::newRow("not found either way") << "zzz."
                                          << "zzz."
                                          << "\n"
                                          << QStringList();
}

void TestWindow::copiedTextIsCleaned()
{
    QFETCH(QString, text);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QStringList, recorded);
    auto driver = open();
    // Pasted, as copied text comes; line ends included.
    QGuiApplication::clipboard()->setText(text);
    driver->searchBox->selectAll();
    QTest::keyClick(driver->searchBox, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(driver->searchBox->text(), text);
    driver->pressReturn();
    QCOMPARE(driver->resultView->toPlainText(), shown);
    QCOMPARE(driver->searchBox->text(), box);
    QCOMPARE(driver->searchBox->selectedText(), box);
    QCOMPARE(environment->history(), recorded);
}

void TestWindow::markupInAValueIsShownAsMarkup()
{
    auto driver = open();
    driver->search(QStringLiteral("bold"));
    QCOMPARE(driver->resultView->toPlainText(), QStringLiteral("thick\nplain\n"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QStringLiteral("<b>thick</b><br />plain<br />")));
}

void TestWindow::sqlInAWordChangesNothing()
{
    auto driver = open();
    const QString attack = QStringLiteral("x'; drop table dict; --");
    driver->search(attack);
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QStringLiteral("<br />")));
    driver->search(QStringLiteral("apple"));
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("ඇපල්\n"));
    QCOMPARE(environment->scalar(QStringLiteral("select count(*) from dict")).toInt(), int(sampleRows.size()));
}

void TestWindow::historyListsTheNewestTwenty()
{
    QList<Row> rows;
    for (int i = 1; i <= 25; ++i)
        rows.append({QStringLiteral("w%1").arg(i), QStringLiteral("s%1").arg(i)});
    environment->exec(QStringLiteral("delete from dict"));
    environment->createDictionary(rows);
    auto driver = open();
    driver->search(QStringLiteral("-H"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QString()));

    for (int i = 1; i <= 25; ++i)
        driver->search(QStringLiteral("w%1").arg(i));
    driver->search(QStringLiteral("w25"));
    driver->search(QStringLiteral("-H"));
    QStringList expected{"w25"};
    for (int i = 25; i >= 7; --i)
        expected.append(QStringLiteral("w%1").arg(i));
    QCOMPARE(anchorTargets(driver->resultView), expected);
    QCOMPARE(driver->resultView->toPlainText(), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QCOMPARE(environment->history().size(), 26);
}

void TestWindow::historyLinksLookTheWordUpAgain_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("senses");
    for (const Row &row : sampleRows.mid(0, 7))
        QTest::newRow(qPrintable(row.first)) << row.first << row.second.toString();
}

void TestWindow::historyLinksLookTheWordUpAgain()
{
    QFETCH(QString, word);
    QFETCH(QString, senses);
    auto driver = open();
    driver->search(word);
    driver->search(QStringLiteral("--history"));
    QCOMPARE(driver->resultView->toPlainText(), word + QLatin1Char('\n'));

    clickAnchor(driver->resultView, 0);
    QCOMPARE(driver->resultView->toPlainText(),
             senses.replace(QLatin1Char('|'), QLatin1Char('\n')) + QLatin1Char('\n'));
    QCOMPARE(driver->searchBox->text(), word);
    QCOMPARE(driver->searchBox->selectedText(), word);
    QCOMPARE(environment->history(), (QStringList{word, word}));
}

void TestWindow::linkWordsAreNotCommands()
{
    auto driver = open();
    emit driver->resultView->anchorClicked(QUrl(QStringLiteral("-h")));
    QCOMPARE(driver->resultView->toPlainText(), QStringLiteral("minus h\n"));
    QCOMPARE(driver->searchBox->text(), QStringLiteral("-h"));

    // Capitals: looked up lowered, shown as they came.
    emit driver->resultView->anchorClicked(QUrl(QStringLiteral("Water")));
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
    QCOMPARE(driver->searchBox->text(), QStringLiteral("Water"));
    QCOMPARE(environment->history(), (QStringList{"-h", "water"}));
}

void TestWindow::emptyLinkOnlyEmptiesTheSearchBox()
{
    auto driver = open();
    driver->search(QStringLiteral("apple"));
    const QString before = shownHtml(driver->resultView);
    emit driver->resultView->anchorClicked(QUrl());
    QCOMPARE(shownHtml(driver->resultView), before);
    QCOMPARE(driver->searchBox->text(), QString());
    QCOMPARE(environment->history(), QStringList{"apple"});
}

void TestWindow::clearEmptiesTheHistoryAndLeavesTheView()
{
    auto driver = open();
    driver->search(QStringLiteral("apple"));
    driver->search(QStringLiteral("-H"));
    const QString listing = shownHtml(driver->resultView);
    driver->tabs->setCurrentIndex(1);
    QTest::mouseClick(driver->clearButton, Qt::LeftButton);
    QVERIFY(environment->history().isEmpty());
    QCOMPARE(shownHtml(driver->resultView), listing);
    QTest::mouseClick(driver->clearButton, Qt::LeftButton);
    driver->tabs->setCurrentIndex(0);
    driver->search(QStringLiteral("-H"));
    QCOMPARE(driver->resultView->toPlainText(), QString());
}

void TestWindow::sinhalaWordsLookUpEnglish_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QString::fromUtf8("ජලය") << "water\naqua\n";
    QTest::newRow("with a joiner") << QString::fromUtf8("ප්\u200Dරශ්නය") << "question\nproblem\n";
}

void TestWindow::sinhalaWordsLookUpEnglish()
{
    QFETCH(QString, word);
    QFETCH(QString, shown);
    // Lowering, as the search does, leaves Sinhala script and its joiners alone.
    QCOMPARE(word.toLower(), word);
    auto driver = open();
    driver->search(word);
    QCOMPARE(driver->resultView->toPlainText(), shown);
    QCOMPARE(driver->searchBox->text(), word);
    QCOMPARE(environment->history(), QStringList{word});

    driver->search(QStringLiteral("-H"));
    QCOMPARE(driver->resultView->toPlainText(), word + QLatin1Char('\n'));
    clickAnchor(driver->resultView, 0);
    QCOMPARE(driver->resultView->toPlainText(), shown);
    QCOMPARE(driver->searchBox->text(), word);
    QCOMPARE(environment->history(), (QStringList{word, word}));
}

void TestWindow::missingDictionaryFile()
{
    QFile::remove(environment->databasePath());
    environment->writeSettings({{"startup", true}});
    expectedBoxes = 3;
    auto driver = open();
    // One box for the open, naming the file, and one for the history listing.
    QCOMPARE(boxes->count(), 2);
    QCOMPARE(boxes->titles(), (QStringList{"Error", "Error"}));
    QVERIFY2(boxes->texts().at(0).contains(environment->databasePath()), qPrintable(boxes->texts().at(0)));
    QVERIFY(!QFile::exists(environment->databasePath()));

    driver->search(QStringLiteral("apple"));
    QCOMPARE(boxes->count(), 3);
    QCOMPARE(shownHtml(driver->resultView), renderedAs(QStringLiteral("<br />")));
    QVERIFY(!QFile::exists(environment->databasePath()));
}

void TestWindow::fileThatIsNotSqlite()
{
    QFile file(environment->databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("This is a plain text file, not a dictionary.\n");
    file.close();
    expectedBoxes = 1;
    auto driver = open();
    driver->search(QStringLiteral("apple"));
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->texts().at(0).contains(QLatin1String("not a database")), qPrintable(boxes->texts().at(0)));
    driver->search(QStringLiteral("-v"));
    QCOMPARE(shownHtml(driver->resultView), renderedAs(versionPageHtml()));
    QCOMPARE(boxes->count(), 1);
}

void TestWindow::fileWithoutHistoryTable()
{
    environment->exec(QStringLiteral("drop table history"));
    expectedBoxes = 3;
    auto driver = open();
    driver->search(QStringLiteral("water"));
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->texts().at(0).contains(QLatin1String("history")), qPrintable(boxes->texts().at(0)));
    QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
    driver->search(QStringLiteral("-H"));
    QCOMPARE(boxes->count(), 2);
    QCOMPARE(driver->resultView->toPlainText(), QString());
    QTest::mouseClick(driver->clearButton, Qt::LeftButton);
    QCOMPARE(boxes->count(), 3);
}

void TestWindow::severalRowsForOneKey()
{
    QFile::remove(environment->databasePath());
    environment->createDatabase({"create table dict(key text, value text)",
                                 "create table history(id integer primary key autoincrement, word text)",
                                 "insert into dict values('apple', 'first')",
                                 "insert into dict values('apple', 'second|third')"});
    auto driver = open();
    driver->search(QStringLiteral("apple"));
    QCOMPARE(driver->resultView->toPlainText(), QStringLiteral("second\nthird\n"));
    QCOMPARE(environment->history(), QStringList{"apple"});
}

void TestWindow::readOnlyDictionary()
{
    QVERIFY(QFile::setPermissions(environment->databasePath(),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    {
        WithoutRoot unprivileged(environment->path());
        if (!unprivileged.ok())
            QSKIP("cannot give up root's right to write read-only files here");
        expectedBoxes = 1;
        auto driver = open();
        driver->search(QStringLiteral("water"));
        QCOMPARE(driver->resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
        QCOMPARE(boxes->count(), 1);
        QVERIFY2(boxes->texts().at(0).contains(QLatin1String("readonly")), qPrintable(boxes->texts().at(0)));
    }
    QVERIFY(environment->history().isEmpty());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
