#include "structure.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <optional>

#include "engine.h"
#include "sjis.h"
#include "ucommon.h"
#include "udao.h"
#include "usersettings.h"

// ---------------------------------------------------------------------------
// Category words, marks and images

const char* KbnText(int kbn) {
    switch (kbn) {
        case 0: return "Parts";
        case 1: return "Unit";
        case 2: return "Body";
        case 3: return "Set";
        default: return "";
    }
}

const char* KbnMark(int kbn) {
    switch (kbn) {
        case 0: return "＊";
        case 1: return "□";
        case 2: return "■";
        case 3: return "☆";
        default: return "";
    }
}

int RootImage(int kbn) {
    switch (kbn) {
        case 0: return 2;
        case 1: return 1;
        case 2: return 0;
        case 3: return 9;
        default: return -1;
    }
}

int ChildImage(int kbn, int checkFlag) {
    switch (kbn) {
        case 0: return checkFlag == 1 ? 8 : 7;
        case 1: return checkFlag == 1 ? 6 : 5;
        case 2: return 0;
        case 3: return 9;
        default: return -1;
    }
}

// ---------------------------------------------------------------------------
// Loop record and walk path

void clsCycleLog::Record(const std::vector<std::string>& codes) {
    if (codes.size() < 2) return;
    // The same loop met from another of its codes is the same loop: key it by
    // the rotation that starts at its smallest code.
    std::vector<std::string> ring(codes.begin(), codes.end() - 1);
    auto first = std::min_element(ring.begin(), ring.end());
    std::rotate(ring.begin(), first, ring.end());
    std::string key;
    for (const auto& c : ring) key += c + '\x1f';
    if (!keys_.insert(key).second) return;
    std::string text;
    for (size_t i = 0; i < codes.size(); ++i) text += (i ? " → " : "") + codes[i];
    texts_.push_back(text);
}

std::string clsCycleLog::Message() const {
    std::string m;
    for (const auto& t : texts_) m += (m.empty() ? "" : "\n") + std::string("構成がループしています: ") + t;
    return m;
}

std::string clsCycleLog::TakeNewMessage() {
    std::string m;
    for (size_t i = reported_; i < texts_.size(); ++i)
        m += (m.empty() ? "" : "\n") + std::string("構成がループしています: ") + texts_[i];
    reported_ = texts_.size();
    return m;
}

void clsCycleLog::Clear() {
    keys_.clear();
    texts_.clear();
    reported_ = 0;
}

bool clsCodePath::Enter(const std::string& code, clsCycleLog& log, bool reverse) {
    auto it = on_.find(code);
    if (it != on_.end()) {
        std::vector<std::string> loop(codes_.begin() + it->second, codes_.end());
        loop.push_back(code);
        if (reverse) std::reverse(loop.begin(), loop.end());
        log.Record(loop);
        return false;
    }
    on_.emplace(code, static_cast<int>(codes_.size()));
    codes_.push_back(code);
    return true;
}

void clsCodePath::Leave() {
    on_.erase(codes_.back());
    codes_.pop_back();
}

namespace {

const std::vector<int> kNoLines;

}  // namespace

int StatementColumn(const Statement& st, const char* name) {
    for (int i = 0; i < st.ColumnCount(); ++i) {
        std::string n = st.ColumnName(i);
        if (n.size() == std::char_traits<char>::length(name) &&
            std::equal(n.begin(), n.end(), name,
                       [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }))
            return i;
    }
    throw EngineError(std::string("列 ") + name + " がありません。");
}

void SelectItemsByCode(clsDao* dao, const std::vector<std::string>& codes,
                       const std::function<void(Statement& st)>& row, const std::function<void(int count)>& afterGroup) {
    const size_t kGroup = 256;
    int count = 0;
    for (size_t g = 0; g < codes.size(); g += kGroup) {
        std::string list;
        for (size_t i = g; i < std::min(codes.size(), g + kGroup); ++i)
            list += (i > g ? ",'" : "'") + SqlEsc(codes[i]) + "'";
        auto st = dao->GetDatabase()->PrepareJet("SELECT * FROM MasItem WHERE CD IN (" + list + ")");
        while (st->Step()) {
            row(*st);
            ++count;
        }
        if (afterGroup) afterGroup(count);
    }
}

// ---------------------------------------------------------------------------
// clsStructure: memory

