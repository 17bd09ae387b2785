#include "dialogs/AsyncMessageDialogs.h"

AsyncMessageDialogs::AsyncMessageDialogs (juce::Component& ownerComponent)
    : owner (ownerComponent)
{
}

void AsyncMessageDialogs::showMessageBox (const juce::String& title, const juce::String& message,
                                          const juce::String& button)
{
    auto& look = owner.getLookAndFeel();
    shownBox.reset (look.createAlertWindow (title, message, button, {}, {},
                                            juce::MessageBoxIconType::WarningIcon, 1, &owner));
    // A box on the desktop has no parent to take its look from.
    shownBox->setLookAndFeel (&look);

    // While the box lives these dialogs do too, as they own it; a box they deleted calls back with nothing.
    const juce::Component::SafePointer<juce::AlertWindow> box (shownBox.get());
    shownBox->enterModalState (true,
                               juce::ModalCallbackFunction::create (
                                   [this, box] (int)
                                   {
                                       if (box != nullptr)
                                           shownBox.reset();
                                   }),
                               false);
}
