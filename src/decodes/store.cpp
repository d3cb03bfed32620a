#include "decodes/store.h"

#include <sqlite3.h>

#include <cmath>
#include <ctime>
#include <system_error>

#include "display/projection.h"
#include "lang/sprachtext.h"
#include "state/locator.h"

namespace welvaro {

namespace {

// Version of the store's layout (PRAGMA user_version).
constexpr int kLayout = 1;

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS decodes(
  utc_ms INTEGER NOT NULL,
  slot INTEGER NOT NULL,
  band INTEGER NOT NULL,
  mode TEXT NOT NULL,
  snr INTEGER NOT NULL,
  call TEXT NOT NULL,
  grid TEXT NOT NULL,
  grid_source INTEGER NOT NULL,
  lat REAL, lon REAL, distance_km REAL, bearing REAL,
  rx_lat REAL NOT NULL, rx_lon REAL NOT NULL,
  dial_hz INTEGER NOT NULL,
  audio_hz INTEGER NOT NULL,
  message TEXT NOT NULL,
  source INTEGER NOT NULL,
  detail TEXT NOT NULL,
  UNIQUE(slot, band, mode, call, snr, detail));
CREATE INDEX IF NOT EXISTS decodes_by_time ON decodes(utc_ms);
CREATE TABLE IF NOT EXISTS call_grids(
  call TEXT PRIMARY KEY, grid TEXT NOT NULL, utc_ms INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS log_files(
  path TEXT PRIMARY KEY, device INTEGER NOT NULL, inode INTEGER NOT NULL, offset INTEGER NOT NULL,
  head_length INTEGER NOT NULL, head_hash INTEGER NOT NULL) WITHOUT ROWID;
)";

std::string stamp() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char b[32];
  std::strftime(b, sizeof b, "%Y%m%d-%H%M%S", &tm);
  return b;
}

void bindText(sqlite3_stmt* st, int i, std::string_view t) {
  sqlite3_bind_text(st, i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt* st, int i) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
  return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st, i))) : std::string();
}

}  // namespace

std::string dedupeDetail(const Decode& d) {
  if (d.mode == "WSPR" || d.mode == "FST4W") return {};
  return std::to_string(d.audioHz) + " " + d.message;
}

std::int64_t periodSlot(const Decode& d) {
  const std::int64_t p = periodMs(d.mode);
  const std::int64_t t = d.utcMs + p / 2;
  return t >= 0 ? t / p : -((-t + p - 1) / p);
}

DecodeStore::~DecodeStore() { close(); }

void DecodeStore::finalizeAll() {
  for (sqlite3_stmt** s : {&insert_, &gridOf_, &setGrid_, &setPosition_}) {
    sqlite3_finalize(*s);
    *s = nullptr;
  }
}

void DecodeStore::close() {
  finalizeAll();
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool DecodeStore::damaged(int rc) const {
  rc &= 0xff;
  return rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB;
}

bool DecodeStore::exec(const char* sql) {
  char* msg = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    error_ = file_.string() + ": " + (msg ? msg : sqlite3_errstr(rc));
    sqlite3_free(msg);
    if (damaged(rc)) error_ += " [damaged]";
    return false;
  }
  return true;
}

bool DecodeStore::prepareAll() {
  const auto prep = [&](const char* sql, sqlite3_stmt** st) {
    const int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, st, nullptr);
    if (rc != SQLITE_OK) error_ = file_.string() + ": " + sqlite3_errmsg(db_);
    return rc == SQLITE_OK;
  };
  return prep("INSERT OR IGNORE INTO decodes(utc_ms, slot, band, mode, snr, call, grid, grid_source, lat, lon, "
              "distance_km, bearing, rx_lat, rx_lon, dial_hz, audio_hz, message, source, detail) "
              "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
              &insert_) &&
         prep("SELECT grid FROM call_grids WHERE call = ?", &gridOf_) &&
         prep("INSERT INTO call_grids(call, grid, utc_ms) VALUES(?,?,?) ON CONFLICT(call) DO UPDATE SET "
              "grid = excluded.grid, utc_ms = excluded.utc_ms WHERE excluded.utc_ms >= call_grids.utc_ms",
              &setGrid_) &&
         prep("INSERT OR REPLACE INTO log_files(path, device, inode, offset, head_length, head_hash) "
              "VALUES(?,?,?,?,?,?)",
              &setPosition_);
}

