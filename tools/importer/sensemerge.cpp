// SPDX-License-Identifier: MIT
#include "tools/importer/sensemerge.h"

#include "format/resultformat.h"
#include "tools/importer/phraseline.h"
#include "tools/importer/sensetext.h"

#include <QSet>
#include <QStringList>

namespace {

QStringList sensesOf(const QString &value)
{
    return value.split(senseSeparator, Qt::SkipEmptyParts);
}

QSet<QString> setOf(const QStringList &senses)
{
    return QSet<QString>(senses.cbegin(), senses.cend());
}

// Appends the sense unless it is there already.
void addOnce(QStringList *senses, QSet<QString> *seen, const QString &sense)
{
    if (seen->contains(sense))
        return;
    seen->insert(sense);
    senses->append(sense);
}

// Folds a phrase line into the one line of the entry.
void addLine(QString *line, const QString &sense)
{
    *line = line->isEmpty() ? sense : PhraseLine::mergedLine(*line, sense);
}

// The senses without the phrase lines, which are folded into *line.
QStringList withoutLine(QStringList senses, QString *line)
{
    senses.removeIf([line](const QString &sense) {
        if (!isPhraseLine(sense))
            return false;
        addLine(line, sense);
        return true;
    });
    return senses;
}

} // namespace

QString SenseMerge::merged(const QString &existing, const QString &imported)
{
    QStringList senses;
    QSet<QString> seen;
    QString line;
    for (const QString &sense : sensesOf(existing)) {
        if (isPhraseLine(sense))
            addLine(&line, sense);
        else
            addOnce(&senses, &seen, sense);
    }
    // A file written before senses were escaped holds "x < y" where the
    // import now brings "x &lt; y": the same sense, kept as the file has it.
    for (const QString &sense : sensesOf(imported)) {
        if (isPhraseLine(sense))
            addLine(&line, sense);
        else if (!seen.contains(SenseText::toPlainText(sense)))
            addOnce(&senses, &seen, sense);
    }
    if (!line.isEmpty())
        senses.append(line);
    return senses.join(senseSeparator);
}

QStringList SenseMerge::shared(const QString &existing, const QString &imported)
{
    QStringList senses;
    if (existing.isEmpty())
        return senses;
    const QSet<QString> had = setOf(sensesOf(existing));
    for (const QString &sense : sensesOf(imported)) {
        if (had.contains(sense))
            senses.append(sense);
    }
    return senses;
}

QString SenseMerge::updated(const QString &user, const QString &previous, const QString &current, const QString &own)
{
    QString userLine;
    QString previousLine;
    QString currentLine;
    const QStringList userSenses = withoutLine(sensesOf(user), &userLine);
    const QStringList currentSenses = withoutLine(sensesOf(current), &currentLine);
    const QSet<QString> had = setOf(userSenses);
    const QSet<QString> was = setOf(withoutLine(sensesOf(previous), &previousLine));
    const QSet<QString> is = setOf(currentSenses);
    const QSet<QString> imported = setOf(sensesOf(own));
    QStringList senses;
    QSet<QString> seen;
    for (const QString &sense : currentSenses) {
        if (had.contains(sense) || !was.contains(sense))
            addOnce(&senses, &seen, sense);
    }
    for (const QString &sense : userSenses) {
        if (!is.contains(sense) && (!was.contains(sense) || imported.contains(sense)))
            addOnce(&senses, &seen, sense);
    }
    const QString line = PhraseLine::updatedLine(userLine, previousLine, currentLine);
    if (!line.isEmpty())
        senses.append(line);
    return senses.join(senseSeparator);
}
