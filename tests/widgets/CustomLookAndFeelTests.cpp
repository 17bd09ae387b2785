#include "widgets/CustomLookAndFeel.h"

#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;

namespace
{
// Rows of the image that hold painted pixels, grouped into bands separated by empty rows: lines of text.
juce::Array<juce::Range<int>> paintedBands (const juce::Image& image)
{
    juce::Array<juce::Range<int>> bands;

    for (int y = 0; y < image.getHeight(); ++y)
    {
        if (wt::countPixels (image, { 0, y, image.getWidth(), 1 }, wt::isPainted) == 0)
            continue;

        if (!bands.isEmpty() && bands.getLast().getEnd() == y)
            bands.getReference (bands.size() - 1).setEnd (y + 1);
        else
            bands.add ({ y, y + 1 });
    }

    return bands;
}

juce::Image drawWith (int width, int height, const std::function<void (juce::Graphics&)>& draw)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    draw (g);
    return image;
}
} // namespace

TEST (CustomLookAndFeel, setsTheDarkColoursAndKeepsTheOthers)
{
    CustomLookAndFeel look;

    const std::pair<int, juce::uint32> colours[] = {
        { juce::TextButton::buttonColourId, 0xff121212 },
        { juce::TextButton::buttonOnColourId, 0xff121212 },
        { juce::TextButton::textColourOffId, 0xffffffff },
        { juce::TextButton::textColourOnId, 0xffffffff },
        { juce::Label::textColourId, 0xffd3d3d3 },
        { juce::ComboBox::backgroundColourId, 0xff000000 },
        { juce::ComboBox::textColourId, 0xffffffff },
        { juce::ComboBox::buttonColourId, 0xff000000 },
        { juce::ComboBox::arrowColourId, 0xffffffff },
        { juce::ComboBox::outlineColourId, 0xff808080 },
        { juce::PopupMenu::backgroundColourId, 0xff000000 },
        { juce::PopupMenu::textColourId, 0xffd3d3d3 },
        { juce::PopupMenu::highlightedBackgroundColourId, 0xffffa500 },
        { juce::PopupMenu::headerTextColourId, 0xffffffff },
        { juce::TextEditor::backgroundColourId, 0x00000000 },
        { juce::TextEditor::textColourId, 0xffffffff },
        { juce::CaretComponent::caretColourId, 0xffffffff },
        { juce::TextEditor::highlightColourId, 0xffffa500 },
        { juce::TextEditor::highlightedTextColourId, 0xffffffff },
        { juce::AlertWindow::backgroundColourId, 0xff000000 },
        { juce::AlertWindow::textColourId, 0xffffffff },
        { juce::HyperlinkButton::textColourId, 0xffffa500 },
        // Kept from the toolkit's look.
        { juce::Label::backgroundColourId, 0x00000000 },
        { juce::Label::outlineColourId, 0x00000000 },
        { juce::AlertWindow::outlineColourId, 0xff666666 },
    };

    for (const auto& [id, argb] : colours)
        EXPECT_EQ (look.findColour (id).getARGB(), argb) << juce::String::toHexString (id);
}

namespace
{
// A 100 x 40 text button; its body's left edge lies 3 pixels inside the indent, and the outline is centred
// on that edge, so the coverage of pixel column 2 (or 3) tells the indent.
class TextButtonLookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button.setBounds (0, 0, 100, 40);
        button.setVisible (true);
    }

    int alphaAt (int x, int y = 20) { return wt::snapshot (button).getPixelAt (x, y).getAlpha(); }

    wt::ScopedProgramLook programLook;
    juce::TextButton button{ "OK" };
};
} // namespace

