#include "jetsql.h"

#include <cctype>
#include <stdexcept>

namespace {

enum class Tk { Space, Word, String, QIdent, Punct };

struct Token {
    Tk kind;
    std::string text;  // Word/Punct/Space: as written; String: the value; QIdent: the name
};

bool IsWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) {
            size_t j = i;
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
            out.push_back({Tk::Space, std::string(s.substr(i, j - i))});
            i = j;
        } else if (c == '\'' || c == '"') {
            char q = static_cast<char>(c);
            std::string v;
            size_t j = i + 1;
            for (;;) {
                if (j >= s.size()) throw std::invalid_argument("文字列の終わりの引用符がありません。");
                if (s[j] == q) {
                    if (j + 1 < s.size() && s[j + 1] == q) {
                        v.push_back(q);
                        j += 2;
                        continue;
                    }
                    break;
                }
                v.push_back(s[j++]);
            }
            out.push_back({Tk::String, v});
            i = j + 1;
        } else if (c == '[') {
            size_t j = s.find(']', i + 1);
            if (j == std::string_view::npos) throw std::invalid_argument("名前の終わりの ] がありません。");
            out.push_back({Tk::QIdent, std::string(s.substr(i + 1, j - i - 1))});
            i = j + 1;
        } else if (c == '`') {
            size_t j = s.find('`', i + 1);
            if (j == std::string_view::npos) throw std::invalid_argument("名前の終わりの ` がありません。");
            out.push_back({Tk::QIdent, std::string(s.substr(i + 1, j - i - 1))});
            i = j + 1;
        } else if (IsWordChar(c)) {
            size_t j = i;
            while (j < s.size() && IsWordChar(static_cast<unsigned char>(s[j]))) ++j;
            out.push_back({Tk::Word, std::string(s.substr(i, j - i))});
            i = j;
        } else {
            // Two-character operators stay together.
            if (i + 1 < s.size()) {
                std::string two(s.substr(i, 2));
                if (two == "<>" || two == "<=" || two == ">=" || two == "!=" || two == "||") {
                    out.push_back({Tk::Punct, two});
                    i += 2;
                    continue;
                }
            }
            out.push_back({Tk::Punct, std::string(1, static_cast<char>(c))});
            ++i;
        }
    }
    return out;
}

bool WordIs(const Token& t, const char* w) {
    if (t.kind != Tk::Word) return false;
    size_t n = std::char_traits<char>::length(w);
    if (t.text.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(t.text[i])) != w[i]) return false;
    return true;
}

std::string QuoteString(std::string_view v) {
    std::string out = "'";
    for (char c : v) {
        out.push_back(c);
        if (c == '\'') out.push_back('\'');
    }
    out.push_back('\'');
    return out;
}

std::string TokenText(const Token& t) {
    switch (t.kind) {
        case Tk::String: return QuoteString(t.text);
        case Tk::QIdent: return QuoteIdent(t.text);
        default: return t.text;
    }
}

// Index of the next/previous token that is not a blank, or -1.
long NextSolid(const std::vector<Token>& t, long i) {
    for (long k = i + 1; k < static_cast<long>(t.size()); ++k)
        if (t[k].kind != Tk::Space) return k;
    return -1;
}
long PrevSolid(const std::vector<Token>& t, long i) {
    for (long k = i - 1; k >= 0; --k)
        if (t[k].kind != Tk::Space) return k;
    return -1;
}

bool IsIdent(const Token& t) { return t.kind == Tk::Word || t.kind == Tk::QIdent; }

// Literal beginning of a LIKE pattern, up to the first wildcard.
std::string PatternPrefix(const std::string& p) {
    size_t n = p.find_first_of("*?#[");
    return p.substr(0, n == std::string::npos ? p.size() : n);
}

