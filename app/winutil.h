// Small helpers shared by the windows: text conversion, window geometry in
// the settings file.
#pragma once
#include <QString>
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
// Centres w on its parent window, or on the screen without one.
void CenterWindow(QWidget* w);
