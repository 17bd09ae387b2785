#include "dialogs/ToolkitFileChooser.h"

#include "TestHelpers.h"
#include "dialogs/ToolkitTexts.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
// The toolkit's texts back in English whatever a test left.
struct ScopedToolkitLanguage final
{
    explicit ScopedToolkitLanguage (int language) { ToolkitTexts::useLanguage (language); }
    ~ScopedToolkitLanguage() { ToolkitTexts::useLanguage (1); }
};

template <typename Type>
std::vector<Type*> allOf (juce::Component& parent)
{
    std::vector<Type*> found;

    for (auto* child : parent.getChildren())
    {
        if (auto* typed = dynamic_cast<Type*> (child))
            found.push_back (typed);

        const auto deeper = allOf<Type> (*child);
        found.insert (found.end(), deeper.begin(), deeper.end());
    }

    return found;
}

juce::StringArray buttonTexts (juce::Component& parent)
{
    juce::StringArray texts;

    for (auto* button : allOf<juce::TextButton> (parent))
        texts.add (button->getButtonText());

    return texts;
}

juce::StringArray labelTexts (juce::Component& parent)
{
    juce::StringArray texts;

    for (auto* label : allOf<juce::Label> (parent))
        texts.add (label->getText());

    return texts;
}

// The chooser shown inside a component of the test's own, on the program's look, as the program shows it.
class ToolkitFileChooserTest : public ::testing::Test
{
protected:
    std::unique_ptr<ToolkitFileChooser> make (ToolkitFileChooser::Mode mode, const juce::String& title)
    {
        auto chooser =
            std::make_unique<ToolkitFileChooser> (mode, title, folder.get(), "*.mwh", true, &holder);
        chooser->getWindow().setBounds (0, 0, 600, 500);
        return chooser;
    }

    widget_testing::ScopedProgramLook look;
    testing_helpers::TemporaryFolder folder;
    juce::Component holder;
};
} // namespace

TEST (ToolkitTextsTest, frenchTranslatesTheToolkitsOwnTextsAndEnglishGivesThemBack)
{
    {
        ScopedToolkitLanguage french (0);
        EXPECT_EQ (juce::translate ("file:"), "fichier :");
        EXPECT_EQ (juce::translate ("Cancel"), "Annuler");
        EXPECT_EQ (juce::translate ("Save"), "Enregistrer");
        EXPECT_EQ (juce::translate ("Open"), "Ouvrir");
        EXPECT_EQ (juce::translate ("New Folder"), "Nouveau dossier");
        EXPECT_EQ (juce::translate ("There's already a file called: FLNM"),
                   testing_helpers::utf8 ("Il existe déjà un fichier nommé : FLNM"));
        EXPECT_EQ (juce::translate ("Select All"), testing_helpers::utf8 ("Tout sélectionner"));
        EXPECT_EQ (juce::translate ("Some text of the program"), "Some text of the program");
    }

    EXPECT_EQ (juce::translate ("file:"), "file:");
    EXPECT_EQ (juce::translate ("Cancel"), "Cancel");
}

TEST_F (ToolkitFileChooserTest, itsTitleGoesToTheTitleBarAndItsHeaderIsDrawnLight)
{
    auto chooser = make (ToolkitFileChooser::Mode::save, "Choose the place to save your set");
    auto& window = chooser->getWindow();

    EXPECT_TRUE (window.isUsingNativeTitleBar());
    EXPECT_EQ (window.getName(), "Choose the place to save your set");

    // The header repeats the title in white on the dark window, where the toolkit's black was unreadable.
    const auto image = widget_testing::snapshot (window);
    const auto header = juce::Rectangle<int> (0, 0, 600, 30);
    EXPECT_GT (widget_testing::countPixels (image, header,
                                            [] (juce::Colour c) { return c == juce::Colours::white; }),
               100);
}

TEST_F (ToolkitFileChooserTest, theNameFieldIsTheBrowsersAndLetsEscapeReachTheWindow)
{
    auto chooser = make (ToolkitFileChooser::Mode::save, "Save");
    auto& field = chooser->getFileNameField();

    // Typed into that field, a name is the file chosen in the shown folder.
    field.setText ("typed.mwh", juce::dontSendNotification);
    EXPECT_EQ (chooser->getBrowser().getSelectedFile (0), folder.child ("typed.mwh"));

    juce::Component& window = chooser->getWindow();
    window.setVisible (true);
    window.enterModalState (false);
    ASSERT_TRUE (window.isCurrentlyModal());
    EXPECT_FALSE (field.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey))) << "Escape goes on";
    EXPECT_TRUE (window.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_FALSE (window.isCurrentlyModal()) << "Escape ended the chooser";
}

TEST_F (ToolkitFileChooserTest, inFrenchItsButtonsAndLabelsAreFrench)
{
    ScopedToolkitLanguage french (0);

    auto saving = make (ToolkitFileChooser::Mode::save, "Enregistrer");
    auto& window = saving->getWindow();
    EXPECT_TRUE (buttonTexts (window).contains ("Annuler"));
    EXPECT_TRUE (buttonTexts (window).contains ("Enregistrer"));
    EXPECT_TRUE (buttonTexts (window).contains ("Nouveau dossier"));
    EXPECT_TRUE (labelTexts (window).contains ("fichier :"));
    EXPECT_FALSE (buttonTexts (window).contains ("Cancel"));
    saving.reset();

    auto opening = make (ToolkitFileChooser::Mode::open, "Ouvrir");
    EXPECT_TRUE (buttonTexts (opening->getWindow()).contains ("Ouvrir"));
}

TEST_F (ToolkitFileChooserTest, theParentFolderButtonShowsALightArrow)
{
    auto chooser = make (ToolkitFileChooser::Mode::open, "Open");
    auto buttons = allOf<juce::DrawableButton> (chooser->getWindow());
    ASSERT_EQ (buttons.size(), 1u);
    auto& up = *buttons.front();
    ASSERT_FALSE (up.getBounds().isEmpty());

    const auto image = widget_testing::snapshot (up);
    EXPECT_GT (widget_testing::countPixels (image, image.getBounds(),
                                            [] (juce::Colour c)
                                            { return c.getBrightness() > 0.7f && c.getSaturation() < 0.1f; }),
               20);
}
