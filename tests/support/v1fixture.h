// Data files of the previous layout (version 1) for the conversion tests:
// items, partners and structure lines in the older iStruct types.
#pragma once
#include <string>
#include <vector>

#include "engine.h"
#include "udaoment.h"

struct V1Line {
    std::string cd1, cd2;
    Variant inzu, kflg, cflg;  // as stored: INZU a whole number, flags "1"/"0"
};

// Makes a version-1 file at path. With pastLimits the values are written even
// where the file's own limits refuse them, as a file written by a tool that
// did not keep them.
inline void MakeVersion1File(const std::string& path, const std::vector<V1Line>& lines,
                             const std::vector<std::string>& itemCodes = {}, bool pastLimits = false) {
    CreateVersion1File(path);
    auto db = Database::Open(path);
    if (pastLimits) db->Prepare("PRAGMA ignore_check_constraints = ON")->Step();
    db->BeginTrans();
    for (const auto& l : lines) {
        auto st = db->Prepare("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES (?, ?, ?, ?, ?)");
        st->Bind(1, Variant(l.cd1));
        st->Bind(2, Variant(l.cd2));
        st->Bind(3, l.inzu);
        st->Bind(4, l.kflg);
        st->Bind(5, l.cflg);
        st->Step();
    }
    for (const auto& c : itemCodes) {
        auto st = db->Prepare("INSERT INTO MasItem (CD, KBN, NAME) VALUES (?, 2, ?)");
        st->Bind(1, Variant(c));
        st->Bind(2, Variant("name of " + c));
        st->Step();
    }
    db->Execute("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S1', '仕入先一')");
    db->CommitTrans();
    db->Close();
}