// Smallest text above every text that starts with prefix, compared without
// regard to ASCII case (NOCASE folds to lower case).
std::string PrefixUpperBound(std::string prefix) {
    for (auto& ch : prefix) {
        unsigned char u = static_cast<unsigned char>(ch);
        if (u < 0x80) ch = static_cast<char>(std::tolower(u));
    }
    while (!prefix.empty()) {
        unsigned char last = static_cast<unsigned char>(prefix.back());
        if (last < 0xFF) {
            prefix.back() = static_cast<char>(last + 1);
            return prefix;
        }
        prefix.pop_back();
    }
    return prefix;
}

std::string TranslateAlter(const std::vector<Token>& t) {
    // alter table <T> add [column] <C> <type>[(n)] | drop [column] <C>
    std::vector<const Token*> w;
    for (const auto& tok : t)
        if (tok.kind != Tk::Space) w.push_back(&tok);
    auto fail = [] { throw std::invalid_argument("ALTER TABLE 文の構文が正しくありません。"); };
    if (w.size() < 5 || !IsIdent(*w[2])) fail();
    std::string table = w[2]->text;
    size_t k = 3;
    bool add = WordIs(*w[k], "ADD");
    bool drop = WordIs(*w[k], "DROP");
    if (!add && !drop) fail();
    ++k;
    if (k < w.size() && WordIs(*w[k], "COLUMN")) ++k;
    if (k >= w.size() || !IsIdent(*w[k])) fail();
    std::string column = w[k]->text;
    ++k;
    if (drop) {
        if (k != w.size()) fail();
        return "ALTER TABLE " + QuoteIdent(table) + " DROP COLUMN " + QuoteIdent(column);
    }
    if (k >= w.size()) fail();
    std::string typeName = w[k]->text;
    ++k;
    int size = 0;
    if (k < w.size() && w[k]->text == "(") {
        if (k + 2 >= w.size() || w[k + 2]->text != ")") fail();
        size = std::atoi(w[k + 1]->text.c_str());
        k += 3;
    }
    if (k != w.size()) fail();
    int type = TypeFromDeclared(typeName);
    if (type == 0) throw std::invalid_argument("列の型 " + typeName + " は使えません。");
    if (type == jtText && size == 0) size = 255;
    return "ALTER TABLE " + QuoteIdent(table) + " ADD COLUMN " + ColumnDefinition(table, column, type, size, false);
}

}  // namespace

std::string QuoteIdent(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        out.push_back(c);
        if (c == '"') out.push_back('"');
    }
    out.push_back('"');
    return out;
}

bool IsSchemaStatement(std::string_view sql) {
    size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    std::string w;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        w.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++]))));
    return w == "CREATE" || w == "ALTER" || w == "DROP";
}

TranslatedSql TranslateJetSql(std::string_view jetSql, bool parameterize) {
    std::vector<Token> t = Tokenize(jetSql);
    TranslatedSql out;

    long first = NextSolid(t, -1);
    if (first >= 0 && WordIs(t[first], "ALTER")) {
        long second = NextSolid(t, first);
        if (second >= 0 && WordIs(t[second], "TABLE")) {
            out.sql = TranslateAlter(t);
            return out;
        }
    }
    bool dataStatement = first >= 0 && (WordIs(t[first], "SELECT") || WordIs(t[first], "INSERT") ||
                                         WordIs(t[first], "UPDATE") || WordIs(t[first], "DELETE"));
    parameterize = parameterize && dataStatement;

    std::string& s = out.sql;
    s.reserve(jetSql.size() + 32);
    for (long i = 0; i < static_cast<long>(t.size()); ++i) {
        const Token& tok = t[i];
        if (WordIs(tok, "ORDER")) {
            long n = NextSolid(t, i);
            if (n < 0 || !WordIs(t[n], "BY")) {
                s += QuoteIdent("ORDER");
                continue;
            }
        }
        if (WordIs(tok, "LIKE")) {
            long pat = NextSolid(t, i);
            if (pat >= 0 && t[pat].kind == Tk::String) {
                // The left operand: a column, possibly table-qualified.
                long e = PrevSolid(t, i);
                long b = e;
                if (e >= 0 && IsIdent(t[e])) {
                    long dot = PrevSolid(t, e);
                    if (dot >= 0 && t[dot].text == "." && dot == e - 1) {
                        long tb = PrevSolid(t, dot);
                        if (tb == dot - 1 && IsIdent(t[tb])) b = tb;
                    }
                }
                long before = b >= 0 ? PrevSolid(t, b) : -1;
                std::string prefix = PatternPrefix(t[pat].text);
                bool negated = before >= 0 && WordIs(t[before], "NOT");
                if (e >= 0 && IsIdent(t[e]) && !negated && !prefix.empty()) {
                    std::string lhs;
                    for (long k = b; k <= e; ++k) lhs += TokenText(t[k]);
                    // Drop the operand already written and write the range form.
                    size_t cut = s.rfind(lhs);
                    if (cut != std::string::npos) {
                        s.erase(cut);
                        s += "(" + lhs + " >= " + QuoteString(prefix) + " COLLATE NOCASE AND " + lhs + " < " +
                             QuoteString(PrefixUpperBound(prefix)) + " COLLATE NOCASE AND " + lhs + " LIKE " +
                             QuoteString(t[pat].text) + ")";
                        i = pat;
                        continue;
                    }
                }
                s += tok.text;
                s += " ";
                s += QuoteString(t[pat].text);
                i = pat;
                continue;
            }
        }
        if (tok.kind == Tk::String && parameterize) {
            s += "?";
            out.params.push_back(tok.text);
            continue;
        }
        s += TokenText(tok);
    }
    return out;
}

