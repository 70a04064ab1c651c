#include "parentsearch.h"

#include <optional>
#include <unordered_set>

#include "engine.h"
#include "structwalk.h"
#include "ucommon.h"
#include "udao.h"
#include "udaoment.h"

clsParentSearch::clsParentSearch(clsDao* dao) : dao_(dao) {
    lines_.assign(1, sData{});
    items_.assign(1, sMstData{});
}

void clsParentSearch::SearchParents(const std::string& code) {
    StartCode = code;
    lines_.assign(1, sData{});
    items_.assign(1, sMstData{});
    ids_.clear();
    codes_.clear();
    byChild_.clear();
    itemOf_.clear();
    lineIds_.clear();
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
        byIndex_ = HasStructChildIndex(Db());
        // Depth first on a stack of its own, the lines above a parent before
        // the line to it. Each code is read once: a line met again along
        // another path would only be dropped as a repeat. A code met again
        // while its own parents are being read is a stored loop.
        struct Frame {
            std::string code;
            std::vector<sData> lines;
            size_t next = 0;
            bool parentDone = false;  // the lines above lines[next] are held
        };
        std::vector<Frame> stack;
        auto begin = [&](const std::string& c) {
            auto [state, fresh] = loadState_.try_emplace(c, 1);
            if (!fresh) {
                if (state->second == 1) clsPathStep loop(loadPath_, c, cycles_, true);
                return false;
            }
            loadPath_.Enter(c, cycles_, true);
            Frame f;
            f.code = c;
            f.lines = LinesTo(c);
            stack.push_back(std::move(f));
            return true;
        };
        begin(code);
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next < f.lines.size()) {
                if (!f.parentDone) {
                    f.parentDone = true;
                    if (begin(f.lines[f.next].ParentCode)) continue;  // f is not used after a push
                }
                lines_.push_back(std::move(f.lines[f.next++]));
                f.parentDone = false;
                continue;
            }
            loadState_[f.code] = 2;
            loadPath_.Leave();
            stack.pop_back();
        }
    }
    bulkLines_.clear();
}

