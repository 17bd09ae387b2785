#include "main/AboutComponent.h"

#include "main/HelpPages.h"
#include "widgets/CustomLookAndFeel.h"

namespace
{
const char* const juceAddress = "https://juce.com";
const char* const creativityTechniquesAddress = "https://en.wikipedia.org/wiki/Creativity_techniques";
const char* const lateralThinkingAddress = "https://en.wikipedia.org/wiki/Lateral_thinking";

constexpr int lineSpacing = 5;
constexpr int sheetInset = 15;
constexpr int linkX = 50;
constexpr int linkHeight = 24;

const juce::Colour lineColour = juce::Colour (0xff555555).withMultipliedBrightness (0.25f).withAlpha (0.9f);
const juce::Colour frameColour (0xff808080);
} // namespace

AboutComponent::AboutComponent()
{
    linkHome = makeLink ("about-home-link", getHomeAddress (language));
    linkCredit1 = makeLink ("about-credit1-link", juce::URL (juceAddress));
    linkCredit2 = makeLink ("about-credit2-link", juce::URL (creativityTechniquesAddress));
    linkCredit3 = makeLink ("about-credit3-link", juce::URL (lateralThinkingAddress));
}

AboutComponent::~AboutComponent() = default;

std::unique_ptr<juce::HyperlinkButton> AboutComponent::makeLink (const juce::String& identifier,
                                                                 const juce::URL& address)
{
    auto link = std::make_unique<juce::HyperlinkButton> (address.toString (false), address);
    link->setComponentID (identifier);
    link->setFont (getTextFont(), false, juce::Justification::centredLeft);
    addAndMakeVisible (*link);
    return link;
}

juce::Font AboutComponent::getTextFont()
{
    return CustomLookAndFeel::programFont (14.0f, juce::Font::plain);
}

juce::URL AboutComponent::getHomeAddress (int textLanguage)
{
    return HelpPages::getPageAddress (HelpPages::getPageFile ("index.html", textLanguage));
}

void AboutComponent::updateHomeLink()
{
    const auto address = getHomeAddress (language);

    if (linkHome->getURL().toString (false) == address.toString (false))
        return;

    // A new link rather than setURL: the toolkit's URL assignment hands memcpy a null buffer when it
    // copies the empty post data, which is undefined behaviour.
    linkHome = makeLink ("about-home-link", address);
    linkHome->toBehind (linkCredit1.get());
    resized();
}

juce::String AboutComponent::getCreditsText (int textLanguage)
{
    if (textLanguage != 0)
        return "Musewheeler V1 was written by the Musewheeler developers for composers and songwriters in "
               "search of a first idea.\n\n"
               "Its idea comes from decks of creative prompt cards and from lateral-thinking exercises, and "
               "it grew out of earlier prototypes.\n\n"
               "Thanks to the JUCE team, to everyone who tried the software or took an interest in it, and "
               "to everyone who writes and shares advice sets.\n\n"
               "More information is available on:";

    return juce::String (juce::CharPointer_UTF8 (
        "Musewheeler V1 a \xc3\xa9t\xc3\xa9 \xc3\xa9\x63rit par les d\xc3\xa9veloppeurs de Musewheeler "
        "pour les compositeurs et les auteurs en qu\xc3\xaate d'une premi\xc3\xa8re id\xc3\xa9\x65\n\n"
        "Son id\xc3\xa9\x65 vient des jeux de cartes d'inspiration cr\xc3\xa9\x61tive et des exercices de "
        "pens\xc3\xa9\x65 lat\xc3\xa9rale, et elle a m\xc3\xbbri au fil de prototypes ant\xc3\xa9rieurs\n\n"
        "Merci \xc3\xa0 l'\xc3\xa9quipe de JUCE, \xc3\xa0 tous ceux qui ont essay\xc3\xa9 le logiciel ou "
        "s'y sont int\xc3\xa9ress\xc3\xa9s, et \xc3\xa0 tous ceux qui \xc3\xa9\x63rivent et partagent des "
        "sets de conseils\n\n"
        "Plus d'infos sur :"));
}

//==============================================================================
void AboutComponent::paint (juce::Graphics& g)
{
    const auto w = getWidth();
    const auto h = getHeight();

    g.fillAll (juce::Colours::black.withAlpha (0.95f));

    g.setColour (lineColour);
    const auto linedHeight = h - 2 * sheetInset;

    if (linedHeight >= lineSpacing)
    {
        const auto numLines = linedHeight / lineSpacing;

        for (int i = 1; i <= numLines; ++i)
            g.drawHorizontalLine (sheetInset + ((i - 1) * linedHeight) / numLines, (float) sheetInset,
                                  (float) (w - sheetInset));
    }

    g.setColour (frameColour);
    g.drawRect (sheetInset, sheetInset, w - 2 * sheetInset, h - 2 * sheetInset, 1);

    g.setFont (getTextFont());
    g.setColour (juce::Colours::white);
    g.drawMultiLineText (getCreditsText (language), textX, firstBaselineY, getTextWidth (w));
}

void AboutComponent::resized()
{
    const auto w = getWidth();

    linkHome->setBounds (linkX, 240, getLinkWidth (*linkHome, (w - 100) / 2 + 50), linkHeight);
    linkCredit1->setBounds (linkX, 255, getLinkWidth (*linkCredit1, (w - 100) / 3 + 50), linkHeight);
    linkCredit2->setBounds (linkX, 270, getLinkWidth (*linkCredit2, (w - 100) / 2 + 50), linkHeight);
    linkCredit3->setBounds (linkX, 285, getLinkWidth (*linkCredit3, (w - 100) / 4 + 30), linkHeight);
}

int AboutComponent::getLinkWidth (const juce::HyperlinkButton& link, int preferredWidth) const
{
    // An address longer than its place widens the link up to the width of the text above it, so that the
    // whole address shows rather than its first half; the link draws its text one pixel in on each side.
    const auto textWidth =
        juce::roundToInt (std::ceil (getTextFont().getStringWidthFloat (link.getButtonText()))) + 2;
    return juce::jmax (0, juce::jmin (juce::jmax (preferredWidth, textWidth), getTextWidth (getWidth())));
}

void AboutComponent::mouseDown (const juce::MouseEvent&)
{
    sendActionMessage ("AboutExit");
}

void AboutComponent::visibilityChanged()
{
    // The home link leads to the help page in the language the main screen has just set.
    if (isVisible())
        updateHomeLink();
}
