#pragma once

#include <QByteArray>
#include <QVariant>
#include <QVector>
#include <cstdlib>
#include <memory>

// The rows a query has read, held compactly: numbers as they are and texts
// as UTF-8 bytes, all rows in one buffer. A value becomes a QVariant only when
// it is read, so a large result of which a screen shows a part costs little
// more than its bytes. Values of other kinds are kept as QVariants.
class RowStore
{
public:
    int size() const { return int(m_rowStart.size()); }
    void clear();

    // A row is written value by value between beginRow and endRow.
    void beginRow();
    void addNull(); // reads as a null text, as SQLite's NULL reads
    void addInteger(qint64 v);
    void addDouble(double v);
    void addText(const char* utf8, int bytes);
    void addBlob(const char* data, int bytes);
    void addVariant(const QVariant& v);
    void endRow() {}

    QVariant value(int row, int column) const;

private:
    enum Kind : char { Null, Integer, Double, Text, Blob, Variant };
    void put(Kind kind, const void* data, int bytes);
    void append(const char* data, int bytes);
    char* grow(size_t bytes);

    struct Free
    {
        void operator()(char* p) const { std::free(p); }
    };
    // Grown with realloc: a large buffer moves without a copy and no byte is
    // written before a value is.
    std::unique_ptr<char, Free> m_bytes;
    size_t m_room = 0;
    size_t m_used = 0;
    QVector<qsizetype> m_rowStart;
    QVector<QVariant> m_variants;
};

// A result that can write its current row into a RowStore itself, without a
// QVariant for every value.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual void storeRow(RowStore& rows) const = 0;
};
