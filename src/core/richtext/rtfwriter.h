// Writing a QTextDocument as RTF of the shape the Windows rich-edit control writes: a font table,
// a colour table, "\viewkind4\uc1\pard", and character runs switched by \f \fs \cf \b \i \ul.
#pragma once

#include <QByteArray>

class QTextDocument;

QByteArray WriteRtf(const QTextDocument& document);
