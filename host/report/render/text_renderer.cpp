#include "host/report/render/text_renderer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/render/file_handle.h"

namespace vireo {

namespace {

constexpr double kCharWidth = 7;    // pixels per character column
constexpr double kLineHeight = 16;  // pixels per text line, for gaps and wraps

struct Piece {
  double y;
  int column;
  int length;  // in characters
  std::string text;
  // A left-aligned text longer than its box runs on into free space to its
  // right, but stops at the next text of the line: `box` is its width then.
  int box = 0;
};

// Splits a UTF-8 text into its characters (views into the text).
void AppendCharacters(std::string_view text, std::vector<std::string_view>& out) {
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
    out.push_back(text.substr(i, len));
    i += len;
  }
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
    if (!wrap || width <= 0) {
      Place(box, text.substr(0, text.find('\n')), align, width, box.top);
      return;
    }
    const std::vector<std::string> lines = WordWrapString(std::string(text), width);
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
  void Place(const TnRect& box, std::string_view line, TnAlign align, int width, double y) {
    std::string text(line);
    for (char& c : text) {
      if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    int length = static_cast<int>(Utf8Length(text));
    const bool too_long = width > 0 && length > width;
    const double left = box.left - origin_;
    int column;
    switch (align) {
      case TnAlign::Right:  // an amount keeps its last digits, as the box clips its left
        if (too_long) text = Utf8Substr(text, length - width), length = width;
        column = static_cast<int>(std::lround((left + box.width) / kCharWidth)) - length;
        break;
      case TnAlign::Center:
        if (too_long) text = Utf8Substr(text, (length - width) / 2, width), length = width;
        column = static_cast<int>(std::lround((left + box.width / 2) / kCharWidth - length / 2.0));
        break;
      default:
        column = static_cast<int>(std::lround(left / kCharWidth));
    }
    if (text.empty()) return;
    Piece piece{y, std::max(column, 0), length, std::move(text)};
    if (align == TnAlign::Left && too_long) piece.box = width;
    pieces_.push_back(std::move(piece));
  }

  void WritePage() {
    // Drawn top-down but for the footer: mostly sorted already.
    auto by_top = [](const Piece& a, const Piece& b) { return a.y < b.y; };
    if (!std::is_sorted(pieces_.begin(), pieces_.end(), by_top)) {
      std::stable_sort(pieces_.begin(), pieces_.end(), by_top);
    }
    std::string out;
    size_t row = 0;
    while (row < pieces_.size()) {
      // Texts within half a line of the row's top share the row.
      size_t end = row + 1;
      while (end < pieces_.size() && pieces_[end].y < pieces_[row].y + kLineHeight / 2) ++end;
      if (row > 0) {
        // A gap of two and a half lines or less leaves one blank line.
        const double gap = pieces_[row].y - row_y_;
        const int blanks = static_cast<int>(std::floor(gap / kLineHeight + 0.49)) - 1;
        out.append(std::max(blanks, 0), '\n');
      }
      row_y_ = pieces_[row].y;
      AppendRow(row, end, out);
      row = end;
    }
    Write(out);
    pieces_.clear();
  }

  // One line of text from pieces [begin, end), in drawing order.
  void AppendRow(size_t begin, size_t end, std::string& out) {
    std::vector<Piece*>& row = row_;
    row.clear();
    for (size_t i = begin; i < end; ++i) row.push_back(&pieces_[i]);
    std::stable_sort(row.begin(), row.end(),
                     [](const Piece* a, const Piece* b) { return a->column < b->column; });
    for (size_t i = 0; i + 1 < row.size(); ++i) Stop(*row[i], row[i + 1]->column);
    bool overlap = false;
    for (size_t i = 1; i < row.size(); ++i) {
      overlap |= row[i]->column < row[i - 1]->column + row[i - 1]->length;
    }
    std::string line;
    if (!overlap) {
      int column = 0;
      for (const Piece* p : row) {
        line.append(p->column - column, ' ');
        line += p->text;
        column = p->column + p->length;
      }
    } else {
      // Overlapping texts: the one drawn later covers the earlier.
      std::vector<std::string_view> cells, chars;
      for (size_t i = begin; i < end; ++i) {
        chars.clear();
        AppendCharacters(pieces_[i].text, chars);
        const size_t at = pieces_[i].column;
        if (cells.size() < at + chars.size()) cells.resize(at + chars.size());
        std::copy(chars.begin(), chars.end(), cells.begin() + at);
      }
      for (std::string_view ch : cells) {
        if (ch.empty())
          line += ' ';
        else
          line += ch;
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line;
    out += '\n';
  }

  // Cuts a text that ran past its box where the next text starts (never
  // shorter than its box).
  static void Stop(Piece& p, int next_column) {
    if (p.box == 0 || p.column + p.length <= next_column) return;
    const int keep = std::max(p.box, next_column - p.column);
    if (keep >= p.length) return;
    p.text = Utf8Substr(p.text, 0, keep);
    p.length = keep;
  }

  void Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) failed_ = true;
  }

  std::string path_;
  TnFile file_;
  bool failed_ = false;
  double origin_ = 0;
  double row_y_ = 0;
  std::vector<Piece> pieces_;
  std::vector<Piece*> row_;
};

}  // namespace

std::unique_ptr<TnCanvas> MakeTextCanvas(const std::string& path) {
  return std::make_unique<TextCanvas>(path);
}

}  // namespace vireo
