// The structure held in memory by the structure window: the iStruct lines
// below a set of root items and the MasItem data of every code they name,
// read once and then walked in memory for the tree, the list, the quantities,
// the cost roll-up, the print lists and the loop check.
//
// Lists keep a placeholder at position 0; positions are 1-based. Lines only
// grow while a structure is shown: a removed or replaced line is flagged
// Removed and skipped by every walk.
//
// Speed: codes are numbered as they are first met, and lines are indexed by
// parent and child number, items by number (first entry wins), the live
// (parent, child) pairs in a hash map. Each parent code is read from the
// data file once per load, the load runs in one read transaction, and a load
// that has read a real share of the table reads the rest in one pass (see
// LinesOf). Walks go by numbers on stacks of their own; sums over paths are
// memoised per code. Stored loops (a code below itself, which an import may
// bring) end every walk; each loop is recorded once in Cycles().
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "reportdata.h"

class clsDao;
class Statement;

// The open data file of a connection; raises EngineError when none is open.
class Database;
Database& OpenDatabaseOf(clsDao* dao);

// Position of a result column by name (ASCII case-insensitive); raises
// EngineError when the statement has no such column.
int StatementColumn(const Statement& st, const char* name);
// Runs SELECT * FROM MasItem WHERE CD IN (...) over codes in groups of at
// most 256, calling row for every row read and afterGroup with the number of
// rows read so far after each group.
void SelectItemsByCode(clsDao* dao, const std::vector<std::string>& codes,
                       const std::function<void(Statement& st)>& row,
                       const std::function<void(int count)>& afterGroup = nullptr);

// Category words, marks and image positions of the structure windows.
// kbn: 0 parts, 1 unit, 2 body, 3 set; -1 = no item record.
const char* KbnText(int kbn);           // "Parts", "Unit", "Body", "Set"; "" otherwise
const char* KbnMark(int kbn);           // "＊", "□", "■", "☆"; "" otherwise
int RootImage(int kbn);                 // 2, 1, 0, 9; -1 otherwise
int ChildImage(int kbn, int checkFlag); // 7/8, 5/6, 0, 9; -1 otherwise

// The loops met by the walks, each recorded once, named in structure order
// ("A → B → A").
class clsCycleLog {
public:
    // codes: the loop from the code that repeats down to the same code again.
    void Record(const std::vector<std::string>& codes);
    bool Empty() const { return texts_.empty(); }
    const std::vector<std::string>& Texts() const { return texts_; }
    // "構成がループしています: A → B → A", one line per loop; "" when none.
    std::string Message() const;
    // The message for the loops recorded since the last call ("" when none).
    std::string TakeNewMessage();
    void Clear();

private:
    std::unordered_set<std::string> keys_;
    std::vector<std::string> texts_;
    size_t reported_ = 0;
};

// A walk's path of codes, to tell a stored loop from a shared item.
class clsCodePath {
public:
    // False (and the loop recorded) when code is already on the path; true
    // when it was pushed. reverse: the path runs upward (parent search), so
    // the loop is named in reverse.
    bool Enter(const std::string& code, clsCycleLog& log, bool reverse = false);
    void Leave();
    void Clear() { codes_.clear(); on_.clear(); }

private:
    std::vector<std::string> codes_;
    std::unordered_map<std::string, int> on_;
};

// One step of a walk: enters code on the path for the lifetime of the
// object, unless code is already on it (a loop, then recorded).
class clsPathStep {
public:
    clsPathStep(clsCodePath& path, const std::string& code, clsCycleLog& log, bool reverse = false)
        : path_(path), entered_(path.Enter(code, log, reverse)) {}
    ~clsPathStep() {
        if (entered_) path_.Leave();
    }
    clsPathStep(const clsPathStep&) = delete;
    clsPathStep& operator=(const clsPathStep&) = delete;
    bool Entered() const { return entered_; }

private:
    clsCodePath& path_;
    bool entered_;
};

