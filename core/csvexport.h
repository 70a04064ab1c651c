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
    bool Run(CsvRunOptions options);

    // One table. False when it is empty: then its message has been shown and
    // no file written.
    bool ExportTable(CsvTable t, const std::string& csvPath, bool header, clsDao& dao);

private:
    CsvRunListener& l_;
};

// Line breaks of a text replaced by one blank each: CR LF, then a lone LF,
// then a lone CR.
std::string CsvJoinLineBreaks(std::string_view text);
