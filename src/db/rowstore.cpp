#include "db/rowstore.h"

#include <algorithm>
#include <cstring>
#include <new>

void RowStore::clear()
{
    m_used = 0; // keeps its memory: a query read again needs about as much
    m_rowStart.clear();
    m_variants.clear();
}

void RowStore::beginRow() { m_rowStart.append(qsizetype(m_used)); }

// Room for the next bytes at the end of what is used. The buffer doubles when
// full, so every value is one memcpy into room that is already there.
char* RowStore::grow(size_t bytes)
{
    if (m_used + bytes > m_room) {
        const size_t room = std::max(m_room * 2, m_used + bytes + 4096);
        auto* moved = static_cast<char*>(std::realloc(m_bytes.get(), room));
        if (!moved)
            throw std::bad_alloc();
        m_bytes.release();
        m_bytes.reset(moved);
        m_room = room;
    }
    char* at = m_bytes.get() + m_used;
    m_used += bytes;
    return at;
}

void RowStore::put(Kind kind, const void* data, int bytes)
{
    char* at = grow(1 + size_t(bytes));
    *at = char(kind);
    std::memcpy(at + 1, data, size_t(bytes));
}

void RowStore::append(const char* data, int bytes)
{
    if (bytes > 0)
        std::memcpy(grow(size_t(bytes)), data, size_t(bytes));
}

void RowStore::addNull() { *grow(1) = char(Null); }

void RowStore::addInteger(qint64 v) { put(Integer, &v, sizeof v); }

void RowStore::addDouble(double v) { put(Double, &v, sizeof v); }

void RowStore::addText(const char* utf8, int bytes)
{
    put(Text, &bytes, sizeof bytes);
    append(utf8, bytes);
}

void RowStore::addBlob(const char* data, int bytes)
{
    put(Blob, &bytes, sizeof bytes);
    append(data, bytes);
}

void RowStore::addVariant(const QVariant& v)
{
    const int index = int(m_variants.size());
    m_variants.append(v);
    put(Variant, &index, sizeof index);
}

QVariant RowStore::value(int row, int column) const
{
    if (row < 0 || row >= size() || column < 0)
        return {};
    const char* p = m_bytes.get() + m_rowStart.at(row);
    const char* end = m_bytes.get() + (row + 1 < size() ? m_rowStart.at(row + 1) : qsizetype(m_used));
    auto length = [](const char* at) {
        int n = 0;
        std::memcpy(&n, at, sizeof n);
        return n;
    };
    // Step over the values before the column.
    for (int c = 0;; ++c) {
        if (p >= end)
            return {};
        const Kind kind = Kind(*p++);
        if (c == column) {
            switch (kind) {
            case Null:
                return QVariant(QMetaType::fromType<QString>());
            case Integer: {
                qint64 v = 0;
                std::memcpy(&v, p, sizeof v);
                return QVariant(qlonglong(v));
            }
            case Double: {
                double v = 0;
                std::memcpy(&v, p, sizeof v);
                return QVariant(v);
            }
            case Text:
                return QVariant(QString::fromUtf8(p + sizeof(int), length(p)));
            case Blob:
                return QVariant(QByteArray(p + sizeof(int), length(p)));
            case Variant:
                return m_variants.at(length(p));
            }
            return {};
        }
        switch (kind) {
        case Null:
            break;
        case Integer:
        case Double:
            p += 8;
            break;
        case Text:
        case Blob:
            p += sizeof(int) + length(p);
            break;
        case Variant:
            p += sizeof(int);
            break;
        }
    }
}
