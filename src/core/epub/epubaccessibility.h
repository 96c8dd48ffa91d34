// What the EPUB tells reading systems and shops about its accessibility: its access modes,
// features and hazards, a summary written from what the book holds, and the conformance it
// claims only when the book meets it.
#pragma once

#include <QString>

#include <optional>

// What the export found in the book.
struct BookContent
{
    int undescribedPictures = 0;    // pictures inside the text, which carry no description
    bool describedPictures = false; // pictures that phrases show, described by the phrase
    bool timedMedia = false;        // sounds or films
    int undescribedTimedMedia = 0;  // sounds and films without the author's description
};

// The <meta> elements of the package's metadata, one per line. Conformance is claimed only when
// the author has said the book was checked (`checkedBy` holds the name checked under, which the
// claim names unless it is empty) and the book meets it.
QString AccessibilityMetadata(const BookContent& content, const std::optional<QString>& checkedBy);

// The conformance the EPUB claims when it meets it.
inline const QString kConformance = QStringLiteral("EPUB Accessibility 1.1 - WCAG 2.1 Level AA");
