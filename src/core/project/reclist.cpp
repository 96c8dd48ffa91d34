// The record list.
#include "core/project/reclist.h"

#include "core/files/runtimeerror.h"

#include <algorithm>
#include <cstring>

void TRecList::Add(const void* record, qsizetype length)
{
    m_items.append(QByteArray(static_cast<const char*>(record), length));
}

void TRecList::Get(qsizetype index, void* buffer, qsizetype capacity) const
{
    if (index < 0 || index >= m_items.size())
        throw ListIndexError(index);
    const QByteArray& item = m_items.at(index);
    std::memcpy(buffer, item.constData(), std::min(item.size(), capacity));
}
