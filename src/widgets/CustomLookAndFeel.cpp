#include "widgets/CustomLookAndFeel.h"

namespace
{
const juce::String substituteTypefaceName ("DejaVu Sans");

// Families name their upright and slanted faces differently ("Book", "Oblique" in DejaVu Sans), so the
// face is picked by what the font asks for rather than by its style name.
juce::String findMatchingStyle (const juce::String& family, bool bold, bool italic)
{
    const auto styles = juce::Font::findAllTypefaceStyles (family);

    juce::StringArray wanted;

    if (bold && italic)
        wanted.addArray ({ "Bold Italic", "Bold Oblique" });
    else if (bold)
        wanted.add ("Bold");
    else if (italic)
        wanted.addArray ({ "Italic", "Oblique" });
    else
        wanted.addArray ({ "Regular", "Book", "Roman", "Normal" });

    for (const auto& style : wanted)
        if (styles.contains (style, true))
            return style;

    return styles[0];
}
} // namespace

juce::Font CustomLookAndFeel::programFont (float height, int styleFlags)
{
    return juce::Font (programTypefaceName, height, styleFlags);
}

CustomLookAndFeel::CustomLookAndFeel()
    : verdanaInstalled (
          juce::Font::findAllTypefaceNames().contains (juce::String (programTypefaceName), true))
    , substituteInstalled (juce::Font::findAllTypefaceNames().contains (substituteTypefaceName, true))
{
    setColour (juce::TextButton::buttonColourId, juce::Colours::black.brighter (0.08f));
    setColour (juce::TextButton::buttonOnColourId, juce::Colours::black.brighter (0.08f));
    setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    setColour (juce::TextButton::textColourOnId, juce::Colours::white);
    setColour (juce::Label::textColourId, juce::Colours::lightgrey);
    setColour (juce::ComboBox::backgroundColourId, juce::Colours::black);
    setColour (juce::ComboBox::textColourId, juce::Colours::white);
    setColour (juce::ComboBox::buttonColourId, juce::Colours::black);
    setColour (juce::ComboBox::arrowColourId, juce::Colours::white);
    setColour (juce::ComboBox::outlineColourId, juce::Colours::grey);
    setColour (juce::PopupMenu::backgroundColourId, juce::Colours::black);
    setColour (juce::PopupMenu::textColourId, juce::Colours::lightgrey);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colours::orange);
    setColour (juce::PopupMenu::headerTextColourId, juce::Colours::white);
    setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    setColour (juce::TextEditor::textColourId, juce::Colours::white);
    setColour (juce::CaretComponent::caretColourId, juce::Colours::white);
    setColour (juce::TextEditor::highlightColourId, juce::Colours::orange);
    setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::white);
    setColour (juce::AlertWindow::backgroundColourId, juce::Colours::black);
    setColour (juce::AlertWindow::textColourId, juce::Colours::white);
    setColour (juce::HyperlinkButton::textColourId, juce::Colours::orange);
    setColour (juce::FileChooserDialogBox::titleTextColourId, juce::Colours::white);

    // Typefaces already looked up under another look-and-feel would keep serving "Verdana" without the
    // substitution below.
    juce::Typeface::clearTypefaceCache();
}

CustomLookAndFeel::~CustomLookAndFeel() = default;

juce::Button* CustomLookAndFeel::createFileBrowserGoUpButton()
{
    // The toolkit's arrow, light on the dark button instead of dark.
    auto* goUpButton = new juce::DrawableButton ("up", juce::DrawableButton::ImageOnButtonBackground);

    juce::Path arrowPath;
    arrowPath.addArrow ({ 50.0f, 100.0f, 50.0f, 0.0f }, 40.0f, 100.0f, 50.0f);

    juce::DrawablePath arrowImage;
    arrowImage.setFill (juce::Colours::lightgrey);
    arrowImage.setPath (arrowPath);
    goUpButton->setImages (&arrowImage);

    return goUpButton;
}

void CustomLookAndFeel::setTypeButton (bool squareGreyOutline)
{
    typeButton = squareGreyOutline;
}

void CustomLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto indent = !button.isEnabled()                                         ? 0.2f
                        : (shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted) ? 0.6f
                                                                                    : 0.35f;
    constexpr float connectedIndent = 0.1f;
    constexpr float bodyInset = 3.0f;
    constexpr float cornerSize = 14.0f;

    const auto left = button.isConnectedOnLeft() ? connectedIndent : indent;
    const auto right = button.isConnectedOnRight() ? connectedIndent : indent;
    const auto top = button.isConnectedOnTop() ? connectedIndent : indent;
    const auto bottom = button.isConnectedOnBottom() ? connectedIndent : indent;

    const juce::Rectangle<float> body (left + bodyInset, top + bodyInset,
                                       (float) button.getWidth() - left - right - 2.0f * bodyInset,
                                       (float) button.getHeight() - top - bottom - 2.0f * bodyInset);

    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (body, cornerSize);

    if (typeButton)
    {
        g.setColour (shouldDrawButtonAsHighlighted ? juce::Colours::lightgrey : juce::Colours::grey);
        g.drawRect (body, 1.0f);
    }
    else
    {
        g.setColour (juce::Colours::orange);
        g.drawRoundedRectangle (body, cornerSize, 2.0f);
    }
}

