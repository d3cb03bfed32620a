// The main window: the picture area with its scales, the tool bar, the text
// panel with the point result and the S-meter, the frequency box with its
// memories, and the menus. It owns the program state; every computation is
// a call into the core, and the window shows what the core left in the
// state.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <array>
#include <memory>

#include "files/programdir.h"
#include "state/datetime.h"
#include "state/state.h"
#include "ui/picturearea.h"

namespace welvaro::ui {

class Bildrahmen;
class HelpViewer;
class MeldungsLeiste;
class StationADialog;
class StationBDialog;
class BedingungenDialog;
class ZeitzoneDialog;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `clock` gives the local date and time; `dirs` where the program keeps
  // and finds its files. Both outlive the window.
  MainWindow(const Clock& clock, ProgramDirs dirs, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up sequence; the program entry runs it behind the start window.
  void starten();

  State& state() { return *s_; }
  const ProgramDirs& dirs() const { return dirs_; }

  // ---- Procedures of the window ----------------------------------------
  void prgLandessprache();
  void prgGenDarst();
  void prgAnpassen();
  void prgDarstellung1();
  void prgDarstellung2();
  void prgGreyline();
  void prgPointErgebnisZeigen();  // point result into the labels
  void prgEnde();                 // exit question; OK saves and ends
  // The session ends the program (SIGTERM, logout): save without asking
  // and close. A failed save is written to the error output.
  void sitzungsEnde();
  // The display server is gone (the process is exiting): save without any
  // window, unless the program has ended in order already.
  void speichernOhneFenster();

  // Test hook: answer for the exit question instead of asking the user.
  enum class Antwort { Fragen, Ok, Abbrechen };
  Antwort testAntwort = Antwort::Fragen;
  // What the last question after a failed save at the close box said.
  QString letzteSchliessFrage;
  bool beendet() const { return beendet_; }

  // The printed report of the link A-B to the default printer; without a
  // printer the print dialog, and without any printer an offer to save the
  // page as a PDF file (defined in drucken.cpp).
  void prgDrucken();
  // Test hooks of the report: act as if no printer were set up, and save
  // the page to this file instead of asking (no dialog or message box).
  bool testKeinDrucker = false;
  QString testPdfDatei;
  QString letzteDruckMeldung;  // what the last print told the user

  // ---- Cursor read-out, frequency box, memories and input dialogs ------
  // Mouse over the picture area at (x, y) twips: the read-out labels.
  void prgCursorBewegt(double x, double y);
  // Click into the picture area: new point B (world map) or display
  // frequency (chart), after the read-out of the click position.
  void prgKlickDarstellung(double x, double y);
  // Memory button n (1..6): recall, or store while store mode is on.
  void prgSpeicherTaste(int n);
  // The four input dialogs, created at their first use.
  StationADialog* dialogStationA();
  StationBDialog* dialogStationB();
  BedingungenDialog* dialogBedingungen();
  ZeitzoneDialog* dialogZeitzone();
  // Test hook: the text of the last warning about an unconfirmed frequency
  // (with testAntwort set the box is not shown).
  QString letzteWarnung;
  void tickSpeicher();
  void tickBlinker();

  // Timer events (public so that tests can run a tick at a set clock).
  void tickAktZeit();
  void tickTagesaktualisieren();
  void tickMonat();
  void tickNeueDaten();
  void tickSetzePunkt();
  void tickSofort();
  void tickAnpassen();
  void tickGenDarst();

  // ---- Controls, named as the system names them ------------------------
  PictureArea* picDarstellung = nullptr;
  QLabel* imgWarten = nullptr;
  Bildrahmen* frmBild = nullptr;  // the picture area with its scales and colour bar
  QLabel* lblAnzeige = nullptr;
  QLabel* lblZeitanzeige = nullptr;
  QLabel* lblWerkzeugleiste = nullptr;
  QLabel* lblGeoAuswertung = nullptr;
  QLabel* lblPegelAnzeige = nullptr;
  QLabel* lblWelvaroAnzeige = nullptr;
  QProgressBar* pobSmeter = nullptr;
  QLabel* lblOrtB = nullptr;
  QLabel* lblFrequenz = nullptr;
  QLabel* lblLocator = nullptr;
  QLabel* lblPegel = nullptr;
  QLabel* lblFrequenzEingabe = nullptr;
  QLabel* lblFunkverbindung = nullptr;
  QLineEdit* txtAktFrequenz = nullptr;
  std::array<QPushButton*, 6> cmdSpeicher{};
  QPushButton* cmdSpeichern = nullptr;
  QLabel* shpSignal = nullptr;
  QToolButton* cmdWelt = nullptr;
  QToolButton* cmdOrt = nullptr;
  QToolButton* cmdGreyline = nullptr;
  QToolButton* cmdWelvarozeit = nullptr;
  QToolButton* cmdDrucker = nullptr;
  QToolButton* cmdSonnenflecken = nullptr;
  QToolButton* cmdEnde = nullptr;
  QFrame* frmMonat = nullptr;
  QComboBox* cmbMonat = nullptr;
  MeldungsLeiste* frmMeldungen = nullptr;  // file problems until the user dismisses them

  QMenu* mnuDatei = nullptr;
  QMenu* mnuVorgaben = nullptr;
  QMenu* mnuAnzeige = nullptr;
  QMenu* mnuExtras = nullptr;
  QMenu* mnuHilfe = nullptr;
  QMenu* mnuOrtsEingabe = nullptr;
  QMenu* mnuPositionsAnzeige = nullptr;
  QAction* mnuAbst = nullptr;
  QAction* mnuDrucker = nullptr;
  QAction* mnuEnde = nullptr;
  QAction* mnuStationA = nullptr;
  QAction* mnuStationB = nullptr;
  QAction* mnuSendeweg = nullptr;
  QAction* mnuWahrscheinlichkeit = nullptr;
  QAction* mnuUTCZeitkorrektur = nullptr;
  QAction* mnuSonnenfleckenzahl = nullptr;
  QAction* mnuDarstellung1 = nullptr;
  QAction* mnuDarstellung2 = nullptr;
  QAction* mnuPegel = nullptr;
  QAction* mnuFeldstaerke = nullptr;
  std::array<QAction*, 6> mnuBeschriftung{};
  QAction* mnuInfoEinblendung = nullptr;
  QAction* mnuDum4 = nullptr;
  QAction* mnuOrtsEingabeAction = nullptr;
  QAction* mnuPositionsAnzeigeAction = nullptr;
  QAction* mnuCursorposition = nullptr;
  QAction* mnuNaechsteStadt = nullptr;
  QAction* mnuGrad = nullptr;
  QAction* mnuLocator = nullptr;
  QAction* mnuInfo = nullptr;
  QAction* mnuWelvaroHilfe = nullptr;

  QTimer tmrAktZeit, tmrTagesaktualisieren, tmrMonat, tmrNeueDaten, tmrSetzePunkt, tmrSofort, tmrSpeicher,
      tmrAnpassen, tmrGenDarst, tmrBlinker;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void schalteDarstellung(int modus);
  void baueFenster();
  void baueMenues();
  void verbindeTimer();
  void zeigeWarten(bool an);
  void ladeBild(const std::string& datei);
  void setzeSkalen();
  void setzeMonatsFarben();
  void zeigeFrequenzText();
  void verbindeEingaben();
  void frequenzEnter();
  void speichernTaste();
  void nachDialog();

  StationADialog* frmForm_StationA = nullptr;
  StationBDialog* frmForm_StationB = nullptr;
  BedingungenDialog* frmForm_Rest = nullptr;
  ZeitzoneDialog* frmForm_UTC = nullptr;
  bool frequenzRot_ = false;  // the frequency box holds an entry not confirmed with Enter

  void waehleSprache(int n);
  void waehlePegel(bool pegel);
  void schalteInfo();
  void schalteGreyline();
  void schalteWelvarozeit();
  void zeigeInfo();
  void zeigeHilfe();
  void setzeQtSprache();
  // Shows a problem in the message bar, in the user's language.
  void melde(const QString& text);

  const Clock& clock_;
  ProgramDirs dirs_;
  std::unique_ptr<State> s_;
  QPointer<HelpViewer> hilfe_;
  QTranslator qtTexte_;  // Qt's own buttons and dialogs in the program's language
  bool beendet_ = false;
  bool sitzungsEnde_ = false;
};

}  // namespace welvaro::ui
