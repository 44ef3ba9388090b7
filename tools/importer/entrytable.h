// SPDX-License-Identifier: MIT
#ifndef ENTRYTABLE_H
#define ENTRYTABLE_H

#include <QSqlQuery>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// Reads, sets and removes single entries of a dictionary file's word list,
// or of a table of the same shape.
class EntryTable
{
public:
    explicit EntryTable(QSqlDatabase &db, const QString &name = QStringLiteral("dict"));

    bool prepare(QString *error);
    // The value, or a null string where the file has no such key.
    bool value(const QString &key, QString *value, QString *error);
    bool set(const QString &key, const QString &value, QString *error);
    bool erase(const QString &key, QString *error);
    // Adds the senses the entry lacks, after its own; none is no change.
    bool addSenses(const QString &key, const QStringList &senses, QString *error);

private:
    QString name;
    QSqlQuery select;
    QSqlQuery insert;
    QSqlQuery remove;
};

#endif