clsStructure::clsStructure(clsDao* dao) : dao_(dao) { Clear(); }

int clsStructure::CdListInit(int n) {
    RootCodes.clear();
    RootCodes.shrink_to_fit();
    if (n < 0) return -1;
    try {
        RootCodes.assign(static_cast<size_t>(n) + 1, std::string());
    } catch (const std::bad_alloc&) {
        RootCodes.clear();
        return -1;
    }
    return 0;
}

bool clsStructure::CdListAdd(int index, const std::string& code) {
    if (RootCodes.empty()) return false;
    if (index >= 1 && index < RootCount()) RootCodes[static_cast<size_t>(index)] = code;
    return true;
}

void clsStructure::Clear() {
    lines_.assign(1, sData{});
    items_.assign(1, sMstData{});
    rootLines_.clear();
    byParent_.clear();
    byChild_.clear();
    itemIndex_.clear();
    live_.clear();
    loadState_.clear();
    loadPath_.Clear();
    itemsAsked_.clear();
    itemsScanned_ = 1;
    cycles_.Clear();
    LoadCount = 0;
}

std::string clsStructure::PairKey(const std::string& parent, const std::string& child) {
    std::string k;
    k.reserve(parent.size() + child.size() + 1);
    k += parent;
    k += '\x1f';
    k += child;
    return k;
}

int clsStructure::AppendLine(const sData& line) {
    int pos = static_cast<int>(lines_.size());
    lines_.push_back(line);
    byParent_[line.ParentCode].push_back(pos);
    byChild_[line.ChildCode].push_back(pos);
    if (!line.Removed) live_.try_emplace(PairKey(line.ParentCode, line.ChildCode), pos);
    return pos;
}

void clsStructure::FlagRemoved(int line) {
    if (line < 1 || line >= static_cast<int>(lines_.size()) || lines_[line].Removed) return;
    sData& l = lines_[line];
    l.Removed = 1;
    std::string key = PairKey(l.ParentCode, l.ChildCode);
    auto it = live_.find(key);
    if (it == live_.end() || it->second != line) return;
    live_.erase(it);
    // Another live line of the same pair (two equal roots) becomes the first.
    for (int p : LinesOfParent(l.ParentCode))
        if (p > line && !lines_[p].Removed && lines_[p].ChildCode == l.ChildCode) {
            live_.emplace(key, p);
            break;
        }
}

const std::vector<int>& clsStructure::LinesOfParent(const std::string& code) const {
    auto it = byParent_.find(code);
    return it == byParent_.end() ? kNoLines : it->second;
}

const std::vector<int>& clsStructure::LinesOfChild(const std::string& code) const {
    auto it = byChild_.find(code);
    return it == byChild_.end() ? kNoLines : it->second;
}

int clsStructure::FirstLiveLine(const std::string& parent, const std::string& child) const {
    auto it = live_.find(PairKey(parent, child));
    return it == live_.end() ? 0 : it->second;
}

int clsStructure::ItemIndex(const std::string& code) const {
    auto it = itemIndex_.find(code);
    return it == itemIndex_.end() ? 0 : it->second;
}

const clsStructure::sMstData* clsStructure::FindItem(const std::string& code) const {
    int i = ItemIndex(code);
    return i ? &items_[static_cast<size_t>(i)] : nullptr;
}

int clsStructure::Category(const std::string& code) const {
    const sMstData* m = FindItem(code);
    return m ? m->Kbn : -1;
}

// ---------------------------------------------------------------------------
// Loading

void clsStructure::LoadStructure() {
    Clear();
    for (int i = 1; i < RootCount(); ++i) LoadLines(RootCodes[static_cast<size_t>(i)]);
    LoadItems(true);
    for (int i = 1; i < RootCount(); ++i) {
        AppendRootLine(RootCodes[static_cast<size_t>(i)]);
        LoadItems(false);
    }
}

int clsStructure::AppendRootLine(const std::string& code) {
    sData root;
    root.ChildCode = code;
    int pos = AppendLine(root);
    rootLines_.push_back(pos);
    return pos;
}

