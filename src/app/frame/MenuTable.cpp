#include "app/frame/MenuTable.h"

#include "app/frame/CommandIds.h"

namespace app {

const std::vector<MenuColumn>& MainMenu()
{
    static const std::vector<MenuColumn> menu = {
        {QStringLiteral("ファイル(&F)"),
         {{kCmdFileNew, QStringLiteral("新規作成(&N)..."), QStringLiteral("新規作成(保存フォルダ作成)")},
          {kCmdFileOpen, QStringLiteral("開く(&O)..."), QStringLiteral("開く")},
          {},
          {kCmdOpenProjectFolder, QStringLiteral("現在のプロジェクトファイルのフォルダを開く"), {}},
          {},
          {kCmdOutputReport, QStringLiteral("写真位置図 / 写真台帳 出力"),
           QStringLiteral("写真位置図 / 写真台帳 出力")},
          {},
          {kCmdRecentFirst, QStringLiteral("最近使ったファイル"), {}},
          {},
          {kCmdClearRecent, QStringLiteral("最近使ったファイルのクリア"), {}},
          {},
          {kCmdExit, QStringLiteral("終了(&X)"), {}}}},
        {QStringLiteral("位置図(&L)"),
         {{kCmdAddLocationMap, QStringLiteral("写真位置図作成..."), {}},
          {kCmdCopyMap, QStringLiteral("位置図コピー"), {}},
          {kCmdDeleteMap, QStringLiteral("位置図削除..."), {}},
          {},
          {kCmdPlaceOnMap, QStringLiteral("写真を配置"), {}},
          {kCmdRemoveFromMap, QStringLiteral("写真を外す"), {}},
          {kCmdPlaceInsideMap, QStringLiteral("位置図内写真配置"), {}},
          {kCmdSelectAllOnMap, QStringLiteral("全選択"), {}},
          {},
          {kCmdNorthArrow, QStringLiteral("方位マークの表示"), {}},
          {kCmdScaleBar, QStringLiteral("スケールバーの表示"), {}}}},
        {QStringLiteral("撮影写真(&P)"),
         {{kCmdImportPhotos, QStringLiteral("写真取込み..."), {}},
          {kCmdDeletePhotos, QStringLiteral("写真削除..."), {}},
          {kCmdImportSettings, QStringLiteral("写真取込設定..."), {}},
          {},
          {kCmdPlaceOnWebMap, QStringLiteral("写真を配置"), {}},
          {kCmdClearLatLong, QStringLiteral("緯度経度クリア"), {}},
          {kCmdClearDirection, QStringLiteral("撮影方向クリア"), {}},
          {},
          {kCmdWriteExif, QStringLiteral("Exif一括書き込み"), {}}}},
        {QStringLiteral("軌跡(&I)"),
         {{kCmdTrack, QStringLiteral("軌跡(ichimill)..."), QStringLiteral("軌跡(ichimill)")}}},
        {QStringLiteral("表示(&V)"),
         {{kCmdViewAll, QStringLiteral("全体表示"), {}},
          {},
          {kCmdShowPhotoPositions, QStringLiteral("撮影写真位置表示"), {}},
          {kCmdShowMapFramesOnWeb, QStringLiteral("地理院地図上の位置図枠表示"), {}},
          {kCmdShowMapPhotoPositions, QStringLiteral("位置図写真位置表示"), {}},
          {kCmdShowMapFramesOnMap, QStringLiteral("位置図上の位置図枠表示"), {}},
          {kCmdShowGreyPhotoMarks, QStringLiteral("位置図上の撮影写真印(灰色)表示"), {}},
          {},
          {kCmdPhotoNumbers, QStringLiteral("撮影写真番号"), {}},
          {kCmdMapPhotoNumbers, QStringLiteral("位置図写真番号"), {}},
          {},
          {kCmdShowTrack, QStringLiteral("ichimill軌跡表示"), {}}}},
        {QStringLiteral("設定(&S)"),
         {{kCmdCommentTemplates, QStringLiteral("コメント定型文編集..."), {}},
          {kCmdMarkSettings, QStringLiteral("写真位置マークの設定..."), {}},
          {kCmdFixedItemNames, QStringLiteral("定型項目名編集..."), {}},
          {kCmdTileSettings, QStringLiteral("地図タイル設定..."), {}},
          {},
          {kCmdClearTileCache, QStringLiteral("地理院タイルキャッシュクリア..."), {}}}},
        {QStringLiteral("ヘルプ(&H)"),
         {{kCmdManual, QStringLiteral("取り扱い説明書 (PDF)"), {}},
          {},
          {kCmdSupportPage, QStringLiteral("サポートページ"), {}},
          {kCmdInformationService, QStringLiteral("情報ページ"), {}},
          {},
          {kCmdAbout, QStringLiteral("バージョン情報"), {}}}},
    };
    return menu;
}

const std::vector<int>& MainToolbar()
{
    static const std::vector<int> toolbar = {kCmdFileNew,
                                             kCmdFileOpen,
                                             kCmdOutputReport,
                                             0,
                                             kCmdPlaceOnMap,
                                             kCmdRemoveFromMap,
                                             kCmdPlaceInsideMap,
                                             kCmdSelectAllOnMap,
                                             0,
                                             kCmdPlaceOnWebMap,
                                             kCmdClearLatLong,
                                             kCmdClearDirection,
                                             0,
                                             kCmdTrack,
                                             0,
                                             kCmdShowPhotoPositions,
                                             kCmdShowMapFramesOnWeb,
                                             kCmdShowMapPhotoPositions,
                                             kCmdShowMapFramesOnMap,
                                             kCmdShowGreyPhotoMarks,
                                             kCmdShowTrack,
                                             0,
                                             kCmdMarkSettings};
    return toolbar;
}

QString CommandText(int id)
{
    for (const MenuColumn& column : MainMenu())
        for (const MenuItem& item : column.items)
            if (item.id == id)
                return item.text;
    return QString();
}

}  // namespace app
