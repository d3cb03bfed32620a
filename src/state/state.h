// The program-state record: every field the system shares, with its type,
// unit and start value. State{} is the start state; the main window owns one,
// the command-line tool and every test make their own.
//
// Types follow the record's tables: single -> float, double -> double,
// int16 -> int16_t, text -> std::string (UTF-8 in memory). Arrays have
// inclusive bounds and raise the subscript fault on a bad index.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "state/arr.h"
#include "state/datetime.h"

namespace welvaro {

using int16 = std::int16_t;

struct State {
  // ---- Stations ---------------------------------------------------------
  std::string OrtA = "München";  ///< name of station A
  double X1 = 48.1;              ///< latitude of station A [deg], -90..90
  float Y1 = 11.5f;              ///< longitude of station A [deg], -180..180
  // Station A as the user entered it (a locator's centre, a place's own
  // position): what the dialog, the read-out and the settings file show.
  // X1/Y1 are what the forecast computes with; the point result cuts them
  // to a tenth of a degree (see state/station_a.h).
  double StationALatitude = 48.1;   ///< latitude of station A as entered [deg], -90..90
  float StationALongitude = 11.5f;  ///< longitude of station A as entered [deg], -180..180
  std::string OrtB = "Madrid";   ///< name of station B
  float OrtX2 = 40.4f;           ///< latitude of station B [deg]
  float OrtY2 = -3.7f;           ///< longitude of station B [deg]
  double X2 = 0;                 ///< latitude of the far end the calculation uses [deg]
  float Y2 = 0;                  ///< longitude of that far end [deg]
  float Px2 = 0;                 ///< latitude of the position marker [deg]
  float Py2 = 0;                 ///< longitude of the position marker [deg]

  // ---- Link and conditions ----------------------------------------------
  std::string Zkwa = "0.1";  ///< transmitter power as typed [kW]
  double Zkw = 0.1;          ///< numeric value of Zkwa [kW], 0.000001..1000
  double Sag = 2.15;         ///< antenna gain of station A [dBi], -40..20
  double Eag = 0;            ///< antenna gain of station B [dBi]
  double Iproz = 50;         ///< required availability [%]: 10, 50 or 90
  std::string P = "S";       ///< path: "S" short, "L" long
  double Angm = 20;          ///< minimum elevation angle [deg], 0..90
  std::string Ssn = "128";   ///< sunspot number as typed
  double Ssna = 128;         ///< numeric value of Ssn, 0..300
  float Monat = 1;           ///< month of the forecast, 1..12 (never stored)
  // Sunspot number from NOAA's table of monthly smoothed sunspot numbers.
  // Kept in the window preferences file, not in the settings file.
  int16 SsnFromTable = 0;      ///< 1: Ssn/Ssna take the table's value for the forecast month; 0: the typed number
  std::string SsnTyped = "128";  ///< the sunspot number the user typed last (text), 0..300; used when the
                                 ///< table has no value
  // Filled by the table look-up whatever the choice, for the panel, the
  // report and the conditions dialog.
  std::string SsnMonth;        ///< forecast month looked up, "YYYY-MM"
  double SsnTableValue = -1;   ///< the table's smoothed sunspot number for SsnMonth, 0..500; -1: none
  int16 SsnTableKind = 0;      ///< that value: 1 observed, 2 predicted; 0 none
  std::string SsnTableDate;    ///< date of the table in use, "YYYY-MM"; empty when there is none
  int16 SsnTableUpdated = 0;   ///< 1: the table in use is the user's updated copy; 0: the shipped one
  int16 SsnSource = 0;         ///< where Ssn came from: 0 typed, 1 table (observed), 2 table (predicted),
                               ///< 3 typed because SsnMonth is not in the table, 4 typed because there is no table
  std::string SolarUrl;        ///< address of NOAA's solar-cycle files up to "/json/..."; empty: the default address
  int16 SolarCheckMonthly = 0; ///< 1: look for new solar data once a month at start-up; 0: only when asked
  std::string SolarLastCheck;  ///< date of the last finished update, "YYYY-MM-DD"; empty: never
  float UTCKorr = 1;         ///< local time minus UTC [h], summer time included
  int16 UTCKorrFolgt = 1;    ///< 1: UTCKorr follows the system's time zone at every clock tick;
                             ///< 0: the user set another zone (dialog or settings file)
  float SystemZone = 1;      ///< the system's local time minus UTC now [h], set by the clock
  float SystemStandardZone = 1;  ///< the system's standard time minus UTC [h], set by the clock