class clsStructure {
public:
    // One structure line.
    struct sData {
        std::string ParentCode;  // "" for the pseudo-line of a root
        std::string ChildCode;
        long long Quantity = 0;
        int Kflg = 0;  // managed
        int Cflg = 0;  // checked
        unsigned char Removed = 0;
        int Level = 0;  // print lists only
    };
    // The item data of one code.
    struct sMstData {
        std::string Code;
        int Kbn = 0;
        std::string Name;
        std::string Keitai;
        std::string Kikaku;
        double Tanka = 0;
        double Syuzaihi = 0;
        double Kakouhi = 0;
        double Gaichuuhi = 0;
        double Etchi = 0;
        std::string Tani;
    };
    // One row of the list before the item filter.
    struct sListEdt {
        std::string Code;
        long long Quantity = 0;
        unsigned char Direct = 0;
        int Kflg = 0;
        int Cflg = 0;
        int Line = 0;  // position in Lines
    };
    // One shown row of the list, with the texts of its columns.
    struct sListRow {
        std::string Code;
        std::string KbnText;
        std::string Quantity;
        std::string Name;
        std::string Price;  // "#,##0.##"
        bool Direct = false;
        bool Dimmed = false;  // managed flag 0
        int Image = -1;
        int Line = 0;
    };
    struct sListResult {
        std::vector<sListRow> Rows;  // in collection order (unsorted)
        int UnitCount = 0;
        int PartsCount = 0;
        double CostTotal = 0;
    };
    // What ApplyLineChange did to Lines.
    struct sLineChange {
        int OldLine = 0;   // the (oldParent, oldChild) line flagged removed, or 0
        int NewLine = 0;   // the (parent, newChild) line flagged removed, or 0
        int Appended = 0;  // the line appended for (parent, newChild), or 0
    };

    explicit clsStructure(clsDao* dao = nullptr);
    void SetDao(clsDao* dao) { dao_ = dao; }

    // Roots. CdListInit makes n empty codes at 1..n (-1 when memory runs
    // out, leaving no array); CdListAdd is false when there is no array.
    int CdListInit(int n);
    bool CdListAdd(int index, const std::string& code);
    bool HasRootArray() const { return !RootCodes.empty(); }
    int RootCount() const { return static_cast<int>(RootCodes.size()); }
    std::vector<std::string> RootCodes;  // [0] placeholder once created

    const std::vector<sData>& Lines() const { return lines_; }
    const std::vector<sMstData>& Items() const { return items_; }
    // Positions of the root pseudo-lines, in root order.
    const std::vector<int>& RootLines() const { return rootLines_; }

    // Progress of the loads: number of parent codes read, number of item
    // records read after each group (only when LoadItems is asked to show it).
    std::function<void(int)> OnLinesRead;
    std::function<void(int)> OnItemsRead;
    int LoadCount = 0;

    // Empties Lines, Items and the loop record, leaving the placeholders.
    void Clear();
    // Reads the whole structure below the roots: the lines, the items, then a
    // pseudo-line per root (and its item). The same in two steps, for the
    // window's progress captions: LoadRootLines empties the memory and reads
    // the lines, LoadRootItems the items and the root pseudo-lines.
    void LoadStructure();
    void LoadRootLines();
    void LoadRootItems();
    // Appends, depth first, every line below code not held yet: a line
    // follows the lines below its child. 1 when code has lines in the file.
    int LoadLines(const std::string& code);
    // Reads the items of the child codes not held yet, IN lists of at most
    // 256 codes (one read of the whole table when there are many).
    int LoadItems(bool showProgress);
    // A load reads the rest of iStruct in one pass once BulkLinesAfter
    // per-code statements have returned lines (0 = never) and the lines they
    // returned are at least BulkShare of the table's rows; the item codes of
    // one LoadItems go in one pass over MasItem above BulkItemsAfter.
    int BulkLinesAfter = 256;
    double BulkShare = 0.1;
    int BulkItemsAfter = 1024;
    int AppendRootLine(const std::string& code);

    // Lookups (first entry wins).
    int ItemIndex(const std::string& code) const;  // 0 when none
    const sMstData* FindItem(const std::string& code) const;
    int Category(const std::string& code) const;  // -1 when none
    // Positions of the lines with that parent / child, removed ones included.
    const std::vector<int>& LinesOfParent(const std::string& code) const;
    const std::vector<int>& LinesOfChild(const std::string& code) const;
    int FirstLiveLine(const std::string& parent, const std::string& child) const;  // 0 when none

    // The tree below code as BuildTree shows it: for every live line below
    // code whose child is not a part, in order, addNode(parentNode, line)
    // makes a node and the walk goes on below it, unless the child closes a
    // loop (then the node is made and the loop recorded).
    void WalkTree(const std::string& code, int node, const std::function<int(int node, int line)>& addNode);

