// The list of the procurement support window (TfrmSup): the exploded Supply
// rows of one month for units and parts, with their procurement data, the
// packages to order and the amounts; the recomputation when the stock of a
// row is edited; the save of need and stock; the print lines.
//
// A row is the 13 cell texts of the window's grid, in column order:
//  0 手配先区分  1 手配先  2 品区分 (hidden)  3 品番  4 通称名  5 必要数
//  6 在庫数 (editable)  7 調達数  8 荷姿入り数  9 発注数  10 手配荷姿
//  11 調達単価  12 調達金額
#pragma once
#include <string>
#include <unordered_set>
#include <vector>

#include "planframe.h"
#include "reportdata.h"

class clsDao;

// Messages of the list.
extern const char* const kSupNoCategory;  // neither box checked
extern const char* const kSupNotCurrent;  // the month is not exploded since its plan changed
extern const char* const kSupSaveQuestion;
extern const char* const kSupSaved;
extern const char* const kSupClearQuestion;

enum SupColumn {
    kSupTehaiKbn = 0,
    kSupTehaiSaki,
    kSupHinKbn,
    kSupCode,
    kSupName,
    kSupNeed,
    kSupStock,
    kSupSupply,
    kSupPerPackage,
    kSupPackages,
    kSupPackageForm,
    kSupPrice,
    kSupAmount,
    kSupColumnCount
};

// The window's description on the planning frame: the 13 columns (column 2
// hidden, column 6 editable, the numbers right-aligned; the texts quoted and
// the numbers through CleanNumber in the CSV output), keys FS_*,
// CHKS_UNIT_SU / CHKS_PARTS_SU (the unit box, then the parts box), SCOOL_*,
// SGRIDW0-12, the recomputation SupRecompute, Clear of column 6, its
// questions.
sPlanFrameConfig SupplyFrameConfig();

// Packages to order: the smallest whole number not below supply / per
// package, 0 when the quantity per package is 0 (or not a number), never
// below 0.
double SupPackages(double supply, double perPackage);

// After an edit of the stock cell (every keystroke): 調達数, 発注数 and
// 調達金額 of the row from its need, stock, quantity per package and price.
void SupRecompute(std::vector<std::string>& row);

// The twelve texts of a repSup line: the mark ("□" unit, "＊" parts), a
// blank and the code in the third place.
std::vector<std::string> SupPrintLine(const std::vector<std::string>& row);

// repSup of the rows: the month title and the twelve texts per row.
ReportSnapshot SupplyReport(const std::vector<std::vector<std::string>>& rows, const std::string& monthTitle);

class clsSupplyList {
public:
    explicit clsSupplyList(clsDao* dao) : dao_(dao) {}

    // The search of the window for the month: units (category 1) and parts
    // (category 0) as the boxes say, codes starting with the text (when it
    // holds more than blanks), each listed only when it is the managed child
    // of some structure line; ordered by procurement category, partner code,
    // item code. The month check is the caller's (IsSupplyCurrent).
    std::vector<std::vector<std::string>> Search(const std::string& monthKey, bool unit, bool parts,
                                                 const std::string& text);

    // 1 when the item is marked managed (KFLG = 1) as the child of at least
    // one structure line, else 0. Read once per list.
    int IsManagedChild(const std::string& code);

    // Writes NEED, ZAIKO and SUPPLY = need - stock of every row (integers; 0
    // for text that is not one) in one transaction: an engine error leaves
    // Supply as it was. The marks are not touched.
    void SaveSupply(const std::string& monthKey, const std::vector<std::vector<std::string>>& rows);

private:
    clsDao* dao_;
    bool managedRead_ = false;
    std::unordered_set<std::string> managed_;  // folded codes
};
