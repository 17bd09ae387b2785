#pragma once

#include "plugin/PluginProcessor.h"
#include "settings/SettingsStore.h"

// The main screen's settings kept in its plugin instance, which the host saves with its project.
class InstanceSettingsStore final : public SettingsStore
{
public:
    explicit InstanceSettingsStore (PluginProcessor& instance);

    std::optional<ConfigFile::Settings> load() override;

    // Left out while the host has restored a state that the screen has not loaded yet: the restored
    // settings replace the screen's, not the other way round.
    void save (const ConfigFile::Settings& settings) override;

private:
    PluginProcessor& processor;
    int stateRestoresLoaded = 0;
};
