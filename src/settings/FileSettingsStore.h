#pragma once

#include "settings/SettingsStore.h"

// The program's settings: "Musewheeler.ini" in the program folder, looked up at each load and save.
class FileSettingsStore final : public SettingsStore
{
public:
    std::optional<ConfigFile::Settings> load() override;
    void save (const ConfigFile::Settings& settings) override;
};
