// What the item and partner dialogs share when they write a master record:
// the check of texts against the widths of their columns, and the write that
// happens as a whole or not at all.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "udao.h"
#include "udaors.h"

// Number of characters of a UTF-8 text, counted as the data file counts
// them (code points).
size_t CharCount(std::string_view utf8);

// A text about to be written to a column, with the caption the user knows
// the field by (and a note for the message, such as how the length counts).
struct sFieldText {
    std::string column;
    std::string caption;
    std::string value;
    std::string note = {};
};

// "" when every text can be stored in its column of table in the open data
// file; otherwise the message for the first one that cannot, such as
// "単位は4文字以内で入力してください。". A text must fit the column's width,
// and every character of it must have a code in Shift-JIS: the CSV files
// are Shift-JIS, and a character they cannot hold would make the record
// impossible to export unchanged. Every save of an item, a partner or a
// structure line passes here.
std::string FieldTextsMessage(clsDao& dao, const std::string& table, const std::vector<sFieldText>& fields);

// Runs write inside one transaction on the connection: committed when it
// returns true; rolled back when it returns false (it has reported why) or
// throws (the error goes on to the caller). Returns 0 when committed, 1
// when nothing was written.
int WriteInTransaction(clsDao& dao, const std::function<bool()>& write);

// How one master record is written: selected by its new key, added when
// missing and edited otherwise, after the record under its old key is
// removed when the edit may change the key. Both happen in one transaction.
struct sMasterWrite {
    std::string selectNew;          // SELECT of the record to write
    std::string selectOld;          // SELECT of the record it replaces; "" for none
    std::string overwriteQuestion;  // asked when the new key exists; "" to write over silently
};

// Returns 0 when written; 1 when the question was answered No or the
// transaction failed (reported by the connection). assign sets the fields
// of the added or edited row. An error from assign or the update rolls
// everything back and goes on to the caller.
int WriteMasterRecord(clsDao& dao, const sMasterWrite& w, const std::function<bool(const std::string&)>& ask,
                      const std::function<void(clsDaoRs&)>& assign);

// A text value for a statement: between single quotes, with its own single
// quotes doubled.
std::string SqlText(const std::string& value);
