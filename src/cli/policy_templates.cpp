#include "cli/policy_templates.h"

#include <algorithm>

#include "app/form1_settings.h"
#include "app/group_policy.h"
#include "cli/window_choices.h"

namespace vb::cli {

namespace {

// The texts of the templates that are no caption of the window.
struct Texts {
  const char* culture;
  const char* items;
  const char* options;
  const char* supported;
  const char* boxHelp;
  const char* warning;
  const char* warningHelp;
  const char* entries;
  const char* entriesHelp;
  const char* entriesLabel;
  const char* language;
  const char* languageHelp;
  const char* languageLabel;
};

const Texts kTexts[] = {
    {"en-US", "Items to clean", "Options", "Vanbrisk 1.05 and later",
     "Enabled: the box is ticked and locked. Disabled: the box is cleared and locked. Not "
     "Configured: the user chooses. A machine policy wins over a user policy.",
     "Accept the first-clean warning for every user",
     "Enabled: Run Cleaner, quiet mode (/AUTO) and scheduled cleaning go ahead without the "
     "first-clean warning. Disabled or Not Configured: each user accepts the warning once.",
     "Application entries to clean",
     "Enabled: exactly the listed entries of the application lists are ticked (each line the "
     "entry's text as the list shows it), and the lists are locked. Disabled: no entry is "
     "ticked, and the lists are locked. Not Configured: the user chooses.",
     "Entries", "Language",
     "Enabled: the program uses this language file (its name without .lng, such as German), "
     "and the language box is locked. Disabled or Not Configured: the user chooses.",
     "Language file"},
    {"de-DE", "Zu bereinigende Elemente", "Optionen", "Vanbrisk 1.05 und neuer",
     "Aktiviert: Das K\u00e4stchen ist angehakt und gesperrt. Deaktiviert: Das K\u00e4stchen "
     "ist leer und gesperrt. Nicht konfiguriert: Der Benutzer entscheidet. Eine "
     "Computerrichtlinie hat Vorrang vor einer Benutzerrichtlinie.",
     "Warnung vor der ersten Bereinigung f\u00fcr alle Benutzer best\u00e4tigen",
     "Aktiviert: Bereinigen, der stille Modus (/AUTO) und die geplante Bereinigung laufen ohne "
     "die Warnung vor der ersten Bereinigung. Deaktiviert oder nicht konfiguriert: Jeder "
     "Benutzer best\u00e4tigt die Warnung einmal.",
     "Zu bereinigende Anwendungseintr\u00e4ge",
     "Aktiviert: Genau die aufgef\u00fchrten Eintr\u00e4ge der Anwendungslisten sind angehakt "
     "(jede Zeile der Text des Eintrags, wie die Liste ihn zeigt), und die Listen sind "
     "gesperrt. Deaktiviert: Kein Eintrag ist angehakt, und die Listen sind gesperrt. Nicht "
     "konfiguriert: Der Benutzer entscheidet.",
     "Eintr\u00e4ge", "Sprache",
     "Aktiviert: Das Programm verwendet diese Sprachdatei (ihr Name ohne .lng, etwa German), "
     "und die Sprachauswahl ist gesperrt. Deaktiviert oder nicht konfiguriert: Der Benutzer "
     "entscheidet.",
     "Sprachdatei"},
    {"fr-FR", "\u00c9l\u00e9ments \u00e0 nettoyer", "Options",
     "Vanbrisk 1.05 et versions ult\u00e9rieures",
     "Activ\u00e9 : la case est coch\u00e9e et verrouill\u00e9e. D\u00e9sactiv\u00e9 : la case "
     "est d\u00e9coch\u00e9e et verrouill\u00e9e. Non configur\u00e9 : l'utilisateur choisit. "
     "Une strat\u00e9gie ordinateur l'emporte sur une strat\u00e9gie utilisateur.",
     "Accepter l'avertissement du premier nettoyage pour tous les utilisateurs",
     "Activ\u00e9 : le nettoyage, le mode silencieux (/AUTO) et le nettoyage planifi\u00e9 "
     "s'ex\u00e9cutent sans l'avertissement du premier nettoyage. D\u00e9sactiv\u00e9 ou non "
     "configur\u00e9 : chaque utilisateur accepte l'avertissement une fois.",
     "Entr\u00e9es d'applications \u00e0 nettoyer",
     "Activ\u00e9 : exactement les entr\u00e9es list\u00e9es des listes d'applications sont "
     "coch\u00e9es (chaque ligne est le texte de l'entr\u00e9e tel que la liste l'affiche), et "
     "les listes sont verrouill\u00e9es. D\u00e9sactiv\u00e9 : aucune entr\u00e9e n'est "
     "coch\u00e9e, et les listes sont verrouill\u00e9es. Non configur\u00e9 : l'utilisateur "
     "choisit.",
     "Entr\u00e9es", "Langue",
     "Activ\u00e9 : le programme utilise ce fichier de langue (son nom sans .lng, par exemple "
     "French), et le choix de la langue est verrouill\u00e9. D\u00e9sactiv\u00e9 ou non "
     "configur\u00e9 : l'utilisateur choisit.",
     "Fichier de langue"},
    {"es-ES", "Elementos que limpiar", "Opciones", "Vanbrisk 1.05 y posteriores",
     "Habilitado: la casilla est\u00e1 marcada y bloqueada. Deshabilitado: la casilla est\u00e1 "
     "desmarcada y bloqueada. No configurado: el usuario elige. Una directiva de equipo "
     "prevalece sobre una directiva de usuario.",
     "Aceptar la advertencia de la primera limpieza para todos los usuarios",
     "Habilitado: la limpieza, el modo silencioso (/AUTO) y la limpieza programada se ejecutan "
     "sin la advertencia de la primera limpieza. Deshabilitado o no configurado: cada usuario "
     "acepta la advertencia una vez.",
     "Entradas de aplicaciones que limpiar",
     "Habilitado: exactamente las entradas indicadas de las listas de aplicaciones est\u00e1n "
     "marcadas (cada l\u00ednea es el texto de la entrada tal como la lista lo muestra), y las "
     "listas est\u00e1n bloqueadas. Deshabilitado: ninguna entrada est\u00e1 marcada, y las "
     "listas est\u00e1n bloqueadas. No configurado: el usuario elige.",
     "Entradas", "Idioma",
     "Habilitado: el programa usa este archivo de idioma (su nombre sin .lng, por ejemplo "
     "Spanish), y la elecci\u00f3n del idioma est\u00e1 bloqueada. Deshabilitado o no "
     "configurado: el usuario elige.",
     "Archivo de idioma"},
};

std::string Xml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\r': out += ' '; break;
      default: out += c;
    }
  }
  return out;
}

