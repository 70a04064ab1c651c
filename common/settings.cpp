#include "settings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "fileutil.h"
#include "installpaths.h"
#include "sjis.h"
#include "ucommon.h"
#include "verror.h"

namespace {

std::string g_settingsPath;

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x < 0x80 && y < 0x80) {
            if (std::tolower(x) != std::tolower(y)) return false;
        } else if (x != y) {
            return false;
        }
    }
    return true;
}

// One line of the file: its bytes as read and its text in UTF-8.
struct Line {
    std::string raw;   // bytes in the file's encoding; empty for a changed line
    std::string text;  // UTF-8
    bool changed = false;
};

struct Lines {
    std::vector<Line> lines;
    bool utf8 = false;  // the file was written in UTF-8 by mistake
};

Lines LoadLines(const std::string& path) {
    Lines out;
    std::string bytes;
    if (!ReadFile(path, bytes)) return out;
    // A file saved in UTF-8 by mistake still reads as what it says; it is
    // written back in CP932.
    size_t start = 0;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        out.utf8 = true;
        start = 3;
    } else if (IsValidUtf8(bytes)) {
        out.utf8 = true;
    }
    while (start <= bytes.size()) {
        size_t nl = bytes.find_first_of("\r\n", start);
        std::string raw = bytes.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (nl == std::string::npos && raw.empty()) break;
        out.lines.push_back({raw, out.utf8 ? raw : FromSjis(raw), false});
        if (nl == std::string::npos) break;
        if (bytes[nl] == '\r' && nl + 1 < bytes.size() && bytes[nl + 1] == '\n') ++nl;
        start = nl + 1;
    }
    return out;
}

bool SectionName(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return !key.empty();
}

bool Lookup(const Lines& file, const std::string& section, const std::string& key, std::string& value) {
    bool in = false;
    for (const auto& l : file.lines) {
        const std::string& line = l.text;
        std::string name, k, v;
        if (SectionName(line, name)) {
            in = EqualNoCase(name, section);
            continue;
        }
        if (in && KeyValue(line, k, v) && EqualNoCase(k, key)) {
            value = v;
            return true;
        }
    }
    return false;
}

void SetKey(Lines& file, const std::string& section, const std::string& key, const std::string& value) {
    std::vector<Line>& lines = file.lines;
    auto make = [](const std::string& text) { return Line{std::string(), text, true}; };
    // Line breaks cannot stand in a value; they would start new lines.
    std::string v;
    for (char c : value) v.push_back(c == '\r' || c == '\n' ? ' ' : c);
    bool in = false;
    long sectionEnd = -1;  // index after the last key line of the section
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, val;
        if (SectionName(lines[i].text, name)) {
            if (in) break;
            in = EqualNoCase(name, section);
            if (in) sectionEnd = static_cast<long>(i) + 1;
            continue;
        }
        if (!in) continue;
        if (KeyValue(lines[i].text, k, val)) {
            if (EqualNoCase(k, key)) {
                lines[i] = make(k + "=" + v);
                return;
            }
        }
        if (!Trim(lines[i].text).empty()) sectionEnd = static_cast<long>(i) + 1;
    }
    if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, make(key + "=" + v));
        return;
    }
    if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back(make(""));
    lines.push_back(make("[" + section + "]"));
    lines.push_back(make(key + "=" + v));
}

void Save(const std::string& path, const Lines& file) {
    // Lines not touched keep their bytes; everything is CP932.
    std::string bytes;
    for (const auto& l : file.lines) bytes += (l.changed || file.utf8 ? ToSjis(l.text) : l.raw) + "\r\n";
    if (!WriteFileAtomic(path, bytes)) {
        throw SettingsError("設定ファイル " + path + " に書き込めません。(" + std::strerror(errno) + ")");
    }
}

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    std::string v;
    return Lookup(LoadLines(path_), section, key, v) ? v : def;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string v;
    if (!Lookup(LoadLines(path_), section, key, v)) return def;
    auto n = ParseInt(v);
    if (!n || *n < INT32_MIN || *n > INT32_MAX) return def;
    return static_cast<int>(*n);
}

bool IniFile::ReadCheck(const std::string& section, const std::string& key) const {
    return ReadString(section, key, "") != "0";
}

bool IniFile::KeyExists(const std::string& section, const std::string& key) const {
    std::string v;
    return Lookup(LoadLines(path_), section, key, v);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    WriteStrings(section, {{key, value}});
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, long long value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteCheck(const std::string& section, const std::string& key, bool checked) {
    WriteString(section, key, checked ? "1" : "0");
}

void IniFile::WriteStrings(const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    Lines lines = LoadLines(path_);
    for (const auto& [k, v] : values) SetKey(lines, section, k, v);
    std::string dir = DirName(path_);
    struct stat st;
    if (stat(dir.c_str(), &st) != 0) {
        // The fallback folder under ~/.config may not exist yet.
        std::string partial;
        for (size_t i = 1; i <= dir.size(); ++i) {
            if (i == dir.size() || dir[i] == '/') {
                partial = dir.substr(0, i);
                mkdir(partial.c_str(), 0755);
            }
        }
    }
    Save(path_, lines);
}

std::string SettingsPath() {
    if (!g_settingsPath.empty()) return g_settingsPath;
    return DefaultSettingsPath(ProgramDir());
}

std::string DefaultSettingsPath(const std::string& programDir) {
    // An installed program never writes beside itself, not even when run by
    // a user who could (root and /usr/bin).
    if (InstalledDataDir(programDir).empty() && IsWritableDir(programDir)) return programDir + "/Velmo.ini";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg) base = xdg;
    else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.config";
    }
    return base + "/velmo/Velmo.ini";
}

void SetSettingsPath(const std::string& path) { g_settingsPath = path; }

IniFile AppSettings() { return IniFile(SettingsPath()); }