std::string DecodeStore::makeSchema() {
  // A busy reader or writer elsewhere is waited for, up to 5 s.
  sqlite3_busy_timeout(db_, 5000);
  // The first read of the file: a file that is no database, or a damaged
  // first page, shows here.
  if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=NORMAL") ||
      !exec("SELECT count(*) FROM sqlite_master"))
    return error_;
  if (!exec(kSchema)) return error_;
  if (!exec(("PRAGMA user_version=" + std::to_string(kLayout)).c_str())) return error_;
  if (!prepareAll()) return error_;
  return {};
}

std::string DecodeStore::open(const std::filesystem::path& file) {
  close();
  file_ = file;
  error_.clear();
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
      error_ = file.string() + ": " + (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
      const bool bad = damaged(rc);
      close();
      if (bad && attempt == 0 && setAsideAndRenew()) continue;
      return error_;
    }
    if (makeSchema().empty()) return {};
    const bool bad = error_.find("[damaged]") != std::string::npos;
    close();
    if (!bad || attempt > 0) return error_;
    if (!setAsideAndRenew()) return error_;
  }
  return error_;
}

bool DecodeStore::setAsideAndRenew() {
  // Called with the connection closed: the damaged file and its log files
  // are renamed, the next open starts a new store.
  close();
  const std::string aside = file_.string() + ".damaged-" + stamp();
  std::error_code ec;
  std::filesystem::rename(file_, aside, ec);
  if (ec) {
    error_ = file_.string() + ": damaged, and it cannot be set aside: " + ec.message();
    return false;
  }
  for (const char* ext : {"-wal", "-shm"}) {
    std::error_code e2;
    if (std::filesystem::exists(file_.string() + ext, e2))
      std::filesystem::rename(file_.string() + ext, aside + ext, e2);
  }
  setAside_ = Message{kTxHeardStoreSetAside, file_.string(), aside, -1};
  return true;
}

std::optional<Message> DecodeStore::takeSetAside() {
  std::optional<Message> m;
  m.swap(setAside_);
  return m;
}

