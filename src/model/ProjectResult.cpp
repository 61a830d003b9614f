#include "model/ProjectResult.h"

#include <array>

QString ProjectErrorText(int code)
{
    static const std::array<const char*, 18> kTexts = {
        "エラーはありません",
        "何らかのエラーが発生しました",
        "既に保存されているプロジェクトは新規保存できません",
        "プロジェクトが未保存です",
        "未保存のプロジェクトは上書き保存できません",
        "プロジェクトパスが存在しません",
        "プロジェクトファイルを開けません",
        "ファイルパスエラー",
        "既に同名のディレクトリがあります",
        "ディレクトリ作成エラー",
        "ファイル操作中に例外が発生しました",
        "プロジェクトファイルではありません",
        "サポートしていないファイルバージョンです",
        "ファイルが見つかりません",
        "プロジェクト名にスペースは含められません",
        "写真フォルダがありません",
        "プロジェクトファイル保存に失敗しました。",
        "プロジェクトファイル読込に失敗しました。",
    };
    if (code < 0 || code >= static_cast<int>(kTexts.size())) {
        return QStringLiteral("未定義のエラーです");
    }
    return QString::fromUtf8(kTexts[static_cast<size_t>(code)]);
}
