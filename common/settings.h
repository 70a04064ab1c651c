// The settings file Velmo.ini: "[section]" and "key=value" lines in CP932.
// Every access reads or writes the file at once; nothing is cached. A write
// replaces the file atomically and keeps every line it does not touch.
#pragma once
#include <string>
#include <vector>

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Missing file, section or key: def. Section and key names compare
    // without regard to ASCII case; blanks around the value are dropped.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Text that is not an integer reads as def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Check-box rule: only the text "0" unchecks; a missing key stays checked.
    bool ReadCheck(const std::string& section, const std::string& key) const;
    bool KeyExists(const std::string& section, const std::string& key) const;

    // Throws SettingsError when the file cannot be written; the file is then
    // unchanged.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long long value);
    void WriteCheck(const std::string& section, const std::string& key, bool checked);
    // Several keys of one section in one replace of the file.
    void WriteStrings(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values);

private:
    std::string path_;
};

// The settings file of the program: Velmo.ini beside the executable, or
// $XDG_CONFIG_HOME/velmo/Velmo.ini (default ~/.config/velmo/) when that
// folder is not writable or belongs to an installed tree. SetSettingsPath
// points every later access at another file (tests, velmo-cli --settings).
std::string SettingsPath();
// The same rule for a program in programDir, without the override.
std::string DefaultSettingsPath(const std::string& programDir);
void SetSettingsPath(const std::string& path);
IniFile AppSettings();
