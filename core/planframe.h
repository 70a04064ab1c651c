// The frame shared by the two monthly planning windows (production plan and
// procurement): the grid rows, the search state and the edit state, the
// Modified flag, which commands are enabled, the per-row recomputation after
// an edit, Clear, the questions on leaving, the CSV lines and the settings
// of the window (geometry prefix, two category boxes, the two bands, the
// column widths). A window describes itself once in an sPlanFrameConfig; the
// frame holds every rule the two windows share.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "settings.h"

// How a cell goes into the CSV output.
enum class PlanCsv {
    Plain,   // the cell text as it stands
    Quoted,  // the cell text between double quotes (inner quotes not doubled)
    Number,  // CleanNumber of the text, decimals allowed ("1,234" -> "1234")
};

struct sPlanColumn {
    std::string header;
    bool editable = false;      // in-cell editing; drawn blue
    bool rightAligned = false;  // header too
    PlanCsv csv = PlanCsv::Plain;
    bool hidden = false;        // width always 0, whatever the settings say
};

// Key names of a window in section PREFORM.
struct sPlanFrameKeys {
    std::string geometryPrefix;          // "FO_": FO_WIDTH, FO_HEIGHT, FO_TOP, FO_LEFT
    std::array<std::string, 2> checks;   // the two category boxes, e.g. CHKS_BODY_OR, CHKS_SET_OR
    std::string coolPrefix;              // "OCOOL_": OCOOL_1, _2, _1B, _2B, _1W, _2W
    std::string gridPrefix;              // "OGRIDW" + column index
};

using PlanRow = std::vector<std::string>;

struct sPlanFrameConfig {
    std::vector<sPlanColumn> columns;
    sPlanFrameKeys keys;
    // Columns set to "0" by Clear.
    std::vector<int> clearColumns;
    // Recomputes the computed cells of a row after an edit of an editable
    // cell (every keystroke); the typed text itself is left as it is.
    std::function<void(PlanRow&)> recompute;
    // Column holding the item code (item view, click reload).
    int codeColumn = 0;
    // Questions and messages of the window's own commands.
    std::string saveQuestion;
    std::string savedMessage;
    std::string clearQuestion;
    std::string noCategoryMessage;
};

// Enabled state of the commands and the texts that change with the state.
struct sPlanActions {
    bool searchControls = true;  // text box, category boxes, 検索, month picker
    bool save = false;
    bool clear = false;
    bool print = false;
    bool csv = false;
    bool view = false;
    std::string closeHint;  // "閉じる" / "戻る"
    std::string closeMenu;  // "閉じる(&X)" / "戻る(&X)"
};

// What the close command does in the current state.
enum class PlanClose {
    CloseWindow,  // search state: the window closes
    Leave,        // edit state, nothing changed: back to the search state
    AskLeave,     // edit state with changes: ask kLeaveQuestion first
};

// Messages and questions every planning window shares.
extern const char* const kPlanLeaveQuestion;  // leaving the edit state
extern const char* const kPlanExitQuestion;   // closing the window
extern const char* const kPlanPrintFirst;     // print without rows
extern const char* const kPlanCsvDone;
extern const char* const kPlanCsvFilter;
extern const char* const kPlanCsvTitle;
extern const char* const kPlanQuestionTitle;  // "Velmo"

// Grid numbers: an integer, or 0 when the text is not an integer.
long long PlanInt(const std::string& text);
// Status text after a search: "該当件数: <n>件　　".
std::string PlanHitText(long long n);
// Month title of the printouts: "<yyyy>年<mm>月".
std::string PlanMonthTitle(int year, int month);

class clsPlanFrame {
public:
    explicit clsPlanFrame(sPlanFrameConfig config);

    const sPlanFrameConfig& Config() const { return config_; }
    int ColumnCount() const { return static_cast<int>(config_.columns.size()); }

    // State.
    bool EditState() const { return editState_; }
    bool Modified() const { return modified_; }
    bool HasRows() const { return !rows_.empty(); }
    // Search state, no rows, nothing modified.
    void ResetWindow();
    // Edit state on or off; off empties the grid.
    void SetEditState(bool on);
    sPlanActions Actions() const;

    // Rows. A search enters the edit state and then sets its rows.
    const std::vector<PlanRow>& Rows() const { return rows_; }
    void SetRows(std::vector<PlanRow> rows);
    const std::string& Cell(int row, int column) const;
    // In-cell edit of an editable cell: the text as typed, the row
    // recomputed, Modified set. False (nothing changed) for any other cell.
    bool EditCell(int row, int column, const std::string& text);
    bool Editable(int column) const;
    // Clear: the clear columns of every row become "0"; Modified set.
    void Clear();
    // After a successful save.
    void Saved() { modified_ = false; }

    // Closing.
    PlanClose CloseCommand() const;
    // Back to the search state after the close command (or its question
    // answered Yes): grid emptied, Modified cleared.
    void Leave();
    // Closing the window by other means asks kPlanExitQuestion first.
    bool ExitNeedsQuestion() const { return editState_ && modified_; }

    // The CSV file of the rows: header line, one line per row, CR LF, CP932.
    std::string CsvBytes() const;

private:
    sPlanFrameConfig config_;
    bool editState_ = false;
    bool modified_ = false;
    std::vector<PlanRow> rows_;
};

// One field of a CSV line as the planning windows write it: a field holding
// a character of code 1-32 or a comma is enclosed in single blanks with
// every blank inside doubled; any other field as it is.
std::string PlanCsvField(const std::string& field);

// The window settings of a planning window.
struct sPlanFrameSettings {
    std::array<bool, 2> checks = {true, true};
    bool toolBarFirst = true;  // band 0 holds the tool bar
    bool break1 = false;       // band 0 / band 1 start a new row
    bool break2 = false;
    int width1 = 0;            // band widths; 0 keeps the designed width
    int width2 = 0;
};
sPlanFrameSettings LoadPlanFrameSettings(const IniFile& ini, const sPlanFrameKeys& keys);
// Raises SettingsError when the file cannot be written.
void SavePlanFrameSettings(IniFile& ini, const sPlanFrameKeys& keys, const sPlanFrameSettings& s);
// Column widths: gridPrefix + index, default 150; hidden columns 0.
std::vector<int> LoadPlanGridWidths(const IniFile& ini, const sPlanFrameConfig& config);
void SavePlanGridWidths(IniFile& ini, const sPlanFrameConfig& config, const std::vector<int>& widths);