TEST_F (TextButtonLookTest, roundedOrangeOutlineSitsOnTheBodyWhoseInsetFollowsTheState)
{
    constexpr int tolerance = 14;

    // The 2-pixel outline spans inset + 2 .. inset + 4: column 2 is covered by 1 - inset's fraction.
    EXPECT_NEAR (alphaAt (2), 0.65 * 255, tolerance);
    EXPECT_NEAR (alphaAt (97), 0.65 * 255, tolerance);
    EXPECT_EQ (alphaAt (1), 0);
    EXPECT_TRUE (wt::isNear (wt::snapshot (button).getPixelAt (3, 20), juce::Colours::orange));
    EXPECT_EQ (wt::snapshot (button).getPixelAt (20, 20), juce::Colours::black);

    wt::enter (button, { 50.0f, 20.0f });
    EXPECT_NEAR (alphaAt (2), 0.4 * 255, tolerance);
    EXPECT_NEAR (alphaAt (97), 0.4 * 255, tolerance);

    wt::press (button, { 50.0f, 20.0f });
    EXPECT_NEAR (alphaAt (2), 0.4 * 255, tolerance);
    wt::release (button, { 50.0f, 20.0f });
    wt::leave (button, { 150.0f, 20.0f });

    button.setEnabled (false);
    EXPECT_NEAR (alphaAt (2), 0.8 * 255, tolerance);

    button.setEnabled (true);
    button.setConnectedEdges (juce::Button::ConnectedOnLeft);
    EXPECT_NEAR (alphaAt (2), 0.9 * 255, tolerance);
    EXPECT_NEAR (alphaAt (97), 0.65 * 255, tolerance);

    // Rounded corners leave the corner of the body clear.
    EXPECT_EQ (alphaAt (4, 4), 0);
    EXPECT_EQ (alphaAt (6, 3), 0);
}

TEST_F (TextButtonLookTest, squareGreyOutlineTurnsLightGreyUnderTheMouse)
{
    programLook.look.setTypeButton (true);

    // The square outline is drawn inside the body's rectangle, and reaches into the corner that the
    // rounded body leaves empty: there its 1-pixel top edge covers row 3 by 1 - the inset's fraction.
    const auto topEdge = [this] { return wt::snapshot (button).getPixelAt (6, 3); };

    EXPECT_TRUE (wt::isNear (topEdge().withAlpha ((juce::uint8) 255), juce::Colours::grey));
    EXPECT_NEAR (topEdge().getAlpha(), 0.65 * 255, 14);
    EXPECT_EQ (alphaAt (2), 0);

    wt::enter (button, { 50.0f, 20.0f });
    EXPECT_TRUE (wt::isNear (topEdge().withAlpha ((juce::uint8) 255), juce::Colours::lightgrey));
    EXPECT_NEAR (topEdge().getAlpha(), 0.4 * 255, 14);
    wt::leave (button, { 150.0f, 20.0f });

    button.setEnabled (false);
    EXPECT_TRUE (wt::isNear (topEdge().withAlpha ((juce::uint8) 255), juce::Colours::grey));
    EXPECT_NEAR (topEdge().getAlpha(), 0.8 * 255, 14);

    programLook.look.setTypeButton (false);
    EXPECT_EQ (topEdge().getAlpha(), 0);
}

namespace
{
class ComboBoxLookTest : public ::testing::Test
{
protected:
    // The box is drawn with a 24-pixel button area at its right end, as the toolkit asks.
    juce::Image draw (bool buttonDown)
    {
        return drawWith (200, 24,
                         [&] (juce::Graphics& g) {
                             programLook.look.drawComboBox (g, 200, 24, buttonDown, buttonX, 0, 24, 24, box);
                         });
    }

    static bool isWhite (juce::Colour colour) { return colour == juce::Colours::white; }

    static constexpr int buttonX = 176;
    wt::ScopedProgramLook programLook;
    juce::ComboBox box;
};
} // namespace

TEST_F (ComboBoxLookTest, blackBoxWithGreyOutlineAndTwoWhiteArrows)
{
    const auto image = draw (false);

    for (const auto& point :
         { juce::Point<int> (0, 12), { 100, 0 }, { 100, 23 }, { 199, 12 }, { buttonX, 12 } })
        EXPECT_EQ (image.getPixelAt (point.x, point.y), juce::Colours::grey) << point.toString();

    EXPECT_EQ (image.getPixelAt (100, 12), juce::Colours::black);

    // Up arrow from y 6 to 10.8, down arrow from 13.2 to 18, both centred on the button.
    EXPECT_TRUE (isWhite (image.getPixelAt (buttonX + 12, 9)));
    EXPECT_TRUE (isWhite (image.getPixelAt (buttonX + 12, 15)));
    EXPECT_FALSE (isWhite (image.getPixelAt (buttonX + 12, 12)));
    EXPECT_FALSE (isWhite (image.getPixelAt (buttonX + 12, 4)));
    EXPECT_FALSE (isWhite (image.getPixelAt (buttonX + 12, 20)));
    EXPECT_FALSE (isWhite (image.getPixelAt (buttonX + 5, 9)));
}

