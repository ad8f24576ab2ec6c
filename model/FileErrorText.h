#pragma once

#include <QString>

class QFileDevice;

// Why a file operation failed, in the interface's language. The file layer
// words the system's reasons in English only, and for a write that fails
// when a temporary is flushed it often has no words at all.
namespace FileErrorText {

// The reason for a system error number; empty for one without words here.
QString ForErrno(int errnum);

// Why the call on `file` that has just failed failed: the system's reason
// when the failure was the system's, else the file layer's own. It is read
// from errno: clear errno before the call, and ask straight after it.
QString OfFailedCall(const QFileDevice& file);

} // namespace FileErrorText
