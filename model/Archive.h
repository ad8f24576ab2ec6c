#pragma once

#include "model/WorkProgress.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;

// What an open or save step tells its caller: whether it worked and, if not,
// the message to show the user. Nothing is shown from here.
struct DocResult {
    bool ok = true;
    QString message;
    // The user stopped it; there is nothing to tell.
    bool cancelled = false;

    static DocResult Ok() { return {}; }
    static DocResult Fail(const QString& message) { return {false, message}; }
    static DocResult Cancelled() { return {false, {}, true}; }
};

// The byte stream a document serialises through: a file streamed in blocks
// (a large model's file is never held twice in memory), or bytes in memory
// (tests, the fuzz target).
//
// A device error is kept, not thrown: once a write or read fails, later
// writes are dropped and reads return nothing, and Failed() says so, so that
// the caller can tell a broken disk from a broken file.
class CArchive {
public:
    enum Mode { store, load };

    // How a block of a store reaches the device: returns the count written,
    // or -1. Tests put in one that fails part-way, to see a write break off
    // behind the file layer (a full disk, an I/O error) where no real one can
    // be made.
    using BlockWriter = std::function<qint64(QIODevice& device, const QByteArray& block)>;

    // A store appends to bytes; a load reads them.
    CArchive(QByteArray& bytes, Mode mode);
    // Streams to or from an open device.
    CArchive(QIODevice& device, Mode mode, BlockWriter writer = {});
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    void Write(const void* data, qsizetype count);
    // Copies up to count bytes; returns how many there were.
    qsizetype Read(void* data, qsizetype count);
    // How many bytes a load has left to read (the rest of the file).
    qint64 BytesLeft() const;
    // Hands what a store has buffered to the device; false when any write failed.
    bool Flush();

    // Tells progress how many bytes have passed through the device, of
    // total (for a load, the device's size; a store sets it with
    // ExpectBytes). Answering false breaks the work off: nothing more is read
    // or written, and Cancelled() says so.
    void SetProgress(WorkProgress progress);
    void ExpectBytes(qint64 total) { m_total = total; }
    bool Cancelled() const { return m_cancelled; }

    bool Failed() const { return m_failed; }
    // Why the device call that failed failed, taken right after it.
    QString ErrorString() const { return m_error; }

private:
    void WriteThrough(const char* data, qsizetype count);
    void NoteFailure();
    void Passed(qint64 bytes);

    Mode m_mode;
    QByteArray* m_bytes = nullptr;
    QIODevice* m_device = nullptr;
    BlockWriter m_writer;
    std::vector<char> m_buffer;
    qsizetype m_bufferPos = 0;  // load: next byte to hand out
    qsizetype m_bufferEnd = 0;  // load: bytes read; store: bytes waiting
    bool m_failed = false;
    bool m_cancelled = false;
    QString m_error;
    WorkProgress m_progress;
    qint64 m_total = 0;
    qint64 m_passed = 0;
};
