// The language table: every window text that follows the user's language,
// by text key (enum Text) and language slot (0..5). The six slots of one key lie
// next to each other: entry number 6 * key + slot. Keys 0..55 are the
// original table, kept as it always was (typing included).
//
// Slots: 0 German, 1 English, 2 German (key 0 empty, key 28 "&Darstellung"),
// 3 Spanish, 4 French, 5 German (key 0 empty). Only slots 0 and 1 carry a
// language-menu caption in key 0. Texts are UTF-8; a line break inside a
// text is carriage return + line feed.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "state/message.h"
#include "state/state.h"

namespace welvaro {

/// The text keys: 0..55 the original table, from 56 on the texts added
/// for the window's own words, messages and input hints.
enum Text : int {
  kTxSpracheMenu = 0,  ///< caption of language menu item n (slot n); empty = item hidden
  kTxJanuar = 1,  ///< month names 1..12 (MonatsName): kTxJanuar + month - 1
  kTxFuer = 13,  ///< "für": forecast caption, point result, print
  kTxOrtsWelvaro = 14,  ///< chart mode: cmdOrt tooltip, mnuDarstellung2, lblAnzeige
  kTxStation = 15,  ///< station labels and menu items, point result
  kTxWeltWelvaro = 16,  ///< world-map mode: cmdWelt tooltip, mnuDarstellung1, lblAnzeige, print
  kTxWelvarozeitEin = 17,  ///< cmdWelvarozeit tooltip while ZeitModus = 0
  kTxWelvarozeitAus = 18,  ///< cmdWelvarozeit tooltip while ZeitModus = 1
  kTxSonnenflecken = 19,  ///< mnuSonnenfleckenzahl, conditions dialog, print
  kTxDrucken = 20,  ///< mnuDrucker, cmdDrucker tooltip
  kTxBeenden = 21,  ///< mnuEnde, cmdEnde tooltip
  kTxWelvaro = 22,  ///< forecast caption, point result, print
  kTxFrequenzWarnung = 23,  ///< warning text for an unconfirmed frequency
  kTxFehler = 24,  ///< title of that warning
  kTxFeldstaerkeUeber = 25,  ///< print
  kTxFeldstaerke = 26,  ///< mnuFeldstaerke, level caption, point result, cursor read-out
  kTxPegel = 27,  ///< mnuPegel, level caption, cursor read-out, print
  kTxDarstellung = 28,  ///< mnuAnzeige
  kTxSpeichern = 29,  ///< cmdSpeichern
  kTxHilfe = 30,  ///< mnuHilfe
  kTxVorgaben = 31,  ///< mnuVorgaben
  kTxDatei = 32,  ///< mnuDatei
  kTxSendeweg = 33,  ///< mnuSendeweg, conditions dialog
  kTxWahrscheinlichkeit = 34,  ///< mnuWahrscheinlichkeit, conditions dialog
  kTxUTCZeitkorrektur = 35,  ///< mnuUTCZeitkorrektur, title of the time-zone dialog
  kTxBreitengrad = 36,  ///< station dialogs
  kTxLaengengrad = 37,  ///< station dialogs
  kTxAntennengewinn = 38,  ///< station A dialog, print
  kTxAbstrahlwinkel = 39,  ///< station A dialog
  kTxSendeleistung = 40,  ///< station A dialog, print
  kTxRichtung = 41,  ///< point result, print
  kTxDistanz = 42,  ///< point result, print
  kTxInfoEinblendung = 43,  ///< mnuInfoEinblendung
  kTxAktuelleFrequenz = 44,  ///< lblFrequenzEingabe
  kTxOrtsEingabe = 45,  ///< mnuOrtsEingabe
  kTxNaechsteStadt = 46,  ///< mnuNaechsteStadt
  kTxPositionsAnzeige = 47,  ///< mnuPositionsAnzeige
  kTxKoordinaten = 48,  ///< mnuGrad
  kTxFunkverbindung = 49,  ///< lblFunkverbindung, print
  kTxProgrammEnde = 50,  ///< prompt of the exit question
  kTxZeitzone = 51,  ///< time-zone dialog label
  kTxAuswertung = 52,  ///< print
  kTxZeit = 53,  ///< cursor read-out, print
  kTxFrequenz = 54,  ///< cursor read-out, print
  kTxPosition = 55,  ///< mnuCursorposition (after "Cursor-"), cursor read-out
  kTxSpracheMenuZusatz = 56,  ///< language-menu caption of a slot without one in key 0
  kTxStadt = 57,  ///< nearest place in the cursor read-out
  kTxUhr = 58,  ///< after the time of day in the chart read-out
  kTxTitelStationA = 59,  ///< title of the station A dialog
  kTxTitelStationB = 60,  ///< title of the station B dialog
  kTxTitelBedingungen = 61,  ///< title of the conditions dialog
  kTxExtras = 62,  ///< mnuExtras
  kTxInfo = 63,  ///< mnuInfo, title of the about box
  kTxWelvaroHilfe = 64,  ///< mnuWelvaroHilfe, title of the help viewer
  kTxHilfeAnker = 65,  ///< anchor of the help file's contents in this language
  kTxLocator = 66,  ///< mnuLocator
  kTxGreyline = 67,  ///< cmdGreyline tooltip
  kTxBerechnung = 68,  ///< wait picture
  kTxInfoText = 69,  ///< about box
  kTxHilfeFehlt = 70,  ///< help viewer without its file (%1 file)
  kTxEinstellungenUnbrauchbar = 71,  ///< message (%1 file)
  kTxEinstellungenNichtGespeichert = 72,  ///< message (%1 file, %2 reason)
  kTxTrotzdemBeenden = 73,  ///< question after a failed save at the close box
  kTxTabelleNeu = 74,  ///< message (%1 file)
  kTxTabelleNichtGeschrieben = 75,  ///< message (%1 file, %2 reason)
  kTxOrteFehlen = 76,  ///< message (%1 file)
  kTxZeichnungFehlt = 77,  ///< message (%1 file)
  kTxBildNichtGeschrieben = 78,  ///< message (%1 file, %2 reason)
  kTxOrdnerFehler = 79,  ///< message (%1 folder, %2 reason)
  kTxMeldungSchliessen = 80,  ///< tooltip of the message bar's close button
  kTxBerichtFehler = 81,  ///< print message (%1 fault code)
  kTxBerichtGesendet = 82,  ///< print message (%1 printer)
  kTxDruckerAbgelehnt = 83,  ///< print message (%1 printer)
  kTxDruckAbgebrochen = 84,  ///< print message
  kTxKeinDrucker = 85,  ///< print message
  kTxAlsPdfFrage = 86,  ///< print question
  kTxBerichtSpeichern = 87,  ///< title of the file dialog for the report
  kTxNichtGedruckt = 88,  ///< print message
  kTxAlsPdfGespeichert = 89,  ///< print message (%1 file)
  kTxPdfFehler = 90,  ///< print message (%1 file)
  kTxHinweisName = 91,  ///< what a name box accepts
  kTxHinweisBreite = 92,  ///< what a latitude box accepts
  kTxHinweisLaenge = 93,  ///< what a longitude box accepts
  kTxHinweisGewinn = 94,  ///< what the gain box accepts
  kTxHinweisWinkel = 95,  ///< what the angle box accepts
  kTxHinweisLeistung = 96,  ///< what the power box accepts
  kTxHinweisSonnenflecken = 97,  ///< what the sunspot box accepts
  kTxHinweisWahrscheinlichkeit = 98,  ///< what the availability box accepts
  kTxHinweisSendeweg = 99,  ///< what the path box accepts
  kTxHinweisZeitzone = 100,  ///< what the time-zone box accepts
  kTxHinweisFrequenz = 101,  ///< what the frequency box accepts
  kTxLocatorFalsch = 102,  ///< a malformed locator in a station dialog
  kTxOrtMehrdeutig = 103,  ///< a place name several places bear
  kTxOderLocator = 104,  ///< after the range of a position box of a station dialog
  kTxAzimutal = 105,  ///< mnuAzimutal, cmdAzimutal tooltip
  kTxBildSpeichern = 106,  ///< mnuBildSpeichern
  kTxBildKopieren = 107,  ///< mnuBildKopieren
  kTxBildGroesse = 108,  ///< size of a saved picture
  kTxBildGespeichert = 109,  ///< message (%1 file)
  kTxBildFehler = 110,  ///< message (%1 file)
  kTxDatenFehlen = 111,  ///< message (%1 folders looked in, %2 files)
  kTxDateiFehler = 112,  ///< message (%1 file, %2 reason)
  kTxEinstellungenAufbewahrt = 113,  ///< message (%1 file, %2 the copy kept)
  kTxVorhersageFuer = 114,  ///< before the time shown when it is not now
  kTxJetzt = 115,  ///< cmdJetzt: back to the time now
  kTxAbspielen = 116,  ///< cmdAbspielen, play/pause the day
  kTxZeitleiste = 117,  ///< sldZeit: the UTC time shown
  kTxTempo = 118,  ///< cmbTempo: hours of the day per second
  kTxZeitMenu = 119,  ///< mnuZeit
  kTxStundeVor = 120,  ///< mnuStundeVor (Right)
  kTxStundeZurueck = 121,  ///< mnuStundeZurueck (Left)
  kTxMinutenVor = 122,  ///< mnuMinutenVor (Shift+Right)
  kTxMinutenZurueck = 123,  ///< mnuMinutenZurueck (Shift+Left)
  kTxFrequenzHoch = 124,  ///< mnuFrequenzHoch (Up)
  kTxFrequenzRunter = 125,  ///< mnuFrequenzRunter (Down)
  kTxBandHoch = 126,  ///< mnuBandHoch (Page Up)
  kTxBandRunter = 127,  ///< mnuBandRunter (Page Down)
  kTxBaender = 128,  ///< frmBaender: the bands of the link
  kTxBand = 129,  ///< cmdBand: tool tip of a band button
  kTxSunTimes = 130,  ///< panel: sunrise and sunset at a station (%1 A or B, %2 and %3 "HH:MM")
  kTxSunNoSet = 131,  ///< panel: the sun does not set at a station (%1 A or B)
  kTxSunNoRise = 132,  ///< panel: the sun does not rise at a station (%1 A or B)
  kTxRectangularMap = 133,  ///< picture caption: the longitude/latitude map
  kTxCaptionNight = 134,  ///< picture caption: what the hatching means
  kTxCaptionNoSignal = 135,  ///< picture caption: what the grey land and sea mean
  kTxAnzahl  ///< number of keys
};

inline constexpr int kTextKeys = kTxAnzahl;  ///< text keys 0 .. kTxAnzahl - 1
inline constexpr int kLanguageSlots = 6;        ///< language slots 0..5
inline constexpr int kTextEntries = kTextKeys * kLanguageSlots;

/// The table itself, constant for the whole run, indexed by entry number.
extern const std::array<std::string_view, kTextEntries> SprachText;

/// Entry `number` (0..335) of the table. Another number raises the
/// subscript fault, as every array of the program state does.
std::string textEntry(int number);

/// Caption of the language-menu item of slot n, empty when the slot is not
/// offered (the German variants 2 and 5).
std::string languageMenuText(int slot);

/// Text of key `key` (0 .. kTxAnzahl - 1) in the current language `s.L` (0..5),
/// that is entry 6 * key + L. A key or language outside its range raises
/// the subscript fault instead of returning a neighbouring key's text.
std::string T(const State& s, int key);

/// A message in language slot `language` (or in the message's own slot when
/// it names one), its %1 and %2 filled in.
std::string messageText(int language, const Message& m);

/// Month names of the current language: MonatsName(m) = T(m) for m = 1..12
/// (keys 1..12). Entry 0 stays as it is.
void fillMonthNames(State& s);

}  // namespace welvaro
