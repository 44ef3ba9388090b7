// SPDX-License-Identifier: MIT
#include "completionmodel.h"

#include "commands/cleanword.h"
#include "store/dictionarystore.h"

CompletionModel::CompletionModel(QObject *parent, SpellingSuggester::Checker checker)
    : QAbstractListModel(parent)
    , spelling(checker)
{
}

void CompletionModel::setText(const QString &text)
{
    beginResetModel();
    words = offersFor(text);
    endResetModel();
}

QStringList CompletionModel::offersFor(const QString &text)
{
    // Every command, and every start of one, begins with a dash.
    if (text.startsWith(QLatin1Char('-')))
        return {};
    const QString prefix = cleanedWord(text).toLower();
    if (prefix.isEmpty())
        return {};
    QStringList keys;
    QString error;
    // A failing store says so when the word is looked up; offers stay quiet.
    DictionaryStore::keysStartingWith(prefix, maxOffers, &keys, &error);
    if (keys.isEmpty() && prefix.size() >= nearestFrom)
        keys = spelling.suggestions(prefix, maxOffers);
    return keys;
}

int CompletionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(words.size());
}

QVariant CompletionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= words.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return words.at(index.row());
}
