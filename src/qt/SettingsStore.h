// What the game remembers between runs, in the user's configuration folder
// ($XDG_CONFIG_HOME/quorvex, normally ~/.config/quorvex): statistics.ini
// and settings.ini, both in QSettings' INI format.
#pragma once

#include <QString>

#include "game/Services.h"

namespace quorvex::ui {

QString ConfigFolder();
QString StatisticsFile();
QString SettingsFile();

// A damaged statistics file is moved aside to "<file>.damaged" so that the
// next save neither fails on it nor destroys what a person might still read.
StoreResult LoadStatisticsFile(Statistics& into);
StoreResult SaveStatisticsFile(const Statistics& stats);
Preferences LoadPreferencesFile();
void SavePreferencesFile(const Preferences& preferences);

}  // namespace quorvex::ui