  // ---- Frequency --------------------------------------------------------
  float AktFrequenz = 10.2f;  ///< display frequency [MHz]
  float FrequenzEin = 10.2f;  ///< AktFrequenz rounded to 0.1 MHz
  std::string FrequenzText;   ///< text shown in the frequency box
  float Speicher1 = 1.8f;     ///< frequency memories [MHz]
  float Speicher2 = 3.7f;
  float Speicher3 = 7.0f;
  float Speicher4 = 14.2f;
  float Speicher5 = 21.3f;
  float Speicher6 = 29.1f;
  int16 SpeicherWahl = 0;  ///< number 1..6 of the memory button pressed last

  // ---- Display and language ---------------------------------------------
  float Darstellung = 1.0f;  ///< display mode: 1 world map, 2 location chart
  int16 GreylineFlag = 0;    ///< 1 while the greyline is shown
  float MonatFremd = 0.0f;   ///< 1 while Monat differs from the current month
  int16 L = 0;               ///< language index 0..5 (0 = German)
  int16 SprachLauf = 0;      ///< 0 during the first language pass of start-up
  int16 DruckFlag = 0;       ///< 1 while the printed report computes its table

  // ---- Window options and modes ------------------------------------------
  int16 ZeitModus = 0;        ///< 1 while the month list for another forecast month is shown
  int16 InfoAus = 0;          ///< 1 while the cursor read-out labels are hidden
  int16 NaechsteStadtFlag = 0;  ///< 1: the world map's read-out names the nearest place (mnuNaechsteStadt)
  int16 LocatorFlag = 0;      ///< 1: the read-out gives the position as a locator (mnuLocator)
  int16 AnzeigeMinute = -1;   ///< UTC minute of the day the displays show, 0..1439; -1: now (Zeitpunkt)
  int16 SpeicherModus = 0;    ///< 1 while store mode waits for a memory button
  float SpeicherFrequenz = 0; ///< frequency captured when store mode was switched on [MHz]
  int16 BlinkZustand = 0;     ///< phase 0/1 of the blinking store marker

  // ---- Calendar and clock -----------------------------------------------
  DateTime Zeitpunkt;     ///< current UTC date and time
  DateTime Jetzt;         ///< current local date and time, as the clock gave it last
  DateTime SoZeitBeginn;  ///< last Sunday of March of the current year, 00:00
  DateTime SoZeitEnde;    ///< last Sunday of October of the current year, 00:00
  int16 SoZeitFlag = 0;   ///< 1 when start-up lay inside the summer-time window
  float Jahrestage = 365; ///< days of the current year
  int16 DeklTag = 0;      ///< day number for the solar declination
  float Dekl = 0;         ///< solar declination of the start-up day [rad]
  std::string JahrText;   ///< current year as text
  Arr<std::string, 0, 12> MonatsName;  ///< month names in the current language
  int16 TagZaehler = 0;   ///< tick counter of the day check

  // ---- Greyline ---------------------------------------------------------
  /// Day/night boundary template: latitude per map column [twips above the
  /// equator line, 2025 = 90 deg], column o = o * 2/3 deg of longitude.
  Arr<float, 0, 540> GreyKurve;
  Arr<float, 0, 135> GreyWinkel;  ///< template working values: longitude [rad], 0..pi/2
  Arr<float, 0, 135> GreyHoehe;   ///< template working values: latitude [twips]
  double GreySpalte = 0;          ///< template shift of the time drawn [map columns], 0..539

