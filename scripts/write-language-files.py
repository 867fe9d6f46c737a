#!/usr/bin/env python3
"""Writes the language files of lang/: Windows-1252 bytes, CR LF line ends.

Each row is a key and its text in English, German, French and Spanish. An
underscore in a text breaks the caption into lines when it is applied. The
English texts are the windows' own, so that choosing English shows the
windows as they were designed.
"""
import pathlib

HEADER = "VANBRISK LANGUAGE FILE"
LANGUAGES = ["English", "German", "French", "Spanish"]  # the columns of ROWS

ROWS = [
    (5, "&Run Cleaner", "&Bereinigen", "&Nettoyer", "&Limpiar"),
    (10, "&Analyze", "&Analysieren", "&Analyser", "&Analizar"),
    (15, "Exit", "Beenden", "Quitter", "Salir"),
    (20, "About", "Info", "À propos", "Acerca de"),
    (25, "Online Help", "Online-Hilfe", "Aide en ligne", "Ayuda en línea"),
    (30, "System Temporary", "Temporäre Systemdateien", "Fichiers temporaires système",
     "Temporales del sistema"),
    (35, "Internet Temporary", "Temporäre Internetdateien", "Fichiers Internet temporaires",
     "Temporales de Internet"),
    (40, "XP Prefetch", "XP-Prefetch", "Prefetch XP", "Prefetch de XP"),
    (45, "Cookies", "Cookies", "Cookies", "Cookies"),
    (50, "Recent Documents", "Zuletzt verwendete Dokumente", "Documents récents",
     "Documentos recientes"),
    (55, "Empty Recycle Bin", "Papierkorb leeren", "Vider la corbeille", "Vaciar la papelera"),
    (60, "Third Party Applications", "Programme anderer Hersteller", "Applications tierces",
     "Aplicaciones de terceros"),
    (65, "Index.dat Files", "Index.dat-Dateien", "Fichiers Index.dat", "Archivos Index.dat"),
    (70, "Memory Dumps", "Speicherabbilder", "Vidages mémoire", "Volcados de memoria"),
    (75, "Windows Log Files", "Windows-Protokolldateien", "Journaux de Windows",
     "Registros de Windows"),
    (80, "Explorer MRUs", "Explorer-Verlaufslisten", "Listes récentes de l'Explorateur",
     "Listas recientes del Explorador"),
    (85, "Internet Urls\\History", "Internet-Adressen\\Verlauf", "Adresses Internet\\Historique",
     "Direcciones de Internet\\Historial"),
    (90, "Tray Notifications", "Infobereich-Benachrichtigungen", "Notifications de la barre",
     "Notificaciones de la bandeja"),
    (95, "Windows Cache", "Windows-Cache", "Cache de Windows", "Caché de Windows"),
    (100, "Close After Cleaning", "Nach dem Bereinigen schließen", "Fermer après le nettoyage",
     "Cerrar después de limpiar"),
    (105, "Confirm Before Deletion", "Vor dem Löschen nachfragen", "Confirmer avant de supprimer",
     "Confirmar antes de eliminar"),
    (110, "Hide While Cleaning", "Beim Bereinigen ausblenden", "Masquer pendant le nettoyage",
     "Ocultar durante la limpieza"),
    (115, "Hide Warning Messages", "Warnungen ausblenden", "Masquer les avertissements",
     "Ocultar las advertencias"),
    (120, "Open Vanbrisk Suite On Startup", "Vanbrisk Suite beim Start öffnen",
     "Ouvrir Vanbrisk Suite au démarrage", "Abrir Vanbrisk Suite al iniciar"),
    (130, "Save to text file...", "In Textdatei speichern...",
     "Enregistrer dans un fichier texte...", "Guardar en archivo de texto..."),
    (140, "Click here to visit the Vanbrisk web site",
     "Hier klicken, um die Vanbrisk-Website zu besuchen",
     "Cliquez ici pour visiter le site web de Vanbrisk",
     "Haga clic aquí para visitar el sitio web de Vanbrisk"),
    (200, "Select Which Applications You Wish To Clean:",
     "Wählen Sie die zu bereinigenden Programme:",
     "Choisissez les applications à nettoyer :",
     "Seleccione las aplicaciones que desea limpiar:"),
    (300, "Save log file...", "Protokoll speichern...", "Enregistrer le journal...",
     "Guardar el registro..."),
    (305, "Save Log File...", "Protokoll speichern...", "Enregistrer le journal...",
     "Guardar el registro..."),
    (310, "&Clean Browsers", "&Browser bereinigen", "&Nettoyer les navigateurs",
     "&Limpiar navegadores"),
    (315, "Delete Cache", "Cache löschen", "Supprimer le cache", "Eliminar caché"),
    (320, "Delete Cookies", "Cookies löschen", "Supprimer les cookies", "Eliminar cookies"),
    (330, "Delete Internet Explorer Cache", "Internet-Explorer-Cache löschen",
     "Supprimer le cache d'Internet Explorer", "Eliminar la caché de Internet Explorer"),
    (335, "Delete Opera Browser Cache", "Opera-Cache löschen", "Supprimer le cache d'Opera",
     "Eliminar la caché de Opera"),
    (340, "Delete Mozilla Firefox Cache", "Mozilla-Firefox-Cache löschen",
     "Supprimer le cache de Mozilla Firefox", "Eliminar la caché de Mozilla Firefox"),
    (345, "Delete Selected Cache File...", "Gewählte Cache-Datei löschen...",
     "Supprimer le fichier de cache choisi...", "Eliminar el archivo de caché elegido..."),
    (350, "Reload Cache/Cookies", "Cache/Cookies neu laden", "Recharger cache/cookies",
     "Recargar caché/cookies"),
    (355, "Cancel", "Abbrechen", "Annuler", "Cancelar"),
    (360, "Delete Internet Explorer Cookies", "Internet-Explorer-Cookies löschen",
     "Supprimer les cookies d'Internet Explorer", "Eliminar las cookies de Internet Explorer"),
    (365, "Delete Opera Browser Cookies", "Opera-Cookies löschen",
     "Supprimer les cookies d'Opera", "Eliminar las cookies de Opera"),
    (370, "Delete Mozilla Firefox Cookies", "Mozilla-Firefox-Cookies löschen",
     "Supprimer les cookies de Mozilla Firefox", "Eliminar las cookies de Mozilla Firefox"),
    (380, "Delete Selected Cookie...", "Gewähltes Cookie löschen...",
     "Supprimer le cookie choisi...", "Eliminar la cookie elegida..."),
    (400, "Program Tools", "Programmwerkzeuge", "Outils du programme", "Herramientas"),
    (405, "Most Commonly Used...", "Am häufigsten verwendet...", "Les plus utilisés...",
     "Los más usados..."),
    (410, "More Tools...", "Weitere Werkzeuge...", "Autres outils...", "Más herramientas..."),
    (420, "Click here to view information about your system...",
     "Hier klicken für Informationen über Ihr System...",
     "Cliquez ici pour voir les informations sur votre système...",
     "Haga clic aquí para ver información sobre su sistema..."),
    (425, "Click here to view which programs are starting up with your system...",
     "Hier klicken, um die mit dem System startenden Programme zu sehen...",
     "Cliquez ici pour voir les programmes lancés au démarrage...",
     "Haga clic aquí para ver los programas que se inician con el sistema..."),
    (500, "Cleaner Options", "Bereinigungsoptionen", "Options de nettoyage",
     "Opciones de limpieza"),
    (505, "Hide Progress Bar While Cleaning", "Fortschrittsbalken beim Bereinigen ausblenden",
     "Masquer la barre de progression", "Ocultar la barra de progreso al limpiar"),
    (510, "Show Only Default Settings", "Nur Standardeinstellungen zeigen",
     "Afficher seulement les réglages par défaut",
     "Mostrar solo la configuración predeterminada"),
    (515, "Enable Deletion for Read-Only Files", "Schreibgeschützte Dateien löschen",
     "Supprimer aussi les fichiers en lecture seule",
     "Eliminar también archivos de solo lectura"),
    (520, "Note: When using \"Show Only Default Settings\" You will have to restart the program "
          "in order for the settings to be enabled.",
     "Hinweis: \"Nur Standardeinstellungen zeigen\" wird erst nach einem Neustart des "
     "Programms wirksam.",
     "Remarque : \"Afficher seulement les réglages par défaut\" prend effet au prochain "
     "démarrage du programme.",
     "Nota: \"Mostrar solo la configuración predeterminada\" surte efecto al reiniciar el "
     "programa."),
    (525, "Cookies", "Cookies", "Cookies", "Cookies"),
    (530, "Cookies to delete:", "Zu löschende Cookies:", "Cookies à supprimer :",
     "Cookies que eliminar:"),
    (535, "Cookies to keep:", "Zu behaltende Cookies:", "Cookies à conserver :",
     "Cookies que conservar:"),
    (540, "Internet Options", "Internetoptionen", "Options Internet", "Opciones de Internet"),
    (545, "Show All Deleted IE Temp Files", "Alle gelöschten IE-Temporärdateien zeigen",
     "Afficher les fichiers temporaires IE supprimés",
     "Mostrar los temporales de IE eliminados"),
    (550, "Add Vanbrisk button to Internet Explorer",
     "Vanbrisk-Schaltfläche zum Internet Explorer hinzufügen",
     "Ajouter le bouton Vanbrisk à Internet Explorer",
     "Añadir el botón de Vanbrisk a Internet Explorer"),
    (555, "Personalized", "Benutzerdefiniert", "Personnalisé", "Personalizado"),
    (560, " Personalized files, folders && registry items to clean:",
     " Zu bereinigende eigene Dateien, Ordner && Registrierungseinträge:",
     " Fichiers, dossiers && entrées du registre personnalisés à nettoyer :",
     " Archivos, carpetas && entradas del registro personalizados que limpiar:"),
    (565, "Clean Personalized Files, Folders && Registry Items when clicking \"Run Cleaner\"",
     "Eigene Dateien, Ordner && Registrierungseinträge mit \"Bereinigen\" löschen",
     "Nettoyer les éléments personnalisés avec \"Nettoyer\"",
     "Limpiar los elementos personalizados con \"Limpiar\""),
    (570, "Note: Cleaning is not supported for hidden files",
     "Hinweis: Versteckte Dateien werden nicht bereinigt",
     "Remarque : les fichiers cachés ne sont pas nettoyés",
     "Nota: los archivos ocultos no se limpian"),
    (575, "Add Folder", "Ordner hinzufügen", "Ajouter un dossier", "Añadir carpeta"),
    (580, "Add File", "Datei hinzufügen", "Ajouter un fichier", "Añadir archivo"),
    (585, "Add Registry", "Registrierung hinzufügen", "Ajouter une clé du registre",
     "Añadir registro"),
    (590, "Remove Selected", "Auswahl entfernen", "Retirer la sélection",
     "Quitar la selección"),
    (595, "Remove All", "Alle entfernen", "Tout retirer", "Quitar todo"),
    (600, "Advanced Options", "Erweiterte Optionen", "Options avancées", "Opciones avanzadas"),
    (605, "Language:", "Sprache:", "Langue :", "Idioma:"),
    (610, "Run Cleaner when the computer starts", "Beim Start des Computers bereinigen",
     "Nettoyer au démarrage de l'ordinateur", "Limpiar al iniciar el equipo"),
    (615, "Automatically Clean When Vanbrisk Opens", "Beim Öffnen von Vanbrisk bereinigen",
     "Nettoyer à l'ouverture de Vanbrisk", "Limpiar al abrir Vanbrisk"),
    (620, "Add \"Open Vanbrisk...\" option to recycle bin right click menu",
     "\"Vanbrisk öffnen...\" zum Kontextmenü des Papierkorbs hinzufügen",
     "Ajouter \"Ouvrir Vanbrisk...\" au menu de la corbeille",
     "Añadir \"Abrir Vanbrisk...\" al menú de la papelera"),
    (625, "Add \"Run Vanbrisk...\" option to recycle bin right click menu",
     "\"Vanbrisk ausführen...\" zum Kontextmenü des Papierkorbs hinzufügen",
     "Ajouter \"Lancer Vanbrisk...\" au menu de la corbeille",
     "Añadir \"Ejecutar Vanbrisk...\" al menú de la papelera"),
    # The texts added later (keys from 630): the page buttons, frames, tooltips,
    # tabs and menus of the main window, the formats of its run totals, and the
    # secondary windows. "%1" to "%4" stand for the numbers the window fills in.
    (630, "Cleaner", "Bereinigung", "Nettoyage", "Limpieza"),
    (635, "Applications", "Programme", "Applications", "Aplicaciones"),
    (640, "Internet", "Internet", "Internet", "Internet"),
    (645, "Tools", "Werkzeuge", "Outils", "Herramientas"),
    (650, "Options", "Optionen", "Options", "Opciones"),
    (655, "Cleaner Settings", "Bereinigungseinstellungen", "Réglages du nettoyage",
     "Ajustes de limpieza"),
    (660, "Settings", "Einstellungen", "Réglages", "Ajustes"),
    (665, "Shows More Cleaning Options...", "Zeigt weitere Bereinigungsoptionen...",
     "Affiche d'autres options de nettoyage...", "Muestra más opciones de limpieza..."),
    (670, "Click here to view Vanbrisk Online Help",
     "Hier klicken, um die Online-Hilfe von Vanbrisk zu öffnen",
     "Cliquez ici pour consulter l'aide en ligne de Vanbrisk",
     "Haga clic aquí para ver la ayuda en línea de Vanbrisk"),
    (675, "Files: %1   Size: %2   Registry keys: %3   Registry values: %4",
     "Dateien: %1   Größe: %2   Registrierungsschlüssel: %3   Registrierungswerte: %4",
     "Fichiers : %1   Taille : %2   Clés du registre : %3   Valeurs du registre : %4",
     "Archivos: %1   Tamaño: %2   Claves del registro: %3   Valores del registro: %4"),
    (680, "   Database rows: %1", "   Datenbankzeilen: %1", "   Lignes de base de données : %1",
     "   Filas de base de datos: %1"),
    (685, "Internet Browsers", "Internetbrowser", "Navigateurs Internet",
     "Navegadores de Internet"),
    (690, "This will delete all IE tracks...", "Löscht alle Spuren des Internet Explorers...",
     "Supprime toutes les traces d'Internet Explorer...",
     "Elimina todos los rastros de Internet Explorer..."),
    (695, "Diagnostics", "Diagnose", "Diagnostic", "Diagnóstico"),
    (700, "Startup", "Autostart", "Démarrage", "Inicio"),
    (705, "Disk Cleanup", "Datenträgerbereinigung", "Nettoyage de disque",
     "Liberar espacio en disco"),
    (710, "Registry Editor", "Registrierungs-Editor", "Éditeur du Registre", "Editor del Registro"),
    (715, "Control Panel  ", "Systemsteuerung", "Panneau de configuration", "Panel de control"),
    (720, "DirectX Diagnostics", "DirectX-Diagnose", "Diagnostic DirectX", "Diagnóstico de DirectX"),
    (725, "Command Prompt", "Eingabeaufforderung", "Invite de commandes", "Símbolo del sistema"),
    (730, "Task Manager", "Task-Manager", "Gestionnaire des tâches", "Administrador de tareas"),
    (735, "Command-Line Parameters:", "Befehlszeilenparameter:",
     "Paramètres de la ligne de commande :", "Parámetros de la línea de comandos:"),
    (740, "/AUTO - (Quiet Mode) Opens program hidden, runs cleaner and then exits when finished",
     "/AUTO - (Stiller Modus) Startet das Programm unsichtbar, bereinigt und beendet sich danach",
     "/AUTO - (Mode silencieux) Ouvre le programme masqué, nettoie puis se ferme",
     "/AUTO - (Modo silencioso) Abre el programa oculto, limpia y se cierra al terminar"),
    (745, "Select All", "Alle auswählen", "Tout sélectionner", "Seleccionar todo"),
    (750, "Select All of Type", "Alle dieser Art auswählen", "Sélectionner tout ce type",
     "Seleccionar todos de este tipo"),
    (755, "Deselect All", "Auswahl aufheben", "Tout désélectionner", "Deseleccionar todo"),
    (760, "Deselect All of Type", "Auswahl dieser Art aufheben", "Désélectionner tout ce type",
     "Deseleccionar todos de este tipo"),
    (765, "Applications", "Programme", "Applications", "Aplicaciones"),
    (770, "Internet", "Internet", "Internet", "Internet"),
    (775, "Multimedia", "Multimedia", "Multimédia", "Multimedia"),
    (780, "Utilities", "Dienstprogramme", "Utilitaires", "Utilidades"),
    (785, "Windows", "Windows", "Windows", "Windows"),
    (790, "Cleaner", "Bereinigung", "Nettoyage", "Limpieza"),
    (795, "Cookies", "Cookies", "Cookies", "Cookies"),
    (800, "Internet", "Internet", "Internet", "Internet"),
    (805, "Personalized", "Benutzerdefiniert", "Personnalisé", "Personalizado"),
    (810, "Advanced", "Erweitert", "Avancé", "Avanzado"),
    # The first-clean warning.
    (850, "Warning!", "Warnung!", "Avertissement !", "¡Advertencia!"),
    (855, "Warning!, this process will permanetly delete files on your computer! "
          "(Press \"Analyze\" to scan for useless files without deleting them...)",
     "Warnung: Dieser Vorgang löscht Dateien endgültig von Ihrem Computer! "
     "(Mit \"Analysieren\" suchen Sie überflüssige Dateien, ohne sie zu löschen...)",
     "Attention : cette opération supprime définitivement des fichiers de votre ordinateur ! "
     "(Cliquez sur \"Analyser\" pour rechercher les fichiers inutiles sans les supprimer...)",
     "¡Advertencia! Este proceso eliminará archivos de su equipo de forma permanente. "
     "(Pulse \"Analizar\" para buscar archivos inútiles sin eliminarlos...)"),
    (860, "Cleaning Details", "Einzelheiten der Bereinigung", "Détails du nettoyage",
     "Detalles de la limpieza"),
    # The blanks of the English text push its second sentence onto a line of
    # its own, as the window's own text does; the others break the line.
    (865, "This Program will only delete what is selected in 'Cleaner Settings'..." + " " * 145 +
          "Be sure to select only what you want deleted!",
     "Dieses Programm löscht nur, was unter \"Bereinigungseinstellungen\" ausgewählt ist..._"
     "Wählen Sie nur aus, was gelöscht werden soll!",
     "Ce programme ne supprime que ce qui est coché dans \"Réglages du nettoyage\"..._"
     "Ne cochez que ce que vous voulez supprimer !",
     "Este programa solo elimina lo seleccionado en \"Ajustes de limpieza\"..._"
     "¡Seleccione solo lo que desea eliminar!"),
    (870, "Do Not Show Me This Message Again...", "Diese Meldung nicht mehr anzeigen...",
     "Ne plus afficher ce message...", "No volver a mostrar este mensaje..."),
    (875, "Ok", "OK", "OK", "Aceptar"),
    (880, "Cancel", "Abbrechen", "Annuler", "Cancelar"),
    # The Add Registry dialog. Its example (a registry path, with underscores)
    # has no key: an underscore in a language file breaks the line.
    (885, "Vanbrisk Personalized Registry", "Vanbrisk - Eigener Registrierungseintrag",
     "Vanbrisk - Registre personnalisé", "Vanbrisk - Registro personalizado"),
    (890, "Type registry path.", "Geben Sie den Registrierungspfad ein.",
     "Saisissez le chemin du registre.", "Escriba la ruta del registro."),
    (900, "Add Registry Key", "Schlüssel hinzufügen", "Ajouter la clé", "Añadir clave"),
    # The Diagnostics window.
    (905, "Diagnostics", "Diagnose", "Diagnostic", "Diagnóstico"),
    (910, "Vanbrisk Diagnostic Tool", "Vanbrisk-Diagnosewerkzeug", "Outil de diagnostic Vanbrisk",
     "Diagnóstico de Vanbrisk"),
    (915, "Save to text file...", "In Textdatei speichern...", "Enregistrer en texte...",
     "Guardar en archivo..."),
    (920, "OK", "OK", "OK", "Aceptar"),
    # The Startup window.
    (925, "Startup", "Autostart", "Démarrage", "Inicio"),
    (930, "Vanbrisk Startup List", "Vanbrisk-Autostartliste", "Liste de démarrage Vanbrisk",
     "Lista de inicio de Vanbrisk"),
    (935, "These programs are set to run when your computer starts:",
     "Diese Programme starten mit Ihrem Computer:",
     "Ces programmes se lancent au démarrage de l'ordinateur :",
     "Estos programas se ejecutan al iniciar el equipo:"),
    (940, "Delete Value", "Wert löschen", "Supprimer la valeur", "Eliminar valor"),
    (945, "OK", "OK", "OK", "Aceptar"),
    # The About window.
    (950, "About Vanbrisk", "Über Vanbrisk", "À propos de Vanbrisk", "Acerca de Vanbrisk"),
    (955, "Cleans the following - System Temp, Temporary Internet Files, IE Cache and Cookies, "
          "Recycle Bin, Recent Documents List, Explorer MRUs, IE History, Windows XP Prefetch, "
          "Windows Log Files, Windows Memory Dumps (After System Crashes), and a wide variety of "
          "Third Party Application Temp files and Recent File Lists...",
     "Bereinigt Folgendes: temporäre Systemdateien, temporäre Internetdateien, IE-Cache und "
     "Cookies, Papierkorb, zuletzt verwendete Dokumente, Explorer-Verlaufslisten, IE-Verlauf, "
     "Windows-XP-Prefetch, Windows-Protokolldateien, Windows-Speicherabbilder (nach "
     "Systemabstürzen) sowie temporäre Dateien und Verlaufslisten vieler Programme anderer "
     "Hersteller...",
     "Nettoie : fichiers temporaires du système, fichiers Internet temporaires, cache et "
     "cookies d'IE, corbeille, documents récents, listes récentes de l'Explorateur, historique "
     "d'IE, Prefetch de Windows XP, journaux de Windows, vidages mémoire de Windows (après un "
     "plantage) et fichiers temporaires et listes récentes de nombreuses applications tierces...",
     "Limpia lo siguiente: temporales del sistema, archivos temporales de Internet, caché y "
     "cookies de IE, papelera, documentos recientes, listas recientes del Explorador, historial "
     "de IE, Prefetch de Windows XP, registros de Windows, volcados de memoria de Windows (tras "
     "un bloqueo del sistema) y archivos temporales y listas recientes de muchas aplicaciones de "
     "terceros..."),
    (960, "Last Updated - March.25, 2006", "Letzte Aktualisierung: 25. März 2006",
     "Dernière mise à jour : 25 mars 2006", "Última actualización: 25 de marzo de 2006"),
    (965, "Download the latest updates and submit bug reports at the following website:",
     "Aktualisierungen und Fehlerberichte auf folgender Website:",
     "Mises à jour et rapports de bogues sur le site suivant :",
     "Descargue las actualizaciones y envíe informes de errores en este sitio web:"),
    (970, "Check For Updates...", "Nach Aktualisierungen suchen...", "Rechercher des mises à jour...",
     "Buscar actualizaciones..."),
    (975, "Version History", "Versionsverlauf", "Historique", "Historial"),
    (980, "Close", "Schließen", "Fermer", "Cerrar"),
    (985, "OK", "OK", "OK", "Aceptar"),
]


def write(folder: pathlib.Path) -> None:
    for column, language in enumerate(LANGUAGES, start=1):
        lines = [f"; Vanbrisk language file: {language}",
                 f"000 {HEADER}"]
        lines += [f"{row[0]:03d} {row[column]}" for row in ROWS]
        text = "".join(line + "\r\n" for line in lines)
        (folder / f"{language}.lng").write_bytes(text.encode("cp1252"))


if __name__ == "__main__":
    write(pathlib.Path(__file__).resolve().parent.parent / "lang")