void CustomLookAndFeel::drawAlertBox (juce::Graphics& g, juce::AlertWindow& alert,
                                      const juce::Rectangle<int>& textArea, juce::TextLayout& textLayout)
{
    // The alert box keeps the toolkit's layout; its dark look comes from the colours set above.
    juce::LookAndFeel_V2::drawAlertBox (g, alert, textArea, textLayout);
}

void CustomLookAndFeel::fillTextEditorBackground (juce::Graphics& g, int, int, juce::TextEditor& textEditor)
{
    g.fillAll (textEditor.findColour (juce::TextEditor::backgroundColourId));
}

void CustomLookAndFeel::drawTextEditorOutline (juce::Graphics& g, int width, int height,
                                               juce::TextEditor& textEditor)
{
    if (textEditor.isEnabled() && textEditor.hasKeyboardFocus (true) && !textEditor.isReadOnly())
    {
        g.setColour (juce::Colour (0xff555555));
        g.drawRect (0, 0, width, height);
    }
}

juce::Font CustomLookAndFeel::getPopupMenuFont()
{
    return juce::Font (14.0f, juce::Font::plain);
}

void CustomLookAndFeel::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator,
                                                   int standardMenuItemHeight, int& idealWidth,
                                                   int& idealHeight)
{
    if (isSeparator)
    {
        idealWidth = 50;
        idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight / 2 : 10;
        return;
    }

    // The lists of the options panel hold many entries: items are kept 7 pixels lower than usual.
    constexpr int heightReduction = 7;

    auto font = getPopupMenuFont();

    if (standardMenuItemHeight > 0 && font.getHeight() > (float) standardMenuItemHeight / 1.3f)
        font.setHeight ((float) standardMenuItemHeight / 1.3f);

    const auto baseHeight =
        standardMenuItemHeight > 0 ? standardMenuItemHeight : juce::roundToInt (font.getHeight() * 1.3f);

    idealHeight = baseHeight - heightReduction;
    idealWidth = font.getStringWidth (text) + 2 * idealHeight;
}

void CustomLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown,
                                      int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    const auto outline = box.findColour (juce::ComboBox::outlineColourId);

    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));
    g.setColour (outline);
    g.drawRect (0, 0, width, height);

    const auto enabled = box.isEnabled();
    const auto inset = !enabled ? 0.3f : isButtonDown ? 1.2f : 0.5f;

    auto base = box.findColour (juce::ComboBox::buttonColourId)
                    .withMultipliedSaturation (box.hasKeyboardFocus (true) ? 1.3f : 0.9f);

    if (isButtonDown)
        base = base.contrasting (0.2f);

    g.setColour (base.withMultipliedAlpha (enabled ? 1.0f : 0.5f));
    g.fillRect (juce::Rectangle<float> ((float) buttonX + inset, (float) buttonY + inset,
                                        (float) buttonW - 2.0f * inset, (float) buttonH - 2.0f * inset));
    g.setColour (outline);
    g.drawRect (buttonX, buttonY, buttonW, buttonH);

    if (!enabled)
        return;

    const auto x = (float) buttonX;
    const auto y = (float) buttonY;
    const auto w = (float) buttonW;
    const auto h = (float) buttonH;

    juce::Path arrows;
    arrows.addTriangle (x + 0.5f * w, y + 0.25f * h, x + 0.7f * w, y + 0.45f * h, x + 0.3f * w,
                        y + 0.45f * h);
    arrows.addTriangle (x + 0.5f * w, y + 0.75f * h, x + 0.7f * w, y + 0.55f * h, x + 0.3f * w,
                        y + 0.55f * h);

    g.setColour (box.findColour (juce::ComboBox::arrowColourId));
    g.fillPath (arrows);
}

