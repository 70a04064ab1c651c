// The main window's keys in the settings file: the data file to reopen, the
// four category boxes, the layout of the two tool-bar bands and the widths of
// the list columns. (The window size and position go through the shared
// geometry helpers under the prefix "FM_".)
#pragma once
#include <array>
#include <string>

#include "settings.h"

struct sMainSettings {
    // DATABASE/PATH: the data file to reopen; "" when none was open.
    std::string path;
    // PREFORM/CHKS_BODY, CHKS_UNIT, CHKS_PARTS, CHKS_SET: only "0" unchecks.
    bool chkBody = true;
    bool chkUnit = true;
    bool chkParts = true;
    bool chkSet = true;
    // PREFORM/COOL_1: "2" puts the search panel in the first band; anything
    // else the tool bar. COOL_2 is written to match and never read.
    bool toolBarFirst = true;
    // PREFORM/COOL_1B, COOL_2B: "1" makes the band start a new row.
    bool break1 = false;
    bool break2 = false;
    // PREFORM/COOL_1W, COOL_2W: band widths; 0 keeps the design width.
    int width1 = 0;
    int width2 = 0;
    // PREFORM/MLIST1W..MLIST4W: widths of 品番, 通称名, 形態, 規格.
    std::array<int, 4> columns = {250, 200, 200, 200};
};

// The design size of the main window (PREFORM/FM_WIDTH, FM_HEIGHT).
inline constexpr int kMainDesignWidth = 733;
inline constexpr int kMainDesignHeight = 510;
// Design widths of the two bands: the tool bar and the search panel.
inline constexpr int kToolBandDesignWidth = 398;
inline constexpr int kSearchBandDesignWidth = 321;

// Reads every key; a missing file or key gives the defaults above.
sMainSettings LoadMainSettings(const IniFile& ini);
// The list column widths alone (read whenever the columns are built).
std::array<int, 4> LoadListColumnWidths(const IniFile& ini);
// Writes every key in one replace of the file per section. Raises
// SettingsError when the file cannot be written.
void SaveMainSettings(IniFile& ini, const sMainSettings& s);
