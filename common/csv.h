// The CSV line format of the exchange files (structure lines, items,
// partners): Shift-JIS (CP932) without a byte-order mark, CR LF after every
// line. The reader also takes UTF-8 files that start with a byte-order mark,
// as spreadsheet programs write them.
//
// Writing a line: values joined by commas, no trailing comma. A value that
// holds a character of code 0-32, a double quote or a comma is written
// between double quotes with every quote doubled; any other value as it is;
// an empty value as nothing.
//
// Reading a line: characters of code 1-32 are skipped before a value. A value
// that starts with a double quote runs to the closing quote ("" stands for one
// quote, a missing closing quote takes the rest of the line); whatever follows
// the closing quote up to the next comma starts a further value. Any other
// value runs up to the next comma or character of code 1-32. After a value,
// blanks are skipped; a comma is skipped together with the blanks after it; a
// comma that is the last character of the line adds an empty last value. A
// line of nothing but blanks has no values. A double-byte character is always
// taken whole, so its second byte is never read as a delimiter.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Splits file bytes into lines at CR LF, a lone CR and a lone LF, whatever the
// quotes. A line break at the very end adds no empty line.
std::vector<std::string_view> CsvSplitLines(std::string_view bytes);

// Splits one line into its values, byte for byte (no decoding). With sjis set,
// a CP932 lead byte and its trail byte are scanned as one character.
void CsvSplitValues(std::string_view line, std::vector<std::string>& values, bool sjis = true);
std::vector<std::string> CsvSplitValues(std::string_view line, bool sjis = true);

// Appends one value (bytes in the file's encoding) to a line, after a comma
// unless it is the first value of the line, quoted when it has to be.
void CsvAppendValue(std::string& line, std::string_view value, bool first);
// The values joined into one line, without the line break.
std::string CsvJoinValues(const std::vector<std::string>& values);

// Numbers as the files hold them: the shortest general form with up to 15
// significant digits ("1200", "12.5", "0.001", "1E20").
std::string CsvNumberText(double v);

// A whole file being read: the lines in order with their values decoded to
// UTF-8.
class CsvReader {
public:
    // bytes: the whole file. A UTF-8 byte-order mark selects UTF-8, otherwise
    // the bytes are CP932.
    explicit CsvReader(std::string bytes);

    bool IsUtf8() const { return utf8_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // Values of line n (1-based), decoded to UTF-8.
    void Values(int n, std::vector<std::string>& values) const;

private:
    std::string bytes_;
    bool utf8_ = false;
    std::vector<std::string_view> lines_;
};

// A file being written: values arrive as UTF-8 and are stored as CP932.
class CsvWriter {
public:
    void Text(std::string_view utf8);
    void Number(double v);
    void Integer(long long v);
    // Ends the line with CR LF.
    void EndLine();
    const std::string& Bytes() const { return bytes_; }
    void Reserve(size_t n) { bytes_.reserve(n); }

private:
    void Raw(std::string_view cp932);
    std::string bytes_;
    bool lineStart_ = true;
};
