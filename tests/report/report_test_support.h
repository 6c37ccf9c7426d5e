// Helpers of the report engine tests: the test layout, a report class driven
// by a function, a canvas that records what it is asked to draw, traces read
// back as JSON, and a scratch directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/layout.h"
#include "host/report/render/canvas.h"

namespace vireo::test {

inline std::string TestLayoutPath() {
  const char* dir = std::getenv("VIREO_SOURCE_DIR");
  return dir != nullptr ? std::string(dir) + "/tests/report/test_layout.json"
                        : std::string(VIREO_REPORT_TEST_DIR) + "/test_layout.json";
}

inline TnLayout TestLayout() { return LoadLayout(TestLayoutPath()); }

// Geometry of the test layout: a 300-pixel body under the 40-pixel header,
// so 15 lines of section 10 (20 pixels) fit on a page, 14 when the handler
// prints the heading (section 8) under every page header.
constexpr int kLinesPerPage = 15;

// A report whose print is a function; counts its instances.
class TestReport : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  // Tests hold it by value in their fixtures, whose destructors may not raise.
  ~TestReport() noexcept override = default;
  std::string Versao() override { return "[versao: 9.9.9.9]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return zebra; }
  std::vector<int> CriarListaSectionsTrocaCor() override { return troca_cor; }
  void ImprimirInterno() override {
    if (body) body(*this);
  }
  void DoZebradoBeforeSection(TObject* sender, int section) override {
    if (zebrar) TnrwBaseDll::DoZebradoBeforeSection(sender, section);
  }
  TnrwReport* Engine() { return FReport; }

  std::function<void(TestReport&)> body;
  std::vector<int> zebra;
  std::vector<int> troca_cor;
  bool zebrar = true;
};

// What a canvas was asked to draw.
struct Drawn {
  Drawn(std::string w, int p, TnRect b = {}, std::string t = {}, TnFont f = {}, uint32_t c = 0)
      : what(std::move(w)), page(p), box(b), text(std::move(t)), font(std::move(f)), color(c) {}
  std::string what;  // "text", "fill", "line", "frame", "image", "chart", "page"
  int page = 0;
  TnRect box;
  std::string text;
  TnFont font;
  uint32_t color = 0;
};

class RecordingCanvas : public TnCanvas {
 public:
  void BeginDocument(const TnPageSetup&, int pages) override { page_count = pages; }
  void BeginPage(int p) override {
    page = p;
    items.emplace_back("page", p);
  }
  void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign, bool) override {
    items.emplace_back("text", page, box, std::string(text), font);
  }
  void FillRect(const TnRect& box, uint32_t rgb) override {
    items.emplace_back("fill", page, box, "", TnFont{}, rgb);
  }
  void Line(double x1, double y1, double x2, double y2, double, uint32_t rgb) override {
    items.emplace_back("line", page, TnRect{x1, y1, x2 - x1, y2 - y1}, "", TnFont{}, rgb);
  }
  void FrameRect(const TnRect& box, double, uint32_t rgb) override {
    items.emplace_back("frame", page, box, "", TnFont{}, rgb);
  }
  void Image(const TnRect& box, std::string_view bytes) override {
    items.emplace_back("image", page, box, std::string(bytes));
  }
  void Chart(const TnRect& box, const TnChartData& chart) override {
    items.emplace_back("chart", page, box, chart.title);
  }
  void EndPage() override {}
  void EndDocument() override { ended = true; }

  // The texts drawn, in order, optionally of one page.
  std::vector<std::string> Texts(int only_page = 0) const {
    std::vector<std::string> out;
    for (const Drawn& d : items) {
      if (d.what == "text" && (only_page == 0 || d.page == only_page)) out.push_back(d.text);
    }
    return out;
  }
  const Drawn* FindText(const std::string& text) const {
    for (const Drawn& d : items) {
      if (d.what == "text" && d.text == text) return &d;
    }
    return nullptr;
  }

  std::vector<Drawn> items;
  int page = 0;
  int page_count = -1;
  bool ended = false;
};

inline std::vector<nlohmann::json> ReadTrace(const std::string& path) {
  std::vector<nlohmann::json> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

// The events of one kind, in order.
inline std::vector<nlohmann::json> Events(const std::vector<nlohmann::json>& trace,
                                          const std::string& kind) {
  std::vector<nlohmann::json> out;
  for (const auto& e : trace) {
    if (e["event"] == kind) out.push_back(e);
  }
  return out;
}

// The sections printed, as (page, section) pairs, from a trace.
inline std::vector<std::pair<int, int>> Sections(const std::vector<nlohmann::json>& trace) {
  std::vector<std::pair<int, int>> out;
  for (const auto& e : Events(trace, "section")) out.emplace_back(e["page"], e["section"]);
  return out;
}

// A scratch directory removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vireo-report-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }
  // Every entry of the directory, hidden ones included.
  std::vector<std::string> Entries() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      out.push_back(e.path().filename().string());
    }
    return out;
  }

 private:
  std::filesystem::path path_;
};

// Runs a report through the engine into a trace and a recording canvas.
struct PrintRun {
  std::vector<nlohmann::json> trace;
  RecordingCanvas canvas;
  int pages = 0;
};

inline void Print(TnrwReport& engine, TestReport& report, PrintRun& run) {
  ScratchDir dir;
  engine.BeginPrint({.trace = dir / "trace.jsonl"});
  report.ImprimirInterno();
  engine.EndPrint({&run.canvas});
  run.trace = ReadTrace(dir / "trace.jsonl");
  run.pages = engine.PageCount();
}

}  // namespace vireo::test
