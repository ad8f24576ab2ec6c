#pragma once

#include "scene/ViewPreferences.h"

#include <QByteArray>
#include <QString>

// The per-user settings file: the display preferences of the 3D view (which
// scene elements are shown, their colours and line widths, where the two
// button groups sit, the wire-frame mode and the light) kept between runs in
// one small XML file. It is read once after the main window is first shown and
// written once when it closes. Camera, cube ratio, drawing colour and cube
// line width are never kept: they always start from their defaults.
//
// Both operations are silent: a file that cannot be read or written simply
// leaves things as they are; the user is never told.

enum class SettingsLoadStatus {
    NotLoaded, // no file, unreadable, or not well-formed XML: nothing changed
    Stopped,   // a section or value was missing: the values before it were stored
    Complete,  // all values stored
};

// Whatever the status, the caller refreshes the view's buttons from the
// values the view now holds, so that no swatch contradicts them.
struct SettingsLoadResult {
    SettingsLoadStatus status = SettingsLoadStatus::NotLoaded;
    int valuesStored = 0; // how many of the kSettingsValueCount values were stored
};

inline constexpr int kSettingsValueCount = 21;

// The folder and the file under the user's configuration folder
// ($XDG_CONFIG_HOME or ~/.config): ".../Orvendale/MIRA-VEL" and
// ".../Orvendale/MIRA-VEL/MIRA-VEL.xml".
QString SettingsFolderPath();
QString SettingsFilePath();

// Reads the file at path into the preferences. Each value is stored as
// soon as it is read, without range checks (a light position outside 0..7
// becomes 0, since it indexes the eight light directions), so a load that
// stops at a missing section or value keeps what it stored before.
SettingsLoadResult LoadSettings(CViewPreferences& view, const QString& path);
// The same from the file's bytes; the path form reads the file and comes here.
SettingsLoadResult LoadSettingsFromBytes(CViewPreferences& view, const QByteArray& bytes);

// Writes the preferences to path, creating the missing folders first.
// The file is replaced whole or not at all: on failure any earlier file stays
// as it was and false is returned.
bool SaveSettings(const CViewPreferences& view, const QString& path);
