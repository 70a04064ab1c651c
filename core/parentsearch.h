// Where an item is used: the lines above one code, read once per search,
// with the item data of every code involved, walked upward for the tree, the
// list and the printout "親検索".
//
// The tree and the list run upward: the root stands for the searched code,
// its children for the items that hold it. Lines keep a placeholder at 0;
// the start line (the searched code as parent, no child) comes last.
#pragma once
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "reportdata.h"
#include "structure.h"

class clsDao;

class clsParentSearch {
public:
    using sData = clsStructure::sData;
    using sMstData = clsStructure::sMstData;
    using sListEdt = clsStructure::sListEdt;
    // Rows: 品番, 種類, 通称名, 員数 (the price and the cost are not used).
    using sListRow = clsStructure::sListRow;
    using sListResult = clsStructure::sListResult;

    explicit clsParentSearch(clsDao* dao = nullptr);
    void SetDao(clsDao* dao) { dao_ = dao; }

    std::string StartCode;
    const std::vector<sData>& Lines() const { return lines_; }
    const std::vector<sMstData>& Items() const { return items_; }
    int StartLine() const { return startLine_; }

    // Reads the lines above code and their items, drops repeated pairs.
    void SearchParents(const std::string& code);
    // Appends every line above code, the lines above a parent before the
    // line to it. Each code is read from the file once per search.
    void LoadParentLines(const std::string& code);
    // Reads the items of every parent code (and of the start code).
    int LoadItems();
    // Keeps the first line of each (parent, child) pair.
    void DropRepeats();

    const sMstData* FindItem(const std::string& code) const;
    int Category(const std::string& code) const;  // -1 when none

    // The tree above code: for every live line whose child is code, in
    // order, addNode(parentNode, line) makes a node for the line's parent and
    // the walk goes on above it, unless that closes a loop.
    void WalkTree(const std::string& code, int node, const std::function<int(int node, int line)>& addNode);
    // The lines to the direct parents of code, or with allLevels every line
    // above code once per path, the lines above a parent before the line to it.
    std::vector<int> CollectAbove(const std::string& code, bool allLevels);
    std::vector<sListEdt> ListRows(const std::string& code, const std::vector<int>& collected) const;
    sListResult FillList(const std::string& code, bool allLevels);

    // Rows before they are made, counted over the shared codes without
    // walking every path: the list rows FillList would show, and the entries
    // of the print list (the start entry included).
    unsigned long long CountListRows(const std::string& code, bool allLevels);
    unsigned long long CountPrintLines();

    // Print list: the start entry, then every line above it, depth first.
    void CollectPrintLines(std::vector<sData>& list, const std::string& code, int level);
    std::vector<sData> PrintList();
    std::string PrintCodeColumn(const std::vector<sData>& list, size_t q) const;
    std::vector<std::vector<std::string>> ReportLines();
    ReportSnapshot Report();  // repParts titled "親検索"

    clsCycleLog& Cycles() { return cycles_; }

    // In a file without the index on the child code: per-code statements
    // before the rest of a search is read in one pass over iStruct (0 =
    // never). With the index every code is read by its own statement.
    int BulkAfter = 1;

private:
    std::vector<sData> LinesTo(const std::string& code);
    Database& Db() const { return OpenDatabaseOf(dao_); }
    // Codes are numbered by Reindex; the indexes are vectors by number.
    int FindId(const std::string& code) const;  // -1 when none
    int Id(const std::string& code);
    void Reindex();
    const std::vector<int>& ChildLines(int id) const { return byChild_[static_cast<size_t>(id)]; }
    int ParentId(int line) const { return lineIds_[static_cast<size_t>(line)].first; }

    clsDao* dao_ = nullptr;
    std::vector<sData> lines_;
    std::vector<sMstData> items_;
    int startLine_ = 0;
    std::unordered_map<std::string, int> ids_;
    std::vector<std::string> codes_;              // number -> code
    std::vector<std::vector<int>> byChild_;       // number -> lines with that child
    std::vector<int> itemOf_;                     // number -> first item entry, 0 none
    std::vector<std::pair<int, int>> lineIds_;    // line -> numbers of parent and child
    std::unordered_map<std::string, char> loadState_;  // 1 being read, 2 read
    clsCodePath loadPath_;
    int selects_ = 0;
    bool byIndex_ = false;  // the file has the index on the child code
    bool bulk_ = false;
    std::unordered_map<std::string, std::vector<sData>> bulkLines_;  // by folded child code
    clsCycleLog cycles_;
};