    // The lines the list shows below code: the direct lines, or with
    // allLevels every line below code once per path, the lines below a child
    // before the child's own line. Positions in Lines.
    std::vector<int> CollectBelow(const std::string& code, bool allLevels);
    // The list rows of the collected lines (quantities by ListQuantities).
    std::vector<sListEdt> ListRows(const std::string& code, const std::vector<int>& collected);
    // The 員数 of each collected line as its list row shows it: a direct row
    // its line's quantity, an indirect row the sum over the paths of its code.
    std::vector<long long> ListQuantities(const std::string& code, const std::vector<int>& collected);
    // The item record of a line's child (first entry), nullptr when none.
    const sMstData* ChildItem(int line) const;
    // FillList's non-visual part: rows with an item record, counts, cost.
    sListResult FillList(const std::string& code, bool allLevels);

    // Cost: sum over the live lines below code of quantity x unit price, and
    // with allLevels the same below each child times the quantity.
    double RollUpCost(const std::string& code, bool allLevels);
    // Own unit price + RollUpCost.
    double CostTotal(const std::string& code, bool allLevels);

    // Print lists: every line below code, depth first, parent before its
    // children, with Level.
    void CollectPrintLines(std::vector<sData>& list, const std::string& code, int level);
    // The print list of the printouts: each root's own entry, then its lines.
    std::vector<sData> PrintList();
    // The code column of the print line at q (tree drawing, mark, code).
    std::string PrintCodeColumn(const std::vector<sData>& list, size_t q) const;
    // The report lines of the structure table and of the cost table.
    std::vector<std::vector<std::string>> PartsReportLines();
    std::vector<std::vector<std::string>> GenkaReportLines();
    // The cost table's total: CostTotal of the first root, all levels.
    std::string GenkaTotalText();
    ReportSnapshot StructureReport(const std::string& title);
    ReportSnapshot CostReport();

    // Rows before they are made, counted over the shared codes without
    // walking every path: the list rows FillList would show, and the entries
    // of the print list (roots included).
    unsigned long long CountListRows(const std::string& code, bool allLevels);
    unsigned long long CountPrintLines();

    // 1 when candidate is code or lies above it on some chain of live lines.
    int IsAncestorOrSelf(const std::string& code, const std::string& candidate);

    // Data file operations of the line edit.
    // The line's quantity and flags; false (all 0) when there is none.
    bool ReadLine(const std::string& parent, const std::string& child, long long& quantity, int& kflg, int& cflg);
    // Deletes the line from the file; 0, or 1 after a reported error. The
    // procurement mark is reset after a successful delete.
    int DeleteLine(const std::string& parent, const std::string& child);
    // True when the file holds a chain of lines from `from` down to `to`
    // (or from == to): adding the line to -> from would close a loop.
    bool ReachesInFile(const std::string& from, const std::string& to);
    // The memory side of an edit: mode 0 add, 1 edit, 2 remove. Flags the
    // old line and the replaced line removed; for add and edit appends the
    // line as the file now holds it and reads what lies below the new child.
    sLineChange ApplyLineChange(int mode, const std::string& oldParent, const std::string& oldChild,
                                const std::string& parent, const std::string& newChild);
    void FlagRemoved(int line);

    clsCycleLog& Cycles() { return cycles_; }

private:
    // A line of the file with the numbers of its codes.
    struct Row {
        sData line;
        int parent = -1;
        int child = -1;
    };

    // Codes are numbered as they are first met; the indexes are vectors by
    // number.
    int Id(const std::string& code);
    int FindId(const std::string& code) const;  // -1 when never met
    static unsigned long long PairKey(int parent, int child) {
        return (static_cast<unsigned long long>(static_cast<unsigned>(parent)) << 32) | static_cast<unsigned>(child);
    }
    Database& Db() const { return OpenDatabaseOf(dao_); }
    int AppendLine(sData line, int parent, int child);
    int LoadLinesId(int id);
    // The rows of SELECT * FROM iStruct WHERE CD1 = '<code>', in its order.
    std::vector<Row> LinesOf(int id);
    Row NumberedRow(int parent, sData line);
    void ReadAllLines();
    void CostChanged();
    struct RollUpCall;
    double RollUp(int id, RollUpCall& call);
    const std::vector<int>& ParentLines(int id) const { return byParent_[static_cast<size_t>(id)]; }
    int ChildId(int line) const { return lineIds_[static_cast<size_t>(line)].second; }
    // Number of lines below id once per path (all levels), or only those
    // whose child has an item record; memoised over shared codes.
    unsigned long long CountPaths(int id, bool withItemOnly);

