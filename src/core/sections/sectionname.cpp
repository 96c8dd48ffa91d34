#include "core/sections/sectionname.h"

#include "core/files/textcodec.h"
#include "core/files/textlines.h"
#include "format/casefolding.h"

#include <algorithm>

QString SectionNameKey(const QString& name)
{
    return QString::fromStdString(bookformat::FoldCase(name.toStdString()));
}

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

SectionNameMatcher::SectionNameMatcher(const QString& wanted, bool utf8)
    : m_key(SectionNameKey(wanted)), m_ascii(IsAscii(wanted.toUtf8())), m_utf8(utf8)
{
    if (m_ascii)
        m_asciiUpper = AsciiUpper(wanted.toLatin1());
}

bool SectionNameMatcher::matches(QByteArrayView stored) const
{
    if (m_ascii && IsAscii(stored))
        return SameAsciiUpper(stored, m_asciiUpper);
    return SectionNameKey(textcodec::decodeAs(stored, m_utf8)) == m_key;
}
