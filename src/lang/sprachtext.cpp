#include "lang/sprachtext.h"

#include "state/fault.h"

namespace welvaro {

// Transcribed text for text: the typing of every entry ("Probaility",
// "Dizciembre", "Deçembre", "Numero de tacke solaire" ...) is the one the
// window has always shown, and must stay as it is.
const std::array<std::string_view, kSprachEintraege> SprachText = {
    // Key: where the text is used. Slots in order 0 German, 1 English,
    // 2 German (variant), 3 Spanish, 4 French, 5 German (variant).
    // 0: caption of language menu item n (slot n); empty = item hidden
    "Beschriftung (deutsch)",
    "Inscription (english)",
    "",
    "",
    "",
    "",
    // 1: month names 1..12 (MonatsName)
    "Januar",
    "January",
    "Januar",
    "Enero",
    "Janvier",
    "Januar",
    // 2: month names
    "Februar",
    "February",
    "Februar",
    "Febrero",
    "Fevrier",
    "Februar",
    // 3: month names
    "März",
    "March",
    "März",
    "Marzo",
    "Mars",
    "März",
    // 4: month names
    "April",
    "April",
    "April",
    "Abril",
    "Avril",
    "April",
    // 5: month names
    "Mai",
    "May",
    "Mai",
    "Mayo",
    "Mai",
    "Mai",
    // 6: month names
    "Juni",
    "June",
    "Juni",
    "Junio",
    "Juin",
    "Juni",
    // 7: month names
    "Juli",
    "July",
    "Juli",
    "Julio",
    "Juillet",
    "Juli",
    // 8: month names
    "August",
    "August",
    "August",
    "Agosto",
    "Aout",
    "August",
    // 9: month names
    "September",
    "September",
    "September",
    "Septiembre",
    "Septembre",
    "September",
    // 10: month names
    "Oktober",
    "October",
    "Oktober",
    "Octubre",
    "Octobre",
    "Oktober",
    // 11: month names
    "November",
    "November",
    "November",
    "Noviembre",
    "Novembre",
    "November",
    // 12: month names
    "Dezember",
    "December",
    "Dezember",
    "Dizciembre",
    "Deçembre",
    "Dezember",
    // 13: forecast caption, point result, print
    "für",
    "for",
    "für",
    "para",
    "pour",
    "für",
    // 14: cmdOrt tooltip, mnuDarstellung2, lblAnzeige in chart mode
    "Orts-Welvaro",
    "HF-Propagation Point to Point",
    "Orts-Welvaro",
    "Pronóstico de radio local",
    "Welvaro de radio locale",
    "Orts-Welvaro",
    // 15: station labels and menu items, point result
    "Station",
    "Station",
    "Station",
    "Estación",
    "Station",
    "Station",
    // 16: cmdWelt tooltip, mnuDarstellung1, lblAnzeige in map mode, print
    "Welt-Welvaro",
    "HF-Propagation World Wide",
    "Welt-Welvaro",
    "Pronóstico de radio mundial",
    "Welvaro de radio mondiale",
    "Welt-Welvaro",
    // 17: cmdWelvarozeit tooltip while ZeitModus = 0
    "Welvarozeit-Änderung Ein",
    "Forecast-Period (On)",
    "Welvarozeit-Änderung Ein",
    "Cambio tiempo de pronóstico activo",
    "Changement du temps de welvaro ouvert",
    "Welvarozeit-Änderung Ein",
    // 18: cmdWelvarozeit tooltip while ZeitModus = 1
    "Welvarozeit-Änderung Aus",
    "Forecast-Period (Off)",
    "Welvarozeit-Änderung Aus",
    "Cambio tiempo de pronóstico inactivo",
    "Changement du temps de welvaro fermé",
    "Welvarozeit-Änderung Aus",
    // 19: mnuSonnenfleckenzahl, conditions dialog, print
    "Sonnenfleckenzahl",
    "Sunspot-Number",
    "Sonnenfleckenzahl",
    "Número de manchas solares",
    "Numero de tacke solaire",
    "Sonnenfleckenzahl",
    // 20: mnuDrucker, cmdDrucker tooltip
    "Drucken",
    "Print",
    "Drucken",
    "Imprimir",
    "Imprimer",
    "Drucken",
    // 21: mnuEnde, cmdEnde tooltip
    "Beenden",
    "Exit",
    "Beenden",
    "Finalizar",
    "Finir",
    "Beenden",
    // 22: forecast caption, point result, print
    "Welvaro",
    "Forecast",
    "Welvaro",
    "Pronóstico",
    "Welvaro",
    "Welvaro",
    // 23: warning text for an unconfirmed frequency
    "Die Frequenzeingabe muß mit\r\nRETURN abgeschlossen werden",
    "Frequency selection\r\ninput with RETURN key",
    "Die Frequenzeingabe muß mit\r\nRETURN abgeschlossen werden",
    "La entrada de frecuencia debe\r\nterminarse con RETURN",
    "Entrée de la fréquence par\r\nRETURN pour terminer",
    "Die Frequenzeingabe muß mit\r\nRETURN abgeschlossen werden",
    // 24: title of that warning
    "Fehler",
    "Error",
    "Fehler",
    "Error",
    "Faute",
    "Fehler",
    // 25: print
    "Feldstärke in dB über",
    "Field-Strength in dB over",
    "Feldstärke in dB über",
    "Intensidad de campo en dB sobre",
    "Intensité de champ en dB sur",
    "Feldstärke in dB über",
    // 26: mnuFeldstaerke, level caption, point result, cursor read-out
    "Feldstärke",
    "Field-Strength",
    "Feldstärke",
    "Intensidad de campo",
    "Intensité de champ",
    "Feldstärke",
    // 27: mnuPegel, level caption, cursor read-out, print
    "Pegel",
    "Level",
    "Pegel",
    "Nivel",
    "Niveau",
    "Pegel",
    // 28: mnuAnzeige
    "D&arstellung",
    "&Configure",
    "&Darstellung",
    "&Presentación",
    "&Présentation",
    "D&arstellung",
    // 29: cmdSpeichern
    "Speichern",
    "Store",
    "Speichern",
    "Archivar",
    "Mémoire",
    "Speichern",
    // 30: mnuHilfe
    "&Hilfe",
    "&Help",
    "&Hilfe",
    "&Ayuda",
    "&Aide",
    "&Hilfe",
    // 31: mnuVorgaben
    "&Vorgaben",
    "&Precondition",
    "&Vorgaben",
    "&Predeterminaciones",
    "Pré de &Termination",
    "&Vorgaben",
    // 32: mnuDatei
    "&Datei",
    "&File",
    "&Datei",
    "&Archivo",
    "&Fichier",
    "&Datei",
    // 33: mnuSendeweg, conditions dialog
    "Sendeweg",
    "Path",
    "Sendeweg",
    "Via de transmisión",
    "Voie de transmission",
    "Sendeweg",
    // 34: mnuWahrscheinlichkeit, conditions dialog
    "Wahrscheinlichkeit",
    "Probaility",
    "Wahrscheinlichkeit",
    "Probabilidad",
    "Probabilité",
    "Wahrscheinlichkeit",
    // 35: mnuUTCZeitkorrektur
    "UTC-Zeitkorrektur",
    "UTC Time-Correction",
    "UTC-Zeitkorrektur",
    "Corrección de hora UTC",
    "Correction horaire (UTC)",
    "UTC-Zeitkorrektur",
    // 36: station dialogs
    "Breitengrad",
    "Latitude",
    "Breitengrad",
    "Paralelo",
    "Degré de latitude",
    "Breitengrad",
    // 37: station dialogs
    "Längengrad",
    "Longitude",
    "Längengrad",
    "Meridiano",
    "Degré de longitude",
    "Längengrad",
    // 38: station A dialog, print
    "Antennengewinn",
    "Antenna-Gain",
    "Antennengewinn",
    "Ganancia de antena",
    "Profit d´antenne",
    "Antennengewinn",
    // 39: station A dialog
    "Abstrahlwinkel",
    "Elevation-Angle",
    "Abstrahlwinkel",
    "Ángulo de radiación",
    "Angle de diffusion",
    "Abstrahlwinkel",
    // 40: station A dialog, print
    "Sendeleistung",
    "Power",
    "Sendeleistung",
    "Potencia de emisión",
    "Capacité d´emission",
    "Sendeleistung",
    // 41: point result, print
    "Richtung",
    "Direction",
    "Richtung",
    "Dirección",
    "Direction",
    "Richtung",
    // 42: point result, print
    "Distanz",
    "Distance",
    "Distanz",
    "Distancia",
    "Distance",
    "Distanz",
    // 43: mnuInfoEinblendung
    "Info-Einblendung",
    "Info-Representation",
    "Info-Einblendung",
    "Inserción de info",
    "Inscription info",
    "Info-Einblendung",
    // 44: lblFrequenzEingabe
    "Aktuelle Frequenz",
    "Current-Frequency",
    "Aktuelle Frequenz",
    "Frecuencia actual",
    "Fréquence actuelle",
    "Aktuelle Frequenz",
    // 45: mnuOrtsEingabe
    "Orts-Eingabeanzeige",
    "Location-Indication",
    "Orts-Eingabeanzeige",
    "Indicación de entrada de localidad",
    "Indication d´entrée locale",
    "Orts-Eingabeanzeige",
    // 46: mnuNaechsteStadt
    "Nächste Stadt",
    "Next City",
    "Nächste Stadt",
    "Siguiente ciudad",
    "Prochaine ville",
    "Nächste Stadt",
    // 47: mnuPositionsAnzeige
    "Cursor-Positionsanzeige",
    "Cursor-Positionindication",
    "Cursor-Positionsanzeige",
    "Indicación de posición del cursor",
    "Indication de position du cursor",
    "Cursor-Positionsanzeige",
    // 48: mnuGrad
    "Koordinaten",
    "Coordinates",
    "Koordinaten",
    "Coordenadas",
    "Coordonnées",
    "Koordinaten",
    // 49: lblFunkverbindung, print
    "Funkverbindung:",
    "Radio-Link:",
    "Funkverbindung:",
    "Enlace radio:",
    "Liaison de radio:",
    "Funkverbindung:",
    // 50: prompt of the exit question
    "PROGRAMM-ENDE",
    "END-OF-PROGRAM",
    "PROGRAMM-ENDE",
    "FIN DE PROGRAMA",
    "FIN DE PROGRAMME",
    "PROGRAMM-ENDE",
    // 51: time-zone dialog label
    "Zeitzone (-12 bis 12)",
    "Time-Zone (-12 to 12)",
    "Zeitzone (-12 bis 12)",
    "Huso horario (-12 a 12)",
    "Fuseau horaire (-12 a 12)",
    "Zeitzone (-12 bis 12)",
    // 52: print
    "Auswertung: ",
    "Evaluation: ",
    "Auswertung: ",
    "Evaluación: ",
    "Exploitation: ",
    "Auswertung: ",
    // 53: cursor read-out, print
    "Zeit",
    "Time",
    "Zeit",
    "Hora",
    "Temps",
    "Zeit",
    // 54: cursor read-out, print
    "Frequenz",
    "Frequency",
    "Frequenz",
    "Frecuencia",
    "Frequence",
    "Frequenz",
    // 55: mnuCursorposition (after "Cursor-"), cursor read-out
    "Position",
    "Position",
    "Position",
    "Posición",
    "Position",
    "Position",
};

std::string SprachEintrag(int nummer) {
  if (nummer < 0 || nummer >= kSprachEintraege) raise(kFaultSubscript);
  return std::string(SprachText[static_cast<std::size_t>(nummer)]);
}

std::string T(const State& s, int schluessel) {
  if (schluessel < 0 || schluessel >= kSprachSchluessel || s.L < 0 || s.L >= kSprachSlots)
    raise(kFaultSubscript);
  return SprachEintrag(kSprachSlots * schluessel + s.L);
}

void fuelleMonatsNamen(State& s) {
  for (int m = 1; m <= 12; ++m) s.MonatsName[m] = T(s, m);
}

}  // namespace welvaro
