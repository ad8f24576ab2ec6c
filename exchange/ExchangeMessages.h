#pragma once

#include "model/ModelMessages.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>

// Texts a user meets when a model cannot be exchanged with another program.
namespace ExchangeMessages {

inline QString Size(std::int64_t x, std::int64_t y, std::int64_t z)
{
    return QStringLiteral("%1×%2×%3").arg(x).arg(y).arg(z);
}

inline QString BadGridSize(std::int64_t x, std::int64_t y, std::int64_t z)
{
    return QCoreApplication::translate("ExchangeMessages", "モデルの大きさ %1 が正しくありません。").arg(Size(x, y, z));
}
inline QString ColorsReduced(int from, int to)
{
    return QCoreApplication::translate("ExchangeMessages", "色数を %1 色から %2 色に減らしました。").arg(from).arg(to);
}
// A .vox scene too big for the grid: its size here (x right, y up, z toward
// the viewer) and in the file's own axes (z up), so that it can be found in
// the program that made it.
inline QString VoxTooBig(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t fileX, std::int64_t fileY,
                         std::int64_t fileZ)
{
    // Sides may come from a hostile file: the product is formed in floating
    // point so that it cannot overflow.
    return QCoreApplication::translate("ExchangeMessages", "モデルの大きさ %1 (ファイルの軸では %2、%3 セル) は大きすぎるため読み込めません。\n"
                                                           "(%4 のモデルだけを読み込めます)")
        .arg(Size(x, y, z), Size(fileX, fileY, fileZ))
        .arg(QString::number(double(x) * double(y) * double(z), 'f', 0), ModelMessages::GridLimitsText());
}
inline QString NotVoxFile() { return QCoreApplication::translate("ExchangeMessages", ".vox ファイルではありません。"); }
inline QString VoxVersion(std::int64_t version)
{
    return QCoreApplication::translate("ExchangeMessages", "この .vox ファイルの版 (%1) には対応していません。").arg(version);
}
inline QString VoxBroken(const QString& what)
{
    return QCoreApplication::translate("ExchangeMessages", ".vox ファイルが壊れているため読み込めません。\n%1").arg(what);
}
inline QString CannotRead(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ExchangeMessages", "ファイルを読み込めませんでした。\n%1\n%2").arg(path, reason);
}
inline QString FileTooBig(const QString& path)
{
    return QCoreApplication::translate("ExchangeMessages", "ファイルが大きすぎるため読み込めません。\n%1").arg(path);
}
inline QString CannotWrite(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ExchangeMessages", "ファイルを書き出せませんでした。\n%1\n%2").arg(path, reason);
}
inline QString NoCubes()
{
    return QCoreApplication::translate("ExchangeMessages", "キューブが一つもないため、メッシュを書き出せません。");
}
inline QString MeshTooLarge(std::int64_t triangles, std::int64_t limit)
{
    return QCoreApplication::translate("ExchangeMessages",
                                       "このモデルのメッシュは %1 個以上の三角形になるため、書き出せません。\n"
                                       "(書き出せるのは %2 個までです)")
        .arg(triangles)
        .arg(limit);
}
inline QString Cancelled() { return QCoreApplication::translate("ExchangeMessages", "書き出しを中止しました。"); }
inline QString NotExportable()
{
    return QCoreApplication::translate("ExchangeMessages", "この形式はここでは書き出せません。");
}

} // namespace ExchangeMessages
