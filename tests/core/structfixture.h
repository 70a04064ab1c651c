// Small structures written as text, for the structure and parent search
// tests: items "CODE:KBN:PRICE" and lines "PARENT>CHILD*QTY" (optional
// ":K" managed flag and ":C" check flag suffixes, e.g. "U1>P1*2:0:1").
#pragma once
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dbfixture.h"
#include "settings.h"
#include "ucommon.h"

class StructFile : public DataFileTest {
protected:
    // Many inserts in one transaction.
    struct Batch {
        explicit Batch(clsDao& d) : dao(d) { dao.BeginTrans(); }
        ~Batch() { dao.EndTrans(1); }
        clsDao& dao;
    };

    void SetUp() override {
        DataFileTest::SetUp();
        SetSettingsPath(dir.File("Velmo.ini"));
    }
    void TearDown() override { SetSettingsPath(""); }

    static std::vector<std::string> Words(const std::string& s) {
        std::istringstream in(s);
        std::vector<std::string> out;
        for (std::string w; in >> w;) out.push_back(w);
        return out;
    }

    // "B01:2:100 U01:1:10.5" (name = "name of <code>")
    void Items(const std::string& spec) {
        Batch batch(dao);
        for (const auto& w : Words(spec)) {
            std::string code = GetToken(w, 1, ":"), kbn = GetToken(w, 2, ":"), price = GetToken(w, 3, ":");
            Exec("INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU, TANKA, SYUZAIHI, KAKOUHI, GAICHUUHI, ETCHI, "
                 "TANI) VALUES ('" + SqlEsc(code) + "', " + kbn + ", 'name of " + SqlEsc(code) + "', 'F', 'S', " +
                 (price.empty() ? "0" : price) + ", 1, 2, 3, 4, '個')");
        }
    }

    // "B01>U01*2 U01>P01*3:1:0"
    void Lines(const std::string& spec) {
        Batch batch(dao);
        for (const auto& w : Words(spec)) {
            std::string pc = GetToken(w, 1, "*"), rest = GetToken(w, 2, "*");
            std::string parent = GetToken(pc, 1, ">"), child = GetToken(pc, 2, ">");
            std::string qty = GetToken(rest, 1, ":"), k = GetToken(rest, 2, ":"), c = GetToken(rest, 3, ":");
            Exec("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('" + SqlEsc(parent) + "', '" +
                 SqlEsc(child) + "', " + qty + ", " + (k.empty() ? "1" : k) + ", " + (c.empty() ? "0" : c) + ")");
        }
    }
};

// A tree walk (WalkTree of the structure or the parent search) as text: one
// line per node, indented by depth; codeOf names the node of a line.
template <class Walker>
std::string TreeText(Walker& w, const std::string& root, const std::function<std::string(int line)>& codeOf) {
    std::vector<int> depth{0};
    std::string out = root + "\n";
    w.WalkTree(root, 0, [&](int node, int line) {
        int d = depth[static_cast<size_t>(node)] + 1;
        depth.push_back(d);
        out += std::string(static_cast<size_t>(d), ' ') + codeOf(line) + "\n";
        return static_cast<int>(depth.size()) - 1;
    });
    return out;
}