bool DecodeStore::add(const std::vector<Decode>& decodes, const std::vector<LogPosition>& positions,
                      AddCounts* counts) {
  if (!db_) {
    error_ = file_.string() + ": the store is not open";
    return false;
  }
  AddCounts c;
  if (!exec("BEGIN IMMEDIATE")) {
    if (error_.find("[damaged]") != std::string::npos && setAsideAndRenew()) open(file_);
    return false;
  }
  int rc = SQLITE_OK;
  const auto step = [&](sqlite3_stmt* st) {
    const int r = sqlite3_step(st);
    if (r != SQLITE_DONE && r != SQLITE_ROW) rc = r;
    return r;
  };
  for (const Decode& d : decodes) {
    if (d.band < 0) {
      ++c.outsideBands;
      continue;
    }
    GridSource gs = GridSource::None;
    std::string grid = d.call.empty() ? std::string() : d.grid;
    if (d.call.empty()) {
      // No station: nothing to remember or look up.
    } else if (!grid.empty()) {
      gs = GridSource::Message;
      sqlite3_reset(setGrid_);
      bindText(setGrid_, 1, d.call);
      bindText(setGrid_, 2, grid);
      sqlite3_bind_int64(setGrid_, 3, d.utcMs);
      step(setGrid_);
    } else {
      sqlite3_reset(gridOf_);
      bindText(gridOf_, 1, d.call);
      if (step(gridOf_) == SQLITE_ROW) {
        grid = columnText(gridOf_, 0);
        gs = grid.empty() ? GridSource::None : GridSource::Earlier;
      }
      sqlite3_reset(gridOf_);
    }
    sqlite3_stmt* st = insert_;
    sqlite3_reset(st);
    sqlite3_bind_int64(st, 1, d.utcMs);
    sqlite3_bind_int64(st, 2, periodSlot(d));
    sqlite3_bind_int(st, 3, d.band);
    bindText(st, 4, d.mode);
    sqlite3_bind_int(st, 5, d.snr);
    bindText(st, 6, d.call);
    bindText(st, 7, grid);
    sqlite3_bind_int(st, 8, static_cast<int>(gs));
    const LocatorReading loc = grid.empty() ? LocatorReading{} : readLocator(grid);
    if (loc.ok()) {
      const GeoPoint rx{d.rxLat, d.rxLon}, station{loc.lat, loc.lon};
      sqlite3_bind_double(st, 9, loc.lat);
      sqlite3_bind_double(st, 10, loc.lon);
      sqlite3_bind_double(st, 11, distanceKm(rx, station));
      sqlite3_bind_double(st, 12, bearing(rx, station));
    } else {
      for (int i = 9; i <= 12; ++i) sqlite3_bind_null(st, i);
    }
    sqlite3_bind_double(st, 13, d.rxLat);
    sqlite3_bind_double(st, 14, d.rxLon);
    sqlite3_bind_int64(st, 15, d.dialHz);
    sqlite3_bind_int(st, 16, d.audioHz);
    bindText(st, 17, d.message);
    sqlite3_bind_int(st, 18, static_cast<int>(d.source));
    bindText(st, 19, dedupeDetail(d));
    step(st);
    if (sqlite3_changes(db_) > 0)
      ++c.added;
    else
      ++c.duplicates;
    if (rc != SQLITE_OK) break;
  }
  for (const LogPosition& p : positions) {
    if (rc != SQLITE_OK) break;
    sqlite3_stmt* st = setPosition_;
    sqlite3_reset(st);
    bindText(st, 1, p.path);
    sqlite3_bind_int64(st, 2, static_cast<sqlite3_int64>(p.device));
    sqlite3_bind_int64(st, 3, static_cast<sqlite3_int64>(p.inode));
    sqlite3_bind_int64(st, 4, static_cast<sqlite3_int64>(p.offset));
    sqlite3_bind_int64(st, 5, p.headLength);
    sqlite3_bind_int64(st, 6, static_cast<sqlite3_int64>(p.headHash));
    step(st);
  }
  for (sqlite3_stmt* s : {insert_, gridOf_, setGrid_, setPosition_}) sqlite3_reset(s);
  if (rc != SQLITE_OK) {
    error_ = file_.string() + ": " + sqlite3_errstr(rc);
    exec("ROLLBACK");
    if (damaged(rc) && setAsideAndRenew()) open(file_);
    return false;
  }
  if (!exec("COMMIT")) {
    const bool bad = error_.find("[damaged]") != std::string::npos;
    exec("ROLLBACK");
    if (bad && setAsideAndRenew()) open(file_);
    return false;
  }
  if (counts) *counts = c;
  return true;
}

std::optional<LogPosition> DecodeStore::logPosition(const std::string& path) {
  if (!db_) return std::nullopt;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_,
                         "SELECT device, inode, offset, head_length, head_hash FROM log_files WHERE path = ?", -1,
                         &st, nullptr) != SQLITE_OK)
    return std::nullopt;
  bindText(st, 1, path);
  std::optional<LogPosition> p;
  if (sqlite3_step(st) == SQLITE_ROW) {
    p = LogPosition{path,
                    static_cast<std::uint64_t>(sqlite3_column_int64(st, 0)),
                    static_cast<std::uint64_t>(sqlite3_column_int64(st, 1)),
                    static_cast<std::uint64_t>(sqlite3_column_int64(st, 2)),
                    static_cast<std::uint32_t>(sqlite3_column_int64(st, 3)),
                    static_cast<std::uint64_t>(sqlite3_column_int64(st, 4))};
  }
  sqlite3_finalize(st);
  return p;
}

