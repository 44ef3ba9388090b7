// SPDX-License-Identifier: MIT
// en-si-import: builds or updates a dictionary file from word lists.
#include "importer/importer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

bool stderrIsTerminal()
{
#ifdef Q_OS_UNIX
    return ::isatty(STDERR_FILENO) != 0;
#else
    return false;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("en-si-import"));
    QTextStream err(stderr);
    QTextStream out(stdout);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Builds or updates an English-Sinhala dictionary file from word lists.\n\n"
                       "Sources are read in order and merged: one entry per English key, senses in\n"
                       "source order without repeats. Every Sinhala sense also becomes a key whose\n"
                       "value is the English words that carry it. The inflected forms of the English\n"
                       "headwords (regular ones by rule, irregular ones from the table compiled in)\n"
                       "become keys too, where no source has the key: a link to the headword, then\n"
                       "its senses. Importing into an existing file\n"
                       "replaces the entries it imports, keeps the others and never touches the\n"
                       "history. The import is one transaction: on any error the file is left as it\n"
                       "was, and a new file is only created once it is complete.\n\n"
                       "Source forms, recognised from the first line:\n"
                       "  tsv        english<TAB>sense|sense|... (UTF-8, one headword a line)\n"
                       "  sn2en-csv  the Sinhala-to-English CSV with the header \"word,definitions,\""));
    parser.addHelpOption();
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("Read every source as <form>: tsv or sn2en-csv."),
                                          QStringLiteral("form"));
    const QCommandLineOption replaceOption(QStringLiteral("replace"),
                                           QStringLiteral("Empty the word list first (the history stays)."));
    const QCommandLineOption skipOption(QStringLiteral("skip-bad"),
                                        QStringLiteral("Skip bad lines, list them, and import the rest."));
    const QCommandLineOption noReverseOption(QStringLiteral("no-reverse"),
                                             QStringLiteral("Do not add Sinhala-to-English entries."));
    const QCommandLineOption noFormsOption(QStringLiteral("no-forms"),
                                           QStringLiteral("Do not add inflected forms (went, children, don't)."));
    parser.addOptions({formatOption, replaceOption, skipOption, noReverseOption, noFormsOption});
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("Word lists to read."),
                                 QStringLiteral("SOURCE..."));
    parser.addPositionalArgument(QStringLiteral("DATABASE"), QStringLiteral("The dictionary file to build or update."));
    parser.process(app);

    QStringList arguments = parser.positionalArguments();
    if (arguments.size() < 2) {
        err << "en-si-import: give at least one SOURCE and the DATABASE (see --help)" << Qt::endl;
        return 2;
    }
    ImportOptions options;
    if (parser.isSet(formatOption)) {
        const QString form = parser.value(formatOption);
        if (form == QLatin1String("tsv")) {
            options.format = SourceFormat::Tsv;
        } else if (form == QLatin1String("sn2en-csv")) {
            options.format = SourceFormat::Sn2enCsv;
        } else {
            err << "en-si-import: unknown --format \"" << form << "\" (tsv or sn2en-csv)" << Qt::endl;
            return 2;
        }
    }
    options.emptyFirst = parser.isSet(replaceOption);
    options.skipBad = parser.isSet(skipOption);
    options.reverse = !parser.isSet(noReverseOption);
    options.forms = !parser.isSet(noFormsOption);

    const QString databasePath = arguments.takeLast();
    Importer importer(options);
    for (const QString &source : std::as_const(arguments)) {
        if (!importer.readSource(source, err, stderrIsTerminal())) {
            err << "en-si-import: nothing written to " << databasePath << Qt::endl;
            return 1;
        }
    }
    importer.addForms();
    QString error;
    if (!importer.write(databasePath, &error)) {
        err << "en-si-import: " << databasePath << ": " << error << Qt::endl
            << "en-si-import: nothing written to " << databasePath << Qt::endl;
        return 1;
    }
    out << "keys: " << importer.entries().entries().size() << ", senses: " << importer.entries().senseCount()
        << ", lines read: " << importer.linesRead() << ", lines skipped: " << importer.linesSkipped() << Qt::endl;
    return 0;
}
