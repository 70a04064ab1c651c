#include "explosion.h"

#include <algorithm>
#include <unordered_map>
#include <string_view>
#include <unordered_set>

#include "engine.h"
#include "settings.h"
#include "structure.h"
#include "ucommon.h"

bool IsSupplyCurrent(const std::string& monthKey) { return !AppSettings().ReadString("SupEnt", monthKey, "").empty(); }

void MarkSupplyCurrent(const std::string& monthKey, const std::string& date) {
    AppSettings().WriteString("SupEnt", monthKey, date);
}

namespace {

using Wide = __int128;

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Sums beyond this are out of range whatever follows; it keeps the wide sums
// far from their own limit (terms are below 2^53 x 2^63).
constexpr Wide kSumGuard = static_cast<Wide>(1) << 120;

// Items of every node in one array: node n has items[start[n]] up to
// items[start[n + 1]].
template <class T>
struct Buckets {
    std::vector<int> start;
    std::vector<T> items;
    size_t Size(int n) const { return static_cast<size_t>(start[static_cast<size_t>(n) + 1] - start[static_cast<size_t>(n)]); }
    const T& At(int n, size_t i) const { return items[static_cast<size_t>(start[static_cast<size_t>(n)]) + i]; }
    // Fills the buckets from (node, item) pairs, keeping their order.
    template <class Pairs>
    void Fill(size_t nodes, const Pairs& pairs) {
        start.assign(nodes + 1, 0);
        for (const auto& [n, item] : pairs) ++start[static_cast<size_t>(n) + 1];
        for (size_t i = 1; i <= nodes; ++i) start[i] += start[i - 1];
        items.resize(static_cast<size_t>(start[nodes]));
        std::vector<int> next(start.begin(), start.end() - 1);
        for (const auto& [n, item] : pairs) items[static_cast<size_t>(next[static_cast<size_t>(n)]++)] = item;
    }
};

// The month's plan, the item categories and the structure lines, read once,
// with codes numbered by their folded form (the key columns' comparison).
struct Graph {
    struct Line {
        int parent = 0, child = 0;
        long long qty = 0;
        std::string ownText;  // the child code as the line holds it, when it differs from the node's
    };
    struct Use {
        int parent = 0;
        long long qty = 0;
    };
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> ids;  // folded code -> node
    std::vector<const std::string*> folded;    // node -> its key in ids
    std::vector<int> rank;                     // node -> place of its folded code in key order
    std::vector<std::string> text;             // node -> code as first met
    std::vector<int> kbn;                      // node -> MasItem.KBN, -1 without a record
    std::vector<long long> production;         // node -> SEISAN of the month, 0 without a row
    Buckets<int> down;                         // node -> its lines, as SELECT ... WHERE CD1 = orders them
    Buckets<Use> up;                           // node -> lines using it whose parent has an item record
    std::vector<Line> lines;
    std::vector<int> plan;                     // planned nodes in the order of the plan statement

