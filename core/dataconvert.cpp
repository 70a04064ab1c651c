#include "dataconvert.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "fileutil.h"
#include "filecommands.h"
#include "jetsql.h"
#include "notify.h"
#include "ucommon.h"
#include "udaoment.h"

const char* const kMsgConvertNoSource = "変換元ﾌｧｲﾙ名を選んでください。\n";
const char* const kMsgConvertNoTarget = "変換先ﾌｧｲﾙ名を選んでください。\n";
const char* const kMsgConvertAlreadyCurrent = "すでにVersion2.0の形式のﾃﾞｰﾀです。変換する必要はありません。\n";
const char* const kMsgConvertDone = "変換が実行されました。\n";

namespace {

const char* const kTable = "iStruct";

// The rebuilt columns in their final order and their current types.
struct Rebuilt {
    const char* column;
    bool isDouble;  // double, else short
};
const Rebuilt kRebuilt[] = {{"INZU", true}, {"KFLG", false}, {"CFLG", false}};

// A number written as text, as the engine reads it when it stores text in a
// numeric column: optional blanks around a decimal or exponent literal.
bool ParseNumber(const std::string& text, double* value) {
    size_t b = 0, e = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; };
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    if (b == e) return false;
    std::string t = text.substr(b, e - b);
    // Only plain decimal forms: no hexadecimal, no "inf" or "nan".
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' ||
              c == 'E'))
            return false;
    char* end = nullptr;
    double v = StrToDoubleC(t.c_str(), &end);
    if (end != t.c_str() + t.size()) return false;
    *value = v;
    return true;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

void RemoveFile(const std::string& path) {
    unlink(path.c_str());
    unlink((path + "-journal").c_str());
}

}  // namespace

std::vector<std::string> clsConvert::RebuildStatements() {
    std::vector<std::string> out;
    const std::string alter = std::string("alter table ") + kTable;
    const std::string update = std::string("update ") + kTable;
    for (const auto& r : kRebuilt) {
        const std::string col = r.column;
        out.push_back(alter + (r.isDouble ? " add buf double" : " add buf short"));
        out.push_back(update + " set buf = " + col);
        out.push_back(alter + " drop " + col);
        out.push_back(alter + " add " + col + (r.isDouble ? " double" : " short"));
        out.push_back(update + " set " + col + " = buf");
        out.push_back(alter + " drop buf");
    }
    return out;
}

ConvertStatus clsConvert::Refuse(const std::string& text) {
    message_ = text;
    if (message_.empty() || message_.back() != '\n') message_ += "\n";
    return ConvertStatus::Refused;
}

ConvertStatus clsConvert::Fail(const std::string& step, const std::string& reason) {
    message_ = "変換できませんでした。\n";
    message_ += "失敗した手順: " + step + "\n";
    if (!reason.empty()) message_ += reason + "\n";
    message_ += targetExisted_ ? "変換先ﾌｧｲﾙは変更されていません。\n" : "変換先ﾌｧｲﾙは作成されていません。\n";
    return ConvertStatus::Failed;
}

std::string clsConvert::CheckValues(clsDao& source) {
    auto st = source.GetDatabase()->Prepare("SELECT CD1, CD2, INZU, KFLG, CFLG FROM iStruct ORDER BY rowid");
    while (st->Step()) {
        for (int i = 0; i < 3; ++i) {
            const Rebuilt& r = kRebuilt[i];
            int c = 2 + i;
            if (st->ColumnIsNull(c)) continue;
            Variant v = st->Column(c);
            double d = 0;
            bool number = false;
            bool wasText = v.GetType() == Variant::Type::Text;
            switch (v.GetType()) {
                case Variant::Type::Int:
                case Variant::Type::Bool: d = static_cast<double>(v.AsInt()); number = true; break;
                case Variant::Type::Double: d = v.AsDouble(); number = true; break;
                case Variant::Type::Text: number = ParseNumber(v.AsText(), &d); break;
                case Variant::Type::Null: continue;
            }
            std::string problem;
            if (r.isDouble) {
                // The program reads a quantity as a 32-bit whole number.
                if (!number) problem = "数値ではありません。";
                else if (!std::isfinite(d) || d < -2147483648.0 || d > 2147483647.0)
                    problem = "員数の範囲 -2147483648～2147483647 を超えています。";
            } else {
                if (!number) problem = wasText ? "文字は整数 (short) の列に変換できません。" : "数値ではありません。";
                else if (!std::isfinite(d) || d < -32768.0 || d > 32767.0)
                    problem = "整数 (short) の範囲 -32768～32767 を超えています。";
                else if (d != std::floor(d)) problem = "整数ではありません。";
            }
            if (problem.empty()) continue;
            return std::string("変換できない値があります。\n") + "テーブル " + kTable + " の列 " + r.column +
                   " (CD1 = " + Quoted(st->ColumnText(0)) + ", CD2 = " + Quoted(st->ColumnText(1)) + "): 値 " +
                   Quoted(st->ColumnText(c)) + " は" + problem + "\n";
        }
    }
    return "";
}

