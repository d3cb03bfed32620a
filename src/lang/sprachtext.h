// The language table: every window text that follows the user's language,
// by text key (enum Text) and language slot (0..5). The six slots of one key lie
// next to each other: entry number 6 * key + slot. Keys 0..55 are the
// original table; its German texts are kept as they always were.
//
// Slots: 0 German, 1 English, 2 German (key 0 empty, key 28 "&Darstellung"),
// 3 Spanish, 4 French, 5 German (key 0 empty). The language menu offers
// the slots whose kTxLanguageName is not empty. Texts are UTF-8; a line
// break inside a text is carriage return + line feed.
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
  kTxSpracheMenu = 0,  ///< the original captions of the language menu (the menu names the languages by kTxLanguageName)
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
  kTxSpracheMenuZusatz = 56,  ///< former language-menu caption of a slot without one in key 0
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
  kTxLanguageName = 130,  ///< the language's own name in the language menu (item n: slot n); empty = not offered
  kTxShortPath = 131,  ///< the short great-circle path in the point result and the report
  kTxLongPath = 132,  ///< the long great-circle path in the point result and the report
  kTxKeySpace = 133,  ///< name of the space bar in tool tips
  kTxKeyHome = 134,  ///< name of the Home key in tool tips
  kTxMemoryStore = 135,  ///< cmdSpeichern: puts the frequency shown into a memory
  kTxMemoryStoreTip = 136,  ///< cmdSpeichern tool tip
  kTxProgramTitle = 137,  ///< title of the program's message boxes (exit question, warnings)
  kTxCursorPosition = 138,  ///< mnuCursorposition
  kTxCopyright = 139,  ///< about box: the authors
  kTxDataSources = 140,  ///< about box: where the map and the places come from
  kTxSMeter = 141,  ///< the S-meter value in the command line's point result
  kTxUnitLevel = 142,  ///< print: after the values caption (key 52) in level mode
  kTxUnitFieldStrength = 143,  ///< print: after the values caption (key 52) in field-strength mode
  kTxForecastMonth = 144,  ///< accessible name of cmdWelvarozeit
  kTxHeardStoreSetAside = 145,  ///< message: the store of heard decodes was damaged (%1 file, %2 the name set aside)
  kTxHeardOpenNow = 146,  ///< compare: forecast open and heard toward B
  kTxHeardBetterThanForecast = 147,  ///< compare: forecast poor but heard toward B
  kTxHeardUnexpectedOpening = 148,  ///< compare: forecast closed but heard toward B
  kTxHeardForecastOpenNothingHeard = 149,  ///< compare: forecast open, band listened to, nothing heard toward B
  kTxHeardPoorNothingHeard = 150,  ///< compare: forecast poor, band listened to, nothing heard toward B
  kTxHeardClosedAsForecast = 151,  ///< compare: forecast closed, band listened to, nothing heard toward B
  kTxHeardNotListened = 152,  ///< compare: nothing decoded in the band during the span
  kTxHeardLegend = 153,  ///< title of the legend of the heard stations' dots
  kTxSsnObserved = 154,  ///< source of the sunspot number: the table's observed value (%1 table date)
  kTxSsnPredicted = 155,  ///< source of the sunspot number: the table's predicted value (%1 table date)
  kTxSsnTyped = 156,  ///< source of the sunspot number: typed by the user
  kTxSsnNotInTable = 157,  ///< source of the sunspot number: typed, the month is not in the table (%1 month)
  kTxSsnNoTable = 158,  ///< source of the sunspot number: typed, there is no table
  kTxSsnTableChoice = 159,  ///< conditions dialog: the sunspot number from the table
  kTxSolarUpdateMenu = 160,  ///< menu item: update the solar data
  kTxSolarCheckMonthly = 161,  ///< menu item: look for new solar data once a month
  kTxSolarFetching = 162,  ///< progress of the update (%1 address)
  kTxSolarUpdated = 163,  ///< message (%1 table date, %2 months)
  kTxSolarNotUpdated = 164,  ///< message before the reason of a failed update
  kTxSolarCancelled = 165,  ///< reason: the user cancelled
  kTxSolarTimeout = 166,  ///< reason (%1 address, %2 seconds)
  kTxSolarNoConnection = 167,  ///< reason (%1 address, %2 what the network said)
  kTxSolarCertificate = 168,  ///< reason (%1 address, %2 what the network said)
  kTxSolarHttpStatus = 169,  ///< reason (%1 file address, %2 HTTP status)
  kTxSolarTooLarge = 170,  ///< reason (%1 file address, %2 size limit)
  kTxSolarIncomplete = 171,  ///< reason (%1 file address)
  kTxSolarNotJson = 172,  ///< reason (%1 file address, %2 character position)
  kTxSolarUnexpected = 173,  ///< reason (%1 file address, %2 entry number)
  kTxSolarOutOfRange = 174,  ///< reason (%1 file address, %2 month)
  kTxSolarTooFewMonths = 175,  ///< reason (%1 file address, %2 number of months)
  kTxSolarNotAscending = 176,  ///< reason (%1 file address, %2 month)
  kTxSolarNotWritten = 177,  ///< reason (%1 file, %2 what the system said)
  kTxSolarBadAddress = 178,  ///< reason (%1 address)
  kTxSolarNotList = 179,  ///< reason (%1 file address)
  kTxFileDamaged = 180,  ///< message (%1 file, %2 what is wrong)
  kTxPlaceTaken = 181,  ///< station dialog hint (%1 the place taken, %2 how many bear the name)
  kTxForecastNotSaved = 182,  ///< message at the end (%1 the table file)
  kTxOutlookQuantity = 183,  ///< the third display quantity (%1 the mode): menu item, tool button, caption
  kTxOutlookGood = 184,  ///< outlook class: works on nine days in ten
  kTxOutlookFair = 185,  ///< outlook class: works on half the days
  kTxOutlookPoor = 186,  ///< outlook class: works on one day in ten
  kTxOutlookClosed = 187,  ///< outlook class: not even on one day in ten
  kTxOutlookLine = 188,  ///< point result's outlook line (%1 mode, %2 class, %3 margin)
  kTxMarginSpare = 189,  ///< margin above what the mode needs (%1 dB)
  kTxMarginShort = 190,  ///< margin below what the mode needs (%1 dB)
  kTxOutlookNone = 191,  ///< outlook line of a link without a forecast (%1 mode)
  kTxMode = 192,  ///< label of the mode list
  kTxModeCustom = 193,  ///< mode list: the custom need (%1 dB-Hz)
  kTxHintRequiredSnr = 194,  ///< what the custom need box accepts
  kTxNoise = 195,  ///< label of the noise list
  kTxNoiseCity = 196,  ///< noise list: city
  kTxNoiseResidential = 197,  ///< noise list: residential
  kTxNoiseRural = 198,  ///< noise list: rural
  kTxNoiseQuiet = 199,  ///< noise list: quiet rural
  kTxNoiseFloor = 200,  ///< noise list: my noise floor (%1 dBm)
  kTxHintNoiseFloor = 201,  ///< what the noise floor box accepts
  kTxBestBand = 202,  ///< best band line (%1 mode, %2 when, %3 band, %4 class and margin)
  kTxNoBandOpen = 203,  ///< best band line when none is open (%1 mode, %2 when, %3 band, %4 UTC time)
  kTxNoBandIn24h = 204,  ///< best band line when none opens within 24 hours (%1 mode, %2 when)
  kTxWhenNow = 205,  ///< best band line: at the time now
  kTxWhenAt = 206,  ///< best band line: at a time shown that is not now (%1 hh:mm)
  kTxSunTimes = 207,  ///< panel: sunrise and sunset at a station (%1 A or B, %2 and %3 "HH:MM")
  kTxSunNoSet = 208,  ///< panel: the sun does not set at a station (%1 A or B)
  kTxSunNoRise = 209,  ///< panel: the sun does not rise at a station (%1 A or B)
  kTxRectangularMap = 210,  ///< picture caption: the longitude/latitude map
  kTxCaptionNight = 211,  ///< picture caption: what the hatching means
  kTxCaptionNoSignal = 212,  ///< picture caption: what the grey land and sea mean
  kTxSsnTypedChoice = 213,  ///< conditions dialog: the sunspot number typed in its box
  kTxSolarData = 214,  ///< conditions dialog: frame of the solar data's settings
  kTxSolarAddress = 215,  ///< conditions dialog: address of the solar data (mirrors)
  kTxSolarCredit = 216,  ///< about box: where the sunspot numbers come from
  kTxAbbrechen = 217,  ///< button: stop what is running
  kTxModeExplain = 218,  ///< conditions dialog: what the mode changes
  kTxNoiseExplain = 219,  ///< conditions dialog: what the noise changes
  kTxHeardMenu = 220,  ///< menu item: the settings of the receiver's decodes
  kTxHeardTitle = 221,  ///< title of the settings dialog of the receiver's decodes
  kTxHeardLogs = 222,  ///< settings: the list of the receiver's log files
  kTxHeardAddLog = 223,  ///< settings: button that chooses a log file
  kTxHeardRemoveLog = 224,  ///< settings: button that removes the chosen log file
  kTxHeardFoundLogs = 225,  ///< settings: logs found in the receivers' usual folders
  kTxHeardAddFound = 226,  ///< settings: button that adds the found log chosen
  kTxHeardRxPosition = 227,  ///< settings: the position of the chosen log's receiver
  kTxHeardAtA = 228,  ///< settings: a log whose receiver stands at station A
  kTxHeardListen = 229,  ///< settings: listen for the receiver's UDP messages
  kTxHeardKeepDays = 230,  ///< settings: retention of the stored decodes
  kTxHeardSpan = 231,  ///< settings: the span of the dots and the bands panel
  kTxHeardSpan15 = 232,  ///< span: 15 minutes
  kTxHeardSpan60 = 233,  ///< span: 1 hour
  kTxHeardSpan360 = 234,  ///< span: 6 hours
  kTxHeardSpan1440 = 235,  ///< span: 24 hours
  kTxHeardSpanNone = 236,  ///< span: nothing shown
  kTxHeardPanel = 237,  ///< bands panel: title of what was heard (%1 the span, %2 its end hh:mm)
  kTxHeardColBand = 238,  ///< bands panel: column of the band
  kTxHeardColStations = 239,  ///< bands panel: column of the stations heard
  kTxHeardColSnr = 240,  ///< bands panel: column of the best SNR
  kTxHeardColFarthest = 241,  ///< bands panel: column of the farthest distance
  kTxHeardColTowardB = 242,  ///< bands panel: column of the stations heard toward B
  kTxHeardColCompare = 243,  ///< bands panel: column of the comparison with the forecast
  kTxHeardColumnsTip = 244,  ///< bands panel: tool tip explaining the columns
  kTxHeardStatusHeard = 245,  ///< status line: the receiver's last message (%1 how long ago)
  kTxHeardStatusWaiting = 246,  ///< status line: listening, nothing received yet (%1 address)
  kTxHeardStatusError = 247,  ///< status line: listening failed (%1 address, %2 reason)
  kTxHeardBadAddress = 248,  ///< settings: what the address box accepts
  kTxHeardLogProblem = 249,  ///< message: a log file could not be read (%1 file, %2 reason)
  kTxWelcomeTitle = 250,  ///< welcome at the first start: window title
  kTxWelcomeIntro = 251,  ///< welcome: what it asks for and why
  kTxWelcomeStation = 252,  ///< welcome: label of the station box
  kTxWelcomeStationNote = 253,  ///< welcome: what the station box takes and changes
  kTxWelcomePower = 254,  ///< welcome: label of the power box (watts)
  kTxWelcomePowerNote = 255,  ///< welcome: what the power changes
  kTxWelcomeGainNote = 256,  ///< welcome: what the antenna gain changes
  kTxWelcomeAngleNote = 257,  ///< welcome: what the minimum elevation angle changes
  kTxWelcomeSkip = 258,  ///< welcome: the button that closes it without changes
  kTxHintWatts = 259,  ///< what the welcome's power box accepts
  kTxStationUnknown = 260,  ///< a station name no place bears
  kTxStationDegrees = 261,  ///< the station box holds no valid latitude, longitude
  kTxNameCut = 262,  ///< a station name cut to what the settings file keeps (%1 characters)
  kTxCancel = 263,  ///< the button that closes a dialog without taking its entries
  kTxNear = 264,  ///< completion list: a place told apart by the nearest larger place (%1)
  kTxPictureCopied = 265,  ///< status line: the picture is on the clipboard
  kTxStartSubtitle = 266,  ///< start window: what the program is, with its version (%1)
  kTxStartWait = 267,  ///< start window: the forecast data are being computed
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

/// Caption of the language-menu item of slot n: the language's own name
/// ("Deutsch", "English", "Español", "Français") whatever the window's
/// language; empty when the slot is not offered (the German variants 2 and 5).
std::string languageMenuText(int slot);

/// Text of key `key` (0 .. kTxAnzahl - 1) in the current language `s.L` (0..5),
/// that is entry 6 * key + L. A key or language outside its range raises
/// the subscript fault instead of returning a neighbouring key's text.
std::string T(const State& s, int key);

/// The colon after a label in the current language: French sets a no-break
/// space before it ("Distance : 1478 km"), the others none.
std::string labelColon(const State& s);

/// A message in language slot `language` (or in the message's own slot when
/// it names one), its %1 and %2 filled in.
std::string messageText(int language, const Message& m);

/// Month names of the current language: MonatsName(m) = T(m) for m = 1..12
/// (keys 1..12). Entry 0 stays as it is.
void fillMonthNames(State& s);

}  // namespace welvaro