struct BoxPolicy {
  std::string id;  // "Box_" and the control's name
  const char* value;
  toolkit::CheckBox* box;
  bool item;
};

std::vector<BoxPolicy> BoxPolicies(app::Form1& form) {
  std::vector<BoxChoice> choices = MainWindowBoxes(form);
  std::vector<BoxPolicy> policies;
  for (const app::BoxSetting& row : app::BoxSettings()) {
    toolkit::CheckBox* box = &row.BoxOf(form);
    auto choice = std::find_if(choices.begin(), choices.end(),
                               [box](const BoxChoice& c) { return c.box == box; });
    policies.push_back({"Box_" + box->name(), row.value, box,
                        choice != choices.end() && choice->item});
  }
  return policies;
}

constexpr const char* kNamespaces =
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" revision=\"1.0\""
    " schemaVersion=\"1.0\""
    " xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";

std::string Policy(const std::string& name, const std::string& category,
                   const std::string& valueName, const std::string& help, bool disabledValue,
                   const std::string& elements = "") {
  std::string presentation = elements.empty() ? "" : " presentation=\"$(presentation." + name + ")\"";
  return "    <policy name=\"" + name + "\" class=\"Both\" displayName=\"$(string." + name +
         ")\" explainText=\"$(string." + help + ")\"" + presentation + " key=\"" +
         Xml(app::kPolicyKey) + "\"" +
         (valueName.empty() ? "" : " valueName=\"" + Xml(valueName) + "\"") + ">\n" +
         "      <parentCategory ref=\"" + category + "\" />\n" +
         "      <supportedOn ref=\"SUPPORTED_Vanbrisk\" />\n" +
         (valueName.empty()
              ? ""
              : "      <enabledValue><decimal value=\"1\" /></enabledValue>\n" +
                    std::string(disabledValue
                                    ? "      <disabledValue><decimal value=\"0\" /></disabledValue>\n"
                                    : "")) +
         elements + "    </policy>\n";
}

