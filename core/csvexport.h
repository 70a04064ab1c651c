// The CSV export: writes the structure lines, items and partners of a data
// file to CSV files. Each file is written only after its last row, in one
// atomic replace, so a failed run never leaves a partial file.
#pragma once
#include <string>

#include "csvexchange.h"

class clsDao;

class clsCsvExport {
public:
    explicit clsCsvExport(CsvRunListener& listener) : l_(listener) {}

    // The whole run: checks, a connection of its own on the data file, the
    // chosen tables in the order structure, items, partners. True when the
    // run went to its end (an empty table is reported and skipped, not a
    // failure). Errors of the data file or of writing a file are raised
    // (EngineError, VelmoError) after the connection has been closed.
    // Every chosen table is read before the first file is written: a value
    // that the file cannot hold stops the run with no file written at all.
    bool Run(CsvRunOptions options);

    enum class Result {
        Ready,    // bytes hold the file
        Empty,    // the table has no rows: its message has been shown
        Refused,  // a value holds a character CP932 cannot hold: the message
                  // naming the row, the column and the character has been shown
    };
    // One table read into the bytes of its file; nothing is written.
    Result ExportTable(CsvTable t, const std::string& csvPath, bool header, bool quoteText, clsDao& dao,
                       std::string& bytes);

private:
    CsvRunListener& l_;
};

// Line breaks of a text replaced by one blank each: CR LF, then a lone LF,
// then a lone CR.
std::string CsvJoinLineBreaks(std::string_view text);
