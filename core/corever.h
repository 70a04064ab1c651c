#pragma once
extern const char* const kAppTitle;    // application title (half-width katakana)
extern const char* const kVersionText;