TEST_F (ComboBoxLookTest, pressedButtonContrastsAndADisabledBoxHasNoArrows)
{
    const auto pressedColour = juce::Colours::black.withMultipliedSaturation (0.9f).contrasting (0.2f);
    EXPECT_TRUE (wt::isNear (draw (true).getPixelAt (buttonX + 4, 12), pressedColour));
    EXPECT_EQ (draw (false).getPixelAt (buttonX + 4, 12), juce::Colours::black);

    box.setEnabled (false);
    const auto image = draw (false);
    EXPECT_EQ (wt::countPixels (image, { buttonX + 1, 1, 22, 22 }, isWhite), 0);
    EXPECT_EQ (image.getPixelAt (0, 12), juce::Colours::grey);
}

namespace
{
class LabelLookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        label.setFont (font);
        label.setColour (juce::Label::textColourId, juce::Colours::white);
        label.setJustificationType (juce::Justification::topLeft);
    }

    juce::Image drawLabel (int width, int height, float minimumScale, const juce::String& text)
    {
        label.setSize (width, height);
        label.setMinimumHorizontalScale (minimumScale);
        label.setText (text, juce::dontSendNotification);
        return drawWith (width, height, [&] (juce::Graphics& g) { programLook.look.drawLabel (g, label); });
    }

    wt::ScopedProgramLook programLook;
    const juce::Font font{ "Verdana", 14.0f, juce::Font::plain };
    juce::Label label;
};
} // namespace

TEST_F (LabelLookTest, scaleOneWrapsATextThatOtherScalesSqueezeOntoOneLine)
{
    // Capitals without descenders keep an empty row between two lines of text.
    const juce::String text ("WRITE A MELODY THAT NEVER REPEATS A NOTE");
    const auto naturalWidth = font.getStringWidth (text);
    const auto width = (int) (naturalWidth * 0.85f);

    const auto wrapped = drawLabel (width, 60, 1.0f, text);
    const auto wrappedLines = paintedBands (wrapped);
    ASSERT_EQ (wrappedLines.size(), 2);

    // The first baseline lies at the font's ascent + 2, the block moved down as far again for top-left text.
    EXPECT_NEAR (wrappedLines[0].getStart(), 2.0f + font.getAscent(), 3.0f);

    const auto fitted = drawLabel (width, 24, 0.7f, text);
    EXPECT_EQ (paintedBands (fitted).size(), 1);

    // The same height with the other scale: as many lines as the height allows for the font.
    EXPECT_EQ (paintedBands (drawLabel (width, 60, 0.7f, text)).size(), 1);
    EXPECT_GE (paintedBands (drawLabel (width / 2, 60, 0.7f, text)).size(), 2);
}

TEST_F (LabelLookTest, disabledLabelsAreDimmedAndEditedOnesShowOnlyTheirOutline)
{
    label.setColour (juce::Label::outlineColourId, juce::Colours::red);

    auto strongestAlpha = [] (const juce::Image& image)
    {
        int strongest = 0;

        for (int y = 1; y < image.getHeight() - 1; ++y)
            for (int x = 1; x < image.getWidth() - 1; ++x)
                strongest = juce::jmax (strongest, (int) image.getPixelAt (x, y).getAlpha());

        return strongest;
    };

    auto image = drawLabel (200, 24, 0.7f, "Text");
    EXPECT_EQ (image.getPixelAt (0, 10), juce::Colours::red);
    EXPECT_GT (strongestAlpha (image), 200);

    label.setEnabled (false);
    image = drawLabel (200, 24, 0.7f, "Text");
    EXPECT_LE (strongestAlpha (image), 128);
    EXPECT_NEAR (image.getPixelAt (0, 10).getAlpha(), 128, 1);

    label.setEnabled (true);
    label.showEditor();
    image = drawWith (200, 24, [&] (juce::Graphics& g) { programLook.look.drawLabel (g, label); });
    EXPECT_EQ (image.getPixelAt (0, 10), juce::Colours::red);
    EXPECT_EQ (strongestAlpha (image), 0);
    label.hideEditor (true);
}

