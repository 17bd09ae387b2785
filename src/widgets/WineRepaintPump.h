#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The toolkit's Windows windows paint what was marked for repainting when the screen reports its vertical
// blank, which Wine 8 never does (its IDXGIOutput::WaitForVBlank is a stub): only the first paint would ever
// show. Under Wine, this paints the marked areas of every window at the screen's rate instead; on Windows
// itself it is never made.
class WineRepaintPump final : private juce::Timer
{
public:
    // A running pump under Wine, none elsewhere.
    static std::unique_ptr<WineRepaintPump> startIfNeeded();

    WineRepaintPump();
    ~WineRepaintPump() override;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WineRepaintPump)
};
