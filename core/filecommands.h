// The data file commands of the main window without the window: which file
// the one connection has open, the version check, the caption and the
// messages. The window asks for the file names and shows the messages; these
// functions only move the connection and report through it.
#pragma once
#include <string>

#include "udao.h"

// Caption of the main window before any file was created, opened or saved.
extern const char* const kDesignCaption;
// Filter of the file dialogs.
extern const char* const kDataFileFilter;
extern const char* const kMsgOldVersion;
extern const char* const kMsgCompactQuestion;
extern const char* const kMsgCompactDone;
extern const char* const kMsgCompactReadOnly;

// The application title, " [", the path and "]".
std::string DataFileCaption(const std::string& path);
// The message of a command that needs a data file while none is open; its
// last line asks to search (検索, MDBﾌｧｲﾙ最適化) or to edit (every other
// command).
std::string NoDataFileMessage(bool search);
// The open data file has gone from its folder (deleted or moved).
std::string MissingDataFileMessage(const std::string& path);
// Why a file chosen as the target of 新規作成 or 名前をつけて保存 cannot be
// written over (a read-only file), or "" when it can.
std::string TargetFileMessage(const std::string& name);

// A data file of the current layout has the table OrderPlan.
bool IsCurrentVersion(clsDao& dao);
// A file is open but no longer exists under its path.
bool DataFileMissing(const clsDao& dao);
// The open file cannot be written (read-only file).
bool DataFileReadOnly(const clsDao& dao);

enum class OpenResult {
    Opened,      // name is open
    Failed,      // the connection reported why; the previous file is still open
    OldVersion,  // a version-1 file: closed again, the previous file reopened
};

// ﾌｧｲﾙを開く: opens name in place of the open file. The previous file is
// closed only once name has opened, so a file that is not a data file is
// reported once and changes nothing; neither file is written.
OpenResult OpenDataFile(clsDao& dao, const std::string& name);

// Start-up: reopens the remembered file when path is not empty and the file
// exists; a version-1 file is closed again without a message. Returns false
// when nothing was tried.
bool ReopenAtStart(clsDao& dao, const std::string& path);

// 新規作成: closes the open file and makes a new data file at name (an
// existing file there is replaced once the new one is complete), then opens
// it. When the creation fails the previous file is opened again and the
// error propagates. Returns true when name is open.
bool NewDataFile(clsDao& dao, const std::string& name);

enum class SaveAsResult { Saved, CopyFailed, OpenFailed };
// 名前をつけて保存: closes the open file, copies it to name (a complete copy
// or none) and opens the copy. On failure the previous file is opened again;
// error gets the reason of a failed copy.
SaveAsResult SaveDataFileAs(clsDao& dao, const std::string& name, std::string* error);

// MDBﾌｧｲﾙ最適化: closes, compacts in place and opens the file again; when the
// compaction fails the file (unchanged) is opened again and the error
// propagates.
void CompactDataFile(clsDao& dao);
