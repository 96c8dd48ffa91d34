// The author's word that the book's accessibility was checked, and by whom: the EPUB claims
// conformance only with it. Kept in a section "[^ACCESSIBILITY^]" of the HyperText entry file
// (source BOOK), as the book's language is.
#pragma once

#include <QString>

#include <optional>

// The name the book's accessibility was checked under (it may be empty), or nothing when the
// author has not said it was checked.
std::optional<QString> AccessibilityCheckedBy(const QString& hyperTextFile);

// Stores the author's word (made when the file is missing), or takes it back.
void WriteAccessibilityCheckedBy(const QString& hyperTextFile, const std::optional<QString>& name);
