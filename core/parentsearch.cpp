#include "parentsearch.h"

#include <optional>
#include <unordered_set>

#include "engine.h"
#include "ucommon.h"
#include "udao.h"

namespace {
const std::vector<int> kNoLines;

}  // namespace

clsParentSearch::clsParentSearch(clsDao* dao) : dao_(dao) {
    lines_.assign(1, sData{});
    items_.assign(1, sMstData{});
}

void clsParentSearch::SearchParents(const std::string& code) {
    StartCode = code;
    lines_.assign(1, sData{});
    items_.assign(1, sMstData{});
    byChild_.clear();
    itemIndex_.clear();
    cycles_.Clear();
    LoadParentLines(code);
    sData start;
    start.ParentCode = code;
    lines_.push_back(start);
    LoadItems();
    DropRepeats();
}

void clsParentSearch::LoadParentLines(const std::string& code) {
    loadState_.clear();
    loadPath_.Clear();
    selects_ = 0;
    bulk_ = false;
    bulkLines_.clear();
    {
        ReadTransaction tx(Db());
        LoadParentLinesRec(code);
    }
    bulkLines_.clear();
}

void clsParentSearch::LoadParentLinesRec(const std::string& code) {
    // Each code is read once: a line met again along another path would only
    // be dropped as a repeat. A code met again while its own parents are
    // being read is a stored loop.
    auto [state, fresh] = loadState_.try_emplace(code, 1);
    if (!fresh) {
        if (state->second == 1) clsPathStep loop(loadPath_, code, cycles_, true);
        return;
    }
    clsPathStep step(loadPath_, code, cycles_, true);
    std::vector<sData> local = LinesTo(code);
    for (const sData& l : local) {
        LoadParentLinesRec(l.ParentCode);
        lines_.push_back(l);
    }
    state = loadState_.find(code);
    state->second = 2;
}

std::vector<clsParentSearch::sData> clsParentSearch::LinesTo(const std::string& code) {
    // The child code has no index of its own, so every per-code statement
    // reads the whole table: once the first code proves to be used, the rest
    // come from one pass over the table, bucketed by child code in table
    // order, which is the order of the per-code statement.
    if (!bulk_ && selects_ >= BulkAfter) {
        auto st = Db().PrepareJet("SELECT * FROM iStruct");
        for (sData& l : ReadLineRows(*st)) bulkLines_[FoldCode(l.ChildCode)].push_back(std::move(l));
        bulk_ = true;
    }
    if (bulk_) {
        auto it = bulkLines_.find(FoldCode(code));
        return it == bulkLines_.end() ? std::vector<sData>() : it->second;
    }
    ++selects_;
    auto st = Db().PrepareJet("SELECT * FROM iStruct WHERE CD2 = '" + SqlEsc(code) + "'");
    return ReadLineRows(*st);
}

int clsParentSearch::LoadItems() {
    std::vector<std::string> codes;
    std::unordered_set<std::string> asked;
    for (size_t p = 1; p < lines_.size(); ++p) {
        const std::string& c = lines_[p].ParentCode.empty() ? lines_[p].ChildCode : lines_[p].ParentCode;
        if (itemIndex_.count(c) || !asked.insert(c).second) continue;
        codes.push_back(c);
    }
    int count = 0;
    std::optional<clsItemReader> reader;
    SelectItemsByCode(dao_, codes, [&](Statement& st) {
        if (!reader) reader.emplace(st);
        sMstData m = reader->Read(st);
        itemIndex_.try_emplace(m.Code, static_cast<int>(items_.size()));
        items_.push_back(std::move(m));
        ++count;
    });
    return count;
}

void clsParentSearch::DropRepeats() {
    std::unordered_set<std::string> seen;
    std::vector<sData> kept(1);
    kept.reserve(lines_.size());
    for (size_t p = 1; p < lines_.size(); ++p) {
        const sData& l = lines_[p];
        if (!seen.insert(l.ParentCode + '\x1f' + l.ChildCode).second) continue;
        kept.push_back(l);
        if (l.ChildCode.empty() && l.ParentCode == StartCode) startLine_ = static_cast<int>(kept.size()) - 1;
    }
    lines_ = std::move(kept);
    Reindex();
}

void clsParentSearch::Reindex() {
    byChild_.clear();
    for (size_t p = 1; p < lines_.size(); ++p) byChild_[lines_[p].ChildCode].push_back(static_cast<int>(p));
}

const std::vector<int>& clsParentSearch::LinesOfChild(const std::string& code) const {
    auto it = byChild_.find(code);
    return it == byChild_.end() ? kNoLines : it->second;
}

