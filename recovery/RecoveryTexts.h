#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// Texts of the recovery copies that a user meets.
namespace RecoveryTexts {

// The question at start-up. document is the original file, or the title of a
// model that had never been saved.
inline QString RecoverQuestion(const QString& document, const QDateTime& written)
{
    return QCoreApplication::translate("RecoveryTexts", "前回の MIRA-VEL は正しく終了しなかったため、保存されていない変更が残っています。\n\n"
                          "%1\n(%2 に自動保存)\n\n"
                          "この変更を復元しますか？\n"
                          "「いいえ」を選ぶと、この変更は破棄されます。")
        .arg(document, written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

inline QString DamagedCopy(const QString& reason, const QString& keptAs)
{
    return QCoreApplication::translate("RecoveryTexts", "自動保存された変更が壊れているため、復元できません。\n%1\n\n"
                          "このファイルは次の名前で残してあります。\n%2")
        .arg(reason, keptAs);
}

inline QString SideFileMissing() { return QCoreApplication::translate("RecoveryTexts", "元のファイル名を記録したファイルがありません。"); }
inline QString SideFileUnreadable() { return QCoreApplication::translate("RecoveryTexts", "元のファイル名を記録したファイルが読めません。"); }
inline QString CannotLock() { return QCoreApplication::translate("RecoveryTexts", "自動保存用のロックを取得できません。"); }

} // namespace RecoveryTexts
