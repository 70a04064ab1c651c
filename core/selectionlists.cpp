#include "selectionlists.h"

#include <algorithm>

#include "settings.h"
#include "ucommon.h"
#include "usersettings.h"

const char* SelectionListSection(SelectionListId id) {
    static const char* const sections[kSelectionListCount] = {"TANI", "SOUKO", "FLOW", "LINEN"};
    return sections[static_cast<int>(id)];
}

std::vector<std::string> ReadSelectionList(SelectionListId id, bool skipEmpty) {
    IniFile ini = AppSettings();
    const std::string section = SelectionListSection(id);
    int n = ini.ReadInteger(section, "CNT", 0);
    std::vector<std::string> out;
    for (int i = 1; i <= n; ++i) {
        std::string v = ini.ReadString(section, std::to_string(i), "");
        if (skipEmpty && v.empty()) continue;
        out.push_back(std::move(v));
    }
    return out;
}

void WriteSelectionList(SelectionListId id, const std::vector<std::string>& entries) {
    std::vector<std::pair<std::string, std::string>> values;
    values.reserve(entries.size() + 1);
    values.emplace_back("CNT", std::to_string(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) values.emplace_back(std::to_string(i + 1), entries[i]);
    AppSettings().WriteStrings(SelectionListSection(id), values);
}

void clsSelectionList::Load(std::vector<std::string> entries) {
    Entries = std::move(entries);
    Selected = Entries.empty() ? -1 : 0;
    EditText = Entries.empty() ? std::string() : Entries[0];
}

bool clsSelectionList::Contains(const std::string& text) const {
    return std::find(Entries.begin(), Entries.end(), text) != Entries.end();
}

bool clsSelectionList::Select(int index) {
    if (index < 0 || index >= static_cast<int>(Entries.size())) return false;
    Selected = index;
    EditText = Entries[index];
    return true;
}

bool clsSelectionList::Add() {
    std::string t = Trim(EditText);
    if (t.empty() || Contains(t)) return false;
    Entries.push_back(t);
    Selected = static_cast<int>(Entries.size()) - 1;
    return true;
}

bool clsSelectionList::Replace() {
    std::string t = Trim(EditText);
    if (t.empty() || Contains(t)) return false;
    if (Selected < 0 || Selected >= static_cast<int>(Entries.size())) return false;
    Entries[Selected] = t;
    return true;
}

bool clsSelectionList::Delete() {
    if (Selected < 0 || Selected >= static_cast<int>(Entries.size())) return false;
    Entries.erase(Entries.begin() + Selected);
    if (Entries.empty()) {
        Selected = -1;
        return true;
    }
    Selected = Selected > 0 ? Selected - 1 : 0;
    EditText = Entries[Selected];
    return true;
}

bool clsSelectionList::Up() {
    if (Selected <= 0 || Selected >= static_cast<int>(Entries.size())) return false;
    std::swap(Entries[Selected], Entries[Selected - 1]);
    --Selected;
    return true;
}

bool clsSelectionList::Down() {
    if (Selected < 0 || Selected + 1 >= static_cast<int>(Entries.size())) return false;
    std::swap(Entries[Selected], Entries[Selected + 1]);
    ++Selected;
    return true;
}

void clsEnvSettings::Load() {
    for (int i = 0; i < kSelectionListCount; ++i)
        Lists[i].Load(ReadSelectionList(static_cast<SelectionListId>(i), true));
    for (int i = 0; i < 6; ++i) Captions[i] = ReadItemCaption(static_cast<ItemCaption>(i));
}

void clsEnvSettings::Save() const {
    for (int i = 0; i < kSelectionListCount; ++i) WriteSelectionList(static_cast<SelectionListId>(i), Lists[i].Entries);
    std::vector<std::pair<std::string, std::string>> captions;
    for (int i = 0; i < 6; ++i) captions.emplace_back(ItemCaptionKey(static_cast<ItemCaption>(i)), Trim(Captions[i]));
    AppSettings().WriteStrings("MASITEM", captions);
}
