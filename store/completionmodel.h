// SPDX-License-Identifier: MIT
#ifndef COMPLETIONMODEL_H
#define COMPLETIONMODEL_H

#include "store/spellingsuggester.h"

#include <QAbstractListModel>
#include <QStringList>

// The words offered for the text in the search box, asked of the store as
// the text changes: the keys that begin with it, the more common first;
// when no headword does and it has four letters or more, the keys spelt
// nearest to it too. Commands are never completed.
class CompletionModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int maxOffers = 10;
    static constexpr int nearestFrom = 4;
    static constexpr int formsBeforeNearest = 3;

    explicit CompletionModel(QObject *parent = nullptr,
                             SpellingSuggester::Checker checker = SpellingSuggester::Checker::WithHunspell);

    // Replaces the offers with those for the text as typed.
    void setText(const QString &text);
    const QStringList &offers() const { return words; }
    const SpellingSuggester &suggester() const { return spelling; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList offersFor(const QString &text);

    QStringList words;
    SpellingSuggester spelling;
};

#endif
