#include "settings/FileSettingsStore.h"

std::optional<ConfigFile::Settings> FileSettingsStore::load()
{
    const auto file = ConfigFile::getDefaultLocation();

    if (!file.existsAsFile())
        return std::nullopt;

    return ConfigFile::read (file);
}

void FileSettingsStore::save (const ConfigFile::Settings& settings)
{
    ConfigFile::write (ConfigFile::getDefaultLocation(), settings);
}
