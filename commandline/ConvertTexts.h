#pragma once

#include "model/ModelMessages.h"

#include <QCoreApplication>
#include <QString>

// The converter's reasons for a file it could not convert, one line each,
// in the interface's language. (Its usage messages and --help stay English.)
namespace ConvertTexts {

inline QString NoSuchFile() { return QCoreApplication::translate("ConvertTexts", "ファイルがありません"); }
inline QString InputIsFolder() { return QCoreApplication::translate("ConvertTexts", "フォルダーです。モデルのファイルではありません"); }
inline QString NotRegularFile() { return QCoreApplication::translate("ConvertTexts", "通常のファイルではありません"); }
inline QString Unreadable() { return QCoreApplication::translate("ConvertTexts", "読み込めません (アクセスが許可されていません)"); }
// inputs: the extensions of the formats read, ".mvf, .vox".
inline QString NotInputFormat(const QString& inputs)
{
    return QCoreApplication::translate("ConvertTexts", "入力の形式ではありません (入力は %1 のファイルです)").arg(inputs);
}
inline QString NotReadable(const QString& suffix)
{
    return QCoreApplication::translate("ConvertTexts", ".%1 ファイルとして読めません").arg(suffix);
}
inline QString TooBigForGrid(int x, int y, int z)
{
    return QCoreApplication::translate("ConvertTexts", "モデルは %1×%2×%3 です。エディターが扱えるのは %4 のグリッドです")
        .arg(x)
        .arg(y)
        .arg(z)
        .arg(ModelMessages::GridLimitsText());
}
inline QString TooManyColors(qsizetype count)
{
    return QCoreApplication::translate("ConvertTexts", "モデルの色は %1 色です。パレットファイルには 255 色までしか書けません").arg(count);
}
inline QString OutputIsFolder() { return QCoreApplication::translate("ConvertTexts", "フォルダーです。出力にはファイルの名前が要ります"); }
inline QString FolderMissing(const QString& folder) { return QCoreApplication::translate("ConvertTexts", "フォルダー %1 がありません").arg(folder); }
inline QString FolderIsFile(const QString& path) { return QCoreApplication::translate("ConvertTexts", "%1 はフォルダーではなくファイルです").arg(path); }
inline QString LinkLoop(const QString& path) { return QCoreApplication::translate("ConvertTexts", "%1 のシンボリックリンクが循環しています").arg(path); }
inline QString LinkToNothing(const QString& path) { return QCoreApplication::translate("ConvertTexts", "%1 のシンボリックリンクの先がありません").arg(path); }
inline QString FolderNotMade(const QString& folder, const QString& reason)
{
    return QCoreApplication::translate("ConvertTexts", "出力フォルダー %1 を作れません: %2").arg(folder, reason);
}
inline QString OutputIsInput(const QString& output, const QString& input)
{
    return QCoreApplication::translate("ConvertTexts", "変換しません。出力 %1 は入力 %2 と同じファイルです (入力は上書きしません)").arg(output, input);
}
inline QString SameOutput(const QString& output, const QString& first)
{
    return QCoreApplication::translate("ConvertTexts", "変換しません。出力 %1 は %2 の出力と同じファイルです").arg(output, first);
}
inline QString NoEncoder(const QString& format) { return QCoreApplication::translate("ConvertTexts", "%1 の画像を書き出す手段がありません").arg(format); }
inline QString PictureNotWritten() { return QCoreApplication::translate("ConvertTexts", "画像を書き出せませんでした"); }
// The operations' refusals. grid: "16×16×16".
inline QString MoveLeavesGrid(int x, int y, int z, const QString& grid)
{
    return QCoreApplication::translate("ConvertTexts", "%1,%2,%3 の移動ではキューブがグリッド (%4) の外に出ます").arg(x).arg(y).arg(z).arg(grid);
}
inline QString CropOutsideGrid(const QString& from, const QString& to, const QString& grid)
{
    return QCoreApplication::translate("ConvertTexts", "%1 から %2 までの切り取りはグリッド (%3) の中にありません").arg(from, to, grid);
}
inline QString GridSizeRefused(int x, int y, int z)
{
    return QCoreApplication::translate("ConvertTexts", "グリッドを %1×%2×%3 にはできません (%4 のグリッドだけです)")
        .arg(x)
        .arg(y)
        .arg(z)
        .arg(ModelMessages::GridLimitsText());
}
inline QString ResizeLeavesCubes(int x, int y, int z, qint64 cubes)
{
    return QCoreApplication::translate("ConvertTexts", "グリッドを %1×%2×%3 にすると %4 個のキューブが外に残ります (切り取るには --crop を使います)").arg(x).arg(y).arg(z).arg(cubes);
}
inline QString NotWritten() { return QCoreApplication::translate("ConvertTexts", "書き出せませんでした"); }

} // namespace ConvertTexts
