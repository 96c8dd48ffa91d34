// The languages a Word or OpenDocument file marks its text in, which the converter that reads
// the file's structure leaves out: each run's language from the document's own XML (the run's,
// else its style's, else the document's default), laid back over the imported text.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTextDocument;

struct LanguageRun
{
    QString text;
    QString tag;      // a language tag ("de-DE"); empty when the file names none
    bool ends = true; // the run ends its paragraph
};

// The runs of a Word document's body (word/document.xml), with its defaults (word/styles.xml).
QList<LanguageRun> WordLanguageRuns(const QByteArray& document, const QByteArray& styles);
// The runs of an OpenDocument text (content.xml), with its shared styles (styles.xml).
QList<LanguageRun> OpenDocumentLanguageRuns(const QByteArray& content, const QByteArray& styles);
// The runs of the .docx or .odt file; none when it cannot be read.
QList<LanguageRun> LanguageRunsOfFile(const QString& path);

// Marks each run's text in the document with its language (RTF \lang), in order: a run whose
// text is not found a little ahead of the one before is passed over. The marked characters.
qsizetype MarkLanguages(QTextDocument& document, const QList<LanguageRun>& runs);
