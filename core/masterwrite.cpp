#include "masterwrite.h"

#include "sjis.h"
#include "ucommon.h"

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string FieldTextsMessage(clsDao& dao, const std::string& table, const std::vector<sFieldText>& fields) {
    auto db = dao.GetDatabase();
    const TableInfo* info = db ? &db->Table(table) : nullptr;
    for (const auto& f : fields) {
        std::string bad = FirstNonSjisChar(f.value);
        if (!bad.empty())
            return f.caption + "にShift-JISで表せない文字" + DescribeChar(bad) +
                   "があります。\nこの文字は保存できません。別の文字で入力してください。";
        const ColumnInfo* c = info ? info->Find(f.column) : nullptr;
        if (c && c->size > 0 && CharCount(f.value) > static_cast<size_t>(c->size))
            return f.caption + "は" + f.note + std::to_string(c->size) + "文字以内で入力してください。";
    }
    return "";
}

int WriteInTransaction(clsDao& dao, const std::function<bool()>& write) {
    if (dao.BeginTrans() != 0) return 1;
    bool ok = false;
    try {
        ok = write();
    } catch (...) {
        dao.EndTrans(0);
        throw;
    }
    if (!ok) {
        dao.EndTrans(0);
        return 1;
    }
    if (dao.EndTrans(1) != 0) {
        // The commit was refused (disk full, file locked): nothing may stay
        // half-written, so the transaction is undone.
        auto db = dao.GetDatabase();
        if (db && db->TransDepth() > 0) dao.EndTrans(0);
        return 1;
    }
    return 0;
}

int WriteMasterRecord(clsDao& dao, const sMasterWrite& w, const std::function<bool(const std::string&)>& ask,
                      const std::function<void(clsDaoRs&)>& assign) {
    if (!w.overwriteQuestion.empty()) {
        clsDaoRs rs(dao.GetDatabase());
        rs.OpenRecordset(w.selectNew);
        bool exists = !rs.IsEOF();
        rs.Close();
        if (exists && !ask(w.overwriteQuestion)) return 1;
    }
    return WriteInTransaction(dao, [&] {
        clsDaoRs rs(dao.GetDatabase());
        if (!w.selectOld.empty()) {
            rs.OpenRecordset(w.selectOld);
            if (!rs.IsEOF()) rs.EditMode(3);
            rs.Close();
        }
        rs.OpenRecordset(w.selectNew);
        rs.EditMode(rs.IsEOF() ? 0 : 1);
        assign(rs);
        rs.EditMode(2);
        rs.Close();
        return true;
    });
}

std::string SqlText(const std::string& value) { return "'" + SqlEsc(value) + "'"; }
