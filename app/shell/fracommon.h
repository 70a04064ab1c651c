// TframeCommon: the tool-button images shared by the windows (imglstToolbar)
// and the row images of the item and partner lists (imglstGriditem), by index.
// The pictures are drawn here with QPainter on a 16 by 16 grid (also rendered
// at twice the size for high-density screens), in one style: dark outlines,
// white paper, and blue, green, red, orange and yellow accents.
#pragma once
#include <QIcon>

namespace TframeCommon {

// imglstToolbar indexes. 0-21 are those of the main window's actions; the
// others are there for the commands of the other windows.
enum ToolbarImage : int {
    tiSearch = 0,       // 検索: magnifier
    tiAdd = 1,          // 追加: sheet with a plus
    tiItemView = 2,     // 品目情報表示: sheet with an "i"
    tiPrint = 3,        // 印刷: printer
    tiSave = 4,         // 保存: disk
    tiSaveAs = 5,       // 名前をつけて保存: disk with a pencil
    tiOpen = 6,         // ﾌｧｲﾙを開く: open folder
    tiClear = 7,        // ﾃﾞｰﾀｸﾘｱ: eraser
    tiCopyAdd = 8,      // ｺﾋﾟｰして追加: two sheets
    tiHelp = 9,         // ヘルプ: question mark
    tiExit = 10,        // 終了: door with an arrow
    tiStructure = 11,   // 構成表: tree
    tiNew = 12,         // 新規作成: new sheet with a star
    tiDelete = 13,      // 削除: red cross
    tiEdit = 14,        // 編集: pencil on a sheet
    tiCsv = 15,         // CSV出力: sheet with a grid
    tiImport = 16,      // ｲﾝﾎﾟｰﾄ: arrow into a tray
    tiExport = 17,      // ｴｸｽﾎﾟｰﾄ: arrow out of a tray
    tiSettings = 18,    // 環境設定: gear
    tiPartners = 19,    // 取引先設定: building
    tiPlan = 20,        // 生産計画: calendar
    tiSupport = 21,     // 発注支援: truck
    tiAllLevels = 22,   // 全階層表示: indented list
    tiNameDisp = 23,    // 名称表示: label
    tiParentSe = 24,    // 親検索: magnifier with an arrow up
    tiGenkaPrint = 25,  // 原価表印刷: coin
    tiExplode = 26,     // 所要展開: branching arrows
    tiClose = 27,       // 閉じる: window with a cross
    tiCount = 28
};

// imglstToolbar, 16 by 16; an empty icon for an index outside the set.
QIcon ToolbarIcon(int index);
// imglstGriditem: 0 body, 1 unit, 2 parts, 3 ascending mark, 4 descending
// mark, 5 set, 6 supplier or issuing partner, 7 own stock.
QIcon GridItemIcon(int index);

inline constexpr int kGridItemCount = 8;

}  // namespace TframeCommon
