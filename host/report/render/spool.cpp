// Record layout of the spool file: an opcode byte, then the fields in
// native byte order (the file never leaves the process that wrote it).
// Rectangles are four floats; texts a 32-bit length and the bytes.
#include "host/report/render/spool.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"

namespace vireo {

namespace {

enum Op : uint8_t {
  kBeginPage = 1,
  kEndPage,
  kFontDef,
  kText,
  kFillRect,
  kLine,
  kFrameRect,
  kPictureDef,
  kImage,
  kChart,
  kSection,
};

constexpr size_t kBufferSize = 1 << 20;

std::string TempDir() {
  const char* dir = std::getenv("TMPDIR");
  return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

// A nameless file where the system allows it, else a named one unlinked at
// once: either way nothing is left behind, even after a crash.
std::FILE* OpenAnonymousFile() {
  const std::string dir = TempDir();
  int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) {
    std::string path = dir + "/vireo-spool-XXXXXX";
    fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd >= 0) ::unlink(path.c_str());
  }
  if (fd < 0) {
    throw Exception("Não foi possível criar o arquivo temporário das páginas em " + dir + ": " +
                    std::strerror(errno));
  }
  std::FILE* f = ::fdopen(fd, "w+b");
  if (f == nullptr) {
    ::close(fd);
    throw Exception("Não foi possível abrir o arquivo temporário das páginas.");
  }
  return f;
}

// Buffered reading of the records back.
class Reader {
 public:
  explicit Reader(std::FILE* f) : file_(f) { buffer_.resize(kBufferSize); }

  bool AtEnd() {
    if (pos_ < size_) return false;
    Refill();
    return pos_ >= size_;
  }
  void Get(void* out, size_t n) {
    char* dst = static_cast<char*>(out);
    while (n > 0) {
      if (pos_ >= size_ && (Refill(), pos_ >= size_)) {
        throw Exception("O arquivo temporário das páginas terminou antes do esperado.");
      }
      size_t take = std::min(n, size_ - pos_);
      std::memcpy(dst, buffer_.data() + pos_, take);
      pos_ += take, dst += take, n -= take;
    }
  }
  template <class T>
  T Value() {
    T v;
    Get(&v, sizeof v);
    return v;
  }
  std::string Text() {
    std::string s(Value<uint32_t>(), '\0');
    Get(s.data(), s.size());
    return s;
  }
  TnRect Rect() {
    float v[4];
    Get(v, sizeof v);
    return TnRect{v[0], v[1], v[2], v[3]};
  }

 private:
  void Refill() {
    size_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
  }
  std::FILE* file_;
  std::vector<char> buffer_;
  size_t pos_ = 0, size_ = 0;
};

std::string ReplaceTokens(std::string text, int page, int pages) {
  if (text.find('{') == std::string::npos) return text;
  text = StringReplace(text, "{paginas}", std::to_string(pages));
  text = StringReplace(text, "{pagina}", std::to_string(page));
  if (text.find("{data}") != std::string::npos)
    text = StringReplace(text, "{data}", DateToStr(Date()));
  if (text.find("{hora}") != std::string::npos) {
    text = StringReplace(text, "{hora}", FormatDateTime("hh:nn", Now()));
  }
  return text;
}

TnChartData ReadChart(Reader& in) {
  TnChartData chart;
  chart.title = in.Text();
  chart.value_format = in.Text();
  uint32_t count = in.Value<uint32_t>();
  for (uint32_t i = 0; i < count; ++i) {
    chart.series_names.push_back(in.Text());
    std::vector<std::pair<std::string, double>> points(in.Value<uint32_t>());
    for (auto& p : points) {
      p.first = in.Text();
      p.second = in.Value<double>();
    }
    chart.series.push_back(std::move(points));
  }
  return chart;
}

TnSectionMark ReadSectionMark(Reader& in) {
  TnSectionMark mark;
  mark.number = in.Value<int32_t>();
  const uint8_t role = in.Value<uint8_t>();
  if (role > static_cast<uint8_t>(TnSectionRole::kFooter)) {
    throw Exception("O arquivo temporário das páginas está corrompido.");
  }
  mark.role = static_cast<TnSectionRole>(role);
  mark.forced_page = in.Value<uint8_t>() != 0;
  mark.values.resize(in.Value<uint32_t>());
  for (std::string& value : mark.values) value = in.Text();
  return mark;
}

}  // namespace

TnPageSpool::TnPageSpool() : file_(OpenAnonymousFile()) {
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);  // records are buffered here
  buffer_.reserve(kBufferSize);
}

TnPageSpool::~TnPageSpool() = default;

