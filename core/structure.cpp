#include "structure.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <optional>

#include "engine.h"
#include "sjis.h"
#include "structwalk.h"
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

Database& OpenDatabaseOf(clsDao* dao) {
    DatabaseHandle db = dao ? dao->GetDatabase() : nullptr;
    if (!db || !db->IsOpen()) throw EngineError("データファイルが開かれていません。");
    return *db;
}

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

std::vector<clsStructure::sData> ReadLineRows(Statement& st) {
    int c1 = StatementColumn(st, "CD1"), c2 = StatementColumn(st, "CD2"), cq = StatementColumn(st, "INZU"),
        ck = StatementColumn(st, "KFLG"), cc = StatementColumn(st, "CFLG");
    std::vector<clsStructure::sData> rows;
    while (st.Step()) {
        clsStructure::sData l;
        l.ParentCode = st.ColumnText(c1);
        l.ChildCode = st.ColumnText(c2);
        l.Quantity = st.Column(cq).AsInt();
        l.Kflg = static_cast<int>(st.Column(ck).AsInt());
        l.Cflg = static_cast<int>(st.Column(cc).AsInt());
        rows.push_back(std::move(l));
    }
    return rows;
}

void SelectItemsByCode(clsDao* dao, const std::vector<std::string>& codes,
                       const std::function<void(Statement& st)>& row, const std::function<void(int count)>& afterGroup) {
    const size_t kGroup = 256;
    int count = 0;
    for (size_t g = 0; g < codes.size(); g += kGroup) {
        std::string list;
        for (size_t i = g; i < std::min(codes.size(), g + kGroup); ++i)
            list += (i > g ? ",'" : "'") + SqlEsc(codes[i]) + "'";
        auto st = OpenDatabaseOf(dao).PrepareJet("SELECT * FROM MasItem WHERE CD IN (" + list + ")");
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
    ids_.clear();
    codes_.clear();
    byParent_.clear();
    byChild_.clear();
    itemOf_.clear();
    lineIds_.assign(1, {-1, -1});
    live_.clear();
    loadState_.clear();
    loadStack_.clear();
    selects_ = 0;
    linesRead_ = 0;
    tableRows_ = -1;
    bulk_ = false;
    bulkAll_.clear();
    bulkByParent_.clear();
    itemsScanned_ = 1;
    CostChanged();
    cycles_.Clear();
    LoadCount = 0;
}

int clsStructure::Id(const std::string& code) {
    auto [it, fresh] = ids_.try_emplace(code, static_cast<int>(codes_.size()));
    if (fresh) {
        codes_.push_back(code);
        byParent_.emplace_back();
        byChild_.emplace_back();
        itemOf_.push_back(0);
        loadState_.push_back(0);
    }
    return it->second;
}

int clsStructure::FindId(const std::string& code) const {
    auto it = ids_.find(code);
    return it == ids_.end() ? -1 : it->second;
}

int clsStructure::AppendLine(sData line, int parent, int child) {
    int pos = static_cast<int>(lines_.size());
    bool live = !line.Removed;
    lines_.push_back(std::move(line));
    lineIds_.emplace_back(parent, child);
    byParent_[static_cast<size_t>(parent)].push_back(pos);
    byChild_[static_cast<size_t>(child)].push_back(pos);
    if (live) live_.try_emplace(PairKey(parent, child), pos);
    CostChanged();
    return pos;
}

void clsStructure::FlagRemoved(int line) {
    if (line < 1 || line >= static_cast<int>(lines_.size()) || lines_[static_cast<size_t>(line)].Removed) return;
    lines_[static_cast<size_t>(line)].Removed = 1;
    CostChanged();
    auto [parent, child] = lineIds_[static_cast<size_t>(line)];
    auto it = live_.find(PairKey(parent, child));
    if (it == live_.end() || it->second != line) return;
    live_.erase(it);
    // Another live line of the same pair (the same root given twice) becomes
    // the first.
    for (int p : byParent_[static_cast<size_t>(parent)])
        if (p > line && !lines_[static_cast<size_t>(p)].Removed && lineIds_[static_cast<size_t>(p)].second == child) {
            live_.emplace(PairKey(parent, child), p);
            break;
        }
}

void clsStructure::CostChanged() {
    for (int al = 0; al < 2; ++al) {
        costMemo_[al].clear();
        costKnown_[al].clear();
    }
}

const std::vector<int>& clsStructure::LinesOfParent(const std::string& code) const {
    int id = FindId(code);
    return id < 0 ? kNoLines : byParent_[static_cast<size_t>(id)];
}

const std::vector<int>& clsStructure::LinesOfChild(const std::string& code) const {
    int id = FindId(code);
    return id < 0 ? kNoLines : byChild_[static_cast<size_t>(id)];
}

int clsStructure::FirstLiveLine(const std::string& parent, const std::string& child) const {
    int p = FindId(parent), c = FindId(child);
    if (p < 0 || c < 0) return 0;
    auto it = live_.find(PairKey(p, c));
    return it == live_.end() ? 0 : it->second;
}

int clsStructure::ItemIndex(const std::string& code) const {
    int id = FindId(code);
    return id < 0 ? 0 : itemOf_[static_cast<size_t>(id)];
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

std::string FoldCode(std::string_view s) {
    std::string f(s);
    for (char& c : f)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return f;
}

ReadTransaction::ReadTransaction(Database& db) : db_(db) { db_.BeginTrans(); }

ReadTransaction::~ReadTransaction() {
    try {
        db_.CommitTrans();
    } catch (...) {
        // Nothing was written; the transaction ends with the connection.
    }
}

namespace {

// FoldCode(a) < FoldCode(b), without making the folded texts.
bool FoldLess(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

}  // namespace

void clsStructure::LoadStructure() {
    LoadRootLines();
    LoadRootItems();
}

void clsStructure::LoadRootLines() {
    Clear();
    {
        ReadTransaction tx(Db());
        for (int i = 1; i < RootCount(); ++i) LoadLines(RootCodes[static_cast<size_t>(i)]);
    }
    bulkAll_.clear();
    bulkAll_.shrink_to_fit();
    bulkByParent_.clear();
    bulk_ = false;
}

void clsStructure::LoadRootItems() {
    ReadTransaction tx(Db());
    LoadItems(true);
    for (int i = 1; i < RootCount(); ++i) {
        AppendRootLine(RootCodes[static_cast<size_t>(i)]);
        LoadItems(false);
    }
}

int clsStructure::AppendRootLine(const std::string& code) {
    sData root;
    root.ChildCode = code;
    int pos = AppendLine(root, Id(""), Id(code));
    rootLines_.push_back(pos);
    return pos;
}

int clsStructure::LoadLines(const std::string& code) { return LoadLinesId(Id(code)); }

int clsStructure::LoadLinesId(int top) {
    // Depth first, a line after the lines below its child, on a stack of its
    // own. A code already read holds all its lines (the file changes only
    // through this memory while the structure is shown); a code met again
    // while its own lines are being read is a stored loop.
    struct Frame {
        int id;
        std::vector<Row> rows;
        size_t next = 0;
        bool childDone = false;  // the lines below rows[next] are held
        bool any = false;
    };
    std::vector<Frame> stack;
    // Starts reading id; false when it needs no frame (read, or a loop).
    auto begin = [&](int id) {
        char state = loadState_[static_cast<size_t>(id)];
        if (state == 1) {
            auto from = std::find(loadStack_.begin(), loadStack_.end(), id);
            std::vector<std::string> loop;
            for (auto it = from; it != loadStack_.end(); ++it) loop.push_back(codes_[static_cast<size_t>(*it)]);
            loop.push_back(codes_[static_cast<size_t>(id)]);
            cycles_.Record(loop);
            return false;
        }
        if (state != 0) return false;
        loadState_[static_cast<size_t>(id)] = 1;
        loadStack_.push_back(id);
        ++LoadCount;
        if (OnLinesRead) OnLinesRead(LoadCount);
        Frame f;
        f.id = id;
        f.rows = LinesOf(id);
        f.any = !f.rows.empty();
        // Lines held already are not taken twice. (A code read for the first
        // time holds lines of its own only when an edit has added one.)
        if (!byParent_[static_cast<size_t>(id)].empty())
            f.rows.erase(std::remove_if(f.rows.begin(), f.rows.end(),
                                        [&](const Row& r) { return live_.count(PairKey(r.parent, r.child)) != 0; }),
                         f.rows.end());
        stack.push_back(std::move(f));
        return true;
    };

    char before = loadState_[static_cast<size_t>(top)];
    if (!begin(top)) return before == 2 ? 0 : 1;
    int result = 0;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < f.rows.size()) {
            if (!f.childDone) {
                f.childDone = true;
                if (begin(f.rows[f.next].child)) continue;  // f is not used after a push
            }
            Row& r = f.rows[f.next++];
            f.childDone = false;
            AppendLine(std::move(r.line), r.parent, r.child);
            continue;
        }
        loadStack_.pop_back();
        loadState_[static_cast<size_t>(f.id)] = f.any ? 3 : 2;
        result = f.any ? 1 : 0;
        stack.pop_back();
    }
    return result;
}

std::vector<clsStructure::Row> clsStructure::LinesOf(int id) {
    // A load reads code by code while that reads a small part of the table:
    // once BulkLinesAfter statements have returned lines and those lines are
    // a real share (BulkShare) of the table, the rest comes from one pass.
    if (!bulk_ && BulkLinesAfter > 0 && selects_ >= BulkLinesAfter) {
        if (tableRows_ < 0) {
            // The largest row number: the row count, or more after deletes.
            auto st = Db().Prepare("SELECT max(rowid) FROM iStruct");
            tableRows_ = st->Step() ? st->Column(0).AsInt() : 0;
        }
        if (static_cast<double>(linesRead_) >= BulkShare * static_cast<double>(tableRows_)) ReadAllLines();
    }
    const std::string code = codes_[static_cast<size_t>(id)];  // Id() below may move codes_
    std::vector<Row> rows;
    if (bulk_) {
        // The rows whose parent the statement's key column takes for equal,
        // moved out (each code is read once per load), in the order of the
        // key index: by child code as the key column compares it (unique).
        // A group already taken by the same code in another case (rare) is
        // read again by its statement below.
        auto f = bulkByParent_.find(FoldCode(code));
        if (f == bulkByParent_.end()) return rows;
        std::vector<int>& take = f->second;
        if (take.front() >= 0) {
            std::sort(take.begin(), take.end(), [&](int x, int y) {
                return FoldLess(bulkAll_[static_cast<size_t>(x)].ChildCode,
                                bulkAll_[static_cast<size_t>(y)].ChildCode);
            });
            rows.reserve(take.size());
            for (int i : take) rows.push_back(NumberedRow(id, std::move(bulkAll_[static_cast<size_t>(i)])));
            take.assign(1, -1);
            return rows;
        }
    }
    auto st = Db().PrepareJet("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(code) + "'");
    std::vector<sData> lines = ReadLineRows(*st);
    if (!lines.empty()) {
        ++selects_;
        linesRead_ += static_cast<long long>(lines.size());
    }
    rows.reserve(lines.size());
    for (sData& l : lines) rows.push_back(NumberedRow(id, std::move(l)));
    return rows;
}

clsStructure::Row clsStructure::NumberedRow(int parent, sData line) {
    // The key column may hold the parent in another case than the code read.
    Row r;
    r.parent = line.ParentCode == codes_[static_cast<size_t>(parent)] ? parent : Id(line.ParentCode);
    r.child = Id(line.ChildCode);
    r.line = std::move(line);
    return r;
}

void clsStructure::ReadAllLines() {
    // One pass over the whole table; rows are grouped by parent code (folded
    // as the key column compares it) and numbered only when a code asks for
    // them.
    auto st = Db().PrepareJet("SELECT * FROM iStruct");
    bulkAll_ = ReadLineRows(*st);
    bulkByParent_.reserve(bulkAll_.size() / 4 + 16);
    for (size_t i = 0; i < bulkAll_.size(); ++i)
        bulkByParent_[FoldCode(bulkAll_[i].ParentCode)].push_back(static_cast<int>(i));
    lines_.reserve(lines_.size() + bulkAll_.size() + 1);
    lineIds_.reserve(lineIds_.size() + bulkAll_.size() + 1);
    live_.reserve(live_.size() + bulkAll_.size());
    bulk_ = true;
}

int clsStructure::LoadItems(bool showProgress) {
    // Only the lines appended since the last call are looked at: one per
    // root when the roots are appended, so a few lines are checked against
    // the codes asked so far instead of marks over every code.
    std::vector<std::string> codes;
    std::vector<int> asked;
    std::vector<char> mark;
    if (lines_.size() - itemsScanned_ > 64) mark.assign(codes_.size(), 0);
    for (size_t p = itemsScanned_; p < lines_.size(); ++p) {
        int c = lineIds_[p].second;
        if (itemOf_[static_cast<size_t>(c)]) continue;
        if (mark.empty() ? std::find(asked.begin(), asked.end(), c) != asked.end() : mark[static_cast<size_t>(c)] != 0)
            continue;
        if (!mark.empty()) mark[static_cast<size_t>(c)] = 1;
        asked.push_back(c);
        codes.push_back(codes_[static_cast<size_t>(c)]);
    }
    itemsScanned_ = lines_.size();
    if (codes.empty()) return 0;

    int count = 0;
    std::optional<clsItemReader> reader;
    auto add = [&](Statement& st) {
        if (!reader) reader.emplace(st);
        sMstData m = reader->Read(st);
        int& first = itemOf_[static_cast<size_t>(Id(m.Code))];
        if (!first) first = static_cast<int>(items_.size());
        items_.push_back(std::move(m));
        ++count;
    };

    if (BulkItemsAfter > 0 && static_cast<int>(codes.size()) > BulkItemsAfter) {
        // Many codes: one pass over the table, keeping the rows that the IN
        // lists would have found (codes compare as the key column does).
        std::unordered_set<std::string> wanted;
        for (const auto& c : codes) wanted.insert(FoldCode(c));
        auto st = Db().PrepareJet("SELECT * FROM MasItem");
        int cd = StatementColumn(*st, "CD");
        while (st->Step())
            if (wanted.count(FoldCode(st->ColumnText(cd)))) add(*st);
        if (showProgress && OnItemsRead) OnItemsRead(count);
    } else {
        SelectItemsByCode(dao_, codes, add, [&](int n) {
            if (showProgress && OnItemsRead) OnItemsRead(n);
        });
    }
    if (count) CostChanged();
    return count;
}

// ---------------------------------------------------------------------------
// Tree and list

void clsStructure::WalkTree(const std::string& code, int node, const std::function<int(int, int)>& addNode) {
    clsIdPath path(codes_, cycles_);
    WalkDepthFirst(
        FindId(code), node, path, [this](int id) -> const std::vector<int>& { return ParentLines(id); },
        [this](int a) {
            int child = ChildId(a);
            if (lines_[static_cast<size_t>(a)].Removed) return -1;
            int item = itemOf_[static_cast<size_t>(child)];
            return item && items_[static_cast<size_t>(item)].Kbn == 0 ? -1 : child;
        },
        [&](int a, int parentNode) { return WalkStep{true, addNode(parentNode, a)}; }, [](int) {});
}

std::vector<int> clsStructure::CollectBelow(const std::string& code, bool allLevels) {
    // The lines below a child come before the child's own line; without
    // allLevels only the direct lines.
    std::vector<int> out;
    clsIdPath path(codes_, cycles_);
    WalkDepthFirst(
        FindId(code), 0, path, [this](int id) -> const std::vector<int>& { return ParentLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ChildId(a); },
        [&](int, int) { return WalkStep{allLevels, 0}; }, [&](int a) { out.push_back(a); });
    return out;
}

namespace {

// The 員数 of the list rows over one collection: a direct row shows its
// line's quantity; an indirect row the sum, over the collected lines of its
// code, of the path quantity of the line's parent times the line's quantity.
// The path quantity follows the first collected line of each code up to the
// selected code. Memoised per code; a loop in the collection counts 0. Codes
// go by their numbers: line -> (parent, child) numbers.
class RowQuantities {
public:
    RowQuantities(const std::vector<clsStructure::sData>& lines, const std::vector<std::pair<int, int>>& ids,
                  size_t codes, int code, const std::vector<int>& collected)
        : lines_(lines), ids_(ids), code_(code), collected_(collected), byChild_(codes), state_(codes, 0),
          path_(codes, 0), indirect_(codes, -1) {
        for (size_t i = 0; i < collected.size(); ++i) byChild_[static_cast<size_t>(Child(i))].push_back(i);
    }

    long long RowQuantity(size_t row) {
        size_t c = static_cast<size_t>(Child(row));
        if (Parent(row) == code_) {
            for (size_t i : byChild_[c])
                if (Parent(i) == code_) return Line(i).Quantity;
            return 0;
        }
        if (indirect_[c] < 0) {
            long long sum = 0;
            for (size_t i : byChild_[c]) sum += PathQuantity(Parent(i)) * Line(i).Quantity;
            indirect_[c] = sum;
        }
        return indirect_[c];
    }

    // Up the chain of first collected lines until a code whose path quantity
    // is known, a line from the selected code, a code no collected line
    // leads to (0) or a loop (0); then the products back down the chain.
    long long PathQuantity(int p) {
        std::vector<int> chain;
        long long q = 0;
        for (int x = p;;) {
            size_t i = static_cast<size_t>(x);
            if (state_[i] == 2) {
                q = path_[i];
                break;
            }
            if (byChild_[i].empty()) {
                state_[i] = 2;
                path_[i] = 0;
                q = 0;
                break;
            }
            if (state_[i] == 1) {  // a stored loop
                q = 0;
                break;
            }
            size_t first = byChild_[i].front();
            if (Parent(first) == code_) {
                state_[i] = 2;
                q = path_[i] = Line(first).Quantity;
                break;
            }
            state_[i] = 1;
            chain.push_back(x);
            x = Parent(first);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            size_t i = static_cast<size_t>(*it);
            q *= Line(byChild_[i].front()).Quantity;
            path_[i] = q;
            state_[i] = 2;
        }
        return q;
    }

private:
    const clsStructure::sData& Line(size_t i) const { return lines_[static_cast<size_t>(collected_[i])]; }
    int Parent(size_t i) const { return ids_[static_cast<size_t>(collected_[i])].first; }
    int Child(size_t i) const { return ids_[static_cast<size_t>(collected_[i])].second; }

    const std::vector<clsStructure::sData>& lines_;
    const std::vector<std::pair<int, int>>& ids_;
    int code_;
    const std::vector<int>& collected_;
    std::vector<std::vector<size_t>> byChild_;  // code -> collected rows with that child
    std::vector<char> state_;                   // 1 on the chain being followed, 2 known
    std::vector<long long> path_;
    std::vector<long long> indirect_;  // -1 until known
};

}  // namespace

std::vector<long long> clsStructure::ListQuantities(const std::string& code, const std::vector<int>& collected) {
    RowQuantities q(lines_, lineIds_, codes_.size(), FindId(code), collected);
    std::vector<long long> out(collected.size());
    for (size_t i = 0; i < collected.size(); ++i) out[i] = q.RowQuantity(i);
    return out;
}

const clsStructure::sMstData* clsStructure::ChildItem(int line) const {
    int item = itemOf_[static_cast<size_t>(ChildId(line))];
    return item ? &items_[static_cast<size_t>(item)] : nullptr;
}

std::vector<clsStructure::sListEdt> clsStructure::ListRows(const std::string& code,
                                                            const std::vector<int>& collected) {
    std::vector<long long> quantities = ListQuantities(code, collected);
    std::vector<sListEdt> rows;
    rows.reserve(collected.size());
    for (size_t i = 0; i < collected.size(); ++i) {
        const sData& l = lines_[static_cast<size_t>(collected[i])];
        sListEdt r;
        r.Code = l.ChildCode;
        r.Direct = l.ParentCode == code ? 1 : 0;
        r.Kflg = l.Kflg;
        r.Cflg = l.Cflg;
        r.Quantity = quantities[i];
        r.Line = collected[i];
        rows.push_back(std::move(r));
    }
    return rows;
}

clsStructure::sListResult clsStructure::FillList(const std::string& code, bool allLevels) {
    sListResult out = ShownRows(ListRows(code, CollectBelow(code, allLevels)),
                                [this](const std::string& c) { return FindItem(c); });
    out.CostTotal = CostTotal(code, allLevels);
    return out;
}

clsStructure::sListResult ShownRows(const std::vector<clsStructure::sListEdt>& rows,
                                    const std::function<const clsStructure::sMstData*(const std::string&)>& find) {
    clsStructure::sListResult out;
    out.Rows.reserve(rows.size());
    // Rows repeat the same items many times: the price text once per item.
    std::unordered_map<const clsStructure::sMstData*, std::string> prices;
    for (const auto& r : rows) {
        const clsStructure::sMstData* m = find(r.Code);
        if (!m) continue;
        auto [price, fresh] = prices.try_emplace(m);
        if (fresh) price->second = FormatMoney(m->Tanka);
        clsStructure::sListRow row;
        row.Code = r.Code;
        row.KbnText = KbnText(m->Kbn);
        row.Quantity = std::to_string(r.Quantity);
        row.Name = m->Name;
        row.Price = price->second;
        row.Direct = r.Direct == 1;
        row.Dimmed = r.Kflg == 0;
        row.Image = ChildImage(m->Kbn, r.Cflg);
        row.Line = r.Line;
        CountShownRow(m->Kbn, out.UnitCount, out.PartsCount);
        out.Rows.push_back(std::move(row));
    }
    return out;
}

// ---------------------------------------------------------------------------
// Cost

struct clsStructure::RollUpCall {
    int al = 0;                // allLevels as an index
    std::vector<char> state;   // by code number: 1 on the path, 2 done
    std::vector<double> memo;  // by code number, when done
    std::vector<int> path;
    std::vector<int> done;
    bool cut = false;          // a loop was cut short
};

double clsStructure::RollUpCost(const std::string& code, bool allLevels) {
    int id = FindId(code);
    if (id < 0) return 0;
    RollUpCall call;
    call.al = allLevels ? 1 : 0;
    call.state.assign(codes_.size(), 0);
    call.memo.assign(codes_.size(), 0);
    if (costKnown_[call.al].size() < codes_.size()) {
        costKnown_[call.al].resize(codes_.size(), 0);
        costMemo_[call.al].resize(codes_.size(), 0);
    }
    double total = RollUp(id, call);
    // A sum below a loop depends on where the walk entered the loop: keep
    // only the sums of calls that met none.
    if (!call.cut)
        for (int d : call.done) {
            costKnown_[call.al][static_cast<size_t>(d)] = 1;
            costMemo_[call.al][static_cast<size_t>(d)] = call.memo[static_cast<size_t>(d)];
        }
    return total;
}

double clsStructure::RollUp(int top, RollUpCall& call) {
    // Depth first on a stack of its own; each frame sums the live lines of
    // its code in order: quantity x price, then with allLevels quantity x
    // the sum below the child, once that is known.
    struct Frame {
        int id;
        size_t next = 0;
        double total = 0;
        double pending = 0;  // quantity of the line whose child is being summed
    };
    std::vector<Frame> stack;
    double result = 0;
    // The sum below id when it is known (a loop counts 0), or a new frame.
    auto enter = [&](int id, double& value) {
        size_t i = static_cast<size_t>(id);
        if (costKnown_[call.al][i]) {
            value = costMemo_[call.al][i];
            return false;
        }
        if (call.state[i] == 2) {
            value = call.memo[i];
            return false;
        }
        if (call.state[i] == 1) {
            // A stored loop: its closing line adds its own price, nothing below.
            std::vector<std::string> loop;
            for (auto it = std::find(call.path.begin(), call.path.end(), id); it != call.path.end(); ++it)
                loop.push_back(codes_[static_cast<size_t>(*it)]);
            loop.push_back(codes_[i]);
            cycles_.Record(loop);
            call.cut = true;
            value = 0;
            return false;
        }
        call.state[i] = 1;
        call.path.push_back(id);
        stack.push_back(Frame{id});
        return true;
    };
    if (!enter(top, result)) return result;
    while (!stack.empty()) {
        Frame& f = stack.back();
        const std::vector<int>& lines = ParentLines(f.id);
        if (f.next < lines.size()) {
            int a = lines[f.next++];
            const sData& l = lines_[static_cast<size_t>(a)];
            if (l.Removed) continue;
            size_t child = static_cast<size_t>(ChildId(a));
            int item = itemOf_[child];
            double price = item ? items_[static_cast<size_t>(item)].Tanka : 0;
            double q = static_cast<double>(l.Quantity);
            f.total += q * price;
            if (!call.al) continue;
            double below = 0;
            f.pending = q;
            if (enter(static_cast<int>(child), below)) continue;  // f is not used after a push
            f.total += q * below;
            continue;
        }
        size_t i = static_cast<size_t>(f.id);
        call.path.pop_back();
        call.state[i] = 2;
        call.memo[i] = f.total;
        call.done.push_back(f.id);
        double total = f.total;
        stack.pop_back();
        if (stack.empty()) result = total;
        else stack.back().total += stack.back().pending * total;
    }
    return result;
}

double clsStructure::CostTotal(const std::string& code, bool allLevels) {
    const sMstData* item = FindItem(code);
    return (item ? item->Tanka : 0) + RollUpCost(code, allLevels);
}

// ---------------------------------------------------------------------------
// Row counts

unsigned long long clsStructure::CountPaths(int top, bool withItemOnly) {
    return CountLinesOnPaths(
        top, codes_.size(), [this](int id) -> const std::vector<int>& { return ParentLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ChildId(a); },
        [&](int a) { return !withItemOnly || itemOf_[static_cast<size_t>(ChildId(a))] != 0; });
}

std::string GroupedCount(unsigned long long n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string ListRowsQuestion(unsigned long long rows) {
    return "一覧は " + GroupedCount(rows) + " 行になります。\n表示しますか？";
}

std::string PrintLinesQuestion(unsigned long long lines) {
    return "印刷は " + GroupedCount(lines) + " 行になります。\n印刷しますか？";
}

unsigned long long clsStructure::CountListRows(const std::string& code, bool allLevels) {
    int id = FindId(code);
    if (id < 0) return 0;
    if (allLevels) return CountPaths(id, true);
    unsigned long long n = 0;
    for (int a : ParentLines(id))
        if (!lines_[static_cast<size_t>(a)].Removed && itemOf_[static_cast<size_t>(ChildId(a))]) ++n;
    return n;
}

unsigned long long clsStructure::CountPrintLines() {
    unsigned long long n = 0;
    for (int i = 1; i < RootCount(); ++i)
        n = SaturatingAdd(n, SaturatingAdd(1, CountPaths(FindId(RootCodes[static_cast<size_t>(i)]), false)));
    return n;
}

// ---------------------------------------------------------------------------
// Print lists

void clsStructure::CollectPrintLines(std::vector<sData>& list, const std::string& code, int level) {
    // A line, then everything below its child (parent before children).
    clsIdPath path(codes_, cycles_);
    WalkDepthFirst(
        FindId(code), level, path, [this](int id) -> const std::vector<int>& { return ParentLines(id); },
        [this](int a) { return lines_[static_cast<size_t>(a)].Removed ? -1 : ChildId(a); },
        [&](int a, int lv) {
            sData copy = lines_[static_cast<size_t>(a)];
            copy.Level = lv + 1;
            list.push_back(std::move(copy));
            return WalkStep{true, lv + 1};
        },
        [](int) {});
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

std::string PrintCodeText(int level, bool siblingFollows, const clsStructure::sMstData* item, const std::string& code) {
    // One column per ancestor. A printed page shows far fewer than
    // kPrintedColumns; a deeper line starts with its level in brackets and
    // draws the last kPrintedColumns only, so that the texts of a long chain
    // grow with its length, not with its square.
    std::string s;
    int columns = level - 1;
    if (columns > kPrintedColumns) {
        s = "[" + std::to_string(level) + "]";
        columns = kPrintedColumns;
    }
    for (int i = 0; i < columns; ++i) s += "│　";
    if (level > 0) s += siblingFollows ? "├─" : "└─";
    if (item) s += KbnMark(item->Kbn);
    return s + code;
}

std::vector<std::string> PartsLineTexts(const std::string& codeColumn, const clsStructure::sData& l,
                                        const clsStructure::sMstData* m) {
    return {codeColumn,        m ? m->Name : "",   std::to_string(l.Quantity), l.Kflg == 1 ? "○" : "",
            l.Cflg == 1 ? "○" : "", m ? m->Keitai : "", m ? m->Kikaku : "",        m ? FormatMoney(m->Tanka) : ""};
}

std::string clsStructure::PrintCodeColumn(const std::vector<sData>& list, size_t q) const {
    const sData& l = list[q];
    bool sibling = q + 1 < list.size() && list[q + 1].ParentCode == l.ParentCode;
    return PrintCodeText(l.Level, sibling, FindItem(l.ChildCode), l.ChildCode);
}

std::vector<std::vector<std::string>> clsStructure::PartsReportLines() {
    std::vector<sData> list = PrintList();
    std::vector<std::vector<std::string>> out;
    for (size_t q = 1; q < list.size(); ++q)
        out.push_back(PartsLineTexts(PrintCodeColumn(list, q), list[q], FindItem(list[q].ChildCode)));
    return out;
}

std::vector<std::vector<std::string>> clsStructure::GenkaReportLines() {
    std::vector<sData> list = PrintList();
    std::vector<std::vector<std::string>> out;
    for (size_t q = 1; q < list.size(); ++q) {
        const sMstData* m = FindItem(list[q].ChildCode);
        auto money = [&](double v) { return m ? FormatMoney(v) : std::string(); };
        out.push_back({PrintCodeColumn(list, q), std::to_string(list[q].Quantity), money(m ? m->Tanka : 0),
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
    auto st = Db().PrepareJet("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(parent) +
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
    auto st = Db().Prepare(
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
        c.Appended = AppendLine(l, Id(parent), Id(newChild));
        LoadCount = 0;
        LoadLines(newChild);
        LoadItems(false);
    }
    return c;
}

clsItemReader::clsItemReader(const Statement& st)
    : cd_(StatementColumn(st, "CD")),
      kbn_(StatementColumn(st, "KBN")),
      name_(StatementColumn(st, "NAME")),
      keitai_(StatementColumn(st, "KEITAI")),
      kikaku_(StatementColumn(st, "KIKAKU")),
      tanka_(StatementColumn(st, "TANKA")),
      syu_(StatementColumn(st, "SYUZAIHI")),
      kak_(StatementColumn(st, "KAKOUHI")),
      gai_(StatementColumn(st, "GAICHUUHI")),
      etc_(StatementColumn(st, "ETCHI")),
      tani_(StatementColumn(st, "TANI")) {}

clsStructure::sMstData clsItemReader::Read(Statement& st) const {
    clsStructure::sMstData m;
    m.Code = st.ColumnText(cd_);
    m.Kbn = static_cast<int>(st.Column(kbn_).AsInt());
    m.Name = st.ColumnText(name_);
    m.Keitai = st.ColumnText(keitai_);
    m.Kikaku = st.ColumnText(kikaku_);
    m.Tanka = st.Column(tanka_).AsDouble();
    m.Syuzaihi = st.Column(syu_).AsDouble();
    m.Kakouhi = st.Column(kak_).AsDouble();
    m.Gaichuuhi = st.Column(gai_).AsDouble();
    m.Etchi = st.Column(etc_).AsDouble();
    m.Tani = st.ColumnText(tani_);
    return m;
}
