// Small helpers shared by every window and by the non-visual layers.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Appends sep to text and returns the part between the (n-1)-th and the n-th
// occurrence of sep, n counting from 1; "" when there are fewer parts.
std::string GetToken(std::string_view text, int n, std::string_view sep);

// Keeps a digit 0-9, a '-' in the first position, and one '.' when
// allowDecimal is set; every other character is dropped.
std::string CleanNumber(std::string_view text, bool allowDecimal);

// Key-press filter of numeric text boxes: returns the key for '0'-'9', '.' and
// backspace (8), and 0 (key discarded) for every other key.
char NumKeyFilter(char key);

// Removes leading and trailing blanks and control characters (code <= 32).
std::string Trim(std::string_view s);

// Doubles every single quote so the value can stand between single quotes in
// a statement. Every value spliced into SQL text passes through here.
std::string SqlEsc(std::string_view value);

// Shortest general form with up to 15 significant digits ("1.5", "100",
// "1E20", "1.5E-7"), as numbers are shown in text boxes and written to CSV.
std::string FloatToStr(double v);

// Number patterns of the lists: "#,##0.##" (money and prices: thousands
// separators, at most two decimals, no trailing zeros) and "#,##0" (package
// counts and amounts). Half-way values round away from zero.
std::string FormatMoney(double v);    // "#,##0.##"
std::string FormatInteger(double v);  // "#,##0"

// Whole-text conversions. The optional is empty when the text is not a
// number of that kind (blanks around it are allowed).
std::optional<long long> ParseInt(std::string_view s);
std::optional<double> ParseFloat(std::string_view s);

// strtod that reads '.' as the decimal mark whatever the process locale
// (a window adopts the user's, where the mark may be a comma). Every number
// read from a text goes through here or through ParseFloat.
double StrToDoubleC(const char* text, char** end);

// Integer value of a text, or def when the text is not an integer.
long long StrToIntDef(std::string_view s, long long def);

// Month key "yyyymm".
std::string MonthKey(int year, int month);

// Full-width digits (０-９), the full-width minus (－, also the minus sign −)
// and the full-width point (．) as their ASCII forms; every other character
// unchanged. Number fields and the number values of CSV files pass through
// here before CleanNumber, so "１２３４" reads as 1234 and "－５" as -5
// instead of as nothing or as 5.
std::string HalfWidthNumber(std::string_view utf8);
