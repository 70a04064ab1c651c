// Small structures written as text, for the structure tests of every layer:
// items "CODE:KBN:PRICE" and lines "PARENT>CHILD*QTY" with optional ":K"
// (managed flag, default 1) and ":C" (check flag, default 0) suffixes, e.g.
// "U1>P1*2:0:1". Items get the name "name of CODE", form "F", specification
// "S", costs 1, 2, 3, 4 and the unit "個".
#pragma once
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"
#include "ucommon.h"
#include "udao.h"
#include "verror.h"

inline std::vector<std::string> SpecWords(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Runs the statements in one transaction; a refused statement throws.
inline void ExecAll(clsDao& dao, const std::vector<std::string>& sql) {
    dao.BeginTrans();
    for (const auto& s : sql)
        if (dao.Execute(s) != 0) {
            dao.EndTrans(0);
            throw VelmoError("Test", "statement refused: " + s);
        }
    dao.EndTrans(1);
}

inline void InsertItems(clsDao& dao, const std::string& spec) {
    std::vector<std::string> sql;
    for (const auto& w : SpecWords(spec)) {
        std::string code = GetToken(w, 1, ":"), kbn = GetToken(w, 2, ":"), price = GetToken(w, 3, ":");
        sql.push_back("INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU, TANKA, SYUZAIHI, KAKOUHI, GAICHUUHI, "
                      "ETCHI, TANI) VALUES ('" + SqlEsc(code) + "', " + kbn + ", 'name of " + SqlEsc(code) +
                      "', 'F', 'S', " + (price.empty() ? "0" : price) + ", 1, 2, 3, 4, '個')");
    }
    ExecAll(dao, sql);
}

inline void InsertLines(clsDao& dao, const std::string& spec) {
    std::vector<std::string> sql;
    for (const auto& w : SpecWords(spec)) {
        std::string pc = GetToken(w, 1, "*"), rest = GetToken(w, 2, "*");
        std::string parent = GetToken(pc, 1, ">"), child = GetToken(pc, 2, ">");
        std::string qty = GetToken(rest, 1, ":"), k = GetToken(rest, 2, ":"), c = GetToken(rest, 3, ":");
        sql.push_back("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('" + SqlEsc(parent) + "', '" +
                      SqlEsc(child) + "', " + qty + ", " + (k.empty() ? "1" : k) + ", " + (c.empty() ? "0" : c) + ")");
    }
    ExecAll(dao, sql);
}

// A chain D000000 > D000001 > ... > D<n> of n lines, quantity 1 each: a body
// at the top, a part at the bottom, units between, each priced 1. Written
// through prepared statements: deep chains have many lines.
inline std::string ChainCode(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "D%06d", i);
    return buf;
}

inline void InsertChain(clsDao& dao, int n) {
    auto db = dao.GetDatabase();
    db->BeginTrans();
    auto item = db->Prepare("INSERT INTO MasItem (CD, KBN, NAME, TANKA) VALUES (?, ?, ?, 1)", true);
    auto line = db->Prepare("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES (?, ?, 1, 1, 0)", true);
    for (int i = 0; i <= n; ++i) {
        item->Reset();
        item->Bind(1, ChainCode(i));
        item->Bind(2, i == 0 ? 2 : i == n ? 0 : 1);
        item->Bind(3, "name of " + ChainCode(i));
        item->Step();
        if (i == n) break;
        line->Reset();
        line->Bind(1, ChainCode(i));
        line->Bind(2, ChainCode(i + 1));
        line->Step();
    }
    item.reset();
    line.reset();
    db->CommitTrans();
}
