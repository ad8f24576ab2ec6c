#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

// What an open or save step tells its caller: whether it worked and, if not,
// the message to show the user. Nothing is shown from here.
struct DocResult {
    bool ok = true;
    QString message;

    static DocResult Ok() { return {}; }
    static DocResult Fail(const QString& message) { return {false, message}; }
};

// An in-memory archive: the model file is small (at most about 256 KB), so a
// document serialises into a buffer and the file layer moves the buffer in one
// piece. That keeps file errors apart from format errors, and lets a reader
// check the whole file before it changes anything.
class CArchive {
public:
    enum Mode { store, load };

    CArchive(QByteArray& buffer, Mode mode) : m_buffer(buffer), m_mode(mode) {}

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    void Write(const void* data, qsizetype count)
    {
        m_buffer.append(static_cast<const char*>(data), count);
    }

    // Copies up to count bytes; returns how many were there.
    qsizetype Read(void* data, qsizetype count)
    {
        const qsizetype n = qMin(count, BytesLeft());
        if (n > 0)
            std::memcpy(data, m_buffer.constData() + m_readPos, size_t(n));
        m_readPos += n;
        return n;
    }

    qsizetype BytesLeft() const { return m_buffer.size() - m_readPos; }
    qsizetype Size() const { return m_buffer.size(); }

    void WriteUInt32(std::uint32_t v)
    {
        const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                               char((v >> 24) & 0xFF)};
        m_buffer.append(bytes, 4);
    }

    // Little-endian; false (and v untouched) when fewer than four bytes remain.
    bool ReadUInt32(std::uint32_t& v)
    {
        if (BytesLeft() < 4)
            return false;
        const auto* p = reinterpret_cast<const unsigned char*>(m_buffer.constData() + m_readPos);
        v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
            (std::uint32_t(p[3]) << 24);
        m_readPos += 4;
        return true;
    }

    void Flush() {}

private:
    QByteArray& m_buffer;
    Mode m_mode;
    qsizetype m_readPos = 0;
};
