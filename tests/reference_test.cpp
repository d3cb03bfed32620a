// Golden link forecasts: tests/data/links.json holds eight day-corrected
// forecasts computed by an independent implementation of the same rules.
// Every grid value, the distance, both bearings and the three hop counts
// must come out exactly (the bearings and the distance as rounded there,
// to 0.001).
#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <variant>

#include "testutil.h"

using namespace welvaro::test;

namespace {

// Just enough JSON for the reference file: objects, arrays, strings
// without escapes, numbers.
struct Json {
  std::variant<double, std::string, std::vector<Json>, std::map<std::string, Json>> v;
  const Json& operator[](const std::string& key) const { return std::get<3>(v).at(key); }
  const std::vector<Json>& list() const { return std::get<2>(v); }
  double num() const { return std::get<0>(v); }
  const std::string& str() const { return std::get<1>(v); }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view t) : t_(t) {}
  Json value() {
    blank();
    if (t_.at(p_) == '{') {
      std::map<std::string, Json> m;
      for (++p_; blank(), t_.at(p_) != '}';) {
        const std::string key = text();
        blank();
        if (t_.at(p_++) != ':') throw std::runtime_error("':' expected");
        m.emplace(key, value());
        comma();
      }
      ++p_;
      return {m};
    }
    if (t_.at(p_) == '[') {
      std::vector<Json> a;
      for (++p_; blank(), t_.at(p_) != ']';) {
        a.push_back(value());
        comma();
      }
      ++p_;
      return {a};
    }
    if (t_.at(p_) == '"') return {text()};
    double d = 0;
    const auto r = std::from_chars(t_.data() + p_, t_.data() + t_.size(), d);
    if (r.ec != std::errc()) throw std::runtime_error("number expected");
    p_ = static_cast<std::size_t>(r.ptr - t_.data());
    return {d};
  }

 private:
  void blank() {
    while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_]))) ++p_;
  }
  void comma() {
    blank();
    if (t_.at(p_) == ',') ++p_;
  }
  std::string text() {
    const auto end = t_.find('"', p_ + 1);
    std::string s(t_.substr(p_ + 1, end - p_ - 1));
    p_ = end + 1;
    return s;
  }
  std::string_view t_;
  std::size_t p_ = 0;
};

long long thousandths(double v) { return std::llround(v * 1000); }

}  // namespace

TEST(ReferenceLinks, EveryValueDistanceBearingAndHopCountAsComputedIndependently) {
  const std::string text = readFile(fs::path(WELVARO_TEST_DATA) / "links.json");
  ASSERT_FALSE(text.empty());
  const Json links = JsonReader(text).value();
  ASSERT_EQ(links.list().size(), 8u);
  for (const Json& link : links.list()) {
    SCOPED_TRACE(link["name"].str());
    std::vector<std::string> args;
    for (const Json& a : link["args"].list()) args.push_back(a.str());
    const CliRun csv = runCli(args);
    ASSERT_EQ(csv.rc, static_cast<int>(link["rc"].num())) << csv.err;
    const auto rows = split(csv.out);
    const auto& grid = link["grid"].list();
    ASSERT_EQ(grid.size(), 24u);
    ASSERT_EQ(rows.size(), 26u);
    for (std::size_t h = 0; h < 24; ++h) {
      const auto values = split(rows[h + 1], ",");
      ASSERT_EQ(values.size(), 32u);
      ASSERT_EQ(grid[h].list().size(), 31u);
      for (std::size_t k = 0; k < 31; ++k)
        EXPECT_EQ(std::stol(values[k + 1]), static_cast<long>(grid[h].list()[k].num()))
            << "hour " << h + 1 << ", column " << k + 1;
    }

    args.back() = "json";  // the same link with its geometry
    const CliRun json = runCli(args);
    ASSERT_EQ(json.rc, 0) << json.err;
    const Json geo = JsonReader(json.out).value();
    for (const char* key : {"distance_km", "bearing_ab", "bearing_ba"})
      EXPECT_EQ(thousandths(geo[key].num()), thousandths(link[key].num())) << key;
    for (const char* key : {"hops_e", "hops_f", "hops_d"}) EXPECT_EQ(geo[key].num(), link[key].num()) << key;
  }
}