bool TnPageSpool::HasPageTokens(std::string_view text) {
  if (text.find('{') == std::string_view::npos) return false;
  for (std::string_view token : {"{pagina}", "{paginas}", "{data}", "{hora}"}) {
    if (text.find(token) != std::string_view::npos) return true;
  }
  return false;
}

void TnPageSpool::Put(const void* data, size_t size) {
  buffer_.append(static_cast<const char*>(data), size);
  if (buffer_.size() >= kBufferSize) Flush();
}

void TnPageSpool::PutText(std::string_view text) {
  PutValue<uint32_t>(static_cast<uint32_t>(text.size()));
  Put(text.data(), text.size());
}

void TnPageSpool::PutRect(const TnRect& box) {
  const float v[4] = {static_cast<float>(box.left), static_cast<float>(box.top),
                      static_cast<float>(box.width), static_cast<float>(box.height)};
  Put(v, sizeof v);
}

void TnPageSpool::Flush() {
  if (buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) {
    // Named by its folder: a full disk there is what the user must free.
    throw Exception("Não foi possível gravar o arquivo temporário das páginas em " + TempDir() +
                    ": " + std::strerror(errno));
  }
  written_ += buffer_.size();
  buffer_.clear();
}

uint32_t TnPageSpool::FontId(const TnFont& font) {
  // Consecutive texts mostly share a font: check the last one first.
  if (last_font_id_ != UINT32_MAX && font.size == last_font_.size && font.bold == last_font_.bold &&
      font.italic == last_font_.italic && font.underline == last_font_.underline &&
      font.strikeout == last_font_.strikeout && font.color == last_font_.color &&
      font.family == last_font_.family) {
    return last_font_id_;
  }
  const uint8_t bits = (font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0) |
                       (font.strikeout ? 8 : 0);
  FontKey key{font.family, font.size, bits, font.color};
  auto it = fonts_.find(key);
  uint32_t id;
  if (it != fonts_.end()) {
    id = it->second;
  } else {
    id = static_cast<uint32_t>(fonts_.size());
    fonts_.emplace(std::move(key), id);
    PutValue<uint8_t>(kFontDef);
    PutValue<uint32_t>(id);
    PutText(font.family);
    PutValue<double>(font.size);
    PutValue<uint8_t>(bits);
    PutValue<uint32_t>(font.color);
  }
  last_font_ = font;
  last_font_id_ = id;
  return id;
}

void TnPageSpool::BeginPage() {
  if (in_page_) EndPage();
  ++pages_;
  in_page_ = true;
  PutValue<uint8_t>(kBeginPage);
}

void TnPageSpool::Section(const TnSectionMark& mark) {
  PutValue<uint8_t>(kSection);
  PutValue<int32_t>(mark.number);
  PutValue<uint8_t>(static_cast<uint8_t>(mark.role));
  PutValue<uint8_t>(mark.forced_page ? 1 : 0);
  PutValue<uint32_t>(static_cast<uint32_t>(mark.values.size()));
  for (const std::string& value : mark.values) PutText(value);
}

void TnPageSpool::EndPage() {
  if (!in_page_) return;
  in_page_ = false;
  PutValue<uint8_t>(kEndPage);
}

void TnPageSpool::Text(const TnRect& box, std::string_view text, const TnFont& font, TnAlign align,
                       bool wrap, bool page_tokens) {
  const uint32_t font_id = FontId(font);
  PutValue<uint8_t>(kText);
  PutValue<uint32_t>(font_id);
  PutValue<uint8_t>(static_cast<uint8_t>(static_cast<uint8_t>(align) | (wrap ? 0x10 : 0) |
                                         (page_tokens ? 0x20 : 0)));
  PutRect(box);
  PutText(text);
}

void TnPageSpool::FillRect(const TnRect& box, uint32_t rgb) {
  PutValue<uint8_t>(kFillRect);
  PutRect(box);
  PutValue<uint32_t>(rgb);
}

void TnPageSpool::Line(double x1, double y1, double x2, double y2, double width, uint32_t rgb) {
  PutValue<uint8_t>(kLine);
  PutRect(TnRect{x1, y1, x2, y2});
  PutValue<float>(static_cast<float>(width));
  PutValue<uint32_t>(rgb);
}

void TnPageSpool::FrameRect(const TnRect& box, double width, uint32_t rgb) {
  PutValue<uint8_t>(kFrameRect);
  PutRect(box);
  PutValue<float>(static_cast<float>(width));
  PutValue<uint32_t>(rgb);
}

