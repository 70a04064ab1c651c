// The CSV line format of the exchange files (structure lines, items,
// partners): Shift-JIS (CP932) without a byte-order mark, CR LF after every
// line. The reader also takes UTF-8 files, with a byte-order mark (as
// spreadsheet programs write them) or without one (as editors and scripts
// do: a file that is valid UTF-8 through and through and holds non-ASCII
// characters cannot be meant as Shift-JIS).
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
// value runs up to the next comma: blanks and tabs inside it belong to it, as
// spreadsheet programs write names such as "六角ボルト M6×12" without quotes;
// blanks at its end are dropped. After a value, blanks are skipped; a comma is
// skipped together with the blanks after it and is always followed by one
// more value (an empty one at the end of the line). A line of nothing but
// blanks has no values. A double-byte character is always taken whole, so its
// second byte is never read as a delimiter.
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

// Why a value of a file could not be read.
struct CsvValueError {
    int position = 0;    // the value's position in its line, from 1
    std::string reason;  // for the message, such as "NULﾊﾞｲﾄ(0x00)があります。"
};

// A whole file being read: the lines in order with their values decoded to
// UTF-8. Nothing is replaced or dropped on the way: a value that cannot be
// taken as it stands is refused.
class CsvReader {
public:
    // bytes: the whole file. A UTF-8 byte-order mark, or bytes that are all
    // valid UTF-8 with non-ASCII characters among them, select UTF-8;
    // otherwise the bytes are CP932.
    explicit CsvReader(std::string bytes);

    // The encoding of a file this reader does not take ("UTF-16", "UTF-32",
    // known by its byte-order mark); "" for a file it reads.
    const std::string& RefusedEncoding() const { return refused_; }
    bool IsUtf8() const { return utf8_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    // Values of line n (1-based), decoded to UTF-8. False when a value holds
    // a NUL byte, bytes that are not characters of the file's encoding, or a
    // character CP932 cannot hold (a UTF-8 file may): error, when given, then
    // names the first such value and why.
    bool Values(int n, std::vector<std::string>& values, CsvValueError* error = nullptr) const;

private:
    std::string bytes_;
    bool utf8_ = false;
    std::string refused_;
    std::vector<std::string_view> lines_;
};

// A file being written: values arrive as UTF-8 and are stored as CP932.
class CsvWriter {
public:
    // quoteText: every text value is written between double quotes, the
    // empty one too, so that a spreadsheet program keeps it as text (codes
    // such as 0012 keep their leading zeros); numbers stay bare.
    explicit CsvWriter(bool quoteText = false) : quoteText_(quoteText) {}
    // False, and nothing written, when the text holds a character CP932
    // cannot hold; bad, when given, is that character.
    bool Text(std::string_view utf8, std::string* bad = nullptr);
    void Number(double v);
    void Integer(long long v);
    // Ends the line with CR LF.
    void EndLine();
    const std::string& Bytes() const { return bytes_; }
    // The bytes written, leaving the writer empty.
    std::string TakeBytes() { return std::move(bytes_); }
    void Reserve(size_t n) { bytes_.reserve(n); }

private:
    void Raw(std::string_view cp932);
    std::string bytes_;
    std::string sjis_;  // conversion buffer
    bool lineStart_ = true;
    bool quoteText_ = false;
};