std::int64_t DecodeStore::dropOlderThan(std::int64_t utcMs) {
  if (!db_) return 0;
  sqlite3_stmt* st = nullptr;
  std::int64_t n = 0;
  if (!exec("BEGIN IMMEDIATE")) return 0;
  for (const char* sql : {"DELETE FROM decodes WHERE utc_ms < ?", "DELETE FROM call_grids WHERE utc_ms < ?"}) {
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) == SQLITE_OK) {
      sqlite3_bind_int64(st, 1, utcMs);
      if (sqlite3_step(st) == SQLITE_DONE && n == 0) n = sqlite3_changes64(db_);
    }
    sqlite3_finalize(st);
    st = nullptr;
  }
  exec("COMMIT");
  return n;
}

std::optional<std::int64_t> DecodeStore::newestMs() {
  if (!db_) return std::nullopt;
  sqlite3_stmt* st = nullptr;
  std::optional<std::int64_t> t;
  if (sqlite3_prepare_v2(db_, "SELECT max(utc_ms) FROM decodes", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
    t = sqlite3_column_int64(st, 0);
  sqlite3_finalize(st);
  return t;
}

std::int64_t DecodeStore::count() {
  if (!db_) return 0;
  sqlite3_stmt* st = nullptr;
  std::int64_t n = 0;
  if (sqlite3_prepare_v2(db_, "SELECT count(*) FROM decodes", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW)
    n = sqlite3_column_int64(st, 0);
  sqlite3_finalize(st);
  return n;
}

std::vector<StoredDecode> DecodeStore::between(std::int64_t fromMs, std::int64_t toMs, int band) {
  std::vector<StoredDecode> out;
  forEachBetween(fromMs, toMs, band, [&](const StoredDecode& d) {
    out.push_back(d);
    return true;
  });
  return out;
}

void DecodeStore::forEachBetween(std::int64_t fromMs, std::int64_t toMs, int band,
                                 const std::function<bool(const StoredDecode&)>& visit) {
  if (!db_) return;
  sqlite3_stmt* st = nullptr;
  const char* sql =
      "SELECT utc_ms, band, mode, snr, call, grid, grid_source, lat, lon, distance_km, bearing, rx_lat, rx_lon, "
      "dial_hz, audio_hz, message, source FROM decodes WHERE utc_ms > ? AND utc_ms <= ? AND (? < 0 OR band = ?) "
      "ORDER BY utc_ms, rowid";
  if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK) return;
  sqlite3_bind_int64(st, 1, fromMs);
  sqlite3_bind_int64(st, 2, toMs);
  sqlite3_bind_int(st, 3, band);
  sqlite3_bind_int(st, 4, band);
  while (sqlite3_step(st) == SQLITE_ROW) {
    StoredDecode d;
    d.utcMs = sqlite3_column_int64(st, 0);
    d.band = sqlite3_column_int(st, 1);
    d.mode = columnText(st, 2);
    d.snr = sqlite3_column_int(st, 3);
    d.call = columnText(st, 4);
    d.grid = columnText(st, 5);
    d.gridSource = static_cast<GridSource>(sqlite3_column_int(st, 6));
    d.located = sqlite3_column_type(st, 7) != SQLITE_NULL;
    if (d.located) {
      d.lat = sqlite3_column_double(st, 7);
      d.lon = sqlite3_column_double(st, 8);
      d.distanceKm = sqlite3_column_double(st, 9);
      d.bearing = sqlite3_column_double(st, 10);
    }
    d.rxLat = sqlite3_column_double(st, 11);
    d.rxLon = sqlite3_column_double(st, 12);
    d.dialHz = sqlite3_column_int64(st, 13);
    d.audioHz = sqlite3_column_int(st, 14);
    d.message = columnText(st, 15);
    d.source = static_cast<DecodeSource>(sqlite3_column_int(st, 16));
    if (!visit(d)) break;
  }
  sqlite3_finalize(st);
}

bool DecodeStore::integrityOk() {
  if (!db_) return false;
  sqlite3_stmt* st = nullptr;
  bool ok = false;
  if (sqlite3_prepare_v2(db_, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW)
    ok = columnText(st, 0) == "ok";
  sqlite3_finalize(st);
  return ok;
}

}  // namespace welvaro
