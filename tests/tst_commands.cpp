// SPDX-License-Identifier: MIT
// Search box commands, the help and version pages, and history link targets.
#include "commands/cleanword.h"
#include "commands/searchcommand.h"
#include "format/resultformat.h"
#include "tests/testsupport.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

Q_DECLARE_METATYPE(SearchCommand)

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void recognizesExactlySixWords_data();
    void recognizesExactlySixWords();
    void helpAndVersionPages();
    void linkTargetRoundTrip_data();
    void linkTargetRoundTrip();
    void linkTargetSurvivesTheView_data();
    void linkTargetSurvivesTheView();
    void plainLinksDecodeToThemselves_data();
    void plainLinksDecodeToThemselves();
    void cleanedWord_data();
    void cleanedWord();
    void cleanedWords_data();
    void cleanedWords();
};

void TestCommands::recognizesExactlySixWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SearchCommand>("command");
    QTest::newRow("-H") << "-H" << SearchCommand::History;
    QTest::newRow("--history") << "--history" << SearchCommand::History;
    QTest::newRow("-h") << "-h" << SearchCommand::Help;
    QTest::newRow("--help") << "--help" << SearchCommand::Help;
    QTest::newRow("-v") << "-v" << SearchCommand::Version;
    QTest::newRow("--version") << "--version" << SearchCommand::Version;
    // Anything else is a word to look up.
    QTest::newRow("--HELP") << "--HELP" << SearchCommand::None;
    QTest::newRow("--Help") << "--Help" << SearchCommand::None;
    QTest::newRow("-V") << "-V" << SearchCommand::None;
    QTest::newRow("--History") << "--History" << SearchCommand::None;
    // White space around a command, as copied text brings it, is no part of it.
    QTest::newRow("leading space") << " -h" << SearchCommand::Help;
    QTest::newRow("line end") << "--history\r\n" << SearchCommand::History;
    QTest::newRow("inside quotes") << "\"-v\"" << SearchCommand::None;
    QTest::newRow("empty") << "" << SearchCommand::None;
    QTest::newRow("prefix") << "--hel" << SearchCommand::None;
    QTest::newRow("word") << "apple" << SearchCommand::None;
}

void TestCommands::recognizesExactlySixWords()
{
    QFETCH(QString, text);
    QFETCH(SearchCommand, command);
    QCOMPARE(recognizeSearchCommand(text), command);
}

void TestCommands::helpAndVersionPages()
{
    QCOMPARE(helpPage(), helpPageHtml());
    QCOMPARE(versionPage(), versionPageHtml());
}

void TestCommands::linkTargetRoundTrip_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("plain") << "apple";
    QTest::newRow("apostrophe") << "o'clock";
    QTest::newRow("quotes and spaces") << "rock 'n' roll";
    QTest::newRow("hash") << "c#";
    QTest::newRow("percent") << "100%";
    QTest::newRow("ampersand") << "at&t";
    QTest::newRow("double quote") << "say \"hi\"";
    QTest::newRow("angle brackets") << "<b>x</b>";
    QTest::newRow("query") << "why?";
    QTest::newRow("scheme-like") << "re:think";
    QTest::newRow("slashes") << "and/or";
    QTest::newRow("already encoded") << "a%20b";
    QTest::newRow("sinhala with zwj") << QString::fromUtf8("චන්ද්\u200dරයා");
    QTest::newRow("backslash and plus") << "c++\\x";
}

void TestCommands::linkTargetRoundTrip()
{
    QFETCH(QString, word);
    const QString target = linkTargetForWord(word);
    for (const char unsafe : {'\'', '"', '<', '>', '&', '#', '?', ' ', ':'})
        QVERIFY2(!target.contains(QLatin1Char(unsafe)), qPrintable(target));
    QCOMPARE(wordFromLink(QUrl(target)), word);
}

// The href goes through the view's HTML parser and comes back as the URL a
// click reports; the word must survive both, and so must its link text.
void TestCommands::linkTargetSurvivesTheView_data()
{
    linkTargetRoundTrip_data();
}

