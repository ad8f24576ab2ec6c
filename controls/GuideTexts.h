#pragma once

#include <QCoreApplication>
#include <QString>

// What the help command tells when the user guide cannot be shown.
namespace GuideTexts {

inline QString NoBrowser(const QString& page)
{
    return QCoreApplication::translate("GuideTexts", "ブラウザーを起動できませんでした。\n"
                                                     "ユーザーガイドは次の場所にあります。\n%1")
        .arg(page);
}

inline QString Missing()
{
    return QCoreApplication::translate("GuideTexts", "ユーザーガイドが見つかりません。\n"
                                                     "MIRA-VEL をインストールし直してください。");
}

} // namespace GuideTexts
