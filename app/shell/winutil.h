// Small helpers shared by the windows: text conversion, window geometry in
// the settings file.
#pragma once
#include <QString>
#include <functional>
#include <string>

#include "settings.h"

class QWidget;

inline QString ToQ(const std::string& s) { return QString::fromStdString(s); }
inline std::string ToStd(const QString& s) { return s.toStdString(); }

// Reads <prefix>WIDTH, <prefix>HEIGHT, <prefix>TOP, <prefix>LEFT of section
// PREFORM (prefix such as "FM_"), with the design size as default. The window
// is centred on its parent (or the screen) with that size.
void LoadFormGeometry(QWidget* w, const QString& prefix, int designWidth, int designHeight);
// Writes the four keys. A settings file that cannot be written raises
// SettingsError.
void SaveFormGeometry(QWidget* w, const QString& prefix);
// Runs a write of window settings at program end (window geometry, column
// widths, band layout). A settings file that cannot be written is reported
// once, as an information message, however many windows fail after it.
// Returns false when the write failed.
bool SaveSettingsAtExit(const std::function<void()>& write);
// Starts a new program run: the next failure is reported again.
void ResetSettingsAtExit();

// Centres w on its parent window, or on the screen without one.
void CenterWindow(QWidget* w);
