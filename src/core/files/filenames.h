// File-name, number and word helpers shared by every window of the tool.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The file-name part of a path without its last extension ("C:/x/BOOK.QVJ" gives "BOOK").
QString BaseName(const QString& path);

// The path with its last extension replaced by `extension` (which starts with a dot); a name
// without an extension gets it appended.
QString ChangeFileExt(const QString& path, const QString& extension);

enum FileAttribute : unsigned
{
    ReadOnlyAttribute = 1,
    HiddenAttribute = 2,
    DirectoryAttribute = 16,
};

// True when the path exists and carries every given attribute.
bool HasAttributes(const QString& path, unsigned attributes);

// False when the name holds any of  " * + , / : ; < = > ? [ ] |  or a direction control (also
// true for an empty name).
bool ValidFileName(const QString& text);

// Whether the text holds a character that reorders the text around it when shown.
bool HoldsDirectionControl(const QString& text);

// The run-time's integer conversion: optional blanks and sign, then decimal digits, or "$" (or
// "0x") and hexadecimal digits; the value must fit 32 bits (hexadecimal wraps to negative).
std::optional<std::int32_t> ParseInteger(const QString& text);
bool IsNumber(const QString& text);
std::int32_t StrToInt(const QString& text); // raises ConvertError

// word := text before the first blank, text := text after it; without a blank word is empty.
void SplitFirstWord(QString& text, QString& word);

// The first name in `projectDir` (files and folders, in name order) that matches the pattern.
bool FindInProject(const QString& projectDir, const QString& pattern, QString& name);

// Searches for pattern1, and only when it finds nothing for pattern2. A match sets `name` only
// when it was empty, but the result is true whenever something matched.
bool FindEitherInProject(const QString& projectDir, const QString& pattern1,
                         const QString& pattern2, QString& name);
