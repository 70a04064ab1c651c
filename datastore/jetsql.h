// Jet SQL text as the windows build it, turned into SQL that SQLite runs with
// the same results:
//  - LIKE with the wildcards * ? # and [...] classes, ASCII case-insensitive;
//    a literal prefix adds a range condition so an index on the column is used;
//  - the column name ORDER (not followed by BY) and [bracketed] names quoted;
//  - "double quoted" texts read as texts;
//  - alter table ... add <column> <type> / drop <column> with Jet type names;
//  - text literals of data statements become bound parameters, so that
//    statements differing only in their values share one prepared statement.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct TranslatedSql {
    std::string sql;                  // SQLite text
    std::vector<std::string> params;  // values of the ? parameters, in order
};

TranslatedSql TranslateJetSql(std::string_view jetSql, bool parameterize = true);

// Jet LIKE: * any characters, ? one character, # one digit, [abc] [a-z] [!a-z]
// classes; letters compare without regard to ASCII case. Throws
// std::invalid_argument on a pattern with an unclosed '['.
bool JetLike(std::string_view pattern, std::string_view text);

// Engine type codes of the original engine.
enum JetType : int {
    jtBoolean = 1,
    jtShort = 3,
    jtLong = 4,
    jtDouble = 7,
    jtDate = 8,
    jtText = 10,
    jtMemo = 12,
    jtCounter = 'c',  // auto-increment 32-bit integer
};

// SQLite column definition of a column of the given engine type, with the
// constraints that make the file itself refuse out-of-range values: text
// length in characters, the 16-bit range of short columns, text in numeric
// columns. size 0 = the engine's default size.
std::string ColumnDefinition(const std::string& table, const std::string& column, int type, int size,
                             bool notNull);

// Engine type code and size from a column's declared type (0 when unknown).
int TypeFromDeclared(std::string_view declared, int* size = nullptr);

// A statement that changes the schema (CREATE, ALTER, DROP).
bool IsSchemaStatement(std::string_view sql);

// Double-quoted SQL identifier.
std::string QuoteIdent(std::string_view name);
