// TRecList: an ordered list of owned copies of fixed-size records (chapter records, index entries).
#pragma once

#include <QByteArray>
#include <QList>

class TRecList
{
public:
    void Add(const void* record, qsizetype length);
    qsizetype Count() const { return m_items.size(); }

    // Copies item `index` into the buffer, at most `capacity` bytes; raises ListIndexError.
    void Get(qsizetype index, void* buffer, qsizetype capacity) const;

    template <class Record> Record at(qsizetype index) const
    {
        Record record{};
        Get(index, &record, sizeof(Record));
        return record;
    }

private:
    QList<QByteArray> m_items;
};
