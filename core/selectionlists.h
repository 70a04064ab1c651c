// The user's selection lists (units, warehouses, processes, lines) and the
// captions of the user-named item fields, as the environment settings dialog
// edits them and the item dialog reads them. Both live in the settings file.
//
// A list is stored in its own section: CNT = number of entries, then keys
// "1" to CNT with the entries in list order.
#pragma once
#include <array>
#include <string>
#include <vector>

enum class SelectionListId { Tani, Souko, Flow, Linen };
constexpr int kSelectionListCount = 4;
// "TANI", "SOUKO", "FLOW", "LINEN".
const char* SelectionListSection(SelectionListId id);

// Entries of a list as stored (a missing CNT counts 0, a missing key reads
// empty). skipEmpty drops empty entries, so gaps close up; without it every
// value is taken as read.
std::vector<std::string> ReadSelectionList(SelectionListId id, bool skipEmpty);
// CNT and keys 1..n in one write of the settings file. Keys above n stay in
// the file; no reader looks at them.
void WriteSelectionList(SelectionListId id, const std::vector<std::string>& entries);

// One list as the settings dialog edits it: the entries, the selected entry
// (-1 none) and the text of the edit box beside the list. Entries are never
// blank and never equal (exact comparison) when they come from these
// operations. Each operation returns false when it changed nothing.
class clsSelectionList {
public:
    std::vector<std::string> Entries;
    int Selected = -1;
    std::string EditText;

    // Takes the entries; the first is selected and copied into the edit text.
    void Load(std::vector<std::string> entries);
    // A click on an entry: it becomes selected and goes into the edit text.
    bool Select(int index);
    // The trimmed edit text is appended and selected, unless it is blank or
    // already an entry.
    bool Add();
    // The selected entry becomes the trimmed edit text, unless that is blank
    // or already an entry, or nothing is selected.
    bool Replace();
    // Removes the selected entry; the one before it (or the new first one)
    // is selected and copied into the edit text. An emptied list keeps the
    // edit text.
    bool Delete();
    // The selected entry swaps places with its neighbour; the selection
    // moves with it.
    bool Up();
    bool Down();

private:
    bool Contains(const std::string& text) const;
};

// Everything the environment settings dialog shows: the four lists and the
// six captions (ItemCaption order: ETCHI, HINBAN, MCODE, YOBI1..3).
struct clsEnvSettings {
    std::array<clsSelectionList, kSelectionListCount> Lists;
    std::array<std::string, 6> Captions;

    // From the settings file: lists with their gaps closed, captions with
    // their defaults when the key is missing.
    void Load();
    // Lists as they are now; captions trimmed (an empty caption stays
    // empty, and the item dialog then shows an empty label).
    void Save() const;
};
