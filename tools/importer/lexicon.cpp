// SPDX-License-Identifier: MIT
#include "tools/importer/lexicon.h"

#include <QFile>

#include <cstring>

namespace {

const char partLetters[] = "nvar";

PartOfSpeech partOfIndex(int index)
{
    return PartOfSpeech(1 << index);
}

} // namespace

Lexicon Lexicon::parse(const QString &text)
{
    Lexicon lexicon;
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QStringView line : lines) {
        const QList<QStringView> fields = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() < 3 || fields.at(1).size() != 1)
            continue;
        const QChar letter = fields.at(1).front();
        const char *found = std::strchr(partLetters, letter.toLower().toLatin1());
        if (!found || !*found)
            continue;
        const int index = int(found - partLetters);
        if (letter.isLower()) {
            Lemma &lemma = lexicon.lemmas[fields.at(0).toString()];
            lemma.parts |= partOfIndex(index);
            lemma.tagged[index] = fields.at(2).toInt();
            continue;
        }
        for (qsizetype i = 2; i < fields.size(); ++i) {
            if (fields.at(i) != fields.at(0))
                lexicon.forms[fields.at(i).toString()].append({fields.at(0).toString(), partOfIndex(index)});
        }
    }
    return lexicon;
}

bool Lexicon::adjectiveLeads(const QString &lemma) const
{
    const Lemma found = lemmas.value(lemma);
    const int adjective = found.tagged[2];
    return adjective > 0 && adjective >= found.tagged[0] && adjective >= found.tagged[1];
}

const Lexicon &Lexicon::shipped()
{
    static const Lexicon lexicon = [] {
        QFile file(QStringLiteral(":/wordnet/wordnet.tsv"));
        return file.open(QIODevice::ReadOnly) ? parse(QString::fromUtf8(file.readAll())) : Lexicon();
    }();
    return lexicon;
}
