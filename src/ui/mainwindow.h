// The main window: the picture area with its scales, the tool bar, the text
// panel with the point result and the S-meter, the frequency box with its
// memories, and the menus. It owns the program state and binds it to the
// controls: every computation and every decision of what is shown is a call
// into the core (display/anzeige.h decides the controls' state), and the
// window applies what comes back.
//
// Controls carry the system's names as object names; tests find them by
// those names. Timer events are private slots, reachable by name.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <memory>

class QHBoxLayout;
class QVBoxLayout;

#include "display/window_state.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "files/programdir.h"
#include "state/datetime.h"
#include "state/state.h"
#include "ui/user_dialogs.h"

namespace welvaro {
struct PlaceIndex;
}

namespace welvaro::ui {

class BandPanel;
class HeardBinder;
class PictureView;
class TimeBar;
class InputDialog;
class FrequencyBox;
class HelpViewer;
class MessageBar;
class Menus;
class OutlookControls;
class StationADialog;
class StationBDialog;
class ConditionsDialog;
class TimeZoneDialog;
class SolarData;
class WelcomeDialog;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `clock` gives the local date and time; `dirs` where the program keeps
  // and finds its files. Both outlive the window.
  MainWindow(const Clock& clock, ProgramDirs dirs, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence; the program entry runs it behind the start window.
  void start();

  State& state() { return *s_; }
  const ProgramDirs& dirs() const { return dirs_; }

  // ---- Procedures of the window ----------------------------------------
  void prgLandessprache();
  void prgGenDarst();
  void prgDarstellung1();
  void prgDarstellung2();
  void prgPointErgebnisZeigen();  // point result into the labels
  void prgEnde();                 // exit question; OK saves and ends
  // The session ends the program (SIGTERM, logout): save without asking
  // and close. A failed save is written to the error output.
  void endSession();
  // The display server is gone (the process is exiting): save without any
  // window, unless the program has ended in order already.
  void saveWithoutWindow();
  // The printed report of the link A-B to the default printer; without a
  // printer the print dialog, and without any printer an offer to save the
  // page as a PDF file (defined in drucken.cpp).
  void prgDrucken();
  // Mouse over the picture area at p (logical pixels of picDarstellung):
  // the read-out labels. Returns whether a picture lies under it.
  bool prgCursorBewegt(QPointF p);
  // Click into the picture area: new point B (world map) or display
  // frequency (chart), after the read-out of the click position.
  void prgKlickDarstellung(QPointF p);
  // The world map's projection: rectangular or azimuthal around station A.
  void chooseProjection(bool azimuthal);
  // Memory button n (1..6): recall, or store while store mode is on.
  void prgSpeicherTaste(int n);
  // The four input dialogs, created at their first use.
  StationADialog* stationADialog();
  StationBDialog* stationBDialog();
  ConditionsDialog* conditionsDialog();
  TimeZoneDialog* timeZoneDialog();
  // The welcome (the user's own station) after a first start without a
  // settings file; the program entry calls it once the window is shown.
  void offerWelcome();

  // Who answers the window's questions and file choices: the user through
  // dialogs unless another is given (the tests give a scripted one).
  void setUserDialogs(std::unique_ptr<UserDialogs> d) { dialogs_ = std::move(d); }
  UserDialogs& userDialogs() { return *dialogs_; }
  bool ended() const { return ended_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private slots:
  // Timer events.
  void tickAktZeit();
  void tickTagesaktualisieren();
  void tickMonat();
  void tickNeueDaten();
  void tickSetzePunkt();
  void tickSofort();
  void tickAnpassen();
  void tickGenDarst();
  void tickSpeicher();

 private:
  void buildWindow();
  void buildToolBar(QVBoxLayout* mainLayout);
  void buildPanel(QHBoxLayout* centre);
  void connectMenus();
  void connectTimers();
  void connectInputs();

  // Applies what the core decides the controls show.
  void present();
  // Carries out what a choice sets going.
  void follow(const FollowUp& f);
  void switchDisplay(int mode);
  // The time or frequency shown changed within the data in memory: the
  // pictures and the point result follow without a new forecast.
  void showDataInMemory();
  void showWait(bool an);
  void showBands();
  void savePicture();
  void copyPicture();
  void applyWindowPrefs();
  void saveWindowPrefs();
  // Red while the forecast is for another month than the current one.
  void setMonthColours(bool foreign);
  void frequencyConfirmed();
  void afterDialog();
  void showAbout();
  void showHelp();
  void setQtLanguage();
  void notify(const QString& text);  // a problem into the message bar, in the user's language

  // One way to connect an input dialog: a passing OK that changed values
  // (or closing it after a failing OK that wrote some) shows the wait
  // picture and starts the regeneration the core names for `kind`.
  template <class D, class... More>
  D* dialog(D*& d, InputDialogKind kind, More... more);
  // The place list and the gazetteer for the station dialogs, read at the
  // first use (the gazetteer takes a moment, start-up does not wait for it).
  const PlaceIndex& placeIndex();

  const Clock& clock_;
  ProgramDirs dirs_;
  std::unique_ptr<State> s_;
  std::unique_ptr<UserDialogs> dialogs_ = std::make_unique<UserDialogs>();

  // Controls, named as the system names them.
  PictureView* picDarstellung = nullptr;
  QLabel* imgWarten = nullptr;
  QLabel* lblAnzeige = nullptr;
  QLabel* lblZeitanzeige = nullptr;
  QLabel* lblFunkverbindung = nullptr;
  QLabel* lblGeoAuswertung = nullptr;
  QLabel* lblStationsLocator = nullptr;
  QLabel* lblSunTimes = nullptr;  ///< sunrise and sunset at A and B (UTC)
  QLabel* lblSonnenflecken = nullptr;  ///< the sunspot number and where it came from
  QLabel* lblPegelAnzeige = nullptr;
  QLabel* lblWelvaroAnzeige = nullptr;
  QProgressBar* pobSmeter = nullptr;
  QLabel* lblOrtB = nullptr;
  QLabel* lblFrequenz = nullptr;
  QLabel* lblLocator = nullptr;
  QLabel* lblPegel = nullptr;
  QLabel* lblPeilung = nullptr;  // bearing and distance from station A under the cursor
  QToolButton *cmdWelt = nullptr, *cmdOrt = nullptr, *cmdGreyline = nullptr, *cmdWelvarozeit = nullptr,
              *cmdDrucker = nullptr, *cmdSonnenflecken = nullptr, *cmdEnde = nullptr, *cmdAzimutal = nullptr;
  QFrame* frmMonat = nullptr;
  QComboBox* cmbMonat = nullptr;
  MessageBar* frmMeldungen = nullptr;
  FrequencyBox* frequencyBox_ = nullptr;
  TimeBar* timeBar_ = nullptr;  // the time shown, play
  BandPanel* bandPanel_ = nullptr;      // the link in the ten bands
  HeardBinder* heard_ = nullptr;        // what the receiver heard: dots, rows, status, settings
  Menus* menus_ = nullptr;
  OutlookControls* outlook_ = nullptr;  // the outlook of a mode: quantity, mode list, point line
  StationADialog* frmForm_StationA = nullptr;
  StationBDialog* frmForm_StationB = nullptr;
  ConditionsDialog* frmForm_Rest = nullptr;
  TimeZoneDialog* frmForm_UTC = nullptr;
  SolarData* solar_ = nullptr;  // the update of the solar data
  WelcomeDialog* frmWelcome = nullptr;
  bool welcomeDue_ = false;  // no settings file at the start

  QTimer tmrAktZeit, tmrTagesaktualisieren, tmrMonat, tmrNeueDaten, tmrSetzePunkt, tmrSofort, tmrSpeicher,
      tmrAnpassen, tmrGenDarst;

  std::unique_ptr<PlaceIndex> places_;
  MapLines lines_;  // coastlines and borders of the scaled pictures
  LandAreas land_;       // land and sea under the scaled world map
  QPointer<HelpViewer> help_;
  QTranslator qtTranslator_;  // Qt's own buttons and dialogs in the program's language
  bool ended_ = false;
  bool sessionEnding_ = false;
};

}  // namespace welvaro::ui