std::string Admx(const std::vector<BoxPolicy>& boxes) {
  std::string policies;
  for (const BoxPolicy& box : boxes)
    policies += Policy(box.id, box.item ? "Items" : "Options", box.value, "BoxHelp", true);
  policies += Policy("Warning", "Vanbrisk", app::kWarningPolicy, "WarningHelp", false);
  policies += Policy("Entries", "Vanbrisk", app::kEntriesPolicy, "EntriesHelp", true,
                     "      <elements>\n        <list id=\"EntriesList\" key=\"" +
                         Xml(app::kPolicyEntriesKey) + "\" />\n      </elements>\n");
  policies += Policy("Language", "Vanbrisk", "", "LanguageHelp", false,
                     "      <elements>\n        <text id=\"LanguageName\" valueName=\"" +
                         Xml(app::kLanguagePolicy) + "\" required=\"true\" />\n"
                         "      </elements>\n");
  return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitions") +
         kNamespaces + ">\n"
         "  <policyNamespaces>\n"
         "    <target prefix=\"vanbrisk\" namespace=\"Vanbrisk.Policies.Vanbrisk\" />\n"
         "  </policyNamespaces>\n"
         "  <resources minRequiredRevision=\"1.0\" />\n"
         "  <supportedOn>\n    <definitions>\n"
         "      <definition name=\"SUPPORTED_Vanbrisk\" displayName=\"$(string.SUPPORTED_Vanbrisk)\" />\n"
         "    </definitions>\n  </supportedOn>\n"
         "  <categories>\n"
         "    <category name=\"Vanbrisk\" displayName=\"$(string.Vanbrisk)\" />\n"
         "    <category name=\"Items\" displayName=\"$(string.Items)\"><parentCategory ref=\"Vanbrisk\" /></category>\n"
         "    <category name=\"Options\" displayName=\"$(string.Options)\"><parentCategory ref=\"Vanbrisk\" /></category>\n"
         "  </categories>\n"
         "  <policies>\n" +
         policies + "  </policies>\n</policyDefinitions>\n";
}

std::string Adml(const std::vector<BoxPolicy>& boxes, const Texts& texts,
                 const language::LanguageTable* table) {
  std::string strings;
  auto add = [&strings](const std::string& id, const std::string& text) {
    strings += "      <string id=\"" + id + "\">" + Xml(text) + "</string>\n";
  };
  add("Vanbrisk", "Vanbrisk");
  add("Items", texts.items);
  add("Options", texts.options);
  add("SUPPORTED_Vanbrisk", texts.supported);
  add("BoxHelp", texts.boxHelp);
  for (const BoxPolicy& box : boxes) {
    int key = box.box->CaptionKey();
    std::string caption = table && key != 0 ? table->Entry(key) : std::string();
    add(box.id, ShownCaption(caption.empty() ? box.box->Caption() : caption));
  }
  add("Warning", texts.warning);
  add("WarningHelp", texts.warningHelp);
  add("Entries", texts.entries);
  add("EntriesHelp", texts.entriesHelp);
  add("Language", texts.language);
  add("LanguageHelp", texts.languageHelp);
  return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitionResources") +
         kNamespaces + ">\n"
         "  <displayName>Vanbrisk</displayName>\n"
         "  <description>Vanbrisk</description>\n"
         "  <resources>\n    <stringTable>\n" +
         strings +
         "    </stringTable>\n    <presentationTable>\n"
         "      <presentation id=\"Entries\"><listBox refId=\"EntriesList\">" +
         Xml(texts.entriesLabel) +
         "</listBox></presentation>\n"
         "      <presentation id=\"Language\"><textBox refId=\"LanguageName\"><label>" +
         Xml(texts.languageLabel) +
         "</label></textBox></presentation>\n"
         "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

}  // namespace

const std::vector<ShippedLanguage>& ShippedLanguages() {
  static const std::vector<ShippedLanguage> languages = {{"en-US", "English.lng"},
                                                         {"de-DE", "German.lng"},
                                                         {"fr-FR", "French.lng"},
                                                         {"es-ES", "Spanish.lng"}};
  return languages;
}

std::vector<TemplateFile> PolicyTemplates(app::MainWindow& window,
                                          const std::vector<TemplateLanguage>& languages) {
  std::vector<BoxPolicy> boxes = BoxPolicies(window.form());
  std::vector<TemplateFile> files = {{"vanbrisk.admx", Admx(boxes)}};
  for (const Texts& texts : kTexts) {
    auto language = std::find_if(languages.begin(), languages.end(),
                                 [&](const TemplateLanguage& l) { return l.culture == texts.culture; });
    files.push_back({std::string(texts.culture) + "/vanbrisk.adml",
                     Adml(boxes, texts, language == languages.end() ? nullptr : language->table)});
  }
  return files;
}

}  // namespace vb::cli
