// Reading one file out of a ZIP archive, as a Word or OpenDocument file is one: stored or
// deflated entries of the classic format, the file's size checked against a bound before any of
// it is inflated, so that a hostile archive costs no more memory than the caller allows.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The file `name` of the archive; nothing when the archive holds no such file, is damaged, or
// the file would be larger than `largest` bytes.
std::optional<QByteArray> ReadZipFile(QByteArrayView archive, const QString& name,
                                      qsizetype largest);