    std::string key;  // reused: no allocation per lookup
    std::string_view Fold(std::string_view code) {
        key.assign(code);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return key;
    }
    int Node(const std::string& code) {
        auto found = ids.find(Fold(code));
        if (found != ids.end()) return found->second;
        auto [it, fresh] = ids.try_emplace(key, static_cast<int>(text.size()));
        if (fresh) {
            folded.push_back(&it->first);
            text.push_back(code);
            kbn.push_back(-1);
            production.push_back(0);
        }
        return it->second;
    }
    const std::string& ChildText(const Line& l) const {
        return l.ownText.empty() ? text[static_cast<size_t>(l.child)] : l.ownText;
    }
    int Find(const std::string& code) {
        auto it = ids.find(Fold(code));
        return it == ids.end() ? -1 : it->second;
    }
};

long long IntOf(Statement& st, int col) { return st.ColumnIsNull(col) ? 0 : st.Column(col).AsInt(); }

void ReadGraph(Database& db, const std::string& monthKey, Graph& g) {
    {
        auto st = db.PrepareJet("SELECT CD,SEISAN FROM OrderPlan WHERE OYM = '" + SqlEsc(monthKey) + "' ORDER BY CD");
        int cd = StatementColumn(*st, "CD"), se = StatementColumn(*st, "SEISAN");
        while (st->Step()) {
            int n = g.Node(st->ColumnText(cd));
            g.production[static_cast<size_t>(n)] = IntOf(*st, se);
            g.plan.push_back(n);
        }
    }
    std::vector<std::pair<std::string, int>> items;
    {
        auto st = db.PrepareJet("SELECT CD,KBN FROM MasItem");
        int cd = StatementColumn(*st, "CD"), kbn = StatementColumn(*st, "KBN");
        while (st->Step()) items.emplace_back(st->ColumnText(cd), static_cast<int>(IntOf(*st, kbn)));
    }
    {
        auto st = db.PrepareJet("SELECT CD1,CD2,INZU FROM iStruct");
        int c1 = StatementColumn(*st, "CD1"), c2 = StatementColumn(*st, "CD2"), qc = StatementColumn(*st, "INZU");
        while (st->Step()) {
            Graph::Line l;
            std::string parent = st->ColumnText(c1), child = st->ColumnText(c2);
            l.parent = g.Node(parent);
            l.child = g.Node(child);
            if (child != g.text[static_cast<size_t>(l.child)]) l.ownText = child;
            try {
                l.qty = IntOf(*st, qc);
            } catch (const ConvertError&) {
                throw ExplosionError("構成 " + parent + " → " + child + " の員数が整数の範囲を超えています。");
            }
            g.lines.push_back(std::move(l));
        }
    }
    // Items only matter as parents: codes that no line and no plan row names
    // are not numbered.
    for (const auto& [code, kbn] : items) {
        int n = g.Find(code);
        if (n >= 0 && g.kbn[static_cast<size_t>(n)] < 0) g.kbn[static_cast<size_t>(n)] = kbn;
    }
    // The per-parent statement answers from the key index: its lines ordered
    // by child code as the key column compares it (unique within a parent).
    std::vector<int> byKey(g.text.size());
    for (size_t i = 0; i < byKey.size(); ++i) byKey[i] = static_cast<int>(i);
    std::sort(byKey.begin(), byKey.end(),
              [&](int a, int b) { return *g.folded[static_cast<size_t>(a)] < *g.folded[static_cast<size_t>(b)]; });
    g.rank.assign(g.text.size(), 0);
    for (size_t i = 0; i < byKey.size(); ++i) g.rank[static_cast<size_t>(byKey[i])] = static_cast<int>(i);
    size_t nodes = g.text.size();
    std::vector<std::pair<int, int>> down;
    std::vector<std::pair<int, Graph::Use>> up;
    down.reserve(g.lines.size());
    up.reserve(g.lines.size());
    for (size_t i = 0; i < g.lines.size(); ++i) {
        const auto& l = g.lines[i];
        down.emplace_back(l.parent, static_cast<int>(i));
        if (g.kbn[static_cast<size_t>(l.parent)] >= 0) up.emplace_back(l.child, Graph::Use{l.parent, l.qty});
    }
    g.down.Fill(nodes, down);
    g.up.Fill(nodes, up);
    for (size_t n = 0; n < nodes; ++n) {
        auto first = g.down.items.begin() + g.down.start[n], last = g.down.items.begin() + g.down.start[n + 1];
        if (last - first > 1)
            std::sort(first, last, [&](int a, int b) {
                return g.rank[static_cast<size_t>(g.lines[static_cast<size_t>(a)].child)] <
                       g.rank[static_cast<size_t>(g.lines[static_cast<size_t>(b)].child)];
            });
    }
}

// The distinct children of the lines collected depth first below every
// planned item, in order of first appearance. An item met again below itself
// is a stored loop: recorded, and the line not followed.
struct Code {
    std::string text;
    int node;
};

std::vector<Code> CollectCodes(const Graph& g, clsCycleLog& cycles) {
    std::vector<Code> codes;
    // node -> position in codes of the first text taken for it; other
    // spellings of the same key (case variants) are distinct codes too.
    std::vector<int> first(g.text.size(), -1);
    std::unordered_set<std::string> variants;
    std::vector<char> state(g.text.size(), 0);  // 0 new, 1 on the path, 2 collected
    struct Frame {
        int node;
        size_t next;
    };
    std::vector<Frame> path;
    for (int root : g.plan) {
        if (state[static_cast<size_t>(root)]) continue;
        state[static_cast<size_t>(root)] = 1;
        path.push_back({root, 0});
        while (!path.empty()) {
            Frame& f = path.back();
            if (f.next == g.down.Size(f.node)) {
                state[static_cast<size_t>(f.node)] = 2;
                path.pop_back();
                continue;
            }
            const Graph::Line& l = g.lines[static_cast<size_t>(g.down.At(f.node, f.next))];
            char s = state[static_cast<size_t>(l.child)];
            if (s == 0) {
                // Below the child first; the line itself once it is done.
                state[static_cast<size_t>(l.child)] = 1;
                path.push_back({l.child, 0});
                continue;
            }
            if (s == 1) {
                std::vector<std::string> loop;
                auto from = std::find_if(path.begin(), path.end(), [&](const Frame& p) { return p.node == l.child; });
                for (auto it = from; it != path.end(); ++it) loop.push_back(g.text[static_cast<size_t>(it->node)]);
                loop.push_back(g.text[static_cast<size_t>(l.child)]);
                cycles.Record(loop);
            } else {
                int& f0 = first[static_cast<size_t>(l.child)];
                const std::string& text = g.ChildText(l);
                if (f0 < 0) {
                    f0 = static_cast<int>(codes.size());
                    codes.push_back({text, l.child});
                } else if (codes[static_cast<size_t>(f0)].text != text && variants.insert(text).second) {
                    codes.push_back({text, l.child});
                }
            }
            ++f.next;
        }
    }
    return codes;
}

// The demands from above of the codes' nodes and of everything above them,
// each computed once. Loops are recorded; the first demand out of range is
// named in outOfRange.
std::vector<long long> Demands(const Graph& g, const std::vector<Code>& codes, clsCycleLog& cycles,
                               std::string& outOfRange) {
    std::vector<long long> demand(g.text.size(), 0);
    std::vector<char> state(g.text.size(), 0);  // 0 new, 1 on the path, 2 known
    struct Frame {
        int node;
        size_t next;
        Wide sum;
        bool over;
    };
    std::vector<Frame> path;
    for (const auto& code : codes) {
        int start = code.node;
        if (state[static_cast<size_t>(start)]) continue;
        state[static_cast<size_t>(start)] = 1;
        path.push_back({start, 0, 0, false});
        while (!path.empty()) {
            Frame& f = path.back();
            if (f.next == g.up.Size(f.node)) {
                Wide d = f.sum;
                bool bad = f.over || d > kMaxExactNeed || d < -kMaxExactNeed;
                if (bad && outOfRange.empty()) outOfRange = g.text[static_cast<size_t>(f.node)];
                demand[static_cast<size_t>(f.node)] = bad ? 0 : static_cast<long long>(d);
                state[static_cast<size_t>(f.node)] = 2;
                path.pop_back();
                continue;
            }
            const Graph::Use& u = g.up.At(f.node, f.next);
            char s = state[static_cast<size_t>(u.parent)];
            if (s == 0) {
                state[static_cast<size_t>(u.parent)] = 1;
                path.push_back({u.parent, 0, 0, false});
                continue;
            }
            if (s == 1) {
                // The path runs upward: name the loop from the top down.
                std::vector<std::string> loop;
                auto from = std::find_if(path.begin(), path.end(), [&](const Frame& p) { return p.node == u.parent; });
                for (auto it = from; it != path.end(); ++it) loop.push_back(g.text[static_cast<size_t>(it->node)]);
                loop.push_back(g.text[static_cast<size_t>(u.parent)]);
                std::reverse(loop.begin(), loop.end());
                cycles.Record(loop);
            } else {
                // A parent without demand from above passes on its own
                // production of the month, when it is a body or a set.
                long long a = demand[static_cast<size_t>(u.parent)];
                if (a == 0) {
                    int k = g.kbn[static_cast<size_t>(u.parent)];
                    a = k == 2 || k == 3 ? g.production[static_cast<size_t>(u.parent)] : 0;
                }
                f.sum += static_cast<Wide>(u.qty) * a;
                if (f.sum > kSumGuard || f.sum < -kSumGuard) {
                    f.over = true;
                    f.sum = 0;
                }
            }
            ++f.next;
        }
    }
    return demand;
}

std::vector<clsExplosion::sHatData> Needs(Database& db, const std::string& monthKey,
                                          const std::function<void(const char*, size_t, size_t)>& progress) {
    if (progress) progress("読込", 0, 1);
    Graph g;
    ReadGraph(db, monthKey, g);
    if (progress) progress("計算", 0, 1);
    clsCycleLog cycles;
    std::vector<Code> codes = CollectCodes(g, cycles);
    std::string outOfRange;
    std::vector<long long> demand = Demands(g, codes, cycles, outOfRange);
    if (!cycles.Empty()) throw ExplosionError(cycles.Message());
    if (!outOfRange.empty())
        throw ExplosionError("品番 " + outOfRange + " の必要数が扱える範囲(±9,007,199,254,740,992)を超えています。");
    std::vector<clsExplosion::sHatData> needs;
    needs.reserve(codes.size());
    for (auto& c : codes) needs.push_back({std::move(c.text), std::max(demand[static_cast<size_t>(c.node)], 0LL)});
    return needs;
}

}  // namespace

