// SPDX-License-Identifier: MIT
#include "store/completionmodel.h"

#include "commands/cleanword.h"
#include "format/resultformat.h"
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
    QList<int> ranks;
    QString error;
    // A failing store says so when the word is looked up; offers stay quiet.
    DictionaryStore::keysStartingWith(prefix, maxOffers, &keys, &ranks, &error);
    // Generated forms are made by rule, misspellings among them (begining
    // beside beginning): where only forms begin with the text, the first of
    // them come before the nearest spellings, unless Hunspell knows the text
    // for a word (cats).
    const bool headwordBegins = !ranks.isEmpty() && ranks.constFirst() < generatedFormRank;
    if (headwordBegins || prefix.size() < nearestFrom || (!keys.isEmpty() && spelling.isKnownWord(prefix)))
        return keys;
    QStringList offers = keys.mid(0, formsBeforeNearest);
    const QStringList nearest = spelling.suggestions(prefix, maxOffers);
    for (const QString &key : nearest + keys) {
        if (offers.size() < maxOffers && !offers.contains(key))
            offers.append(key);
    }
    return offers;
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