namespace {

// One element of a compiled LIKE pattern.
struct PatElem {
    enum Kind { Any, One, Digit, Class, Lit } kind;
    bool negate = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;  // Class
    char32_t ch = 0;                                    // Lit
};

char32_t Fold(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Next code point of UTF-8 text (stray bytes stand for themselves).
char32_t NextCp(std::string_view s, size_t& i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
    if (i + n > s.size()) n = 1;
    char32_t c = n == 1 ? b : (n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07);
    for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += n;
    return c;
}

std::vector<PatElem> Compile(std::string_view p) {
    std::vector<PatElem> out;
    size_t i = 0;
    while (i < p.size()) {
        char32_t c = NextCp(p, i);
        PatElem e;
        if (c == '*') {
            e.kind = PatElem::Any;
            if (!out.empty() && out.back().kind == PatElem::Any) continue;
        } else if (c == '?') {
            e.kind = PatElem::One;
        } else if (c == '#') {
            e.kind = PatElem::Digit;
        } else if (c == '[') {
            e.kind = PatElem::Class;
            size_t j = i;
            bool closed = false;
            bool firstInClass = true;
            while (j < p.size()) {
                char32_t d = NextCp(p, j);
                if (d == ']' && !firstInClass) {
                    closed = true;
                    break;
                }
                if (d == '!' && firstInClass) {
                    e.negate = true;
                    firstInClass = false;
                    continue;
                }
                firstInClass = false;
                char32_t hi = d;
                size_t save = j;
                if (j < p.size() && p[j] == '-') {
                    size_t k = j + 1;
                    if (k < p.size() && p[k] != ']') {
                        hi = NextCp(p, k);
                        j = k;
                    } else {
                        j = save;
                    }
                }
                e.ranges.push_back({Fold(d), Fold(hi)});
            }
            if (!closed) throw std::invalid_argument("パターン文字列が正しくありません。");
            i = j;
        } else {
            e.kind = PatElem::Lit;
            e.ch = Fold(c);
        }
        out.push_back(std::move(e));
    }
    return out;
}

bool MatchOne(const PatElem& e, char32_t c) {
    switch (e.kind) {
        case PatElem::One: return true;
        case PatElem::Digit: return c >= '0' && c <= '9';
        case PatElem::Lit: return e.ch == Fold(c);
        case PatElem::Class: {
            char32_t f = Fold(c);
            bool in = false;
            for (auto [lo, hi] : e.ranges)
                if (f >= lo && f <= hi) in = true;
            return in != e.negate;
        }
        case PatElem::Any: return true;
    }
    return false;
}

}  // namespace

bool JetLike(std::string_view pattern, std::string_view text) {
    std::vector<PatElem> pat = Compile(pattern);
    std::vector<char32_t> str;
    for (size_t i = 0; i < text.size();) str.push_back(NextCp(text, i));
    // Greedy match with one backtrack point per '*'; every other element
    // consumes exactly one character.
    size_t p = 0, s = 0, starP = SIZE_MAX, starS = 0;
    while (s < str.size()) {
        if (p < pat.size() && pat[p].kind == PatElem::Any) {
            starP = p++;
            starS = s;
        } else if (p < pat.size() && MatchOne(pat[p], str[s])) {
            ++p;
            ++s;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p].kind == PatElem::Any) ++p;
    return p == pat.size();
}

std::string ColumnDefinition(const std::string& table, const std::string& column, int type, int size,
                             bool notNull) {
    std::string c = QuoteIdent(column);
    std::string name = table + "." + column;
    std::string def = c + " ";
    std::string check;
    switch (type) {
        case jtShort:
            def += "SMALLINT";
            check = "CONSTRAINT " + QuoteIdent(name + ":short") + " CHECK (" + c + " IS NULL OR (typeof(" + c +
                    ")='integer' AND " + c + " BETWEEN -32768 AND 32767))";
            break;
        case jtLong:
        case jtCounter:
            def += type == jtCounter ? "COUNTER" : "INTEGER";
            check = "CONSTRAINT " + QuoteIdent(name + ":long") + " CHECK (" + c + " IS NULL OR (typeof(" + c +
                    ")='integer' AND " + c + " BETWEEN -2147483648 AND 2147483647))";
            break;
        case jtBoolean:
            def += "BOOLEAN";
            check = "CONSTRAINT " + QuoteIdent(name + ":boolean") + " CHECK (" + c + " IS NULL OR " + c +
                    " IN (0,-1,1))";
            break;
        case jtDouble:
        case jtDate:
            def += type == jtDate ? "DATETIME" : "DOUBLE";
            check = "CONSTRAINT " + QuoteIdent(name + ":double") + " CHECK (" + c + " IS NULL OR typeof(" + c +
                    ") IN ('real','integer'))";
            break;
        case jtMemo:
            def += "LONGTEXT COLLATE NOCASE";
            break;
        case jtText:
        default: {
            int n = size > 0 ? size : 255;
            def += "TEXT(" + std::to_string(n) + ") COLLATE NOCASE";
            check = "CONSTRAINT " + QuoteIdent(name + ":text:" + std::to_string(n)) + " CHECK (" + c +
                    " IS NULL OR length(" + c + ") <= " + std::to_string(n) + ")";
            break;
        }
    }
    // A counter key gets its number after the insert, so it may not refuse null.
    if (notNull && type != jtCounter) def += " NOT NULL";
    if (!check.empty()) def += " " + check;
    return def;
}

int TypeFromDeclared(std::string_view declared, int* size) {
    std::string d;
    for (char c : declared) d.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (size) *size = 0;
    auto starts = [&](const char* w) { return d.rfind(w, 0) == 0; };
    if (starts("SMALLINT") || starts("SHORT")) return jtShort;
    if (starts("COUNTER")) return jtCounter;
    if (starts("LONGTEXT") || starts("MEMO")) return jtMemo;
    if (starts("INTEGER") || starts("LONG") || starts("INT")) return jtLong;
    if (starts("DOUBLE") || starts("REAL") || starts("FLOAT")) return jtDouble;
    if (starts("DATETIME") || starts("DATE")) return jtDate;
    if (starts("BOOLEAN") || starts("BIT") || starts("YESNO")) return jtBoolean;
    if (starts("LONGTEXT") || starts("MEMO")) return jtMemo;
    if (starts("TEXT") || starts("VARCHAR") || starts("CHAR")) {
        if (size) {
            size_t open = d.find('(');
            *size = open == std::string::npos ? 255 : std::atoi(d.c_str() + open + 1);
        }
        return jtText;
    }
    return 0;
}
