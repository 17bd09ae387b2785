#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/SetConseils.h"
#include "widgets/CustomLookAndFeel.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace
{
// What the set editor lets a user type: the shipped sets hold nothing a user could not have written.
bool isAllowedCharacter (juce::juce_wchar c)
{
    static const auto others = testing_helpers::utf8 ("&\"'# ()-_%!.,?:/*+=`àâäçèéêëîïôöùûüÀÂÄÇÈÉÊËÎÏÔÖÙÛÜ");
    const auto asciiLetterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return asciiLetterOrDigit || others.containsChar (c);
}

class ShippedSetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto& file :
             testing_helpers::shippedDataDirectory().findChildFiles (juce::File::findFiles, false, "*.mwh"))
        {
            ASSERT_EQ (LibSetsConseils::isThisFileAValidSet (file), 2) << file.getFileName();
            auto set = std::make_unique<SetConseils> (&tags);
            set->setFileSet (file);
            set->loadData (2);
            sets.push_back (std::move (set));
        }
    }

    DataTags tags;
    std::vector<std::unique_ptr<SetConseils>> sets;
};
} // namespace

TEST_F (ShippedSetsTest, areEnoughSetsInBothLanguages)
{
    ASSERT_GE (sets.size(), 6u);
    int advice = 0;
    int perLanguage[2] = {};

    for (const auto& set : sets)
    {
        const auto file = set->getFileSet().getFileName();
        EXPECT_GE (set->getNumConseils(), 50) << file;
        EXPECT_TRUE (set->getName().isNotEmpty()) << file;
        EXPECT_TRUE (set->getDescription().isNotEmpty()) << file;
        ASSERT_TRUE (set->getLanguage() == 0 || set->getLanguage() == 1) << file;
        EXPECT_EQ (set->getAuthor(), set->getLanguage() == 1
                                         ? juce::String ("The Musewheeler developers (2026)")
                                         : testing_helpers::utf8 ("Les développeurs de Musewheeler (2026)"))
            << file;
        advice += set->getNumConseils();
        ++perLanguage[set->getLanguage()];
    }

    EXPECT_GE (advice, 300);
    EXPECT_GE (perLanguage[0], 3);
    EXPECT_GE (perLanguage[1], 3);
}

TEST_F (ShippedSetsTest, everyAdviceIsTaggedAndWrittenAsTheEditorAllows)
{
    std::set<juce::String> seen;

    for (const auto& set : sets)
    {
        const auto file = set->getFileSet().getFileName();

        for (int i = 0; i < set->getNumConseils(); ++i)
        {
            const auto text = set->getDescriptionItem (i);
            const auto where = (file + ": " + text).toStdString();

            EXPECT_FALSE (set->getFavoriteItem (i)) << where;
            EXPECT_GE (set->getNumTags (i), 2) << where;
            EXPECT_EQ (int (set->isTagAssociatedToItem (i, 0)) + int (set->isTagAssociatedToItem (i, 1)) +
                           int (set->isTagAssociatedToItem (i, 2)),
                       1)
                << where;

            const auto hashes = juce::StringArray::fromTokens (set->getHashTags (i), ",", "");

            for (const auto& hash : hashes)
            {
                if (hash.isNotEmpty())
                {
                    EXPECT_TRUE (DataTags::isValidHash (hash.getIntValue())) << where << " tag " << hash;
                }
            }

            EXPECT_TRUE (text.isNotEmpty()) << where;
            EXPECT_LE (text.length(), 400) << where;
            EXPECT_EQ (text, text.trim()) << where;
            EXPECT_FALSE (text.contains ("  ")) << where;

            for (auto p = text.getCharPointer(); !p.isEmpty();)
            {
                const auto c = p.getAndAdvance();
                EXPECT_TRUE (isAllowedCharacter (c))
                    << where << " has U+" << juce::String::toHexString ((int) c);
            }

            EXPECT_TRUE (seen.insert (text).second) << "repeated: " << where;
        }
    }
}

// The main screen shows an advice in a 300 x 96 label (16-pixel font, wrapped, never squeezed) and the
// set's name in a 300-pixel line (16-pixel bold): every shipped text must show whole there.
TEST_F (ShippedSetsTest, everyTextFitsTheMainScreensLabels)
{
    // Fonts resolve their typeface through the default look-and-feel, as in the running program.
    CustomLookAndFeel lookAndFeel;
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    juce::Label advice;
    advice.setBounds (0, 0, 300, 96);
    advice.setJustificationType (juce::Justification::centred);
    advice.setMinimumHorizontalScale (1.0f);
    advice.setFont (juce::Font ("Verdana", 16.0f, juce::Font::plain));
    const juce::Font nameFont ("Verdana", 16.0f, juce::Font::bold);

    for (const auto& set : sets)
    {
        EXPECT_LE (nameFont.getStringWidthFloat (set->getName()), 296.0f) << set->getName();

        for (int i = 0; i < set->getNumConseils(); ++i)
        {
            advice.setText (set->getDescriptionItem (i), juce::dontSendNotification);
            const auto box = CustomLookAndFeel::layOutWrappedText (advice, lookAndFeel.getLabelFont (advice))
                                 .getBoundingBox (0, -1, false);
            const auto where = advice.getText().toStdString();
            EXPECT_GE (box.getY(), 0.0f) << where;
            EXPECT_LE (box.getBottom(), 96.0f) << where;
            EXPECT_GE (box.getX(), 0.0f) << where;
            EXPECT_LE (box.getRight(), 300.0f) << where;
        }
    }

    // A text one line too long must be caught.
    advice.setText (
        "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
        "sixteen seventeen eighteen nineteen twenty twenty-one twenty-two twenty-three",
        juce::dontSendNotification);
    EXPECT_GT (CustomLookAndFeel::layOutWrappedText (advice, lookAndFeel.getLabelFont (advice))
                   .getBoundingBox (0, -1, false)
                   .getBottom(),
               96.0f);

    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}
