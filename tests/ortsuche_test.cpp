// Places by name: the search form of names, completion, exact names, the
// station given by locator or name (place list before gazetteer) and the
// rules the station dialogs bind.
#include <gtest/gtest.h>

#include <memory>

#include "state/ortsuche.h"
#include "input/station.h"

using namespace welvaro;

namespace {

// A small gazetteer, most populous first.
Gazetteer orte() {
  return Gazetteer({
      {{"Munich", "München"}, "DE", 48.13743, 11.57549},
      {{"Saint Petersburg", "Sankt Petersburg"}, "RU", 59.93863, 30.31413},
      {{"Paris"}, "FR", 48.85341, 2.3488},
      {{"Xi'an"}, "CN", 34.25833, 108.92861},
      {{"N'Djamena"}, "TD", 12.10672, 15.0444},
      {{"Sanaa"}, "YE", 15.35472, 44.20667},
      {{"San José"}, "CR", 9.93333, -84.08333},
      {{"Köln", "Cologne"}, "DE", 50.93333, 6.95},
      {{"Washington, D.C."}, "US", 38.89511, -77.03637},
      {{"St. Petersburg"}, "US", 27.77086, -82.67927},
      {{"Springfield"}, "US", 39.80172, -89.64371},
      {{"Springfield"}, "US", 42.10148, -72.58981},
      {{"Paris"}, "US", 33.66094, -95.55551},
      {{"Łódź"}, "PL", 51.75, 19.46667},
  });
}

// The place list as the state holds it: single-precision positions.
Gazetteer ortsliste() {
  auto s = std::make_unique<State>();
  const struct {
    const char *land, *name;
    float breite, laenge;
  } liste[] = {{"JP", "Tokyo", 35.6895f, 139.69171f}, {"FR", "Paris", 48.85341f, 2.3488f}, {"PL", "Lodz", 51.75f, 19.46667f}};
  int g = 0;
  for (const auto& o : liste) {
    ++g;
    s->OrtKennung[g] = o.land;
    s->OrtName[g] = o.name;
    s->OrtBreite[g] = o.breite;
    s->OrtLaenge[g] = o.laenge;
  }
  s->OrtZahl = static_cast<float>(g);
  return ortslistenGazetteer(*s);
}

std::vector<std::string> namen(const std::vector<Treffer>& t) {
  std::vector<std::string> n;
  for (const Treffer& x : t) n.push_back(x.name + "," + x.land);
  return n;
}

}  // namespace