TEST (CustomLookAndFeel, popupItemsAreSevenPixelsLowerThanTheStandardOnes)
{
    CustomLookAndFeel look;
    const juce::Font popupFont (14.0f);
    int width = 0;
    int height = 0;

    look.getIdealPopupMenuItemSize ("Item", false, 0, width, height);
    EXPECT_EQ (height, 18 - 7);
    EXPECT_EQ (width, popupFont.getStringWidth ("Item") + 2 * 11);

    look.getIdealPopupMenuItemSize ("Item", false, 24, width, height);
    EXPECT_EQ (height, 17);
    EXPECT_EQ (width, popupFont.getStringWidth ("Item") + 2 * 17);

    // A small standard height shrinks the font to fit.
    look.getIdealPopupMenuItemSize ("Item", false, 13, width, height);
    EXPECT_EQ (height, 6);
    EXPECT_EQ (width, juce::Font (13.0f / 1.3f).getStringWidth ("Item") + 2 * 6);

    look.getIdealPopupMenuItemSize ({}, true, 0, width, height);
    EXPECT_EQ (width, 50);
    EXPECT_EQ (height, 10);
    look.getIdealPopupMenuItemSize ({}, true, 24, width, height);
    EXPECT_EQ (height, 12);

    const auto font = look.getPopupMenuFont();
    EXPECT_EQ (font.getHeight(), 14.0f);
    EXPECT_EQ (font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ (font.getStyleFlags(), juce::Font::plain);
}

TEST (CustomLookAndFeel, textEditorsShowThePanelBehindAndNoOutlineWithoutFocus)
{
    wt::ScopedProgramLook programLook;
    juce::TextEditor editor;
    editor.setBounds (0, 0, 100, 24);
    editor.setVisible (true);

    const auto image = wt::snapshot (editor);
    EXPECT_EQ (wt::countPixels (image, image.getBounds(), wt::isPainted), 0);

    editor.setColour (juce::TextEditor::backgroundColourId, juce::Colours::navy);
    EXPECT_EQ (wt::snapshot (editor).getPixelAt (0, 0), juce::Colours::navy);
}

namespace
{
const juce::String
    accentedLetters (juce::CharPointer_UTF8 ("\xc3\xa0\xc3\xa2\xc3\xa4\xc3\xa7\xc3\xa8\xc3\xa9\xc3\xaa\xc3"
                                             "\xab\xc3\xae\xc3\xaf\xc3\xb4\xc3\xb6\xc3\xb9\xc3\xbb"
                                             "\xc3\xbc\xc3\x80\xc3\x82\xc3\x84\xc3\x87\xc3\x88\xc3\x89\xc3"
                                             "\x8a\xc3\x8b\xc3\x8e\xc3\x8f\xc3\x94\xc3\x96\xc3\x99"
                                             "\xc3\x9b\xc3\x9c"));

// The letters without their accents, in the same order.
const juce::String baseLetters ("aaaceeeeiioouuuAAACEEEEIIOOUUU");

bool verdanaInstalled()
{
    return juce::Font::findAllTypefaceNames().contains ("Verdana");
}

juce::Image render (const juce::Font& font, const juce::String& text)
{
    return drawWith (40, 40,
                     [&] (juce::Graphics& g)
                     {
                         g.setColour (juce::Colours::white);
                         g.setFont (font);
                         g.drawSingleLineText (text, 8, 30);
                     });
}

// The fonts the program's texts are set in. Made afresh for each test: fonts keep their typeface, which
// must not outlive the toolkit.
juce::Array<juce::Font> programFonts()
{
    return { juce::Font ("Verdana", 12.0f, juce::Font::plain),
             juce::Font ("Verdana", 14.0f, juce::Font::plain),
             juce::Font ("Verdana", 16.0f, juce::Font::bold),
             juce::Font ("Verdana", 13.0f, juce::Font::italic),
             juce::Font ("Verdana", 16.0f, juce::Font::plain) };
}
} // namespace

TEST (ProgramFonts, missingVerdanaIsReplacedByDejaVuSansInTheSameSizeAndStyle)
{
    // Looked up once under the toolkit's own look, as happens before the main screen installs the program's.
    juce::ignoreUnused (juce::Font ("Verdana", 12.0f, juce::Font::plain).getTypefacePtr());

    wt::ScopedProgramLook programLook;
    const auto expectedName = verdanaInstalled() ? juce::String ("Verdana") : juce::String ("DejaVu Sans");
    ASSERT_TRUE (juce::Font::findAllTypefaceNames().contains (expectedName));

    const juce::Font plain ("Verdana", 12.0f, juce::Font::plain);
    const juce::Font bold ("Verdana", 16.0f, juce::Font::bold);
    const juce::Font italic ("Verdana", 13.0f, juce::Font::italic);
    const juce::Font boldItalic ("Verdana", 13.0f, juce::Font::bold | juce::Font::italic);

    for (const auto& font : { plain, bold, italic, boldItalic })
        EXPECT_EQ (font.getTypefacePtr()->getName(), expectedName);

    const auto plainStyle = plain.getTypefacePtr()->getStyle();
    EXPECT_FALSE (plainStyle.containsIgnoreCase ("Bold") || plainStyle.containsIgnoreCase ("Oblique") ||
                  plainStyle.containsIgnoreCase ("Italic"));
    EXPECT_EQ (bold.getTypefacePtr()->getStyle(), "Bold");
    EXPECT_TRUE (italic.getTypefacePtr()->getStyle().containsAnyOf ("IO"));
    EXPECT_FALSE (italic.getTypefacePtr()->getStyle().contains ("Bold"));
    EXPECT_TRUE (boldItalic.getTypefacePtr()->getStyle().startsWith ("Bold "));

    // The metrics are the real face's, not those of a borrowed fallback.
    const juce::Font reference (expectedName, 12.0f, juce::Font::plain);
    EXPECT_FLOAT_EQ (plain.getAscent(), reference.getAscent());
    EXPECT_FLOAT_EQ (plain.getStringWidthFloat ("Musewheeler"),
                     reference.getStringWidthFloat ("Musewheeler"));

    // Other typefaces are left to the toolkit.
    EXPECT_EQ (juce::Font ("DejaVu Serif", 12.0f, juce::Font::plain).getTypefacePtr()->getName(),
               "DejaVu Serif");
}

TEST (ProgramFonts, renderEveryAccentedLetterOfTheLabelsAllowedSet)
{
    wt::ScopedProgramLook programLook;
    ASSERT_EQ (accentedLetters.length(), baseLetters.length());

    auto fonts = programFonts();
    fonts.add (programLook.look.getPopupMenuFont());

    for (const auto& font : fonts)
    {
        SCOPED_TRACE (font.getTypefaceName() + " " + juce::String (font.getHeight()) + " " +
                      font.getTypefaceStyle());

        for (int i = 0; i < accentedLetters.length(); ++i)
        {
            const auto letter = juce::String::charToString (accentedLetters[i]);
            SCOPED_TRACE (letter.toStdString());

            juce::GlyphArrangement glyphs;
            glyphs.addLineOfText (font, letter, 0.0f, 0.0f);
            ASSERT_EQ (glyphs.getNumGlyphs(), 1);

            juce::Path outline;
            glyphs.getGlyph (0).createPath (outline);
            EXPECT_FALSE (outline.isEmpty());

            // The accent is drawn: the letter differs from its plain form, pixel by pixel.
            const auto accented = render (font, letter);
            const auto plain = render (font, juce::String::charToString (baseLetters[i]));
            const auto accentedPixels = wt::countPixels (accented, accented.getBounds(), wt::isPainted);
            EXPECT_GT (accentedPixels, wt::countPixels (plain, plain.getBounds(), wt::isPainted));
        }
    }
}
