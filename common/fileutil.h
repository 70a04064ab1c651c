// File helpers: atomic replace, safe copy, the program folder.
#pragma once
#include <string>
#include <string_view>

// Folder of the running executable, without a trailing slash.
std::string ProgramDir();

// Folder part of a path ("." when the path has none).
std::string DirName(const std::string& path);

bool FileExists(const std::string& path);
bool IsWritableDir(const std::string& dir);

// Creates a new empty file (mode 0600) in dir named prefix, six random
// characters and suffix, as mkstemp does: no fixed pool of names, so
// leftovers of earlier runs never block it. Returns the open descriptor and
// the name, or -1 with errno set.
int CreateTempFile(const std::string& dir, const std::string& prefix, const std::string& suffix, std::string* name);

// Writes bytes to a temporary file in the folder of path, flushes it to disk
// and renames it over path: afterwards path holds either the old or the whole
// new content. Returns false (with errno set) on failure; the temporary file
// is removed then.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// Reads a whole file; false when it cannot be read.
bool ReadFile(const std::string& path, std::string& bytes);

// Copies src to dst through a temporary file in dst's folder, renamed into
// place when complete: dst is either untouched or a full copy. Copying a file
// onto itself does nothing and succeeds. Returns false on failure with a
// message in error.
bool CopyFileAtomic(const std::string& src, const std::string& dst, std::string* error);

// Same file (device and inode) under two names.
bool SameFile(const std::string& a, const std::string& b);
