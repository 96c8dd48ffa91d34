// The accessibility metadata of the EPUB package.
#include "core/epub/epubaccessibility.h"

#include "core/epub/epubxhtml.h"

#include <QStringList>

namespace {

QString meta(const char* property, const QString& value)
{
    return QStringLiteral("<meta property=\"%1\">%2</meta>\n")
        .arg(QLatin1String(property), XmlEscaped(value));
}

QString summary(const BookContent& content, bool conforms)
{
    QStringList sentences{QStringLiteral(
        "Each chapter starts with a heading and is reached from the table of contents; the "
        "chapters follow in the book's own order, with the pages its links open after them.")};
    if (content.describedPictures)
        sentences << QStringLiteral("Pictures that links open are described by the words of the "
                                    "link.");
    if (content.undescribedPictures == 1)
        sentences << QStringLiteral("One picture inside the text has no description.");
    else if (content.undescribedPictures > 1)
        sentences << QStringLiteral("%1 pictures inside the text have no description.")
                         .arg(content.undescribedPictures);
    if (content.undescribedTimedMedia > 0)
        sentences << QStringLiteral("Sounds and films are named by their links; some have no "
                                    "description in words.");
    else if (content.timedMedia)
        sentences << QStringLiteral("Sounds and films are described in words beside them.");
    sentences << (conforms
                      ? QStringLiteral("The publication meets ") + kConformance + QLatin1Char('.')
                      : QStringLiteral("The publication does not claim conformance with a "
                                       "standard of accessibility."));
    return sentences.join(QLatin1Char(' '));
}

} // namespace

QString AccessibilityMetadata(const BookContent& content, const std::optional<QString>& checkedBy)
{
    const bool visual = content.describedPictures || content.undescribedPictures > 0;
    // Text alone carries the book when no picture and no sound lacks words of its own.
    const bool textSuffices =
        content.undescribedPictures == 0 && content.undescribedTimedMedia == 0;
    // Only a person who has checked the book may claim it conforms.
    const bool conforms = textSuffices && checkedBy.has_value();
    QString out = meta("schema:accessMode", QStringLiteral("textual"));
    if (visual)
        out += meta("schema:accessMode", QStringLiteral("visual"));
    if (content.timedMedia)
        out += meta("schema:accessMode", QStringLiteral("auditory"));
    if (textSuffices)
        out += meta("schema:accessModeSufficient", QStringLiteral("textual"));
    if (visual || content.timedMedia) {
        QStringList modes{QStringLiteral("textual")};
        if (visual)
            modes << QStringLiteral("visual");
        if (content.timedMedia)
            modes << QStringLiteral("auditory");
        out += meta("schema:accessModeSufficient", modes.join(QLatin1Char(',')));
    }
    for (const char* feature : {"structuralNavigation", "tableOfContents", "readingOrder", "ARIA"})
        out += meta("schema:accessibilityFeature", QLatin1String(feature));
    if (content.describedPictures)
        out += meta("schema:accessibilityFeature", QStringLiteral("alternativeText"));
    if (content.timedMedia) {
        // Films and sounds of any source: nobody has checked them for flashing or loud sound.
        out += meta("schema:accessibilityHazard", QStringLiteral("unknown"));
    } else {
        out += meta("schema:accessibilityHazard", QStringLiteral("none"));
    }
    out += meta("schema:accessibilitySummary", summary(content, conforms));
    if (conforms) {
        out += meta("dcterms:conformsTo", kConformance);
        if (!checkedBy->isEmpty())
            out += meta("a11y:certifiedBy", *checkedBy);
    }
    return out;
}