namespace
{
juce::GlyphArrangement layOutWrapped (const juce::String& text, const juce::Label& label,
                                      const juce::Font& font)
{
    // Text that must never be squeezed is wrapped at word boundaries instead.
    const auto left = 2.0f;
    const auto top = font.getAscent() + 2.0f;
    const auto lineWidth = CustomLookAndFeel::getWrappedLineWidth (label);

    juce::GlyphArrangement glyphs;
    glyphs.addJustifiedText (font, text, left, top, lineWidth, label.getJustificationType());
    glyphs.justifyGlyphs (0, glyphs.getNumGlyphs(), left, top, lineWidth, (float) label.getHeight() - 4.0f,
                          label.getJustificationType());
    return glyphs;
}

bool isInside (const juce::GlyphArrangement& glyphs, const juce::Label& label)
{
    const auto box = glyphs.getBoundingBox (0, -1, false);
    return box.getX() >= 0.0f && box.getY() >= 0.0f && box.getRight() <= (float) label.getWidth() &&
           box.getBottom() <= (float) label.getHeight();
}

// The text's first words, as many as fit with an ellipsis after them, in that font.
juce::GlyphArrangement layOutCut (const juce::Label& label, const juce::Font& font)
{
    const auto ellipsis = juce::String::charToString ((juce::juce_wchar) 0x2026);
    const auto words = juce::StringArray::fromTokens (label.getText(), " ", "");
    int low = 0;
    int high = words.size();

    // A binary search on the number of words kept: more words never fit better.
    while (low < high)
    {
        const auto middle = (low + high + 1) / 2;

        if (isInside (layOutWrapped (words.joinIntoString (" ", 0, middle) + ellipsis, label, font), label))
            low = middle;
        else
            high = middle - 1;
    }

    return layOutWrapped (words.joinIntoString (" ", 0, low) + ellipsis, label, font);
}
} // namespace

juce::GlyphArrangement CustomLookAndFeel::layOutWrappedText (const juce::Label& label, const juce::Font& font)
{
    return layOutWrapped (label.getText(), label, font);
}

float CustomLookAndFeel::getWrappedLineWidth (const juce::Label& label)
{
    return (float) label.getWidth() - 4.0f;
}

bool CustomLookAndFeel::wrappedTextFits (const juce::Label& label, const juce::Font& font)
{
    return isInside (layOutWrappedText (label, font), label);
}

juce::GlyphArrangement CustomLookAndFeel::layOutWrappedTextToFit (const juce::Label& label,
                                                                  const juce::Font& font)
{
    auto glyphs = layOutWrappedText (label, font);

    if (isInside (glyphs, label))
        return glyphs;

    // Half a pixel at a time, so that the text keeps as much of its size as the label allows.
    const auto smallest = font.getHeight() * smallestWrappedTextScale;

    for (auto height = font.getHeight() - 0.5f;; height -= 0.5f)
    {
        const auto tried = juce::jmax (height, smallest);
        glyphs = layOutWrapped (label.getText(), label, font.withHeight (tried));

        if (isInside (glyphs, label))
            return glyphs;

        if (tried == smallest)
            return layOutCut (label, font.withHeight (smallest));
    }
}

void CustomLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (label.isBeingEdited())
    {
        if (label.isEnabled())
        {
            g.setColour (label.findColour (juce::Label::outlineColourId));
            g.drawRect (label.getLocalBounds());
        }

        return;
    }

    const auto alpha = label.isEnabled() ? 1.0f : 0.5f;
    const auto font = getLabelFont (label);
    const auto text = label.getText();

    g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
    g.setFont (font);

    if (text.isNotEmpty())
    {
        if (label.getMinimumHorizontalScale() == 1.0f)
        {
            layOutWrappedTextToFit (label, font).draw (g);
        }
        else
        {
            const auto textArea = getLabelBorderSize (label).subtractedFrom (label.getLocalBounds());
            const auto maximumLines = juce::jmax (1, (int) ((float) textArea.getHeight() / font.getHeight()));

            g.drawFittedText (text, textArea, label.getJustificationType(), maximumLines,
                              label.getMinimumHorizontalScale());
        }
    }

    g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    g.drawRect (label.getLocalBounds());
}

juce::Typeface::Ptr CustomLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    // Without Verdana the toolkit would borrow glyphs from a fallback face with other metrics (text sits
    // low and loses its kerning); DejaVu Sans has Verdana's proportions and every accented letter.
    if (!verdanaInstalled && font.getTypefaceName() == juce::StringRef (programTypefaceName))
    {
        juce::Font substitute (font);

        if (substituteInstalled)
        {
            substitute.setTypefaceName (substituteTypefaceName);
            substitute.setTypefaceStyle (
                findMatchingStyle (substituteTypefaceName, font.isBold(), font.isItalic()));
            return juce::Typeface::createSystemTypefaceFor (substitute);
        }

        substitute.setTypefaceName (juce::Font::getDefaultSansSerifFontName());
        return juce::LookAndFeel_V2::getTypefaceForFont (substitute);
    }

    return juce::LookAndFeel_V2::getTypefaceForFont (font);
}