std::vector<clsParentSearch::sData> clsParentSearch::LinesTo(const std::string& code) {
    // With the index on the child code each code reads just its own lines.
    // A file without it (made before the index existed and not compacted
    // since) makes every per-code statement read the whole table: once the
    // first code proves to be used, the rest come from one pass over the
    // table, bucketed by child code in table order, which is the order of
    // the per-code statement (and of the index, whose equal keys keep the
    // table order).
    if (!byIndex_ && !bulk_ && selects_ >= BulkAfter) {
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

int clsParentSearch::Id(const std::string& code) {
    auto [it, fresh] = ids_.try_emplace(code, static_cast<int>(codes_.size()));
    if (fresh) {
        codes_.push_back(code);
        byChild_.emplace_back();
        itemOf_.push_back(0);
    }
    return it->second;
}

int clsParentSearch::FindId(const std::string& code) const {
    auto it = ids_.find(code);
    return it == ids_.end() ? -1 : it->second;
}

int clsParentSearch::LoadItems() {
    std::vector<std::string> codes;
    std::unordered_set<std::string> asked;
    for (size_t p = 1; p < lines_.size(); ++p) {
        const std::string& c = lines_[p].ParentCode.empty() ? lines_[p].ChildCode : lines_[p].ParentCode;
        if (FindItem(c) || !asked.insert(c).second) continue;
        codes.push_back(c);
    }
    int count = 0;
    std::optional<clsItemReader> reader;
    SelectItemsByCode(dao_, codes, [&](Statement& st) {
        if (!reader) reader.emplace(st);
        sMstData m = reader->Read(st);
        int& first = itemOf_[static_cast<size_t>(Id(m.Code))];
        if (!first) first = static_cast<int>(items_.size());
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
        sData& l = lines_[p];
        if (!seen.insert(l.ParentCode + '\x1f' + l.ChildCode).second) continue;
        kept.push_back(std::move(l));
        const sData& k = kept.back();
        if (k.ChildCode.empty() && k.ParentCode == StartCode) startLine_ = static_cast<int>(kept.size()) - 1;
    }
    lines_ = std::move(kept);
    Reindex();
}

void clsParentSearch::Reindex() {
    for (auto& v : byChild_) v.clear();
    lineIds_.assign(1, {-1, -1});
    for (size_t p = 1; p < lines_.size(); ++p) {
        int parent = Id(lines_[p].ParentCode), child = Id(lines_[p].ChildCode);
        lineIds_.emplace_back(parent, child);
        byChild_[static_cast<size_t>(child)].push_back(static_cast<int>(p));
    }
}

const clsParentSearch::sMstData* clsParentSearch::FindItem(const std::string& code) const {
    int id = FindId(code);
    int item = id < 0 ? 0 : itemOf_[static_cast<size_t>(id)];
    return item ? &items_[static_cast<size_t>(item)] : nullptr;
}

int clsParentSearch::Category(const std::string& code) const {
    const sMstData* m = FindItem(code);
    return m ? m->Kbn : -1;
}

// The walks go up: from a code over the live lines to it, on to their
// parents.

void clsParentSearch::WalkTree(const std::string& code, int node, const std::function<int(int, int)>& addNode) {
    clsIdPath path(codes_, cycles_, true);
    WalkDepthFirst(
        FindId(code), node, path, [this](int id) -> const std::vector<int>& { return ChildLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ParentId(a); },
        [&](int a, int childNode) { return WalkStep{true, addNode(childNode, a)}; }, [](int) {});
}

std::vector<int> clsParentSearch::CollectAbove(const std::string& code, bool allLevels) {
    std::vector<int> out;
    clsIdPath path(codes_, cycles_, true);
    WalkDepthFirst(
        FindId(code), 0, path, [this](int id) -> const std::vector<int>& { return ChildLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ParentId(a); },
        [&](int, int) { return WalkStep{allLevels, 0}; }, [&](int a) { out.push_back(a); });
    return out;
}

std::vector<clsParentSearch::sListEdt> clsParentSearch::ListRows(const std::string& code,
                                                                  const std::vector<int>& collected) const {
    // 員数 of a row: the quantity of the first collected line from that code.
    std::vector<long long> first(codes_.size(), 0);
    std::vector<char> met(codes_.size(), 0);
    for (int a : collected) {
        size_t p = static_cast<size_t>(ParentId(a));
        if (!met[p]) {
            met[p] = 1;
            first[p] = lines_[static_cast<size_t>(a)].Quantity;
        }
    }
    std::vector<sListEdt> rows;
    rows.reserve(collected.size());
    for (int a : collected) {
        const sData& l = lines_[static_cast<size_t>(a)];
        sListEdt r;
        r.Code = l.ParentCode;
        r.Direct = l.ChildCode == code ? 1 : 0;
        r.Kflg = l.Kflg;
        r.Cflg = l.Cflg;
        r.Quantity = first[static_cast<size_t>(ParentId(a))];
        r.Line = a;
        rows.push_back(std::move(r));
    }
    return rows;
}

clsParentSearch::sListResult clsParentSearch::FillList(const std::string& code, bool allLevels) {
    return ShownRows(ListRows(code, CollectAbove(code, allLevels)),
                     [this](const std::string& c) { return FindItem(c); });
}

unsigned long long clsParentSearch::CountListRows(const std::string& code, bool allLevels) {
    int id = FindId(code);
    if (id < 0) return 0;
    auto live = [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ParentId(a); };
    auto shown = [this](int a) { return itemOf_[static_cast<size_t>(ParentId(a))] != 0; };
    if (allLevels)
        return CountLinesOnPaths(
            id, codes_.size(), [this](int c) -> const std::vector<int>& { return ChildLines(c); }, live, shown);
    unsigned long long n = 0;
    for (int a : ChildLines(id))
        if (live(a) >= 0 && shown(a)) ++n;
    return n;
}

unsigned long long clsParentSearch::CountPrintLines() {
    return SaturatingAdd(
        1, CountLinesOnPaths(
               FindId(StartCode), codes_.size(), [this](int c) -> const std::vector<int>& { return ChildLines(c); },
               [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ParentId(a); },
               [](int) { return true; }));
}

void clsParentSearch::CollectPrintLines(std::vector<sData>& list, const std::string& code, int level) {
    clsIdPath path(codes_, cycles_, true);
    WalkDepthFirst(
        FindId(code), level, path, [this](int id) -> const std::vector<int>& { return ChildLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ParentId(a); },
        [&](int a, int lv) {
            sData copy = lines_[static_cast<size_t>(a)];
            copy.Level = lv + 1;
            list.push_back(std::move(copy));
            return WalkStep{true, lv + 1};
        },
        [](int) {});
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
