#pragma once

#include <QString>

// Texts a user meets when a model file cannot be read or written.
namespace ModelMessages {

inline QString NotModelFile() { return QStringLiteral("mvfファイルではありません"); }
inline QString BadGridSize()
{
    return QStringLiteral("キューブのサイズが正しくないため、このファイルは開けません。\n"
                          "(各辺 1 以上、合計 64000 以下のモデルだけを開けます)");
}
inline QString Truncated()
{
    return QStringLiteral("ファイルが途中で切れているため、開けません。");
}
inline QString CannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("ファイルを開けませんでした。\n%1\n%2").arg(path, reason);
}
inline QString CannotSave(const QString& path, const QString& reason)
{
    return QStringLiteral("ファイルを保存できませんでした。\n%1\n%2").arg(path, reason);
}
inline QString PathIsFolder() { return QStringLiteral("同じ名前のフォルダーがあります。"); }
inline QString FolderIsFile(const QString& path)
{
    return QStringLiteral("%1 はフォルダーではなくファイルです。").arg(path);
}

} // namespace ModelMessages