void TnPageSpool::Image(const TnRect& box, const void* owner, uint64_t picture,
                        std::string_view bytes) {
  auto key = std::make_pair(owner, picture);
  auto it = pictures_.find(key);
  uint32_t id;
  if (it != pictures_.end()) {
    id = it->second;
  } else {
    id = static_cast<uint32_t>(pictures_.size());
    pictures_.emplace(key, id);
    PutValue<uint8_t>(kPictureDef);
    PutValue<uint32_t>(id);
    PutText(bytes);
  }
  PutValue<uint8_t>(kImage);
  PutRect(box);
  PutValue<uint32_t>(id);
}

void TnPageSpool::Chart(const TnRect& box, const TnChartData& chart) {
  PutValue<uint8_t>(kChart);
  PutRect(box);
  PutText(chart.title);
  PutText(chart.value_format);
  PutValue<uint32_t>(static_cast<uint32_t>(chart.series.size()));
  for (size_t i = 0; i < chart.series.size(); ++i) {
    PutText(i < chart.series_names.size() ? chart.series_names[i] : std::string());
    PutValue<uint32_t>(static_cast<uint32_t>(chart.series[i].size()));
    for (const auto& [label, value] : chart.series[i]) {
      PutText(label);
      PutValue<double>(value);
    }
  }
}

void TnPageSpool::Replay(const TnPageSetup& setup, const std::vector<TnCanvas*>& canvases) {
  EndPage();
  Flush();
  std::fflush(file_.get());
  std::rewind(file_.get());
  Reader in(file_.get());
  std::vector<TnFont> fonts;
  std::vector<std::string> pictures;
  int page = 0;
  for (TnCanvas* c : canvases) c->BeginDocument(setup, pages_);
  while (!in.AtEnd()) {
    switch (in.Value<uint8_t>()) {
      case kBeginPage:
        ++page;
        for (TnCanvas* c : canvases) c->BeginPage(page);
        break;
      case kEndPage:
        for (TnCanvas* c : canvases) c->EndPage();
        break;
      case kFontDef: {
        uint32_t id = in.Value<uint32_t>();
        TnFont font;
        font.family = in.Text();
        font.size = in.Value<double>();
        uint8_t bits = in.Value<uint8_t>();
        font.bold = bits & 1, font.italic = bits & 2, font.underline = bits & 4;
        font.strikeout = bits & 8;
        font.color = in.Value<uint32_t>();
        if (fonts.size() <= id) fonts.resize(id + 1);
        fonts[id] = std::move(font);
        break;
      }
      case kText: {
        const TnFont& font = fonts.at(in.Value<uint32_t>());
        uint8_t flags = in.Value<uint8_t>();
        TnRect box = in.Rect();
        std::string text = in.Text();
        if (flags & 0x20) text = ReplaceTokens(std::move(text), page, pages_);
        for (TnCanvas* c : canvases) {
          c->Text(box, text, font, static_cast<TnAlign>(flags & 0x0F), (flags & 0x10) != 0);
        }
        break;
      }
      case kFillRect: {
        TnRect box = in.Rect();
        uint32_t rgb = in.Value<uint32_t>();
        for (TnCanvas* c : canvases) c->FillRect(box, rgb);
        break;
      }
      case kLine: {
        TnRect p = in.Rect();
        float width = in.Value<float>();
        uint32_t rgb = in.Value<uint32_t>();
        for (TnCanvas* c : canvases) c->Line(p.left, p.top, p.width, p.height, width, rgb);
        break;
      }
      case kFrameRect: {
        TnRect box = in.Rect();
        float width = in.Value<float>();
        uint32_t rgb = in.Value<uint32_t>();
        for (TnCanvas* c : canvases) c->FrameRect(box, width, rgb);
        break;
      }
      case kPictureDef: {
        uint32_t id = in.Value<uint32_t>();
        if (pictures.size() <= id) pictures.resize(id + 1);
        pictures[id] = in.Text();
        break;
      }
      case kImage: {
        TnRect box = in.Rect();
        const std::string& bytes = pictures.at(in.Value<uint32_t>());
        for (TnCanvas* c : canvases) c->Image(box, bytes);
        break;
      }
      case kChart: {
        TnRect box = in.Rect();
        TnChartData chart = ReadChart(in);
        for (TnCanvas* c : canvases) c->Chart(box, chart);
        break;
      }
      case kSection: {
        TnSectionMark mark = ReadSectionMark(in);
        for (TnCanvas* c : canvases) c->BeginSection(mark);
        break;
      }
      default:
        throw Exception("O arquivo temporário das páginas está corrompido.");
    }
  }
  for (TnCanvas* c : canvases) c->EndDocument();
}

}  // namespace vireo