std::vector<clsExplosion::sHatData> clsExplosion::ComputeNeeds(const std::string& monthKey) {
    Database& db = OpenDatabaseOf(dao_);
    ReadTransaction tx(db);
    return Needs(db, monthKey, OnProgress);
}

std::vector<clsExplosion::sSupplyRow> clsExplosion::Explode(const std::string& monthKey, const std::string& date) {
    Database& db = OpenDatabaseOf(dao_);
    std::vector<sSupplyRow> rows;
    // Reads and writes in one transaction: the needs are those of the data
    // written over, and a failure anywhere leaves Supply as it was.
    db.BeginTrans();
    try {
        std::vector<sHatData> needs = Needs(db, monthKey, OnProgress);
        std::unordered_map<std::string, long long> stock;
        {
            auto st = db.PrepareJet("SELECT CD,ZAIKO FROM Supply WHERE OYM = '" + SqlEsc(monthKey) + "'");
            int cd = StatementColumn(*st, "CD"), zk = StatementColumn(*st, "ZAIKO");
            while (st->Step()) stock.emplace(FoldCode(st->ColumnText(cd)), IntOf(*st, zk));
        }
        rows.reserve(needs.size());
        for (auto& n : needs) {
            auto it = stock.find(FoldCode(n.Code));
            long long s = it == stock.end() ? 0 : it->second;
            Wide supply = static_cast<Wide>(n.Need) - s;
            if (supply > kMaxExactNeed || supply < -kMaxExactNeed)
                throw ExplosionError("品番 " + n.Code + " の調達数が扱える範囲(±9,007,199,254,740,992)を超えています。");
            rows.push_back({std::move(n.Code), n.Need, s, static_cast<long long>(supply)});
        }
        // A row of the month is found by its key as the key columns compare
        // it; its ZAIKO and the columns not named here are kept.
        auto put = db.Prepare(
            "INSERT INTO Supply (OYM, CD, NEED, SUPPLY) VALUES (?, ?, ?, ?) "
            "ON CONFLICT (OYM, CD) DO UPDATE SET OYM = excluded.OYM, CD = excluded.CD, NEED = excluded.NEED, "
            "SUPPLY = excluded.SUPPLY");
        const size_t kStep = std::max<size_t>(1, rows.size() / 100);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (OnProgress && i % kStep == 0) OnProgress("書込", i, rows.size());
            put->Reset();
            put->Bind(1, monthKey);
            put->Bind(2, rows[i].Code);
            put->Bind(3, static_cast<double>(rows[i].Need));
            put->Bind(4, static_cast<double>(rows[i].Supply));
            put->Step();
        }
        put.reset();
        db.CommitTrans();
    } catch (...) {
        if (db.TransDepth() > 0) db.Rollback();
        throw;
    }
    MarkSupplyCurrent(monthKey, date);
    return rows;
}
