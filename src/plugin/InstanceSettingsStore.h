#pragma once

#include "plugin/PluginProcessor.h"
#include "settings/SettingsStore.h"

// The main screen's settings kept in its plugin instance, which the host saves with its project.
class InstanceSettingsStore final : public SettingsStore
{
public:
    explicit InstanceSettingsStore (PluginProcessor& instance);

    std::optional<ConfigFile::Settings> load() override;
    void save (const ConfigFile::Settings& settings) override;

private:
    PluginProcessor& processor;
};
