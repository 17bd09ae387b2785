#include "main/AboutComponent.h"

#include "base/Bilingual.h"
#include "main/HelpPages.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/RuledSheet.h"

namespace
{
const char* const juceAddress = "https://juce.com";
const char* const creativityTechniquesAddress = "https://en.wikipedia.org/wiki/Creativity_techniques";
const char* const lateralThinkingAddress = "https://en.wikipedia.org/wiki/Lateral_thinking";

constexpr int linkX = 50;
constexpr int linkHeight = 24;

constexpr Bilingual creditsText{
    "Musewheeler V1 was written by the Musewheeler developers for composers and songwriters in search of a "
    "first idea.\n\n"
    "Its idea comes from decks of creative prompt cards and from lateral-thinking exercises, and it grew out "
    "of earlier prototypes.\n\n"
    "Thanks to the JUCE team, to everyone who tried the software or took an interest in it, and to everyone "
    "who writes and shares advice sets.\n\n"
    "More information is available on:",
    "Musewheeler V1 a été écrit par les développeurs de Musewheeler pour les compositeurs et les auteurs en "
    "quête d'une première idée\n\n"
    "Son idée vient des jeux de cartes d'inspiration créative et des exercices de pensée latérale, et elle a "
    "mûri au fil de prototypes antérieurs\n\n"
    "Merci à l'équipe de JUCE, à tous ceux qui ont essayé le logiciel ou s'y sont intéressés, et à tous ceux "
    "qui écrivent et partagent des sets de conseils\n\n"
    "Plus d'infos sur :"
};
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
    return creditsText.in (textLanguage);
}

//==============================================================================
void AboutComponent::paint (juce::Graphics& g)
{
    RuledSheet::paint (g, getLocalBounds());

    g.setFont (getTextFont());
    g.setColour (juce::Colours::white);
    g.drawMultiLineText (getCreditsText (language), textX, firstBaselineY, getTextWidth (getWidth()));
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
    sendActionMessage (exitMessage);
}

void AboutComponent::visibilityChanged()
{
    // The home link leads to the help page in the language the main screen has just set.
    if (isVisible())
        updateHomeLink();
}