TEST(Suchform, CaseAccentsApostrophesHyphensAndPoints) {
  struct Fall {
    const char* name;
    const char* form;
  } faelle[] = {
      {"MÜNCHEN", "munchen"},          {"N'Djamena", "ndjamena"},
      {"Xi’an", "xian"},               {"Saint-Étienne", "saint etienne"}, {"  St. Petersburg ", "st petersburg"},
      {"Washington, D.C.", "washington dc"}, {"Łódź", "lodz"},         {"İstanbul", "istanbul"},
      {"Straße", "strasse"},           {"Ḩalab", "halab"},            {"Bra\u0301sil", "brasil"},
      {"Hồ Chí Minh", "ho chi minh"}, {"Москва", "Москва"},
      {"a\xff" "b", "a\xEF\xBF\xBD" "b"}, {"--", ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(suchform(f.name), f.form);
    EXPECT_EQ(suchform(suchform(f.name)), f.form);
  }
  EXPECT_EQ(suchform("München", true), "muenchen");
  EXPECT_EQ(suchform("Köln Süd Bär", true), "koeln sued baer");
}

TEST(Gazetteer, CompletionAsOneTypes) {
  const Gazetteer g = orte();
  struct Fall {
    const char* getippt;
    std::vector<std::string> treffer;
  } faelle[] = {
      {"Munch", {"München,DE"}},                 // the other name of Munich
      {"Muenchen", {"München,DE"}},              // umlaut written with e
      {"Mun", {"Munich,DE"}},                    // each place once, its own name first
      {"koln", {"Köln,DE"}},
      {"sankt-p", {"Sankt Petersburg,RU"}},
      {"peters", {"Saint Petersburg,RU", "St. Petersburg,US"}},  // later words, by rank
      {"Ndjamena", {"N'Djamena,TD"}},
      {"djam", {"N'Djamena,TD"}},                // a word begins after the apostrophe
      {"xian", {"Xi'an,CN"}},
      {"san", {"Sankt Petersburg,RU", "Sanaa,YE", "San José,CR"}},
      {"san ", {"San José,CR"}},                 // a blank asks for the end of a word
      {"washington dc", {"Washington, D.C.,US"}},
      {"paris", {"Paris,FR", "Paris,US"}},
      {"s", {"Saint Petersburg,RU", "Sanaa,YE", "San José,CR", "St. Petersburg,US", "Springfield,US",
             "Springfield,US"}},
      {" - ", {}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.getippt);
    EXPECT_EQ(namen(g.suche(f.getippt, 10)), f.treffer);
  }
  EXPECT_EQ(namen(g.suche("s", 2)), (std::vector<std::string>{"Saint Petersburg,RU", "Sanaa,YE"}));
  EXPECT_EQ(namen(g.suche("paris", 10, "us")), (std::vector<std::string>{"Paris,US"}));
  EXPECT_EQ(namen(g.genau("cologne")), (std::vector<std::string>{"Cologne,DE"}));
  EXPECT_TRUE(g.genau("Petersburg").empty());  // a later word is no name
  const auto t = g.suche("paris", 10);
  EXPECT_EQ(t[0].art, Treffer::Art::Genau);
  EXPECT_EQ(t[0].ort, 2u);
  EXPECT_EQ(trefferText(t[1]), "Paris, US (33.66094, -95.55551)");
}

TEST(Station, LocatorOrNamePlaceListFirst) {
  using A = StationsOrt::Art;
  const Gazetteer liste = ortsliste(), g = orte();
  struct Fall {
    const char* text;
    A art;
    double breite, laenge;
    const char* name;
  } faelle[] = {
      {"Tokyo", A::Gefunden, 35.6895, 139.69171, "Tokyo"},        // the place list's number
      {"Paris", A::Gefunden, 48.85341, 2.3488, "Paris"},          // one Paris in the place list
      {"Paris, US", A::Gefunden, 33.66094, -95.55551, "Paris"},   // a country code narrows it
      {"Lodz", A::Gefunden, 51.75, 19.46667, "Lodz"},             // as the place list spells it
      {"munchen", A::Gefunden, 48.13743, 11.57549, "München"},     // from the gazetteer
      {"Sankt Petersburg", A::Gefunden, 59.93863, 30.31413, "Sankt Petersburg"},
      {"N'Djamena", A::Gefunden, 12.10672, 15.0444, "N'Djamena"},
      {"Ndjam", A::Gefunden, 12.10672, 15.0444, "N'Djamena"},     // the only place beginning so
      {" jn58td ", A::Gefunden, 48.0 + 3.5 / 24, 11.625, ""},
      {"JN58TZZ", A::KeinLocator, 0, 0, ""},
      {"Springfield", A::Mehrdeutig, 0, 0, ""},
      {"peters", A::Mehrdeutig, 0, 0, ""},
      {"Paris, DE", A::Unbekannt, 0, 0, ""},
      {"Xyzzy", A::Unbekannt, 0, 0, ""},
      {"", A::Unbekannt, 0, 0, ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    const StationsOrt r = resolveStation(f.text, liste, g);
    EXPECT_EQ(r.art, f.art) << r.meldung;
    EXPECT_EQ(r.name, f.name);
    if (f.art == A::Gefunden) {
      EXPECT_NEAR(r.breite, f.breite, 1e-12);
      EXPECT_NEAR(r.laenge, f.laenge, 1e-12);
    }
    EXPECT_EQ(r.meldung.empty(), f.art == A::Gefunden);
  }
  // Exactly the place list's single, taken as the decimal the file holds.
  EXPECT_EQ(resolveStation("Tokyo", liste, g).breite, 35.6895);
  EXPECT_EQ(static_cast<float>(resolveStation("Tokyo", liste, g).laenge), 139.69171f);
  // Without the gazetteer the place list alone is searched.
  EXPECT_EQ(resolveStation("Tok", liste, Gazetteer()).name, "Tokyo");
  EXPECT_EQ(resolveStation("munchen", liste, Gazetteer()).art, A::Unbekannt);
  // Only whole names when a unique beginning is not enough.
  EXPECT_EQ(resolveStation("Ndjam", liste, g, false).art, A::Unbekannt);
}

TEST(Station, MessagesListTheCandidates) {
  const Gazetteer liste = ortsliste(), g = orte();
  StationsOrt r = resolveStation("Springfield", liste, g);
  EXPECT_EQ(r.kandidatenZahl, 2u);
  EXPECT_EQ(stationsMeldung(r),
            "'Springfield' fits 2 places; name one as NAME, CC or give LAT,LON:\n"
            "  Springfield, US (39.80172, -89.64371)\n"
            "  Springfield, US (42.10148, -72.58981)");
  EXPECT_EQ(stationsMeldung(resolveStation("Xyzzy", liste, g)),
            "no place is named 'Xyzzy' (give LAT,LON, a Maidenhead locator or a place name)");
  EXPECT_EQ(stationsMeldung(resolveStation("Paris, DE", liste, g)).substr(0, 33), "no place is named 'Paris' in DE (");

}

TEST(StationDialog, PositionBoxesTakeALocator) {
  EXPECT_TRUE(zeichenErlaubtMitLocator(Feld::Breite, 'J') && zeichenErlaubtMitLocator(Feld::Laenge, 'x'));
  EXPECT_FALSE(zeichenErlaubtMitLocator(Feld::Breite, 'Y') || zeichenErlaubtMitLocator(Feld::Gewinn, 'J'));
  const PositionsFeld p = lesePositionsfeld(Feld::Breite, "jn58td");
  EXPECT_EQ(p.art, PositionsFeld::Art::Locator);
  EXPECT_EQ(p.breiteText + p.laengeText, " 48.1458333333333 11.625");
  EXPECT_NE(lesePositionsfeld(Feld::Laenge, "JN58TZZ").meldung.find("'JN58TZZ' is no Maidenhead"), std::string::npos);
  EXPECT_EQ(lesePositionsfeld(Feld::Breite, "91").art, PositionsFeld::Art::Falsch);
  EXPECT_EQ(lesePositionsfeld(Feld::Laenge, "-179.5").wert, -179.5);

  EXPECT_EQ(locatorZuFeldern(" 48.1", " 11.5"), "JN58SC");
  EXPECT_EQ(locatorZuFeldern("48,1", "11,5"), "JN58SC");  // decimal comma as in every box
  EXPECT_EQ(locatorZuFeldern("JN58", ""), "JN58MM");
  EXPECT_EQ(locatorZuFeldern("48.1", "io91wm"), "IO91WM");
  EXPECT_EQ(locatorZuFeldern("48.1", "181"), "");
}

TEST(StationDialog, CompletionAndTheNameOnOk) {
  using A = NameBeimOk::Art;
  const Gazetteer liste = ortsliste(), g = orte();
  const auto v = ortsVorschlaege("Munch", liste, g);
  ASSERT_EQ(v.size(), 1u);
  const OrtsFelder f = ortsFelder(v[0]);
  EXPECT_EQ(f.name + f.breite + f.laenge, "München 48.13743 11.57549");

  // A new name with the coordinates left as they were: the place's position.
  NameBeimOk n = nameBeimOk("tokyo", "München", true, liste, g);
  EXPECT_EQ(n.art, A::Position);
  EXPECT_EQ(n.felder.name + n.felder.breite + n.felder.laenge, "Tokyo 35.6895 139.69171");
  EXPECT_EQ(nameBeimOk("JN58td", "München", true, liste, g).felder.laenge, " 11.625");
  EXPECT_EQ(nameBeimOk("Tokyo", "München", false, liste, g).art, A::Nichts);  // coordinates typed
  EXPECT_EQ(nameBeimOk(" Tokyo", "Tokyo ", true, liste, g).art, A::Nichts);   // name unchanged
  EXPECT_EQ(nameBeimOk("Home", "München", true, liste, g).art, A::Nichts);    // only a label
  EXPECT_EQ(nameBeimOk("Ndjam", "München", true, liste, g).art, A::Nichts);   // no whole name
  EXPECT_EQ(nameBeimOk("Springfield", "München", true, liste, g).kandidaten.size(), 2u);
  EXPECT_EQ(nameBeimOk("JN5", "München", true, liste, g).art, A::KeinLocator);
}
