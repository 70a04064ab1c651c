// clsDaoRs: one SELECT statement at a time on a data file, with row-by-row
// reading, adding, editing and deleting. Engine errors are not caught; they
// propagate as EngineError to the command that called.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "udao.h"
#include "variant.h"

class clsDaoRs {
public:
    explicit clsDaoRs(DatabaseHandle database);
    ~clsDaoRs();  // releases the handles; does not call Close

    // maxRecords 0 = no limit. A second open without Close shows the message
    // "Closeを行ってから、OpenRecordsetを行ってください。" and returns 1.
    int OpenRecordset(const std::string& sql, int maxRecords = 0);
    int Close();
    // 0 AddNew, 1 Edit, 2 Update, 3 Delete; other values do nothing.
    int EditMode(int op);
    bool IsEOF();
    // 0 MoveNext, 1 MovePrevious, 2 MoveFirst, 3 MoveLast.
    int MoveRecord(int op);
    void SetField(const std::string& name, const Variant& value);
    // A null reads by the field's type: "" for text and memo, 0 for numbers,
    // false for booleans, null for anything else.
    void GetField(const std::string& name, Variant& value);

    // Shorthands of GetField.
    Variant Field(const std::string& name);
    std::string Text(const std::string& name) { return Field(name).AsText(); }
    long long Int(const std::string& name) { return Field(name).AsInt(); }
    double Double(const std::string& name) { return Field(name).AsDouble(); }

    bool IsOpen() const { return isOpen_ != 0; }

private:
    struct Row {
        std::vector<Variant> values;
        long long rowid = 0;
        bool deleted = false;
    };
    enum class Pending { None, Add, Edit };

    int ColumnIndex(const std::string& name) const;  // -1 when unknown
    Variant ReadValue(int col) const;                // current row
    Variant NullFor(int col) const;
    void Buffer(bool fromStart);  // switch to reading from memory
    Row ReadRow() const;
    bool Current() const;
    void RequireUpdatable() const;
    Variant Coerce(const ColumnInfo& c, const Variant& v) const;
    void Fetch();  // step the statement (lazy mode)

    DatabaseHandle database_;
    unsigned char isOpen_ = 0;
    std::string sql_;
    int maxRecords_ = 0;
    std::unique_ptr<Statement> stmt_;
    std::string table_;  // single updatable table, or ""
    int rowidCol_ = -1;  // result column of the rowid, or -1
    std::vector<std::string> names_;
    std::vector<int> types_;
    std::unordered_map<std::string, int> index_;  // upper-case name -> result column

    bool buffered_ = false;
    bool eof_ = true;
    long long position_ = 0;  // row number of the current row
    long long fetched_ = 0;   // rows stepped so far (lazy mode)
    std::vector<Row> rows_;   // buffered mode: the rows from row number base_ on
    long long base_ = 0;
    Pending pending_ = Pending::None;
    std::vector<std::pair<std::string, Variant>> changes_;
};