int clsStructure::LoadLines(const std::string& code) {
    // A code already read holds all its lines (the file changes only through
    // this memory while the structure is shown); a code being read again
    // below itself is a stored loop.
    auto [state, fresh] = loadState_.try_emplace(code, 1);
    if (!fresh) {
        if (state->second == 1) {
            clsPathStep loop(loadPath_, code, cycles_);
            return 1;
        }
        return state->second == 3 ? 1 : 0;
    }
    clsPathStep step(loadPath_, code, cycles_);

    ++LoadCount;
    if (OnLinesRead) OnLinesRead(LoadCount);

    std::vector<sData> local;
    bool any = false;
    {
        auto st = dao_->GetDatabase()->PrepareJet("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(code) + "'");
        int c1 = StatementColumn(*st, "CD1"), c2 = StatementColumn(*st, "CD2"), cq = StatementColumn(*st, "INZU"),
            ck = StatementColumn(*st, "KFLG"), cc = StatementColumn(*st, "CFLG");
        while (st->Step()) {
            any = true;
            sData l;
            l.ParentCode = st->ColumnText(c1);
            l.ChildCode = st->ColumnText(c2);
            if (FirstLiveLine(l.ParentCode, l.ChildCode)) continue;
            l.Quantity = st->Column(cq).AsInt();
            l.Kflg = static_cast<int>(st->Column(ck).AsInt());
            l.Cflg = static_cast<int>(st->Column(cc).AsInt());
            local.push_back(std::move(l));
        }
    }
    for (const sData& l : local) {
        LoadLines(l.ChildCode);
        AppendLine(l);
    }
    loadState_[code] = any ? 3 : 2;
    return any ? 1 : 0;
}

int clsStructure::LoadItems(bool showProgress) {
    std::vector<std::string> codes;
    for (size_t p = itemsScanned_; p < lines_.size(); ++p) {
        const std::string& c = lines_[p].ChildCode;
        if (ItemIndex(c) || !itemsAsked_.insert(c).second) continue;
        codes.push_back(c);
    }
    itemsScanned_ = lines_.size();
    if (codes.empty()) return 0;

    int count = 0;
    struct Cols {
        int cd, kbn, name, keitai, kikaku, tanka, syu, kak, gai, etc, tani;
    };
    std::optional<Cols> cols;
    SelectItemsByCode(
        dao_, codes,
        [&](Statement& st) {
            if (!cols)
                cols = Cols{StatementColumn(st, "CD"),      StatementColumn(st, "KBN"),
                            StatementColumn(st, "NAME"),    StatementColumn(st, "KEITAI"),
                            StatementColumn(st, "KIKAKU"),  StatementColumn(st, "TANKA"),
                            StatementColumn(st, "SYUZAIHI"), StatementColumn(st, "KAKOUHI"),
                            StatementColumn(st, "GAICHUUHI"), StatementColumn(st, "ETCHI"),
                            StatementColumn(st, "TANI")};
            sMstData m;
            m.Code = st.ColumnText(cols->cd);
            m.Kbn = static_cast<int>(st.Column(cols->kbn).AsInt());
            m.Name = st.ColumnText(cols->name);
            m.Keitai = st.ColumnText(cols->keitai);
            m.Kikaku = st.ColumnText(cols->kikaku);
            m.Tanka = st.Column(cols->tanka).AsDouble();
            m.Syuzaihi = st.Column(cols->syu).AsDouble();
            m.Kakouhi = st.Column(cols->kak).AsDouble();
            m.Gaichuuhi = st.Column(cols->gai).AsDouble();
            m.Etchi = st.Column(cols->etc).AsDouble();
            m.Tani = st.ColumnText(cols->tani);
            int pos = static_cast<int>(items_.size());
            itemIndex_.try_emplace(m.Code, pos);
            items_.push_back(std::move(m));
            ++count;
        },
        [&](int n) {
            if (showProgress && OnItemsRead) OnItemsRead(n);
        });
    return count;
}

// ---------------------------------------------------------------------------
// Tree and list

void clsStructure::WalkTree(const std::string& code, int node, const std::function<int(int, int)>& addNode) {
    clsCodePath path;
    clsPathStep top(path, code, cycles_);
    WalkTreeRec(code, node, addNode, path);
}

void clsStructure::WalkTreeRec(const std::string& code, int node, const std::function<int(int, int)>& addNode,
                               clsCodePath& path) {
    for (int a : LinesOfParent(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed || Category(l.ChildCode) == 0) continue;
        int child = addNode(node, a);
        clsPathStep step(path, l.ChildCode, cycles_);
        if (step.Entered()) WalkTreeRec(l.ChildCode, child, addNode, path);
    }
}

std::vector<int> clsStructure::CollectBelow(const std::string& code, bool allLevels) {
    std::vector<int> out;
    clsCodePath path;
    CollectBelowRec(code, 0, allLevels, out, path);
    return out;
}

void clsStructure::CollectBelowRec(const std::string& code, int depth, bool allLevels, std::vector<int>& out,
                                   clsCodePath& path) {
    ++depth;
    if (depth >= 2 && !allLevels) return;
    clsPathStep step(path, code, cycles_);
    if (!step.Entered()) return;
    for (int a : LinesOfParent(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        CollectBelowRec(l.ChildCode, depth, allLevels, out, path);
        out.push_back(a);
    }
}

namespace {

// The 員数 of the list rows over one collection: a direct row shows its
// line's quantity; an indirect row the sum, over the collected lines of its
// code, of the path quantity of the line's parent times the line's quantity.
// The path quantity follows the first collected line of each code up to the
// selected code. Memoised per code; a loop in the collection counts 0.
class RowQuantities {
public:
    RowQuantities(const std::vector<clsStructure::sData>& lines, const std::string& code,
                  const std::vector<int>& collected)
        : lines_(lines), code_(code), collected_(collected) {
        for (size_t i = 0; i < collected.size(); ++i) byChild_[Line(i).ChildCode].push_back(i);
    }

    long long RowQuantity(size_t row) {
        const auto& l = Line(row);
        if (l.ParentCode == code_) {
            for (size_t i : byChild_[l.ChildCode])
                if (Line(i).ParentCode == code_) return Line(i).Quantity;
            return 0;
        }
        auto [it, fresh] = indirect_.try_emplace(l.ChildCode, 0);
        if (fresh) {
            long long sum = 0;
            for (size_t i : byChild_[l.ChildCode]) sum += PathQuantity(Line(i).ParentCode) * Line(i).Quantity;
            it->second = sum;
        }
        return it->second;
    }

    long long PathQuantity(const std::string& p) {
        auto m = path_.find(p);
        if (m != path_.end()) return m->second;
        auto c = byChild_.find(p);
        if (c == byChild_.end() || c->second.empty()) return path_[p] = 0;
        if (!busy_.insert(p).second) return 0;  // a stored loop
        const auto& first = Line(c->second.front());
        long long q = first.ParentCode == code_ ? first.Quantity : PathQuantity(first.ParentCode) * first.Quantity;
        busy_.erase(p);
        return path_[p] = q;
    }

private:
    const clsStructure::sData& Line(size_t i) const { return lines_[static_cast<size_t>(collected_[i])]; }

    const std::vector<clsStructure::sData>& lines_;
    const std::string& code_;
    const std::vector<int>& collected_;
    std::unordered_map<std::string, std::vector<size_t>> byChild_;
    std::unordered_map<std::string, long long> path_;
    std::unordered_map<std::string, long long> indirect_;
    std::unordered_set<std::string> busy_;
};

}  // namespace

std::vector<clsStructure::sListEdt> clsStructure::ListRows(const std::string& code,
                                                            const std::vector<int>& collected) {
    RowQuantities q(lines_, code, collected);
    std::vector<sListEdt> rows;
    rows.reserve(collected.size());
    for (size_t i = 0; i < collected.size(); ++i) {
        const sData& l = lines_[static_cast<size_t>(collected[i])];
        sListEdt r;
        r.Code = l.ChildCode;
        r.Direct = l.ParentCode == code ? 1 : 0;
        r.Kflg = l.Kflg;
        r.Cflg = l.Cflg;
        r.Quantity = q.RowQuantity(i);
        r.Line = collected[i];
        rows.push_back(std::move(r));
    }
    return rows;
}

clsStructure::sListResult clsStructure::FillList(const std::string& code, bool allLevels) {
    sListResult out;
    std::vector<int> collected = CollectBelow(code, allLevels);
    for (const sListEdt& r : ListRows(code, collected)) {
        const sMstData* m = FindItem(r.Code);
        if (!m) continue;
        sListRow row;
        row.Code = r.Code;
        row.KbnText = KbnText(m->Kbn);
        row.Quantity = std::to_string(r.Quantity);
        row.Name = m->Name;
        row.Price = FormatMoney(m->Tanka);
        row.Direct = r.Direct == 1;
        row.Dimmed = r.Kflg == 0;
        row.Image = ChildImage(m->Kbn, r.Cflg);
        row.Line = r.Line;
        if (m->Kbn == 1) ++out.UnitCount;
        if (m->Kbn == 0) ++out.PartsCount;
        out.Rows.push_back(std::move(row));
    }
    out.CostTotal = CostTotal(code, allLevels);
    return out;
}

// ---------------------------------------------------------------------------
// Cost

double clsStructure::RollUpCost(const std::string& code, bool allLevels) {
    std::unordered_map<std::string, double> memo;
    clsCodePath path;
    return RollUp(code, allLevels, memo, path);
}

double clsStructure::RollUp(const std::string& code, bool allLevels, std::unordered_map<std::string, double>& memo,
                            clsCodePath& path) {
    auto m = memo.find(code);
    if (m != memo.end()) return m->second;
    clsPathStep step(path, code, cycles_);
    if (!step.Entered()) return 0;  // a stored loop adds nothing more
    double total = 0;
    for (int a : LinesOfParent(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        const sMstData* item = FindItem(l.ChildCode);
        double price = item ? item->Tanka : 0;
        double q = static_cast<double>(l.Quantity);
        total += q * price;
        if (allLevels) total += q * RollUp(l.ChildCode, allLevels, memo, path);
    }
    memo.emplace(code, total);
    return total;
}

double clsStructure::CostTotal(const std::string& code, bool allLevels) {
    const sMstData* item = FindItem(code);
    return (item ? item->Tanka : 0) + RollUpCost(code, allLevels);
}

// ---------------------------------------------------------------------------
// Print lists

void clsStructure::CollectPrintLines(std::vector<sData>& list, const std::string& code, int level) {
    clsCodePath path;
    clsPathStep top(path, code, cycles_);
    CollectPrint(list, code, level, path);
}

void clsStructure::CollectPrint(std::vector<sData>& list, const std::string& code, int level, clsCodePath& path) {
    for (int a : LinesOfParent(code)) {
        const sData& l = lines_[static_cast<size_t>(a)];
        if (l.Removed) continue;
        sData copy = l;
        copy.Level = level + 1;
        list.push_back(std::move(copy));
        clsPathStep step(path, l.ChildCode, cycles_);
        if (step.Entered()) CollectPrint(list, l.ChildCode, level + 1, path);
    }
}

std::vector<clsStructure::sData> clsStructure::PrintList() {
    std::vector<sData> list(1);
    for (int i = 1; i < RootCount(); ++i) {
        sData root;
        root.ChildCode = RootCodes[static_cast<size_t>(i)];
        root.Quantity = 1;
        list.push_back(root);
        CollectPrintLines(list, root.ChildCode, 0);
    }
    return list;
}

std::string clsStructure::PrintCodeColumn(const std::vector<sData>& list, size_t q) const {
    const sData& l = list[q];
    std::string s;
    for (int i = 1; i < l.Level; ++i) s += "│　";
    if (l.Level > 0) {
        if (q + 1 >= list.size()) s += "└─";
        else s += list[q + 1].ParentCode == l.ParentCode ? "├─" : "└─";
    }
    const sMstData* m = FindItem(l.ChildCode);
    if (m) s += KbnMark(m->Kbn);
    return s + l.ChildCode;
}

std::vector<std::vector<std::string>> clsStructure::PartsReportLines() {
    std::vector<sData> list = PrintList();
    std::vector<std::vector<std::string>> out;
    out.reserve(list.size() - 1);
    for (size_t q = 1; q < list.size(); ++q) {
        const sData& l = list[q];
        const sMstData* m = FindItem(l.ChildCode);
        out.push_back({PrintCodeColumn(list, q), m ? m->Name : "", std::to_string(l.Quantity),
                       l.Kflg == 1 ? "○" : "", l.Cflg == 1 ? "○" : "", m ? m->Keitai : "", m ? m->Kikaku : "",
                       m ? FormatMoney(m->Tanka) : ""});
    }
    return out;
}

std::vector<std::vector<std::string>> clsStructure::GenkaReportLines() {
    std::vector<sData> list = PrintList();
    std::vector<std::vector<std::string>> out;
    out.reserve(list.size() - 1);
    for (size_t q = 1; q < list.size(); ++q) {
        const sData& l = list[q];
        const sMstData* m = FindItem(l.ChildCode);
        auto money = [&](double v) { return m ? FormatMoney(v) : std::string(); };
        out.push_back({PrintCodeColumn(list, q), std::to_string(l.Quantity), money(m ? m->Tanka : 0),
                       money(m ? m->Syuzaihi : 0), money(m ? m->Kakouhi : 0), money(m ? m->Gaichuuhi : 0),
                       money(m ? m->Etchi : 0), m ? m->Tani : ""});
    }
    return out;
}

std::string clsStructure::GenkaTotalText() {
    return FormatMoney(RootCount() > 1 ? CostTotal(RootCodes[1], true) : 0);
}

ReportSnapshot clsStructure::StructureReport(const std::string& title) {
    ReportSnapshot r;
    r.id = ReportId::Parts;
    r.title = title;
    r.lines = PartsReportLines();
    return r;
}

ReportSnapshot clsStructure::CostReport() {
    ReportSnapshot r;
    r.id = ReportId::Genka;
    r.title = GetReportInfo(ReportId::Genka).title;
    r.lines = GenkaReportLines();
    r.genkaTotal = GenkaTotalText();
    r.genkaHeading = ReadItemCaption(ItemCaption::Etchi);
    return r;
}

// ---------------------------------------------------------------------------
// Loop check and line edit

int clsStructure::IsAncestorOrSelf(const std::string& code, const std::string& candidate) {
    // Upward over the live lines; each code is looked at once, which also ends
    // the walk on a stored loop.
    std::unordered_set<std::string> seen{code};
    std::vector<std::string> todo{code};
    while (!todo.empty()) {
        std::string c = std::move(todo.back());
        todo.pop_back();
        if (c == candidate) return 1;
        for (int a : LinesOfChild(c)) {
            const sData& l = lines_[static_cast<size_t>(a)];
            if (l.Removed || l.ParentCode.empty()) continue;
            if (seen.insert(l.ParentCode).second) todo.push_back(l.ParentCode);
        }
    }
    return 0;
}

bool clsStructure::ReadLine(const std::string& parent, const std::string& child, long long& quantity, int& kflg,
                            int& cflg) {
    quantity = 0;
    kflg = cflg = 0;
    auto st = dao_->GetDatabase()->PrepareJet("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(parent) +
                                              "' AND CD2 = '" + SqlEsc(child) + "'");
    if (!st->Step()) return false;
    quantity = st->Column(StatementColumn(*st, "INZU")).AsInt();
    kflg = static_cast<int>(st->Column(StatementColumn(*st, "KFLG")).AsInt());
    cflg = static_cast<int>(st->Column(StatementColumn(*st, "CFLG")).AsInt());
    return true;
}

int clsStructure::DeleteLine(const std::string& parent, const std::string& child) {
    int rc = dao_->Execute("DELETE FROM iStruct WHERE CD1 = '" + SqlEsc(parent) + "' AND CD2 = '" + SqlEsc(child) +
                           "'");
    if (rc == 0) MarkProcurementChanged();
    return rc;
}

bool clsStructure::ReachesInFile(const std::string& from, const std::string& to) {
    // Every code below `from` in the file, each once (UNION drops repeats, so
    // a stored loop ends the walk too).
    auto st = dao_->GetDatabase()->Prepare(
        "WITH RECURSIVE below(code) AS (SELECT ?1 UNION SELECT s.CD2 FROM iStruct s JOIN below b ON s.CD1 = "
        "b.code) SELECT 1 FROM below WHERE code = ?2 COLLATE NOCASE LIMIT 1",
        true);
    st->Bind(1, from);
    st->Bind(2, to);
    return st->Step();
}

clsStructure::sLineChange clsStructure::ApplyLineChange(int mode, const std::string& oldParent,
                                                        const std::string& oldChild, const std::string& parent,
                                                        const std::string& newChild) {
    sLineChange c;
    if (mode == 1 || mode == 2) {
        c.OldLine = FirstLiveLine(oldParent, oldChild);
        FlagRemoved(c.OldLine);
    }
    if (mode == 0 || mode == 1) {
        c.NewLine = FirstLiveLine(parent, newChild);
        FlagRemoved(c.NewLine);
        sData l;
        l.ParentCode = parent;
        l.ChildCode = newChild;
        ReadLine(parent, newChild, l.Quantity, l.Kflg, l.Cflg);
        c.Appended = AppendLine(l);
        LoadCount = 0;
        LoadLines(newChild);
        LoadItems(false);
    }
    return c;
}
