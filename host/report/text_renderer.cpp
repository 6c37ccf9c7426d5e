#include "host/report/text_renderer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/file_handle.h"

namespace vireo {

namespace {

constexpr double kCharWidth = 7;    // pixels per character column
constexpr double kLineHeight = 16;  // pixels per text line, for gaps and wraps

struct Piece {
  double y;
  int column;
  std::string text;
};

// The characters of a UTF-8 text, one string each.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size();) {
    size_t len = 1;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0xF0)
      len = 4;
    else if (c >= 0xE0)
      len = 3;
    else if (c >= 0xC0)
      len = 2;
    len = std::min(len, text.size() - i);
    std::string ch = text.substr(i, len);
    if (len == 1 && c < 0x20) ch = " ";
    out.push_back(std::move(ch));
    i += len;
  }
  return out;
}

class TextCanvas : public TnCanvas {
 public:
  explicit TextCanvas(const std::string& path)
      : path_(path), file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) {
      throw Exception("Não foi possível criar o arquivo de texto " + path + ": " +
                      std::strerror(errno));
    }
  }

  void BeginDocument(const TnPageSetup& setup, int) override { origin_ = setup.margin_left; }
  void BeginPage(int page) override {
    if (page > 1) Write("\f");
    pieces_.clear();
  }
  void Text(const TnRect& box, std::string_view text, const TnFont&, TnAlign align,
            bool wrap) override {
    const int width = static_cast<int>(std::lround(box.width / kCharWidth));
    std::vector<std::string> lines;
    if (wrap && width > 0) {
      lines = WordWrapString(std::string(text), width);
    } else {
      lines.emplace_back(text.substr(0, text.find('\n')));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      Place(box, lines[i], align, width, box.top + i * kLineHeight);
    }
  }
  void FillRect(const TnRect&, uint32_t) override {}
  void Line(double, double, double, double, double, uint32_t) override {}
  void FrameRect(const TnRect&, double, uint32_t) override {}
  void Image(const TnRect&, std::string_view) override {}
  void Chart(const TnRect& box, const TnChartData& chart) override {
    double y = box.top;
    if (!chart.title.empty()) Place(box, chart.title, TnAlign::Left, 0, y), y += kLineHeight;
    for (size_t s = 0; s < chart.series.size(); ++s) {
      std::string line = s < chart.series_names.size() && !chart.series_names[s].empty()
                             ? chart.series_names[s] + ": "
                             : "";
      for (size_t p = 0; p < chart.series[s].size(); ++p) {
        const auto& [label, value] = chart.series[s][p];
        if (p > 0) line += "; ";
        line += label + " " +
                (chart.value_format.empty() ? FloatToStr(value)
                                            : FormatFloat(chart.value_format, value));
      }
      Place(box, line, TnAlign::Left, 0, y);
      y += kLineHeight;
    }
  }
  void EndPage() override { WritePage(); }
  void EndDocument() override {
    if (std::fclose(file_.release()) != 0 || failed_) {
      throw Exception("Não foi possível gravar o arquivo de texto " + path_ + ".");
    }
  }

 private:
  void Place(const TnRect& box, const std::string& line, TnAlign align, int width, double y) {
    std::string text = line;
    int length = static_cast<int>(Utf8Length(text));
    if (width > 0 && length > width) {
      text = Utf8Substr(text, 0, width);
      length = width;
    }
    const double left = box.left - origin_;
    int column;
    switch (align) {
      case TnAlign::Right:
        column = static_cast<int>(std::lround((left + box.width) / kCharWidth)) - length;
        break;
      case TnAlign::Center:
        column = static_cast<int>(std::lround((left + box.width / 2) / kCharWidth - length / 2.0));
        break;
      default:
        column = static_cast<int>(std::lround(left / kCharWidth));
    }
    if (!text.empty()) pieces_.push_back(Piece{y, std::max(column, 0), std::move(text)});
  }

  void WritePage() {
    std::stable_sort(pieces_.begin(), pieces_.end(),
                     [](const Piece& a, const Piece& b) { return a.y < b.y; });
    std::vector<std::string> row;
    double row_y = 0;
    bool first = true;
    std::string out;
    auto flush_row = [&] {
      std::string line;
      for (const std::string& ch : row) line += ch.empty() ? " " : ch;
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
      row.clear();
    };
    for (const Piece& p : pieces_) {
      // Texts within half a line of the row's top share the row.
      if (first || p.y >= row_y + kLineHeight / 2) {
        if (!first) {
          flush_row();
          // A gap of two and a half lines or less leaves one blank line.
          int blanks = static_cast<int>(std::floor((p.y - row_y) / kLineHeight + 0.49)) - 1;
          for (int i = 0; i < blanks; ++i) out += "\n";
        }
        first = false;
        row_y = p.y;
      }
      std::vector<std::string> chars = Characters(p.text);
      if (row.size() < p.column + chars.size()) row.resize(p.column + chars.size());
      std::copy(chars.begin(), chars.end(), row.begin() + p.column);
    }
    if (!first) flush_row();
    Write(out);
    pieces_.clear();
  }

  void Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) failed_ = true;
  }

  std::string path_;
  TnFile file_;
  bool failed_ = false;
  double origin_ = 0;
  std::vector<Piece> pieces_;
};

}  // namespace

std::unique_ptr<TnCanvas> MakeTextCanvas(const std::string& path) {
  return std::make_unique<TextCanvas>(path);
}

}  // namespace vireo
