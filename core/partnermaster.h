// The rules of the partner list and the partner dialog without their
// windows: categories and their captions, the search by name, the in-use
// check against the item master, deletion, the composite postcode,
// telephone and fax fields, loading and saving one partner, and the lines of
// the partner report.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reportdata.h"
#include "udao.h"

// Caption of a partner category in the list: 0 "自達", 1 "仕入先",
// 2 "払出先", anything else empty.
std::string ToriCaption(long long kbn);
// Row image: 7 own stock, 6 supplier or issuing destination, -1 none.
int ToriImage(long long kbn);
// The category a list line stands for, taken back from its caption: 1 for
// "仕入先", otherwise 2.
int ToriKbnFromCaption(const std::string& caption);

// A Jet LIKE pattern that matches the text itself: *, ?, # and [ stand for
// themselves.
std::string LikeLiteral(const std::string& text);
// SELECT * FROM MasTori, narrowed to the names that start with the find
// text as typed when its trimmed form is not empty.
std::string ToriSearchStatement(const std::string& findText);

// One line of the partner list: the caption and the six texts after it.
struct sToriRow {
    std::string caption;
    int image = -1;
    std::string cd, name, rname, tel, fax, adrs1;
    // Text of list column c (1 = caption, 2 = CD, ... 7 = ADRS1).
    const std::string& Column(int c) const;
};

// Runs the search, in the order the data file returns the rows.
std::vector<sToriRow> SearchTori(clsDao& dao, const std::string& findText);
// Stable sort by the signed 1-based column (negative = descending), texts
// compared by their Shift-JIS bytes.
void SortToriRows(std::vector<sToriRow>& rows, int sortColumn);
// The lines of repTori for rows in their order: code, caption, name, short
// name, telephone, fax, address 1.
ReportSnapshot ToriReport(const std::vector<sToriRow>& rows);

// True when an item names the partner (code, kbn) as its procurement source.
bool IsToriUsed(clsDao& dao, const std::string& code, int kbn);

// Composite fields: parts trimmed and joined by '-' (the dashes are always
// written), and split back into n parts. Parts 1 to n-1 are those GetToken
// gives; the last part keeps the rest of the value, so a stored value with
// more dashes than the dialog has fields is shown whole and saved back
// unchanged.
std::string JoinComposite(const std::vector<std::string>& parts);
std::vector<std::string> SplitComposite(const std::string& value, int n);

// One partner as the dialog's controls hold it.
struct sToriForm {
    std::string Cd;
    int KbnIndex = 0;  // 0 仕入先 (KBN 1), 1 払出先(外注) (KBN 2)
    std::string Name, Rname, Kana;
    std::array<std::string, 2> Yubin;
    std::array<std::string, 3> Adrs;
    std::array<std::string, 3> Tel;
    std::string Telkensaku;
    std::array<std::string, 3> Fax;
    std::string Daihyosha, Madoguchi;
};

struct sToriSaveUi {
    std::function<void(const std::string&)> info;
    std::function<bool(const std::string&)> askOverwrite;
};

class clsPartnerMaster {
public:
    explicit clsPartnerMaster(clsDao& dao) : dao_(dao) {}

    std::optional<sToriForm> LoadTori(const std::string& code, int kbn);

    // Mode 0 adds (asking before it writes over the same code and
    // category), 1 edits a partner used by items, 2 edits one that is not
    // (the record of prepareCode/prepareKbn is replaced in one transaction).
    // Returns 0 with the saved code and category, 1 when the dialog must
    // stay open. Engine refusals raise EngineError; nothing has changed then.
    int SaveTori(int mode, const std::string& prepareCode, int prepareKbn, const sToriForm& form,
                 const sToriSaveUi& ui, std::string& savedCode, int& savedKbn);

    // Deletes the partners in one transaction; 0 when all are gone, 1 when
    // the connection reported an error and none is deleted.
    int DeleteTori(const std::vector<std::pair<std::string, int>>& keys);

private:
    clsDao& dao_;
};
