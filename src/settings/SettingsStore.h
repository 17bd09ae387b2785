#pragma once

#include "settings/ConfigFile.h"

#include <optional>

// Where the main screen keeps its settings between two runs: the program's settings file, or the plugin
// instance's state, which the host saves with its project.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Nothing when no settings were kept yet; the screen then starts from the defaults and keeps those.
    virtual std::optional<ConfigFile::Settings> load() = 0;
    virtual void save (const ConfigFile::Settings& settings) = 0;
};
