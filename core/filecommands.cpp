#include "filecommands.h"

#include <unistd.h>

#include "corever.h"
#include "fileutil.h"
#include "udaoment.h"

const char* const kDesignCaption = "構成表管理プログラム";
const char* const kDataFileFilter = "MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*";
const char* const kMsgOldVersion =
    "ﾃﾞｰﾀﾍﾞｰｽのﾊﾞｰｼﾞｮﾝが古いです。\n"
    "変換用のﾌﾟﾛｸﾞﾗﾑVelmo1_2.exeで\n"
    "ﾃﾞｰﾀﾍﾞｰｽの変換を行ってください。\n";
const char* const kMsgCompactQuestion = "現在開いているﾃﾞｰﾀﾍﾞｰｽを最適化します。よろしいですか？";
const char* const kMsgCompactDone = "最適化が終了しました。";
const char* const kMsgCompactReadOnly = "ﾃﾞｰﾀﾌｧｲﾙが読み取り専用のため、最適化できません。\n";

std::string DataFileCaption(const std::string& path) { return std::string(kAppTitle) + " [" + path + "]"; }

std::string NoDataFileMessage(bool search) {
    return std::string("現在ﾃﾞｰﾀﾌｧｲﾙが選択されていない状態です。\n") +
           "(ﾌｧｲﾙ - 新規作成)ｺﾏﾝﾄﾞでﾃﾞｰﾀﾌｧｲﾙを作成するか、\n" +
           "(ﾌｧｲﾙ - 開く)ｺﾏﾝﾄﾞでﾃﾞｰﾀﾌｧｲﾙを読み込むかしてから、\n" +
           (search ? "検索を行ってください。" : "編集を行ってください。");
}

std::string MissingDataFileMessage(const std::string& path) {
    return "ﾃﾞｰﾀﾌｧｲﾙ " + path + " が見つかりません。\n" + "削除されたか、移動された可能性があります。\n" +
           "(ﾌｧｲﾙ - 開く)ｺﾏﾝﾄﾞでﾃﾞｰﾀﾌｧｲﾙを開き直してください。\n";
}

std::string TargetFileMessage(const std::string& name) {
    if (FileExists(name) && access(name.c_str(), W_OK) != 0)
        return name + "\nこのﾌｧｲﾙは読み取り専用です。\n別の名前を指定してください。\n";
    return "";
}

bool IsCurrentVersion(clsDao& dao) { return DataFileVersion(dao) == 2; }

bool DataFileMissing(const clsDao& dao) {
    std::string p = dao.GetPath();
    return !p.empty() && !FileExists(p);
}

bool DataFileReadOnly(const clsDao& dao) {
    std::string p = dao.GetPath();
    return !p.empty() && access(p.c_str(), W_OK) != 0;
}

OpenResult OpenDataFile(clsDao& dao, const std::string& name) {
    std::string previous = dao.GetPath();
    // The connection swaps to the new file only when it has opened.
    if (dao.OpenDatabase(name) != 0) return OpenResult::Failed;
    if (IsCurrentVersion(dao)) return OpenResult::Opened;
    dao.Close();
    if (!previous.empty()) dao.OpenDatabase(previous);
    return OpenResult::OldVersion;
}

bool ReopenAtStart(clsDao& dao, const std::string& path) {
    if (path.empty() || !FileExists(path)) return false;
    if (dao.OpenDatabase(path) == 0 && !IsCurrentVersion(dao)) dao.Close();
    return true;
}

bool NewDataFile(clsDao& dao, const std::string& name) {
    std::string previous = dao.GetPath();
    if (!previous.empty()) dao.Close();
    try {
        CreateSchema(name, 0);
    } catch (...) {
        if (!previous.empty()) dao.OpenDatabase(previous);
        throw;
    }
    return dao.OpenDatabase(name) == 0;
}

SaveAsResult SaveDataFileAs(clsDao& dao, const std::string& name, std::string* error) {
    std::string previous = dao.GetPath();
    if (!previous.empty()) dao.Close();
    if (!CopyFileAtomic(previous, name, error)) {
        if (!previous.empty()) dao.OpenDatabase(previous);
        return SaveAsResult::CopyFailed;
    }
    if (dao.OpenDatabase(name) != 0) {
        if (!previous.empty()) dao.OpenDatabase(previous);
        return SaveAsResult::OpenFailed;
    }
    return SaveAsResult::Saved;
}

void CompactDataFile(clsDao& dao) {
    std::string path = dao.GetPath();
    dao.Close();
    try {
        clsDaoMent ment;
        ment.CompactDatabase(path);
    } catch (...) {
        dao.OpenDatabase(path);
        throw;
    }
    dao.OpenDatabase(path);
}
