// TnPageSpool: the composed pages, kept compactly on disk until the print
// ends.
//
// The footer of every page may show the page count, which is known only at
// the end; and a report may run to a million lines.  So pages are not kept in
// memory: every drawing call is appended to an anonymous temporary file as a
// small binary record (fonts and pictures are stored once and referred to by
// number), and Replay reads the file back into the renderers when the print is
// over.  Memory stays at one write buffer whatever the length of the report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "host/report/render/canvas.h"
#include "host/report/render/file_handle.h"

namespace vireo {

class TnPageSpool {
 public:
  // Opens the temporary file (in TMPDIR, else /tmp); it disappears when the
  // spool is destroyed or the process ends.
  TnPageSpool();
  ~TnPageSpool();
  TnPageSpool(const TnPageSpool&) = delete;
  TnPageSpool& operator=(const TnPageSpool&) = delete;

  void BeginPage();
  void Section(const TnSectionMark& mark);
  // `page_tokens`: the text holds "{pagina}", "{paginas}", "{data}" or
  // "{hora}", replaced when the pages are replayed.
  void Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align, bool wrap,
            bool page_tokens = false);
  void FillRect(const TnRect& box, uint32_t rgb);
  void Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb);
  void FrameRect(const TnRect& box, double width, uint32_t rgb);
  // `owner` and `picture` identify the bytes: the same pair is stored once.
  void Image(const TnRect& box, const void* owner, uint64_t picture, std::string_view bytes);
  void Chart(const TnRect& box, const TnChartData& chart);
  void EndPage();

  int PageCount() const { return pages_; }
  uint64_t BytesWritten() const { return written_ + buffer_.size(); }

  // Draws every page on each canvas, in order, with the page count known.
  void Replay(const TnPageSetup& setup, const std::vector<TnCanvas*>& canvases);

  // Whether a text holds one of the replay tokens.
  static bool HasPageTokens(std::string_view text);

 private:
  using FontKey = std::tuple<std::string, double, uint8_t, uint32_t>;

  uint32_t FontId(const TnFont& font);
  void Put(const void* data, size_t size);
  template <class T>
  void PutValue(T value) {
    Put(&value, sizeof value);
  }
  void PutText(std::string_view text);
  void PutRect(const TnRect& box);
  void Flush();

  TnFile file_;
  std::string buffer_;
  uint64_t written_ = 0;
  int pages_ = 0;
  bool in_page_ = false;
  std::map<FontKey, uint32_t> fonts_;
  TnFont last_font_;
  uint32_t last_font_id_ = UINT32_MAX;
  std::map<std::pair<const void*, uint64_t>, uint32_t> pictures_;
};

}  // namespace vireo
