// The rules of the item dialog without its window: the category mapping of
// its radio group, the partner drop-down, loading an item into the dialog's
// texts, the cost total and the save.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "udao.h"

// Radio group index <-> MasItem.KBN: 0 set (3), 1 body (2), 2 unit (1),
// 3 parts (0).
int ItemKbnFromIndex(int index);
// -1 for a category outside 0 to 3.
int ItemIndexFromKbn(long long kbn);

// One item as the controls of the dialog hold it: texts as shown or typed,
// radio groups by index. LoadItem gives -1 for an index whose stored value
// is outside its range (the dialog then leaves the control as it is).
struct sItemForm {
    std::string Cd;
    int KbnIndex = 0;
    std::string Name, Kana, Keitai, Kikaku, Hinban, Mcode;
    int JanIndex = 0;
    std::string Jancode, Tani;
    std::array<std::string, 4> Costs;  // SYUZAIHI, KAKOUHI, GAICHUUHI, ETCHI
    std::string Tanka;                 // as stored; read only
    int TehaiIndex = 0;                // 0 自達, 1 仕入先, 2 払出先(外注)
    std::string Tehaicd;               // partner code
    std::string Tehaini, Tehainisu = "1", Souko, Flow, Line;
    std::array<std::string, 3> Yobi;
    std::string Memo;
};

// An entry of the partner drop-down: "CD:RNAME", and the code it stands for.
struct sTehaiEntry {
    std::string text;
    std::string code;
};

// The first entry whose code is code; -1 when none.
int FindTehaiEntry(const std::vector<sTehaiEntry>& entries, const std::string& code);
// The partner code to store for the text of the drop-down: the code of the
// entry when the text is one of the entries, otherwise what was typed up to
// the first ':'.
std::string TehaiCodeOf(const std::string& text, const std::vector<sTehaiEntry>& entries);

// The total the label 基準単価 shows: the cleaned text of every filled cost
// field (full-width digits, minus and point taken as their ASCII forms),
// added up. Throws ConvertError when a cleaned text is not a number
// (a lone '.').
double CostTotal(const std::array<std::string, 4>& costs);

// Messages and questions the save needs from its caller.
struct sItemSaveUi {
    std::function<void(const std::string&)> info;
    std::function<bool(const std::string&)> askOverwrite;
};

class clsItemMaster {
public:
    explicit clsItemMaster(clsDao& dao) : dao_(dao) {}

    // Partners offered by the drop-down: every partner in view mode;
    // otherwise none for 自達 and the partners of category 1 or 2. In the
    // order the data file returns them.
    std::vector<sTehaiEntry> TehaiEntries(bool viewMode, int tehaiIndex);

    // The item of code, or nothing when there is none.
    std::optional<sItemForm> LoadItem(const std::string& code);

    // Mode 0 adds (asking before it writes over an existing code), 1 edits
    // an item used in the structure, 3 edits one that is not (the record of
    // prepareCode is replaced, so code and category may change). Returns 0
    // with savedCode set when written, 1 when the dialog must stay open (the
    // reason has been shown through ui). A field that cannot be converted
    // raises ConvertError, an engine refusal EngineError; in every failure
    // nothing of the data file has changed.
    int SaveItem(int mode, const std::string& prepareCode, const sItemForm& form, const sItemSaveUi& ui,
                 std::string& savedCode);

private:
    clsDao& dao_;
};
