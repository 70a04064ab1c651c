#include "installpaths.h"

#include <sys/stat.h>

#include "fileutil.h"

namespace {

bool IsDir(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// dir followed by a relative path, with each leading ".." taking away the
// last folder of dir, so that the result reads as a plain path.
std::string JoinRelative(std::string dir, std::string rel) {
    while (rel.rfind("../", 0) == 0 || rel == "..") {
        std::size_t slash = dir.find_last_of('/');
        if (slash == std::string::npos || dir.size() <= 1) break;
        dir = slash == 0 ? "/" : dir.substr(0, slash);
        rel = rel.size() > 2 ? rel.substr(3) : "";
    }
    if (rel.empty()) return dir;
    return dir == "/" ? "/" + rel : dir + "/" + rel;
}

}  // namespace

std::string InstalledDataDir(const std::string& programDir) {
    std::string data = JoinRelative(programDir, VELMO_DATA_FROM_BIN);
    return IsDir(data) ? data : std::string();
}

std::string HelpPagePath(const std::string& programDir) {
    std::string beside = programDir + "/Help/index.html";
    if (FileExists(beside)) return beside;
    std::string data = InstalledDataDir(programDir);
    if (!data.empty() && FileExists(data + "/Help/index.html")) return data + "/Help/index.html";
    return beside;
}

std::string HelpPagePath() { return HelpPagePath(ProgramDir()); }