void TestCommands::linkTargetSurvivesTheView()
{
    QFETCH(QString, word);
    QTextBrowser view;
    view.setOpenLinks(false);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setText(historyListHtml({word}));
    QCOMPARE(view.toPlainText(), word + QLatin1Char('\n'));

    QSignalSpy clicked(&view, &QTextBrowser::anchorClicked);
    clickAnchor(&view, 0);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(wordFromLink(clicked.at(0).at(0).toUrl()), word);
}

void TestCommands::plainLinksDecodeToThemselves_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("word");
    QTest::newRow("bare word") << "apple"
                               << "apple";
    QTest::newRow("capitals") << "Apple"
                              << "Apple";
    QTest::newRow("command word") << "-h"
                                  << "-h";
    QTest::newRow("web link") << "https://example.org/x"
                              << "https://example.org/x";
    QTest::newRow("stray percent") << "100%"
                                   << "100%";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCommands::plainLinksDecodeToThemselves()
{
    QFETCH(QString, href);
    QFETCH(QString, word);
    QCOMPARE(wordFromLink(QUrl(href)), word);
}

void TestCommands::cleanedWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::newRow("spaces") << "  Water  "
                            << "Water";
    QTest::newRow("line feed") << "water\n"
                               << "water";
    QTest::newRow("crlf") << "water\r\n"
                          << "water";
    QTest::newRow("tab") << "\twater"
                         << "water";
    QTest::newRow("full stop") << "water."
                               << "water";
    QTest::newRow("comma") << "water,"
                           << "water";
    QTest::newRow("sentence end") << "water?!\n"
                                  << "water";
    QTest::newRow("straight quotes") << "\"water\""
                                     << "water";
    QTest::newRow("curly quotes") << "“water”"
                                  << "water";
    QTest::newRow("single quotes") << "‘water’"
                                   << "water";
    QTest::newRow("brackets") << "(water); [x] {y}"
                              << "water); [x] {y";
    QTest::newRow("dashes") << "—water–"
                            << "water";
    QTest::newRow("no-break space") << "\u00A0water\u00A0"
                                    << "water";
    QTest::newRow("zero-width space") << "\u200Bwater\uFEFF"
                                      << "water";
    QTest::newRow("inner marks stay") << " don't, "
                                      << "don't";
    QTest::newRow("inner space stays") << " ice cream. "
                                       << "ice cream";
    QTest::newRow("decomposed sinhala") << "ප\u0DD9\u0DCFත"
                                        << "පොත";
    QTest::newRow("joiner inside stays") << " ප්\u200Dරශ්නය "
                                         << "ප්\u200Dරශ්නය";
    // Whatever the script, by Unicode category.
    QTest::newRow("guillemets") << "«water»"
                                << "water";
    QTest::newRow("low and high quotes") << "„water“"
                                         << "water";
    QTest::newRow("emphasis marks") << "*water* _water_"
                                    << "water* _water";
    QTest::newRow("bullet") << "• water"
                            << "water";
    QTest::newRow("slash") << "water/"
                           << "water";
    QTest::newRow("direction marks") << "\u200Ewater\u200F"
                                     << "water";
    QTest::newRow("symbol beyond the first plane") << "👉water✔"
                                                   << "water";
    QTest::newRow("inner punctuation stays") << "(at&t, e-mail, o'clock)"
                                             << "at&t, e-mail, o'clock";
    QTest::newRow("sinhala sign at the end stays") << "“ඇපල්”"
                                                   << "ඇපල්";
    QTest::newRow("only marks") << " ... "
                                << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCommands::cleanedWord()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QCOMPARE(::cleanedWord(text), word);
}

// A key may end in a mark (c#, mr.): fewer marks are tried first.
void TestCommands::cleanedWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("clean already") << "water" << QStringList();
    QTest::newRow("white space goes at once") << " water\n" << QStringList{"water"};
    QTest::newRow("a symbol that may be the key's") << "c#." << QStringList{"c#", "c"};
    QTest::newRow("the end first") << "'tis." << QStringList{"'tis", "tis.", "tis"};
    QTest::newRow("three one by one, then the rest")
        << "!!!!!!water" << QStringList{"!!!!!water", "!!!!water", "!!!water", "water"};
    QTest::newRow("only marks") << " ... " << QStringList{"...", "..", "."};
}

void TestCommands::cleanedWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(::cleanedWords(text), words);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
