#include "dialogs/ToolkitTexts.h"

#include <juce_gui_basics/juce_gui_basics.h>

const char* const ToolkitTexts::frenchMappings = R"(language: French
countries: fr be ch lu mc ca

"file:" = "fichier :"
"Open" = "Ouvrir"
"Save" = "Enregistrer"
"Choose" = "Choisir"
"Cancel" = "Annuler"
"New Folder" = "Nouveau dossier"
"Go up to parent directory" = "Dossier parent"
"File already exists" = "Le fichier existe déjà"
"There's already a file called: FLNM" = "Il existe déjà un fichier nommé : FLNM"
"Are you sure you want to overwrite it?" = "Voulez-vous vraiment le remplacer ?"
"Overwrite" = "Remplacer"
"Please enter the name for the folder" = "Nom du nouveau dossier"
"Create Folder" = "Créer le dossier"
"Couldn't create the folder!" = "Le dossier n'a pas pu être créé !"
"Home folder" = "Dossier personnel"
"Desktop" = "Bureau"
"Documents" = "Documents"
"Music" = "Musique"
"Pictures" = "Images"
"Hard Drive" = "Disque dur"
"CD/DVD drive" = "Lecteur CD/DVD"
"Cut" = "Couper"
"Copy" = "Copier"
"Paste" = "Coller"
"Delete" = "Supprimer"
"Select All" = "Tout sélectionner"
"Undo" = "Annuler la saisie"
"Redo" = "Rétablir"
)";

void ToolkitTexts::useLanguage (int language)
{
    // The toolkit takes ownership of the mappings it is given.
    juce::LocalisedStrings::setCurrentMappings (
        language == 0 ? new juce::LocalisedStrings (juce::String::fromUTF8 (frenchMappings), false)
                      : nullptr);
}