ConvertStatus clsConvert::Run(const std::string& source, const std::string& target) {
    message_.clear();
    targetExisted_ = false;
    if (source.empty()) {
        message_ = kMsgConvertNoSource;
        return ConvertStatus::NoSource;
    }
    if (target.empty()) {
        message_ = kMsgConvertNoTarget;
        return ConvertStatus::NoTarget;
    }
    // The connection's error reports become part of the one message of this run.
    DataStoreErrorCollector errors;
    clsDao src;
    if (src.OpenDatabase(source, true) != 0) return Refuse("変換元ﾌｧｲﾙを開けません。\n" + errors.Take());
    int version = DataFileVersion(src);
    if (version == 2) {
        src.Close();
        message_ = kMsgConvertAlreadyCurrent;
        return ConvertStatus::AlreadyCurrent;
    }
    if (version != 1) {
        src.Close();
        return Refuse("変換元ﾌｧｲﾙ " + source + " はVelmoのﾃﾞｰﾀﾌｧｲﾙではありません。\n");
    }
    if (SameFile(source, target)) {
        src.Close();
        return Refuse("変換元と変換先に同じﾌｧｲﾙが指定されています。\n変換先には別のﾌｧｲﾙ名を指定してください。\n");
    }
    std::string bad;
    long long rows = 0;
    try {
        bad = CheckValues(src);
        auto count = src.GetDatabase()->Prepare("SELECT COUNT(*) FROM iStruct");
        count->Step();
        rows = count->ColumnInt(0);
    } catch (const std::exception& e) {
        src.Close();
        return Refuse(std::string("変換元ﾌｧｲﾙの構成表を読めません。\n") + e.what());
    }
    if (!bad.empty()) {
        src.Close();
        return Refuse(bad + "変換先ﾌｧｲﾙは作成されていません。\n");
    }
    std::string readOnly = TargetFileMessage(target);
    if (!readOnly.empty()) {
        src.Close();
        return Refuse(readOnly);
    }
    targetExisted_ = FileExists(target);

    clsDaoMent ment;
    std::string tmp;
    try {
        tmp = ment.MakeTempName(DirName(target));
    } catch (const std::exception& e) {
        src.Close();
        return Fail("変換元ﾌｧｲﾙの複写", e.what());
    }
    // 1. A consistent copy of the source, taken through its read-only
    //    connection.
    try {
        auto copy = src.GetDatabase()->Prepare("VACUUM INTO ?");
        copy->Bind(1, Variant(tmp));
        copy->Step();
    } catch (const std::exception& e) {
        src.Close();
        RemoveFile(tmp);
        return Fail("変換元ﾌｧｲﾙの複写", e.what());
    }
    src.Close();
    // 2. The tables of the current layout that version 1 lacks.
    try {
        CreateSchema(tmp, 1);
    } catch (const std::exception& e) {
        RemoveFile(tmp);
        return Fail("OrderPlan と Supply の追加", e.what());
    }
    // 3. The three columns with their current types.
    {
        clsDao dst;
        if (dst.OpenDatabase(tmp) != 0) {
            RemoveFile(tmp);
            return Fail("複写したﾌｧｲﾙを開く", errors.Take());
        }
        const auto statements = RebuildStatements();
        for (size_t i = 0; i < statements.size(); ++i) {
            if (dst.Execute(statements[i]) != 0) {
                dst.Close();
                RemoveFile(tmp);
                return Fail(std::to_string(i + 1) + "/" + std::to_string(statements.size()) + " 「" +
                                statements[i] + "」",
                            errors.Take());
            }
        }
        // The indexes a new data file has (older files may lack them).
        try {
            CreateSchemaIndexes(*dst.GetDatabase());
        } catch (const std::exception& e) {
            dst.Close();
            RemoveFile(tmp);
            return Fail("索引の作成", e.what());
        }
        if (dst.Close() != 0) {
            RemoveFile(tmp);
            return Fail("変換したﾌｧｲﾙを閉じる", errors.Take());
        }
    }
    // 4. The result must open as a data file of the current layout with every
    //    structure line.
    {
        clsDao check;
        bool ok = check.OpenDatabase(tmp, true) == 0;
        std::string reason;
        if (ok) {
            for (const auto& t : VelmoSchema())
                if (check.TableCheck(t.name) != 0) {
                    ok = false;
                    reason = std::string("テーブル ") + t.name + " がありません。";
                }
            try {
                const auto& cols = check.GetDatabase()->Table(kTable).columns;
                size_t n = cols.size();
                for (size_t i = 0; ok && i < 3; ++i) {
                    const Rebuilt& r = kRebuilt[i];
                    if (n < 5 || cols[n - 3 + i].name != r.column ||
                        cols[n - 3 + i].type != (r.isDouble ? jtDouble : jtShort)) {
                        ok = false;
                        reason = std::string("テーブル iStruct の列 ") + r.column + " が変換されていません。";
                    }
                }
                auto count = check.GetDatabase()->Prepare("SELECT COUNT(*) FROM iStruct");
                count->Step();
                if (ok && count->ColumnInt(0) != rows) {
                    ok = false;
                    reason = "テーブル iStruct の行数が変換元と一致しません。";
                }
            } catch (const std::exception& e) {
                ok = false;
                reason = e.what();
            }
            check.Close();
        }
        if (!ok) {
            RemoveFile(tmp);
            std::string r = errors.Take();
            return Fail("変換結果の確認", reason.empty() ? r : reason);
        }
    }
    // 5. Into place in one step; a file replaced keeps its permissions.
    struct stat old;
    if (targetExisted_ && stat(target.c_str(), &old) == 0) chmod(tmp.c_str(), old.st_mode & 07777);
    if (rename(tmp.c_str(), target.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        RemoveFile(tmp);
        return Fail("変換先ﾌｧｲﾙ " + target + " への置き換え", reason);
    }
    message_ = kMsgConvertDone;
    return ConvertStatus::Converted;
}
