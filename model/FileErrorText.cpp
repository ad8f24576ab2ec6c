#include "model/FileErrorText.h"

#include <QCoreApplication>
#include <QFileDevice>

#include <cerrno>

namespace FileErrorText {

namespace {

struct ErrnoText {
    int errnum;
    const char* text;
};

constexpr ErrnoText kTexts[] = {
    {ENOSPC, QT_TRANSLATE_NOOP("FileErrorText", "ディスクに空きがありません")},
    {EDQUOT, QT_TRANSLATE_NOOP("FileErrorText", "ディスクに空きがありません")},
    {EROFS, QT_TRANSLATE_NOOP("FileErrorText", "読み取り専用のファイルシステムです")},
    {EACCES, QT_TRANSLATE_NOOP("FileErrorText", "アクセスが許可されていません")},
    {EPERM, QT_TRANSLATE_NOOP("FileErrorText", "アクセスが許可されていません")},
    {ENOENT, QT_TRANSLATE_NOOP("FileErrorText", "そのようなファイルやフォルダーはありません")},
    {ENOTDIR, QT_TRANSLATE_NOOP("FileErrorText", "途中にフォルダーではないものがあります")},
    {EISDIR, QT_TRANSLATE_NOOP("FileErrorText", "フォルダーです")},
    {ELOOP, QT_TRANSLATE_NOOP("FileErrorText", "シンボリックリンクが循環しています")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("FileErrorText", "名前が長すぎます")},
    {EFBIG, QT_TRANSLATE_NOOP("FileErrorText", "ファイルが大きすぎます")},
    {EIO, QT_TRANSLATE_NOOP("FileErrorText", "入出力エラーが起きました")},
    {EMFILE, QT_TRANSLATE_NOOP("FileErrorText", "開いているファイルが多すぎます")},
    {ENFILE, QT_TRANSLATE_NOOP("FileErrorText", "開いているファイルが多すぎます")},
};

} // namespace

QString ForErrno(int errnum)
{
    for (const ErrnoText& t : kTexts)
        if (t.errnum == errnum)
            return QCoreApplication::translate("FileErrorText", t.text);
    return {};
}

QString OfFailedCall(const QFileDevice& file)
{
    const int errnum = errno;
    // A write cut short by a full disk leaves no error in the file layer at
    // all, only in errno; a write the program itself cancelled has its own.
    if (file.error() != QFileDevice::AbortError)
        if (const QString reason = ForErrno(errnum); !reason.isEmpty())
            return reason;
    return file.errorString();
}

} // namespace FileErrorText
