#pragma once

#include "model/GridLimits.h"

#include <QCoreApplication>
#include <QString>

// Texts a user meets when a model file cannot be read or written.
namespace ModelMessages {

inline QString NotModelFile() { return QCoreApplication::translate("ModelMessages", "mvfファイルではありません"); }
// The grids a model may have, as messages name them.
inline QString GridLimitsText()
{
    return QCoreApplication::translate("ModelMessages", "各辺 1 以上で合計 %1 セル以下、または各辺 %2 以下で合計 %3 セル以下")
        .arg(GridLimits::kSizeDialogCells)
        .arg(GridLimits::kMaxSide)
        .arg(GridLimits::kMaxCells);
}
inline QString BadGridSize()
{
    return QCoreApplication::translate("ModelMessages", "キューブのサイズが正しくないため、このファイルは開けません。\n"
                                                        "(%1 のモデルだけを開けます)")
        .arg(GridLimitsText());
}
inline QString Truncated()
{
    return QCoreApplication::translate("ModelMessages", "ファイルが途中で切れているため、開けません。");
}
inline QString CannotOpen(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ModelMessages", "ファイルを開けませんでした。\n%1\n%2").arg(path, reason);
}
inline QString CannotSave(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ModelMessages", "ファイルを保存できませんでした。\n%1\n%2").arg(path, reason);
}
inline QString PathIsFolder() { return QCoreApplication::translate("ModelMessages", "同じ名前のフォルダーがあります。"); }
inline QString FolderIsFile(const QString& path)
{
    return QCoreApplication::translate("ModelMessages", "%1 はフォルダーではなくファイルです。").arg(path);
}

} // namespace ModelMessages