  // ---- Results ----------------------------------------------------------
  /// Hourly field strength [dB(uV/m)]: [slice 0..2][hour 0..24][frequency index 0..32];
  /// index k stands for k - 1 MHz, index 1 for the hour's path MUF.
  Arr<Arr<Arr<double, 0, 32>, 0, 24>, 0, 2> ErgFeld;
  int16 ErgSchicht = 1;   ///< slice (1 or 2) the calculation writes
  float TagGewicht = 0;   ///< weight of the day correction
  double FrqMax = 31;     ///< last frequency index of the calculation

  // ---- Point result -----------------------------------------------------
  float PunktFeld = 0;    ///< field strength at point B [dB(uV/m)], -54..54
  float PunktPegel = 0;   ///< receive level at point B [dBm], -127..-19
  int16 PunktFehler = 0;  ///< 0, or the model fault that left the point without a value
  int16 SmeterWert = 0;   ///< value of the S-meter bar, PunktPegel + 127: 0..108
  std::string GeoAuswertung;   ///< geography caption: five lines
  std::string PegelAnzeige;    ///< level caption: field strength and level, two lines
  std::string WelvaroAnzeige;  ///< forecast caption: availability, month, year
  float CursorHoehe = 0;  ///< last cursor height above the display's bottom edge [twips], 0 until recorded

  // ---- Cursor read-out --------------------------------------------------
  float CursorX = 0;          ///< last cursor x in the picture area [twips] (chart and locator mode)
  std::string FarbText;       ///< colour under the cursor: six hex digits, blue-green-red
  float FarbWert = 0;         ///< colour index 0..108 decoded from FarbText
  std::string LocatorText;    ///< six-character locator under the cursor
  float NahOrt = 0;           ///< number 1..2000 of the place found nearest, 0 before any
  float NahAbstand = 1000000; ///< squared distance of that place [deg^2]; 1000000 = none near the cursor

  // ---- Printed report ---------------------------------------------------
  /// Table of the report [hour 0..24][column 0..6]: row 0 the six memory
  /// frequencies [MHz] in columns 1..6; rows 1..24 the UTC hour in column 0
  /// and the level [dBm], -127..-13, or field strength [dB(uV/m)], -52..52,
  /// at memory 1..6 in columns 1..6.
  Arr<Arr<float, 0, 6>, 0, 24> DruckTabelle;

  // ---- Path geometry ----------------------------------------------------
  double Winkel = 0;       ///< central angle of the short great circle [rad], 0..pi
  double Distanz = 0;      ///< length of the chosen path [km]
  double RichtungAB = 0;   ///< bearing at A towards B [deg]
  double RichtungBA = 0;   ///< bearing at B towards A [deg]
  double HopsE = 0;        ///< hop count of the E mode
  double HopsF = 0;        ///< hop count of the F mode
  double HopsD = 0;        ///< hop count of the absorption estimate
  double HopLaengeE = 0;   ///< E hop length [km]
  double HopLaengeF = 0;   ///< F hop length [km]
  double Schraegweg = 0;   ///< slant path length of the absorption mode [km]
  Arr<double, 0, 35> KpAbstand;  ///< control points as angles from B along the path [rad]
  Arr<double, 0, 35> KpBreite;   ///< control-point latitudes [deg]
  Arr<double, 0, 35> KpLaenge;   ///< control-point longitudes [deg]
  Arr<double, 0, 2> Richtung;    ///< bearings from the bearing routine [deg]
  double DurchgangWinkel = 0;    ///< angle from hop ground point to the 90 km crossing [rad]
  double EinfallD = 0;           ///< angle of incidence at 90 km [rad]
  // Inputs of the bearing routine (radians).
  double BearBreite1 = 0, BearLaenge1 = 0, BearBreite2 = 0, BearLaenge2 = 0, BearWinkel = 0;
  double AzGewicht = 0;      ///< azimuth weight w at the midpoint, 0 east-west .. 1 north-south
  double AzGewichtRest = 0;  ///< 1 - w
  double KorrA = 0, KorrB = 0, KorrC = 0;  ///< azimuth-weighted MUF correction constants

