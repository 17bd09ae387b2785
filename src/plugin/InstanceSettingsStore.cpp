#include "plugin/InstanceSettingsStore.h"

InstanceSettingsStore::InstanceSettingsStore (PluginProcessor& instance)
    : processor (instance)
{
}

std::optional<ConfigFile::Settings> InstanceSettingsStore::load()
{
    // A new instance starts from the defaults, whatever another instance or the program chose.
    return processor.getInstanceSettings();
}

void InstanceSettingsStore::save (const ConfigFile::Settings& settings)
{
    processor.setInstanceSettings (settings);
}
