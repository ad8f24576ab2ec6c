#include "model/Archive.h"

#include "model/FileErrorText.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace {

// Large enough that the file layer's cost per call disappears, small enough
// to stay out of the way of the model itself.
constexpr qsizetype kBufferBytes = qsizetype(1) << 18;

} // namespace

CArchive::CArchive(QByteArray& bytes, Mode mode) : m_mode(mode), m_bytes(&bytes) {}

CArchive::CArchive(QIODevice& device, Mode mode, BlockWriter writer)
    : m_mode(mode), m_device(&device), m_writer(std::move(writer)), m_buffer(std::size_t(kBufferBytes))
{
}

void CArchive::NoteFailure()
{
    m_failed = true;
    const auto* file = qobject_cast<const QFileDevice*>(m_device);
    m_error = file ? FileErrorText::OfFailedCall(*file) : m_device->errorString();
}

void CArchive::SetProgress(WorkProgress progress)
{
    m_progress = std::move(progress);
    if (m_device && m_mode == load)
        m_total = m_device->size();
}

void CArchive::Passed(qint64 bytes)
{
    m_passed += bytes;
    if (m_progress && !m_cancelled && !m_progress(m_passed, m_total)) {
        // From here on the archive acts as a broken device would, so that
        // every reader and writer stops where it stands.
        m_cancelled = m_failed = true;
        m_error.clear();
    }
}

void CArchive::WriteThrough(const char* data, qsizetype count)
{
    if (m_failed || count <= 0)
        return;
    errno = 0;
    const qint64 written = m_writer ? m_writer(*m_device, QByteArray::fromRawData(data, count))
                                    : m_device->write(data, count);
    if (written != count)
        NoteFailure();
    else
        Passed(count);
}

void CArchive::Write(const void* data, qsizetype count)
{
    const char* bytes = static_cast<const char*>(data);
    if (m_bytes) {
        m_bytes->append(bytes, count);
        return;
    }
    if (m_bufferEnd + count > kBufferBytes) {
        WriteThrough(m_buffer.data(), m_bufferEnd);
        m_bufferEnd = 0;
    }
    if (count >= kBufferBytes) {
        WriteThrough(bytes, count);
        return;
    }
    std::memcpy(m_buffer.data() + m_bufferEnd, bytes, std::size_t(count));
    m_bufferEnd += count;
}

bool CArchive::Flush()
{
    if (m_device && m_mode == store) {
        WriteThrough(m_buffer.data(), m_bufferEnd);
        m_bufferEnd = 0;
    }
    return !m_failed;
}

qsizetype CArchive::Read(void* data, qsizetype count)
{
    char* out = static_cast<char*>(data);
    if (m_bytes) {
        const qsizetype n = qMin(count, m_bytes->size() - m_bufferPos);
        if (n > 0)
            std::memcpy(out, m_bytes->constData() + m_bufferPos, std::size_t(n));
        m_bufferPos += qMax<qsizetype>(n, 0);
        return qMax<qsizetype>(n, 0);
    }
    qsizetype done = 0;
    while (done < count && !m_failed) {
        if (m_bufferPos < m_bufferEnd) {
            const qsizetype n = qMin(count - done, m_bufferEnd - m_bufferPos);
            std::memcpy(out + done, m_buffer.data() + m_bufferPos, std::size_t(n));
            m_bufferPos += n;
            done += n;
            continue;
        }
        // Large reads go straight to the caller, small ones through the buffer.
        const bool direct = count - done >= kBufferBytes;
        errno = 0;
        const qint64 n = direct ? m_device->read(out + done, count - done)
                                : m_device->read(m_buffer.data(), kBufferBytes);
        if (n < 0)
            NoteFailure();
        if (n <= 0)
            break;
        Passed(n);
        if (direct) {
            done += qsizetype(n);
        } else {
            m_bufferPos = 0;
            m_bufferEnd = qsizetype(n);
        }
    }
    return done;
}

qint64 CArchive::BytesLeft() const
{
    if (m_bytes)
        return m_bytes->size() - m_bufferPos;
    return m_device->size() - m_device->pos() + (m_bufferEnd - m_bufferPos);
}