  // ---- Calculation working values ----------------------------------------
  double StundeVon = 1, StundeBis = 24;
  Arr<double, 0, 32> FrqListe;  ///< frequency list [MHz]
  double DeklMonat = 0;         ///< declination of the month [rad]
  double Stunde = 0;            ///< current UTC hour 1..24
  double Kp = 0;                ///< current control-point slot
  double FrqIndex = 0;          ///< current frequency index 1..31
  double GyroMittel = 0;        ///< mean gyro-frequency of the F2 control points [MHz]
  Arr<Arr<double, 0, 3>, 0, 24> MufF2;    ///< F2 MUF per hour and slot [MHz]
  Arr<Arr<double, 0, 3>, 0, 24> MufKorr;  ///< corrected MUF per hour and slot [MHz]
  Arr<double, 0, 24> MufE;  ///< E-layer MUF per hour [MHz]
  Arr<double, 0, 24> Luf;   ///< lowest usable frequency per hour [MHz]
  double FFaktor = 0, EFaktor = 0;  ///< distance factors of the F2 and E hops
  double E0 = 0;            ///< free-space field strength term [dB]
  double Fokus = 0;         ///< antipodal focusing gain [dB]
  double Feldstaerke = 0;   ///< field strength of the current hour and frequency [dB(uV/m)]
  // MUF of one control point.
  double GyroFrq = 0, FoF2 = 0, M3000 = 0, Muf4000 = 0;
  double MagBreite = 0;   ///< geomagnetic latitude [deg]
  /// Geomagnetic latitude per control-point slot with the position it was
  /// computed for: the hourly MUF loop asks 24 times for the same point.
  struct MagMerker {
    double lat = std::numeric_limits<double>::quiet_NaN();
    double lon = std::numeric_limits<double>::quiet_NaN();
    double mag = 0;
  };
  Arr<MagMerker, 0, 35> MagSpeicher;
  double MagBetrag = 0;   ///< its absolute value
  double Ortszeit = 0;    ///< local time [h]
  double OrtsStunde = 0;  ///< local hour 1..24
  double Halbkugel = 1;   ///< 1 northern, 2 southern geomagnetic hemisphere
  double Packwert = 0;    ///< packed table word under decoding
  // MUF correction.
  double KorrX = 0, MufMittag = 0, MufMin = 0, KorrTag = 0;
  // E-layer MUF and LUF.
  Arr<double, 0, 5> MufEKp;
  double SsnFaktor = 0, LufFaktor = 0, LufMin = 0, LufNacht = 0;
  float KnickGenau = 0, KnickSchnitt = 0;
  double KnickStunde = 0;

  // ---- Forecast table ---------------------------------------------------
  std::string TabText;  ///< file image of the table (after parsing: its 100-byte header)
  using WeltArr = Arr<Arr<Arr<Arr<int16, 0, 24>, 0, 30>, 0, 35>, 0, 18>;
  WeltArr Weltfeld;   ///< field strength [dB(uV/m)] [lat 0..18][lon 0..35][MHz 0..30][hour 0..24]
  WeltArr Weltpegel;  ///< receive level [dBm], same layout
  std::string TabMonat;  ///< month of the table (header characters 1-2)
  std::string TabTag;    ///< day of year of the table (header characters 4-6)
  /// 1 when the table file holds the table in memory (this run wrote it, or
  /// read it as today's), else 0; only then does the end write its header. 0..1
  int16 TableSaved = 0;

