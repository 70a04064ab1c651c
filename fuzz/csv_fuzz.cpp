// libFuzzer target: the CSV line reader and writer and the value conversions
// of the import. Any input is a file to read; every value read goes through
// every conversion. Properties checked besides "no crash":
//  - values written by the writer read back unchanged (Shift-JIS and UTF-8
//    scanning);
//  - lines joined with CR LF split back into the same lines;
//  - a text value is never longer than its size in CP932 bytes; a digit is
//    0-9; a quantity has at most four characters; a number is finite;
//  - the writer's number text is the general form (FloatToStr);
//  - a line the reader accepts has values that Shift-JIS holds whole and
//    that hold no NUL byte: nothing is replaced on the way in.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "csv.h"
#include "csvimport.h"
#include "sjis.h"
#include "ucommon.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void Conversions(const std::string& v) {
    for (int size : {1, 2, 4, 10, 18, 64}) Check(SjisLength(CsvConvText(v, size)) <= static_cast<size_t>(size));
    int d = CsvConvDigit(v);
    Check(d >= 0 && d <= 9);
    int q = CsvConvQuantity(v);
    Check(q >= -999 && q <= 9999);
    auto n = CsvConvNumber(v);
    Check(!n || std::isfinite(*n));
    if (n) Check(CsvNumberText(*n) == FloatToStr(*n));
    CsvConvMemo(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string in(reinterpret_cast<const char*>(data), size);

    // The first eight bytes as a double: the writer's number text is the
    // general form.
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        Check(CsvNumberText(d) == FloatToStr(d));
    }

    // The input as a file.
    CsvReader reader(in);
    std::vector<std::string> values;
    std::string sjis;
    for (int n = 1; n <= reader.LineCount(); ++n) {
        // A refused line never reaches the conversions.
        if (!reader.Values(n, values)) continue;
        for (const auto& v : values) {
            Check(v.find('\0') == std::string::npos && ToSjisExact(v, sjis));
            Conversions(v);
        }
    }

    // The input's lines (without CR and LF) as the values of one line.
    std::vector<std::string> parts;
    std::string cur;
    for (char c : in) {
        if (c == '\n') {
            parts.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur.push_back(c);
        }
    }
    parts.push_back(cur);
    if (!(parts.size() == 1 && parts[0].empty())) {
        std::string line = CsvJoinValues(parts);
        Check(CsvSplitValues(line, true) == parts);
        Check(CsvSplitValues(line, false) == parts);
        // The same parts as lines of a file.
        std::string file;
        for (const auto& p : parts) file += p + "\r\n";
        auto lines = CsvSplitLines(file);
        Check(lines.size() == parts.size());
        for (size_t i = 0; i < lines.size(); ++i) Check(lines[i] == parts[i]);
    }
    return 0;
}
