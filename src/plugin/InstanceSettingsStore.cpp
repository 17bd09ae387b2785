#include "plugin/InstanceSettingsStore.h"

InstanceSettingsStore::InstanceSettingsStore (PluginProcessor& instance)
    : processor (instance)
    , stateRestoresLoaded (instance.getStateRestoreCount())
{
}

std::optional<ConfigFile::Settings> InstanceSettingsStore::load()
{
    // A new instance starts from the defaults, whatever another instance or the program chose.
    stateRestoresLoaded = processor.getStateRestoreCount();
    return processor.getInstanceSettings();
}

void InstanceSettingsStore::save (const ConfigFile::Settings& settings)
{
    if (processor.getStateRestoreCount() != stateRestoresLoaded)
        return;

    processor.setInstanceSettings (settings);
}