  // ---- Display ----------------------------------------------------------
  int16 GenZaehler = 0;  ///< tick counter of the display timer tmrGenDarst, 0..3
  int16 PegelFlag = 1;   ///< 1 while mnuPegel is checked (displays show the level [dBm]), 0 for field strength
  std::string BmpKopf1;    ///< 54-byte file header of the world-map picture (541 x 271), built at start-up
  std::string BmpKopf2;    ///< 54-byte file header of the chart picture (529 x 271), built at start-up
  std::string BmpPalette;  ///< 1024-byte colour table of both pictures: 256 x (blue, green, red, 0)
  Arr<Arr<int16, 0, 18>, 0, 35> WeltRaster;  ///< world-map colour indices 0..108 [lon 0..35][lat 0..18]
  Arr<Arr<int16, 0, 30>, 0, 24> OrtsRaster;  ///< chart colour indices 0..108 [hour 0..24][MHz 0..30]

  // ---- Outlook: will the chosen mode get through ------------------------
  // The third display quantity beside level and field strength: the
  // signal-to-noise ratio at the receiving station against what the mode
  // needs, classed by the day-to-day spread of the forecast (outlook/).
  int16 OutlookFlag = 0;        ///< 1 while the displays show the outlook of OutlookMode (PegelFlag then unused by them)
  int16 OutlookMode = 2;        ///< mode the outlook is for: 0 CW, 1 SSB, 2 FT8, 3 FT4, 4 WSPR, 5 custom (CustomSnr)
  double CustomSnr = 20;        ///< required signal-to-noise ratio of the custom mode [dB-Hz], 0..80
  int16 NoiseEnvironment = 1;   ///< noise at the receiving station: 0 city, 1 residential, 2 rural,
                                ///< 3 quiet rural, 4 my noise floor (NoiseFloor)
  double NoiseFloor = -100;     ///< my noise floor: level read in 2500 Hz with the antenna connected [dBm], -174..0
  int16 AvailabilityRun = 0;    ///< 1 while the calculation also keeps the 10, 50 and 90 % values (AvailabilityResults)
  int16 AvailabilityFault = 0;  ///< 0, or the fault code of the first of those values that could not be formed
  /// ErgFeld at the three availabilities: [0..2: 10, 50, 90 %][slice 0..2][hour 0..24][frequency index 0..32],
  /// dB(uV/m), rounded and day-corrected as ErgFeld; slice 0 holds the day-corrected forecast.
  Arr<Arr<Arr<Arr<double, 0, 32>, 0, 24>, 0, 2>, 0, 2> AvailabilityResults;
  /// The world table's file image (kTabLength bytes, header included) at 10, 50 and 90 %, made with
  /// the table and kept in memory only; empty until made.
  Arr<std::string, 0, 2> AvailabilityTables;
  std::string OutlookLine;   ///< the point result's outlook line, "FT8: good, 14 dB to spare"
  std::string BestBandLine;  ///< the band with the best outlook at the time shown, or when the next one opens

  // ---- Files and places -------------------------------------------------
  std::string Pfad;  ///< program directory
  Arr<std::string, 0, 30> DatZeile;  ///< settings-file values, 1..22 used
  std::string Weltkarte;  ///< world-map overlay mask, 147424 bytes
  std::string Ortskarte;  ///< chart overlay mask, 144172 bytes
  Arr<std::string, 0, 2000> OrtKennung;
  Arr<std::string, 0, 2000> OrtName;
  Arr<float, 0, 2000> OrtLaenge;
  Arr<float, 0, 2000> OrtBreite;
  float OrtZahl = 0;
  int16 OrtFlag = 0;
  Arr<Arr<std::string, 0, 17>, 0, 35> OrtRaster;  ///< [lon cell 0..35][lat cell 0..17]
};

}  // namespace welvaro
