// The name rules of a saved chapter: only the part after the last backslash or colon counts,
// it must be a valid file name, and its extension becomes ".QLF".
#pragma once

#include <QString>

#include <optional>

// The file name to save under, or nothing when the entered text is not a valid file name.
std::optional<QString> ChapterFileName(const QString& entered);
