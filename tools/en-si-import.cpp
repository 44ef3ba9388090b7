// SPDX-License-Identifier: MIT
// en-si-import: builds or updates a dictionary file from word lists.
#include "tools/importer/importer.h"
#include "tools/importer/partialfile.h"

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

bool readSources(Importer &importer, const QStringList &sources, QTextStream &err)
{
    for (const QString &source : sources) {
        if (!importer.readSource(source, err, stderrIsTerminal()))
            return false;
    }
    return true;
}

QString description()
{
    return QStringLiteral("Builds or updates an English-Sinhala dictionary file from word lists.\n\n"
                          "Sources are read in order and merged: one entry per English key, senses in\n"
                          "source order without repeats. Every Sinhala sense also becomes a key whose\n"
                          "value is the English words that carry it. Keys are stored in Unicode NFC\n"
                          "(composed, as lookups are). Senses are plain text: \"&\", \"<\" and \">\" are\n"
                          "stored HTML-escaped, so that they show as written. The inflected forms of\n"
                          "the English headwords and phrases (by their parts of speech and irregular\n"
                          "forms in WordNet 3.0, from the table compiled in, and the spelling rules)\n"
                          "become keys too, where no source has the key: a link to the headword, then\n"
                          "its senses. A word that heads phrases (account: account for, take into\n"
                          "account) gets a line of links to at most eight of them after its senses,\n"
                          "the most common first by WordNet's counts. Importing into an existing file\n"
                          "merges: an entry it has keeps its senses first, as stored, and the imported\n"
                          "ones follow without repeats, forms are made as if the file's words were\n"
                          "read too; other entries and the history stay; the file records the\n"
                          "imported senses it had already, for --update-from to keep. Sources that\n"
                          "give no entry at all are an error. The import is one transaction: on any\n"
                          "error the file is left as it was, and a new file is only created once it is\n"
                          "complete (an interrupted one is removed, now or on the next run).\n\n"
                          "Source forms, recognised from the first line:\n"
                          "  tsv        english<TAB>sense|sense|... (UTF-8, one headword a line)\n"
                          "  sn2en-csv  the Sinhala-to-English CSV with the header \"word,definitions,\"\n"
                          "  a dictionary file (SQLite) gives its word list as it is, forms included");
}

// The command line: what the importer does, its options and arguments.
struct CommandLine
{
    const QCommandLineOption formatOption{QStringLiteral("format"),
                                          QStringLiteral("Read every source as <form>: tsv or sn2en-csv."),
                                          QStringLiteral("form")};
    const QCommandLineOption replaceOption{QStringLiteral("replace"),
                                           QStringLiteral("Empty the word list first (the history stays).")};
    const QCommandLineOption skipOption{QStringLiteral("skip-bad"),
                                        QStringLiteral("Skip bad lines, list them, and import the rest.")};
    const QCommandLineOption noReverseOption{QStringLiteral("no-reverse"),
                                             QStringLiteral("Do not add Sinhala-to-English entries.")};
    const QCommandLineOption noFormsOption{QStringLiteral("no-forms"),
                                           QStringLiteral("Do not add inflected forms (went, children, don't).")};
    const QCommandLineOption updateOption{
        QStringLiteral("update-from"),
        QStringLiteral("Update a copy made from <old> to the SOURCEs: senses and entries that left them go,\n"
                       "new ones come in; what your own imports gave stays. <old> and the SOURCEs may be\n"
                       "dictionary files: the launcher runs --update-from <last installed en-si.db>\n"
                       "<installed en-si.db> <your copy>."),
        QStringLiteral("old")};
    const QCommandLineOption forceOption{QStringLiteral("force"),
                                         QStringLiteral("Write into an SQLite file that has other tables.")};
    const QCommandLineOption ranksOption{
        QStringLiteral("ranks"),
        QStringLiteral("Rank keys by how common their words are, from <file> of \"word<TAB>rank\" lines\n"
                       "(smaller is more common): the search box offers the common ones first. Without it,\n"
                       "keys the file has ranked keep their rank and new ones rank shorter first."),
        QStringLiteral("file")};
    QCommandLineParser parser;

