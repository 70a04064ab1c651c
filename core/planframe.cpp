#include "planframe.h"

#include <cstdio>

#include "sjis.h"
#include "ucommon.h"

const char* const kPlanLeaveQuestion = "ﾃﾞｰﾀが変更された形跡がありますが、保存しないまま\nこのまま戻ってよろしいですか？\n";
const char* const kPlanExitQuestion = "ﾃﾞｰﾀが変更された形跡がありますが、保存しないまま\nこのまま終了してよろしいですか？\n";
const char* const kPlanPrintFirst = "検索をしてから、印刷を実行してください。";
const char* const kPlanCsvDone = "CSVﾃﾞｰﾀを出力しました。";
const char* const kPlanCsvFilter = "CSVﾌｧｲﾙ|*.csv|全てのﾌｧｲﾙ|*.*";
const char* const kPlanCsvTitle = "CSV出力";
const char* const kPlanQuestionTitle = "Velmo";

long long PlanInt(const std::string& text) { return StrToIntDef(text, 0); }

std::string PlanHitText(long long n) { return "該当件数: " + std::to_string(n) + "件　　"; }

std::string PlanMonthTitle(int year, int month) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d年%02d月", year, month);
    return buf;
}

clsPlanFrame::clsPlanFrame(sPlanFrameConfig config) : config_(std::move(config)) {}

void clsPlanFrame::ResetWindow() {
    rows_.clear();
    modified_ = false;
    SetEditState(false);
}

void clsPlanFrame::SetEditState(bool on) {
    editState_ = on;
    if (!on) rows_.clear();
}

sPlanActions clsPlanFrame::Actions() const {
    sPlanActions a;
    a.searchControls = !editState_;
    a.clear = editState_;
    // Save needs the edit state and rows; print, CSV and the item view rows.
    a.save = editState_ && HasRows();
    a.print = a.csv = a.view = HasRows();
    a.closeHint = editState_ ? "戻る" : "閉じる";
    a.closeMenu = editState_ ? "戻る(&X)" : "閉じる(&X)";
    return a;
}

void clsPlanFrame::SetRows(std::vector<PlanRow> rows) {
    for (auto& r : rows) r.resize(config_.columns.size());
    rows_ = std::move(rows);
}

const std::string& clsPlanFrame::Cell(int row, int column) const {
    return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(column));
}

bool clsPlanFrame::Editable(int column) const {
    return column >= 0 && column < ColumnCount() && config_.columns[static_cast<size_t>(column)].editable;
}

bool clsPlanFrame::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !Editable(column)) return false;
    PlanRow& r = rows_[static_cast<size_t>(row)];
    r[static_cast<size_t>(column)] = text;
    if (config_.recompute) config_.recompute(r);
    modified_ = true;
    return true;
}

void clsPlanFrame::Clear() {
    modified_ = true;
    for (auto& r : rows_)
        for (int c : config_.clearColumns) r.at(static_cast<size_t>(c)) = "0";
}

PlanClose clsPlanFrame::CloseCommand() const {
    if (!editState_) return PlanClose::CloseWindow;
    return modified_ ? PlanClose::AskLeave : PlanClose::Leave;
}

void clsPlanFrame::Leave() {
    modified_ = false;
    SetEditState(false);
}

std::string PlanCsvField(const std::string& field) {
    bool enclose = false;
    for (unsigned char c : field)
        if ((c >= 1 && c <= 32) || c == ',') enclose = true;
    if (!enclose) return field;
    std::string out = " ";
    for (char c : field) {
        out += c;
        if (c == ' ') out += ' ';
    }
    out += ' ';
    return out;
}

std::string clsPlanFrame::CsvBytes() const {
    std::string text;
    auto endLine = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) text += ',';
            text += PlanCsvField(fields[i]);
        }
        text += "\r\n";
    };
    std::vector<std::string> fields;
    for (const auto& c : config_.columns) fields.push_back(c.header);
    endLine(fields);
    for (const auto& r : rows_) {
        fields.clear();
        for (size_t i = 0; i < config_.columns.size(); ++i) {
            switch (config_.columns[i].csv) {
            case PlanCsv::Plain: fields.push_back(r[i]); break;
            case PlanCsv::Quoted: fields.push_back("\"" + r[i] + "\""); break;
            case PlanCsv::Number: fields.push_back(CleanNumber(r[i], true)); break;
            }
        }
        endLine(fields);
    }
    return ToSjis(text);
}

// ---------------------------------------------------------------------------
// Settings

namespace {
const char* const kSection = "PREFORM";
}

sPlanFrameSettings LoadPlanFrameSettings(const IniFile& ini, const sPlanFrameKeys& keys) {
    sPlanFrameSettings s;
    for (size_t i = 0; i < 2; ++i) s.checks[i] = ini.ReadCheck(kSection, keys.checks[i]);
    const std::string& p = keys.coolPrefix;
    s.toolBarFirst = ini.ReadString(kSection, p + "1", "") != "2";
    s.break1 = ini.ReadString(kSection, p + "1B", "") == "1";
    s.break2 = ini.ReadString(kSection, p + "2B", "") == "1";
    s.width1 = ini.ReadInteger(kSection, p + "1W", 0);
    s.width2 = ini.ReadInteger(kSection, p + "2W", 0);
    return s;
}

void SavePlanFrameSettings(IniFile& ini, const sPlanFrameKeys& keys, const sPlanFrameSettings& s) {
    const std::string& p = keys.coolPrefix;
    ini.WriteStrings(kSection, {
                                   {keys.checks[0], s.checks[0] ? "1" : "0"},
                                   {keys.checks[1], s.checks[1] ? "1" : "0"},
                                   {p + "1", s.toolBarFirst ? "1" : "2"},
                                   {p + "2", s.toolBarFirst ? "2" : "1"},
                                   {p + "1B", s.break1 ? "1" : "0"},
                                   {p + "2B", s.break2 ? "1" : "0"},
                                   {p + "1W", std::to_string(s.width1)},
                                   {p + "2W", std::to_string(s.width2)},
                               });
}

std::vector<int> LoadPlanGridWidths(const IniFile& ini, const sPlanFrameConfig& config) {
    std::vector<int> w;
    for (size_t i = 0; i < config.columns.size(); ++i)
        w.push_back(config.columns[i].hidden ? 0 : ini.ReadInteger(kSection, config.keys.gridPrefix + std::to_string(i), 150));
    return w;
}

void SavePlanGridWidths(IniFile& ini, const sPlanFrameConfig& config, const std::vector<int>& widths) {
    std::vector<std::pair<std::string, std::string>> v;
    for (size_t i = 0; i < config.columns.size() && i < widths.size(); ++i)
        v.push_back({config.keys.gridPrefix + std::to_string(i), std::to_string(widths[i])});
    ini.WriteStrings(kSection, v);
}