const clsParentSearch::sMstData* clsParentSearch::FindItem(const std::string& code) const {
    auto it = itemIndex_.find(code);
    return it == itemIndex_.end() ? nullptr : &items_[static_cast<size_t>(it->second)];
}

int clsParentSearch::Category(const std::string& code) const {
    const sMstData* m = FindItem(code);
    return m ? m->Kbn : -1;
}

void clsParentSearch::WalkTree(const std::string& code, int node, const std::function<int(int, int)>& addNode) {
    clsCodePath path;
    clsPathStep top(path, code, cycles_, true);
    WalkTreeRec(code, node, addNode, path);
}

void clsParentSearch::WalkTreeRec(const std::string& code, int node, const std::function<int(int, int)>& addNode,
                                  clsCodePath& path) {
    for (int a : LinesOfChild(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        int parent = addNode(node, a);
        clsPathStep step(path, l.ParentCode, cycles_, true);
        if (step.Entered()) WalkTreeRec(l.ParentCode, parent, addNode, path);
    }
}

std::vector<int> clsParentSearch::CollectAbove(const std::string& code, bool allLevels) {
    std::vector<int> out;
    clsCodePath path;
    CollectAboveRec(code, 0, allLevels, out, path);
    return out;
}

void clsParentSearch::CollectAboveRec(const std::string& code, int depth, bool allLevels, std::vector<int>& out,
                                      clsCodePath& path) {
    ++depth;
    if (depth >= 2 && !allLevels) return;
    clsPathStep step(path, code, cycles_, true);
    if (!step.Entered()) return;
    for (int a : LinesOfChild(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        CollectAboveRec(l.ParentCode, depth, allLevels, out, path);
        out.push_back(a);
    }
}

std::vector<clsParentSearch::sListEdt> clsParentSearch::ListRows(const std::string& code,
                                                                  const std::vector<int>& collected) const {
    // 員数 of a row: the quantity of the first collected line from that code.
    std::unordered_map<std::string, long long> first;
    for (int a : collected) first.try_emplace(lines_[static_cast<size_t>(a)].ParentCode, lines_[a].Quantity);
    std::vector<sListEdt> rows;
    rows.reserve(collected.size());
    for (int a : collected) {
        const sData& l = lines_[static_cast<size_t>(a)];
        sListEdt r;
        r.Code = l.ParentCode;
        r.Direct = l.ChildCode == code ? 1 : 0;
        r.Kflg = l.Kflg;
        r.Cflg = l.Cflg;
        r.Quantity = first[l.ParentCode];
        r.Line = a;
        rows.push_back(std::move(r));
    }
    return rows;
}

clsParentSearch::sListResult clsParentSearch::FillList(const std::string& code, bool allLevels) {
    return ShownRows(ListRows(code, CollectAbove(code, allLevels)),
                     [this](const std::string& c) { return FindItem(c); });
}

void clsParentSearch::CollectPrintLines(std::vector<sData>& list, const std::string& code, int level) {
    clsCodePath path;
    clsPathStep top(path, code, cycles_, true);
    CollectPrint(list, code, level, path);
}

void clsParentSearch::CollectPrint(std::vector<sData>& list, const std::string& code, int level,
                                   clsCodePath& path) {
    for (int a : LinesOfChild(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        sData copy = l;
        copy.Level = level + 1;
        list.push_back(std::move(copy));
        clsPathStep step(path, l.ParentCode, cycles_, true);
        if (step.Entered()) CollectPrint(list, l.ParentCode, level + 1, path);
    }
}

std::vector<clsParentSearch::sData> clsParentSearch::PrintList() {
    std::vector<sData> list(1);
    sData start;
    start.ParentCode = StartCode;
    start.Quantity = 1;
    list.push_back(start);
    CollectPrintLines(list, StartCode, 0);
    return list;
}

std::string clsParentSearch::PrintCodeColumn(const std::vector<sData>& list, size_t q) const {
    const sData& l = list[q];
    bool sibling = q + 1 < list.size() && list[q + 1].ChildCode == l.ChildCode;
    return PrintCodeText(l.Level, sibling, FindItem(l.ParentCode), l.ParentCode);
}

std::vector<std::vector<std::string>> clsParentSearch::ReportLines() {
    std::vector<sData> list = PrintList();
    std::vector<std::vector<std::string>> out;
    for (size_t q = 1; q < list.size(); ++q)
        out.push_back(PartsLineTexts(PrintCodeColumn(list, q), list[q], FindItem(list[q].ParentCode)));
    return out;
}

ReportSnapshot clsParentSearch::Report() {
    ReportSnapshot r;
    r.id = ReportId::Parts;
    r.title = "親検索";
    r.lines = ReportLines();
    return r;
}
