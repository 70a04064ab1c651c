// clsDaoMent: creates data files and tables from column definitions, and
// compacts a data file in place. Errors are not caught: they propagate as
// EngineError to the calling command.
#pragma once
#include <string>
#include <vector>

class clsDaoMent {
public:
    struct sTableDef {
        std::string Name;
        unsigned char Type = 0;  // engine type code; 'c' = auto-increment 32-bit integer
        int Size = 0;            // text length in characters; 0 = none given
        unsigned char Key = 0;   // 1 = part of the primary key
    };

    clsDaoMent() = default;

    // Makes an empty data file at path; an existing file there is deleted.
    void CreateDatabase(const std::string& path);
    // Prepares an empty list of n columns; 0, or -1 when memory runs out.
    int TableDefInit(int n);
    // Fills entry index (1..n). Without a prepared list it shows the message
    // "TableDefInitを行ってから、TableDefAddを行ってください。" and adds nothing.
    void TableDefAdd(int index, const std::string& name, unsigned char key, int size, unsigned char type);
    // Creates the table from the list in the file at path, then discards the
    // list. The primary key index is named "PKey".
    void CreateTableDef(const std::string& path, const std::string& table);
    // Compacts the closed data file at path: a compacted copy is written to a
    // temporary file in the same folder and renamed over the file, so the data
    // file is never missing or half-written. The original stays on failure.
    void CompactDatabase(const std::string& path);
    // "TMP" + a number 0-999 + ".mdb" in dir (the current directory when dir is
    // empty), drawn again while a file of that name exists.
    std::string MakeTempName(const std::string& dir = std::string());

    int Count() const { return count_; }

private:
    std::vector<sTableDef> list_;
    int count_ = 0;
};

// Creates the layout of a data file. mode 0: a new data file at path with all
// five tables (a file already at path is replaced only once the new one is
// complete); any other mode: adds OrderPlan and Supply to the file at path.
void CreateSchema(const std::string& path, int mode);

// The indexes beyond the primary keys, created when missing: iStructCD2 on
// iStruct(CD2), which answers the parent search by child code. Made with
// every new data file (so also by an import into a new file) and by
// compaction; a file without it answers the same, only slower.
class Database;
void CreateSchemaIndexes(Database& db);
// True when the file has the index iStructCD2.
bool HasStructChildIndex(Database& db);

// Column layout of the five tables, in column order.
struct SchemaColumn {
    const char* name;
    int type;
    int size;
    bool key;
};
struct SchemaTable {
    const char* name;
    std::vector<SchemaColumn> columns;
};
const std::vector<SchemaTable>& VelmoSchema();

// A data file of the previous layout (version 1), which Velmo1_2 converts:
// iStruct, MasItem and MasTori only, iStruct with its older column types
// (docs/datastore.md). Made for tests and for trying the conversion; a file
// already at path is replaced once the new one is complete.
void CreateVersion1File(const std::string& path);
const std::vector<SchemaTable>& Version1Schema();
