// The CSV import: reads structure, item and partner files into a data file,
// creating the file when there is none. One run is one transaction over every
// chosen table: either all of them are imported or nothing is committed.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "csvexchange.h"

class clsDao;

// Value conversions of the import. Every value is trimmed first (codes 0-32
// at both ends).
// Text: cut to its first `size` bytes in CP932, never inside a double-byte
// character.
std::string CsvConvText(std::string_view value, int size);
// Number values (digit, quantity, number) take full-width digits, minus and
// point as their ASCII forms (HalfWidthNumber) before CleanNumber.
// The first character of CleanNumber of the value; 0 when it is no digit.
int CsvConvDigit(std::string_view value);
// The first four characters of CleanNumber of the value; 0 when they are no
// integer (2.5 gives 0, 12345 gives 1234).
int CsvConvQuantity(std::string_view value);
// CleanNumber of the value ("1,200" 1200, "1.2.3" 1.23); empty or a lone
// point gives 0. A value in exponent form ("1E20", as numbers that large are
// written) is read as such. Empty when the value cannot be converted (a lone
// minus sign, a number beyond the range of a double).
std::optional<double> CsvConvNumber(std::string_view value);
// Memo: trimmed, never cut.
std::string CsvConvMemo(std::string_view value);

class clsCsvImport {
public:
    explicit clsCsvImport(CsvRunListener& listener) : l_(listener) {}

    // The whole run: checks, creation of a missing data file, the chosen
    // tables in one transaction. True when everything was imported and
    // committed; every failure has been reported through the listener (or,
    // for the connection, the data store's error report).
    bool Run(CsvRunOptions options);

    // One table into the run's connection, whose transaction is open: reads
    // and checks the whole file, then (delete-first: after emptying the table)
    // adds or replaces one row per record. False after its message.
    // nameFiles: as CsvRunOptions::nameFiles.
    bool ImportTable(CsvTable t, const std::string& csvPath, bool header, bool deleteFirst, clsDao& dao,
                     bool nameFiles = false);

private:
    CsvRunListener& l_;
};
