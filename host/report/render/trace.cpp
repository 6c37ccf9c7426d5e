#include "host/report/render/trace.h"

#include <cerrno>
#include <cstring>

#include "host/core/exception.h"
#include "host/report/labels.h"
#include "host/report/params.h"
#include "host/report/render/json_text.h"

namespace vireo {

namespace {
constexpr size_t kFlushSize = 1 << 18;
}

TnTraceWriter::TnTraceWriter() = default;
TnTraceWriter::~TnTraceWriter() = default;

void TnTraceWriter::Open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) {
    throw Exception("Não foi possível criar o arquivo de rastro " + path + ": " +
                    std::strerror(errno));
  }
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);  // buffered here, whole lines at a time
  path_ = path;
  state_ = State::Open;
  Flush();
}

void TnTraceWriter::Disable() {
  state_ = State::Disabled;
  file_.reset();
  buffer_.clear();
  buffer_.shrink_to_fit();
}

void TnTraceWriter::Close() {
  if (state_ != State::Open) return;
  Flush();
  std::FILE* f = file_.release();
  state_ = State::Disabled;
  if (std::fclose(f) != 0) {
    throw Exception("Não foi possível gravar o arquivo de rastro " + path_ + ": " +
                    std::strerror(errno));
  }
}

void TnTraceWriter::Flush() {
  if (state_ != State::Open || buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size()) {
    throw Exception("Não foi possível gravar o arquivo de rastro " + path_ + ": " +
                    std::strerror(errno));
  }
  buffer_.clear();
}

void TnTraceWriter::EndLine() {
  line_ += "}\n";
  buffer_ += line_;
  line_.clear();
  if (buffer_.size() >= kFlushSize) Flush();
}

void TnTraceWriter::Page(int page) {
  if (state_ == State::Disabled) return;
  line_ = "{\"event\":\"page\",\"page\":";
  line_ += std::to_string(page);
  EndLine();
  Flush();  // a reader following the file sees each page as it starts
}

namespace {

// Every section line holds every variable, so a value as long as a user may
// type (a pasted document) would be written once per section: a few
// megabytes become gigabytes.  A long value keeps its head (cut between
// characters) and says how long it was.
constexpr size_t kMaxTraceValue = 4096;

void AppendTraceValue(std::string& out, const std::string& value) {
  if (value.size() <= kMaxTraceValue) return AppendJsonString(out, value);
  size_t cut = kMaxTraceValue;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
  AppendJsonString(out, value.substr(0, cut) + "…[" + std::to_string(value.size()) + " bytes]");
}

}  // namespace

void TnTraceWriter::AppendVars(const TnpqPowerParam& vars) {
  if (vars.Version() != vars_version_ || vars_json_.empty()) {
    if (var_pieces_.size() < static_cast<size_t>(vars.Count())) var_pieces_.resize(vars.Count());
    vars_json_.clear();
    vars_json_ += '{';
    for (int i = 0; i < vars.Count(); ++i) {
      const TnpqParamItem* item = vars.Items(i);
      Cached& piece = var_pieces_[i];
      if (piece.version != item->Version() || piece.json.empty()) {
        piece.json.clear();
        AppendJsonString(piece.json, item->Name());
        piece.json += ':';
        AppendTraceValue(piece.json, item->Value());
        piece.version = item->Version();
      }
      if (i > 0) vars_json_ += ',';
      vars_json_ += piece.json;
    }
    vars_json_ += '}';
    vars_version_ = vars.Version();
  }
  line_ += vars_json_;
}

void TnTraceWriter::AppendLabels(const std::vector<const TnpqLabel*>& labels) {
  line_ += '{';
  std::vector<Cached>& pieces = label_pieces_[&labels];
  if (pieces.size() < labels.size()) pieces.resize(labels.size());
  for (size_t i = 0; i < labels.size(); ++i) {
    const TnpqLabel* label = labels[i];
    Cached& piece = pieces[i];
    if (piece.source != label || piece.version != label->Version()) {
      std::string& j = piece.json;
      j.clear();
      AppendJsonString(j, label->Name());
      j += ":{\"visible\":";
      j += label->Visible() ? "true" : "false";
      j += ",\"bold\":";
      j += label->Font().bold ? "true" : "false";
      j += ",\"italic\":";
      j += label->Font().italic ? "true" : "false";
      j += ",\"size\":";
      AppendJsonNumber(j, label->FontSize());
      j += ",\"left\":";
      AppendJsonNumber(j, label->Left());
      j += ",\"width\":";
      AppendJsonNumber(j, label->Width());
      j += '}';
      piece.source = label;
      piece.version = label->Version();
    }
    if (i > 0) line_ += ',';
    line_ += piece.json;
  }
  line_ += '}';
}

void TnTraceWriter::Section(int page, int section, const TnpqPowerParam& vars,
                            const std::vector<const TnpqLabel*>& labels) {
  if (state_ == State::Disabled) return;
  line_ = "{\"event\":\"section\",\"page\":";
  line_ += std::to_string(page);
  line_ += ",\"section\":";
  line_ += std::to_string(section);
  line_ += ",\"vars\":";
  AppendVars(vars);
  line_ += ",\"labels\":";
  AppendLabels(labels);
  EndLine();
}

void TnTraceWriter::Message(int kind, std::string_view text) {
  if (state_ == State::Disabled) return;
  line_ = "{\"event\":\"message\",\"kind\":";
  line_ += std::to_string(kind);
  line_ += ",\"text\":";
  AppendJsonString(line_, text);
  EndLine();
}

void TnTraceWriter::Chart(int section, std::string_view name, const TnChartData& chart) {
  if (state_ == State::Disabled) return;
  line_ = "{\"event\":\"chart\",\"section\":";
  line_ += std::to_string(section);
  line_ += ",\"name\":";
  AppendJsonString(line_, name);
  line_ += ",\"series\":[";
  for (size_t s = 0; s < chart.series.size(); ++s) {
    if (s > 0) line_ += ',';
    line_ += '[';
    for (size_t p = 0; p < chart.series[s].size(); ++p) {
      if (p > 0) line_ += ',';
      line_ += '[';
      AppendJsonString(line_, chart.series[s][p].first);
      line_ += ',';
      AppendJsonNumber(line_, chart.series[s][p].second);
      line_ += ']';
    }
    line_ += ']';
  }
  line_ += ']';
  EndLine();
}

void TnTraceWriter::Image(std::string_view name, size_t bytes) {
  if (state_ == State::Disabled) return;
  line_ = "{\"event\":\"image\",\"name\":";
  AppendJsonString(line_, name);
  line_ += ",\"bytes\":";
  line_ += std::to_string(bytes);
  EndLine();
}

}  // namespace vireo