    clsDao* dao_ = nullptr;
    std::vector<sData> lines_;
    std::vector<sMstData> items_;
    std::vector<int> rootLines_;

    std::unordered_map<std::string, int> ids_;
    std::vector<std::string> codes_;             // number -> code
    std::vector<std::vector<int>> byParent_;     // number -> lines with that parent
    std::vector<std::vector<int>> byChild_;      // number -> lines with that child
    std::vector<int> itemOf_;                    // number -> first item entry, 0 none
    std::vector<std::pair<int, int>> lineIds_;   // line -> numbers of parent and child
    std::unordered_map<unsigned long long, int> live_;  // pair -> first live line

    // The running load: 0 unread, 1 being read, 2 read (no lines), 3 read.
    std::vector<char> loadState_;
    std::vector<int> loadStack_;  // codes being read, outermost first
    int selects_ = 0;             // per-code statements of the running load that returned lines
    long long linesRead_ = 0;     // lines they returned
    long long tableRows_ = -1;    // rows of iStruct (largest row number), -1 until asked
    bool bulk_ = false;
    std::vector<sData> bulkAll_;                                      // the whole table
    std::unordered_map<std::string, std::vector<int>> bulkByParent_;  // folded parent -> rows not taken yet
    size_t itemsScanned_ = 1;  // Lines examined by LoadItems

    // Roll-ups of codes whose structure holds no loop, kept until the lines
    // or the items change; [allLevels].
    std::vector<double> costMemo_[2];
    std::vector<char> costKnown_[2];

    clsCycleLog cycles_;
};

// Lists and printouts of more rows than this are made only when the user
// agrees: the windows ask, velmo-cli needs --max-rows. (Rows are per path,
// so a few shared sub-assemblies in many levels make millions.)
constexpr unsigned long long kRowsAskAbove = 1000000;
// A count with thousands separators ("16,777,214").
std::string GroupedCount(unsigned long long n);
// The questions before a list or a printout of that many rows.
std::string ListRowsQuestion(unsigned long long rows);
std::string PrintLinesQuestion(unsigned long long lines);

// Every row of an iStruct statement (SELECT *), in its order.
std::vector<clsStructure::sData> ReadLineRows(Statement& st);

// A code as the data file's key columns compare it: ASCII letters folded to
// lower case (the rest byte by byte).
std::string FoldCode(std::string_view code);

// A read transaction for the length of a load: one consistent view of the
// file and one lock instead of one per statement.
class Database;
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Database& db_;
};

// The code column of a print line: "│　" for each ancestor column, the
// connector ("├─" when the next line hangs from the same item, else "└─";
// none at level 0), the category mark of the item (none without an item
// record) and the code. Beyond kPrintedColumns ancestor columns the text
// starts with the level in brackets ("[40]") and draws the last ones only.
constexpr int kPrintedColumns = 32;
std::string PrintCodeText(int level, bool siblingFollows, const clsStructure::sMstData* item, const std::string& code);
// The eight texts of a repParts line (item texts empty without a record).
std::vector<std::string> PartsLineTexts(const std::string& codeColumn, const clsStructure::sData& line,
                                        const clsStructure::sMstData* item);
// The unit and parts counts of a list: each shown row by its item's category.
inline void CountShownRow(int kbn, int& units, int& parts) {
    if (kbn == 1) ++units;
    if (kbn == 0) ++parts;
}
// The rows a list shows: those whose code has an item record, with their
// texts, images and the unit and parts counts (no cost).
clsStructure::sListResult ShownRows(const std::vector<clsStructure::sListEdt>& rows,
                                    const std::function<const clsStructure::sMstData*(const std::string&)>& find);

// Reads the item record of a row of SELECT * FROM MasItem.
class clsItemReader {
public:
    explicit clsItemReader(const Statement& st);
    clsStructure::sMstData Read(Statement& st) const;

private:
    int cd_, kbn_, name_, keitai_, kikaku_, tanka_, syu_, kak_, gai_, etc_, tani_;
};
