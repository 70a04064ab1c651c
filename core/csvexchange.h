// What the CSV export and import share: the three file layouts (structure
// lines, items, partners), the texts of the runs, the choices of a run and the
// interface through which a run reports its status and messages. The dialog
// TfrmInpExp, velmo-cli and the tests drive the same runs through it.
#pragma once
#include <string>
#include <vector>

#include "usersettings.h"

enum class CsvTable { Struct = 0, Item = 1, Tori = 2 };
constexpr int kCsvTableCount = 3;
constexpr CsvTable kCsvTables[kCsvTableCount] = {CsvTable::Struct, CsvTable::Item, CsvTable::Tori};

// How the import turns a value of the file into the value stored.
enum class CsvKind {
    Text,      // trimmed, cut to `size` bytes in CP932, never inside a double-byte character
    Digit,     // the first character of CleanNumber of it, 0 when that is not a digit
    Quantity,  // the first four characters of CleanNumber of it, 0 when they are no integer
    Number,    // CleanNumber of it as a floating-point number
    Memo,      // trimmed, never cut
    CostSum,   // not read: stored as the sum of the cost columns of the item
};

struct CsvColumn {
    const char* column;   // column of the table
    const char* heading;  // header text; nullptr: the user caption `caption`
    ItemCaption caption;
    CsvKind kind;
    int size;               // bytes of a Text value
    const char* emptyKey;   // a required value: the message when it is empty (nullptr: not required)
};

struct CsvLayout {
    const char* table;    // "iStruct", "MasItem", "MasTori"
    const char* orderBy;  // order of the exported lines
    std::vector<CsvColumn> columns;
    // The key of a record: these columns (layout indexes) joined by keySeparator.
    std::vector<int> keyColumns;
    const char* keySeparator;
};

// The texts of one table in both directions.
struct CsvTexts {
    const char* exportPathEmpty;
    const char* exportFolderBad;
    const char* exportReading;
    const char* exportProgress;
    const char* exportEmpty;
    const char* importPathEmpty;
    const char* importFolderBad;
    const char* importReading;
    const char* importMissing;
    const char* wrongFormat;  // + line number + "行目]\n"
    const char* duplicate;    // + key + "]\n"
    const char* deleting;
    const char* importProgress;
    const char* name;         // "構造ﾃﾞｰﾀ", in messages of failed runs
};

const CsvLayout& GetCsvLayout(CsvTable t);
const CsvTexts& GetCsvTexts(CsvTable t);
// The header line's texts of a layout; the item layout's user-named columns
// take their captions from the settings file.
std::vector<std::string> CsvHeadings(CsvTable t);

// What the user chose for one run (the dialog's boxes, or velmo-cli's options).
struct CsvRunOptions {
    std::string mdbPath;
    bool chosen[kCsvTableCount] = {};
    bool header[kCsvTableCount] = {};
    std::string csvPath[kCsvTableCount];
    bool deleteFirst = false;  // import only
    bool quoteText = false;    // export only: every text value between double quotes
    // Messages that name a line of a file name the file too, and a line with
    // the wrong number of values says how many it has (velmo-cli, where the
    // message is all the user sees).
    bool nameFiles = false;
};

// How a run reaches the user.
class CsvRunListener {
public:
    virtual ~CsvRunListener() = default;
    // The status text (the empty text clears it).
    virtual void Status(const std::string& text) = 0;
    // Before record or row i of n: the status text prefix + i + " / " + n + " ]".
    // Called for every row; a window may repaint only now and then.
    virtual void Progress(const char* prefix, long long i, long long n);
    // An information message with an OK button.
    virtual void Message(const std::string& text) = 0;
    // The run works (a window shows the hourglass) or has ended.
    virtual void Busy(bool) {}
};

std::string CsvProgressText(const char* prefix, long long i, long long n);

// The folder of a path (up to its last '/') exists. A bare file name has no
// folder and fails.
bool CsvFolderExists(const std::string& path);

// Paths without leading and trailing blanks, then the checks of a run in their
// order: the message of the first that fails, or "" when all pass.
// export = true for the export's texts.
std::string CsvCheckRun(CsvRunOptions& o, bool exportRun);

// The working state of a run, from its first step after the checks to its
// end, however it ends: Busy(true) at the start; at the end the status is
// emptied and Busy(false) follows.
class CsvRunGuard {
public:
    explicit CsvRunGuard(CsvRunListener& l) : l_(l) { l_.Busy(true); }
    ~CsvRunGuard() { End(); }
    // Ends the working state now (once).
    void End() {
        if (!on_) return;
        on_ = false;
        l_.Status(std::string());
        l_.Busy(false);
    }
    CsvRunGuard(const CsvRunGuard&) = delete;
    CsvRunGuard& operator=(const CsvRunGuard&) = delete;

private:
    CsvRunListener& l_;
    bool on_ = true;
};