    CommandLine()
    {
        parser.setApplicationDescription(description());
        parser.addHelpOption();
        parser.addOptions({formatOption, replaceOption, skipOption, noReverseOption, noFormsOption, updateOption,
                           forceOption, ranksOption});
        parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("Word lists to read."),
                                     QStringLiteral("SOURCE..."));
        parser.addPositionalArgument(QStringLiteral("DATABASE"),
                                     QStringLiteral("The dictionary file to build or update."));
    }
};

// The import's options as given; false, having said why, where they are
// wrong or do not go together.
bool readOptions(const CommandLine &line, ImportOptions *options, QTextStream &err)
{
    const QCommandLineParser &parser = line.parser;
    if (parser.isSet(line.formatOption)) {
        const QString form = parser.value(line.formatOption);
        if (form == QLatin1String("tsv")) {
            options->format = SourceFormat::Tsv;
        } else if (form == QLatin1String("sn2en-csv")) {
            options->format = SourceFormat::Sn2enCsv;
        } else {
            err << "en-si-import: unknown --format \"" << form << "\" (tsv or sn2en-csv)" << Qt::endl;
            return false;
        }
    }
    options->emptyFirst = parser.isSet(line.replaceOption);
    options->skipBad = parser.isSet(line.skipOption);
    options->reverse = !parser.isSet(line.noReverseOption);
    options->forms = !parser.isSet(line.noFormsOption);
    options->force = parser.isSet(line.forceOption);
    if (options->emptyFirst && parser.isSet(line.updateOption)) {
        err << "en-si-import: --replace and --update-from do not go together" << Qt::endl;
        return false;
    }
    return true;
}

// Reads every source (and for an update the old list), then writes the
// file; the exit status.
int runImport(const CommandLine &line, const ImportOptions &options, const QStringList &sources,
              const QString &databasePath, QTextStream &err, QTextStream &out)
{
    const QCommandLineParser &parser = line.parser;
    const bool update = parser.isSet(line.updateOption);
    Importer importer(options);
    Importer previous(options);
    QString ranksError;
    if (parser.isSet(line.ranksOption) && !importer.readRanks(parser.value(line.ranksOption), &ranksError)) {
        err << "en-si-import: " << ranksError << Qt::endl
            << "en-si-import: nothing written to " << databasePath << Qt::endl;
        return 1;
    }
    if (!readSources(importer, sources, err)
        || (update && !readSources(previous, {parser.value(line.updateOption)}, err))) {
        err << "en-si-import: nothing written to " << databasePath << Qt::endl;
        return 1;
    }
    // An empty or unreadable source must never empty a word list.
    if (importer.entries().isEmpty()) {
        err << "en-si-import: no entries were read from " << sources.join(QLatin1String(", ")) << Qt::endl;
        for (const QString &note : importer.encodingNotes())
            err << "en-si-import: " << note << Qt::endl;
        err << "en-si-import: nothing written to " << databasePath << Qt::endl;
        return 1;
    }
    // A merge makes the forms one run over the file's words and the sources
    // would make: "does" stays no plural of an imported "doe".
    if (!options.emptyFirst && !update)
        importer.readExisting(databasePath);
    // Forms are generated for both, so that they are compared like any entry.
    importer.addForms();
    previous.addForms();
    QString error;
    if (!importer.write(databasePath, &error, update ? &previous.entries() : nullptr)) {
        err << "en-si-import: " << databasePath << ": " << error << Qt::endl
            << "en-si-import: nothing written to " << databasePath << Qt::endl;
        return 1;
    }
    out << "keys: " << importer.entries().entries().size() << ", senses: " << importer.entries().senseCount()
        << ", lines read: " << importer.linesRead() << ", lines skipped: " << importer.linesSkipped() << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("en-si-import"));
    QTextStream err(stderr);
    QTextStream out(stdout);

    CommandLine line;
    line.parser.process(app);
    QStringList arguments = line.parser.positionalArguments();
    if (arguments.size() < 2) {
        err << "en-si-import: give at least one SOURCE and the DATABASE (see --help)" << Qt::endl;
        return 2;
    }
    ImportOptions options;
    if (!readOptions(line, &options, err))
        return 2;

    const QString databasePath = arguments.takeLast();
    const QStringList stale = PartialFile::removeStale(databasePath);
    for (const QString &name : stale)
        err << "en-si-import: removed " << name << ", left by an import that was stopped" << Qt::endl;
    return runImport(line, options, arguments, databasePath, err, out);
}
