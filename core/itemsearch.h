// The item search list of the main window without the window: the search
// statement, the rows it lists, their order, the rules that enable the item
// commands, the deletion of items and the lines of the item list printout.
// velmo-cli runs the same search.
#pragma once
#include <string>
#include <vector>

#include "udao.h"

// Item categories (MasItem.KBN).
enum ItemKbn : int { kbnParts = 0, kbnUnit = 1, kbnBody = 2, kbnSet = 3 };

// Row images of the item list (imglstGriditem).
enum ItemImage : int { imgBody = 0, imgUnit = 1, imgParts = 2, imgSortAsc = 3, imgSortDesc = 4, imgSet = 5 };

// The categories whose boxes are checked, in the order the search lists
// them: body 2, unit 1, parts 0, set 3.
std::vector<int> CheckedCategories(bool body, bool unit, bool parts, bool set);

// "SELECT * FROM MasItem WHERE KBN IN (<codes>)[ AND CD LIKE '<find>*'] ORDER BY CD".
// The code condition is added when find without its surrounding blanks is
// not empty; the text itself goes in as typed, its quotes doubled.
std::string ItemSearchSql(const std::vector<int>& categories, const std::string& find);

// Row image of a category: 0 parts -> 2, 1 unit -> 1, 2 body -> 0, 3 set -> 5;
// -1 (no image) for any other value.
int ItemImageOfKbn(long long kbn);
// Category word of the item list printout: "Parts", "Unit", "Set", and
// "Body" for any other image.
const char* ItemPrintWord(int image);
// Category word of the deletion question: "本体", "ﾕﾆｯﾄ", "ﾊﾟｰﾂ", "ｾｯﾄ"; ""
// for a row without a category image.
const char* ItemCategoryWord(int image);

// One row of the list: the code is the row caption, then the three text
// columns.
struct sItemRow {
    std::string cd;
    std::string name;
    std::string keitai;
    std::string kikaku;
    int image = -1;
    const std::string& Text(int column) const;  // 0 code, 1 name, 2 form, 3 specification
};

// Runs a search statement on the data file; the rows in statement order.
// Engine errors propagate to the calling command.
std::vector<sItemRow> RunItemSearch(const DatabaseHandle& db, const std::string& sql);

// Orders rows as the list does: by the text of column |sortColumn| - 1 in
// Shift-JIS byte order, descending when sortColumn is negative; rows with
// equal texts keep their order.
void SortItemRows(std::vector<sItemRow>& rows, int sortColumn);

// Status text after a search: "該当件数: <n>件　　".
std::string HitCountText(long long n);

// The lines the printout of the list gets, in list order: code, category
// word, name, form, specification.
std::vector<std::vector<std::string>> ItemListLines(const std::vector<sItemRow>& rows);

// Which item commands the selection allows. images: the row images of the
// selected rows.
struct sItemActionState {
    bool edit = false;   // ｱｲﾃﾑ編集, ｱｲﾃﾑ削除, ｱｲﾃﾑｺﾋﾟｰ追加: exactly one row
    bool parts = false;  // 構成表: at least one row, none of them a part
};
sItemActionState ItemActionState(const std::vector<int>& images);

// The commands that check the selection before they act.
enum class ItemCommand { PartsForm, Edit, CopyAdd, Delete };
// The message a command shows for that many selected rows, or "" when it may
// go on.
std::string SelectionMessage(ItemCommand command, int selected);

// "SELECT * FROM iStruct WHERE CD1 = '<code>' OR CD2 = '<code>'".
std::string StructureUseSql(const std::string& code);
// True when the item is a parent or a child in any structure line.
bool UsedInStructure(const DatabaseHandle& db, const std::string& code);

// The three lines of the deletion question for the selected rows in list
// order.
struct sDeleteQuestion {
    std::string lbl01;
    std::string lbl02;
    std::string lbl03;
};
sDeleteQuestion DeleteQuestion(const std::vector<sItemRow>& selected);

// Deletes the items from MasItem, all or none (one transaction). Rows of
// OrderPlan and Supply stay. Returns 0, or 1 after the connection reported
// the error.
int DeleteItemRecords(clsDao& dao, const std::vector<std::string>& codes);

// Messages of the item commands.
extern const char* const kMsgNoCategory;     // no category box checked
extern const char* const kMsgUsedInStructure;
extern const char* const kMsgPrintFirstSearch;
