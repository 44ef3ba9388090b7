// SPDX-License-Identifier: MIT
#ifndef DICTIONARY_0_9V_H
#define DICTIONARY_0_9V_H

#include <QUrl>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSqlDatabase;
class QTextBrowser;

class Dictionary_0_9v : public QWidget
{
    Q_OBJECT

public:
    explicit Dictionary_0_9v(QWidget *parent = nullptr);
    ~Dictionary_0_9v() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private slots:
    void showWordDef();
    void showWordDefFromUrl(QUrl url);
    void changeAlwaysOnTop();
    void changeShowHistoryAtStartup();
    void clearHistory();

private:
    void createDictionaryPage();
    void createSettingsPage();
    void createAboutPageAndTabs();
    void openDatabase();
    void runStartupChoice();
    void lookUpClipboardText(const QString &text);
    void retryClipboardLookup();
    void reportDatabaseError(const QString &text);

    // The senses of the word as typed; when it finds nothing, of the first
    // of its cleaned forms that finds some (copied text brings spaces and
    // punctuation along), which then replaces *word.
    QString getWordDef(QString *word);
    bool lookUpKey(const QString &key, QString *entry);
    void addToHistory(QString word);
    void showHistory();
    void showHelp();
    void showVersion();
    void loadSettings();
    void saveSettings();

    QWidget *dictionaryTab;
    QWidget *settingsTab;
    QWidget *aboutTab;
    QLineEdit *searchBox;
    QPushButton *searchButton;
    QTextBrowser *resultView;
    QCheckBox *alwaysOnTopCheckBox;
    QCheckBox *showHistoryCheckBox;
    bool showHistoryAtStartup;
    QPushButton *clearButton;
    QSqlDatabase *database;
    // Set when the clipboard was empty at start-up and may still be read
    // once the window is first activated (Wayland hands it out only then).
    bool clipboardRetryPending;
};

#endif
