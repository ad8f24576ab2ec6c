#pragma once

#include "model/ModelMessages.h"

#include <QCoreApplication>
#include <QString>

// Texts of the import and export commands: menu entries, file-dialog
// filters, the progress window and the messages.
namespace ExchangeTexts {

inline QString ImportDialogTitle() { return QCoreApplication::translate("ExchangeTexts", "インポート"); }
inline QString ExportDialogTitle() { return QCoreApplication::translate("ExchangeTexts", "エクスポート"); }

// The progress window of a long export.
inline QString ProgressTitle() { return QCoreApplication::translate("ExchangeTexts", "エクスポート"); }
inline QString ProgressExporting() { return QCoreApplication::translate("ExchangeTexts", "出力中..."); }

// The same words as a failed screenshot, then where and why.
inline QString ExportFailed(const QString& path, const QString& reason)
{
    QString text = QCoreApplication::translate("ExchangeTexts", "出力できませんでした");
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}
// The reader's own message may already name the file.
inline QString ImportFailed(const QString& path, const QString& reason)
{
    const QString head = QCoreApplication::translate("ExchangeTexts", "インポートできませんでした。\n");
    return reason.contains(path) ? head + reason : head + path + QLatin1Char('\n') + reason;
}
inline QString ModelTooLarge()
{
    return QCoreApplication::translate("ExchangeTexts", "モデルが大きすぎるため、読み込めません。\n"
                                                        "(%1 のモデルだけを扱えます)")
        .arg(ModelMessages::GridLimitsText());
}

} // namespace ExchangeTexts
