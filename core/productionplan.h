// The production plan of a month without its window: the five grid columns
// on the planning frame, the search of sets and bodies with their shipments
// and stock of the month, the save of the plan into OrderPlan with the
// marks of the month in the settings file, and the printout. velmo-cli runs
// the same code.
#pragma once
#include <string>
#include <vector>

#include "planframe.h"
#include "reportdata.h"
#include "udao.h"

// Columns of the grid.
enum OrderColumn : int { ocCode = 0, ocName = 1, ocShipments = 2, ocStock = 3, ocProduction = 4 };

// The window's description on the planning frame: columns, keys FO_*,
// CHKS_SET_OR / CHKS_BODY_OR (the set box, then the body box), OCOOL_*, OGRIDW0-4, the recomputation
// production = shipments - stock, Clear of columns 2 to 4, its questions.
sPlanFrameConfig OrderFrameConfig();

// Messages of the production plan.
extern const char* const kOrderNoCategory;
extern const char* const kOrderSaveQuestion;
extern const char* const kOrderSaved;
extern const char* const kOrderClearQuestion;
extern const char* const kOrderProgressCaption;

// "SELECT MasItem.CD,MasItem.NAME FROM MasItem WHERE MasItem.KBN IN (<list>)
// [AND MasItem.CD LIKE '<text>*'] ORDER BY MasItem.CD": the list is 2 for
// bodies and 3 for sets, in that order; the code condition only when the
// text without its surrounding blanks is not empty, the text as typed with
// its quotes doubled. Empty when neither box is checked.
std::string OrderSearchSql(bool body, bool set, const std::string& find);
// The per-row statement: shipments and stock of one item in the month.
std::string OrderPlanRowSql(const std::string& monthKey, const std::string& code);

// Runs the search: per item code, name, shipments, stock and shipments minus
// stock of the month (0 0 0 without a plan row). Engine errors propagate.
std::vector<PlanRow> SearchOrderPlan(clsDao& dao, bool body, bool set, const std::string& find,
                                     const std::string& monthKey);

// The values saved for a row: shipments and stock as integers (0 for text
// that is not one), production their difference.
struct sOrderValues {
    std::string code;
    long long shipments = 0;
    long long stock = 0;
    long long production = 0;
};
sOrderValues OrderValuesOf(const PlanRow& row);

// The message refusing a row whose value does not fit the 16-bit column, or
// "" when every row fits.
std::string OrderRangeMessage(const std::vector<sOrderValues>& rows);

// Saves the month's plan: every row in one transaction, then the marks of
// the month (section OdrEnt = today "yyyymmdd", section SupEnt = ""). A value
// outside -32768..32767 refuses the whole save before anything is written.
// On failure nothing is written (the plan of the month as it was, no
// marks) and message says why; it is empty when the connection has reported
// the error already.
struct sPlanSaveResult {
    bool ok = false;
    std::string message;
};
sPlanSaveResult SaveOrderPlan(clsDao& dao, IniFile& ini, const std::string& monthKey,
                          const std::vector<sOrderValues>& rows, const std::string& today);

// Today as "yyyymmdd" (local time).
std::string TodayKey();

// repOrder of the rows: the month title and the five cell texts per row.
ReportSnapshot OrderReport(const std::vector<PlanRow>& rows, const std::string& monthTitle);
