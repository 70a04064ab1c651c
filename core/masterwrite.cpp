#include "masterwrite.h"

#include "ucommon.h"

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string TooLongMessage(clsDao& dao, const std::string& table, const std::vector<sFieldText>& fields) {
    auto db = dao.GetDatabase();
    if (!db) return "";
    const TableInfo& info = db->Table(table);
    for (const auto& f : fields) {
        const ColumnInfo* c = info.Find(f.column);
        if (!c || c->size <= 0) continue;
        if (CharCount(f.value) > static_cast<size_t>(c->size))
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

std::string SqlText(const std::string& value) { return "'" + SqlEsc(value) + "'"; }
