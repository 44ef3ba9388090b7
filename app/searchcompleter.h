// SPDX-License-Identifier: MIT
#ifndef SEARCHCOMPLETER_H
#define SEARCHCOMPLETER_H

#include "store/spellingsuggester.h"

#include <QObject>

class CompletionModel;
class QCompleter;
class QLineEdit;

// Qt's completion popup under the search box, offering the words the
// store has for what the user types. Only the user's own typing opens it,
// never text the program puts into the box; it is made on the first
// keystroke. Return with no offer chosen searches the text as typed.
class SearchCompleter : public QObject
{
    Q_OBJECT

public:
    explicit SearchCompleter(QLineEdit *box,
                             SpellingSuggester::Checker checker = SpellingSuggester::Checker::WithHunspell);

    // Null before the first keystroke.
    QCompleter *completer() const { return popupCompleter; }
    CompletionModel *model() const { return offers; }

signals:
    // The text in the box is to be searched: a chosen offer, now in the
    // box, or the text as typed.
    void searchRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createCompleter();
    void offerFor(const QString &text);
    void choose(const QString &word);

    QLineEdit *box;
    SpellingSuggester::Checker checker;
    QCompleter *popupCompleter = nullptr;
    CompletionModel *offers = nullptr;
};

#endif
