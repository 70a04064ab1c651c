// Settings shared by several windows: the captions of the user-named item
// fields (section MASITEM) and the procurement marks (section SupEnt).
#pragma once
#include <string>

// The caption keys of section MASITEM and their defaults.
enum class ItemCaption { Etchi, Hinban, Mcode, Yobi1, Yobi2, Yobi3 };
const char* ItemCaptionKey(ItemCaption c);       // "ETCHI", ...
const char* ItemCaptionDefault(ItemCaption c);   // "(その他費用)", ...
// The caption as stored (the default only when the key is missing; an empty
// stored caption stays empty).
std::string ReadItemCaption(ItemCaption c);

// After a change of item master data or structure lines: section SupEnt,
// key "YYYYMM", the empty text.
void MarkProcurementChanged();
