// TnTraceWriter: the print written as JSON lines while it goes, for tests and
// acceptance checks (design.md "The trace").  One object per line:
//
//   {"event":"page","page":P}
//   {"event":"section","page":P,"section":N,"vars":{...},"labels":{...}}
//   {"event":"message","kind":K,"text":"..."}
//   {"event":"chart","section":N,"name":"grafico","series":[[["label",v],...],...]}
//   {"event":"image","name":"logoEmpresa","bytes":N}
//
// The format is a contract: keep it stable.  Big reports print a section per
// line, so the writer keeps the JSON it made of every variable and label and
// rebuilds only what changed since the previous section.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/report/render/canvas.h"
#include "host/report/render/file_handle.h"

namespace vireo {

class TnpqPowerParam;
class TnpqLabel;

class TnTraceWriter {
 public:
  TnTraceWriter();
  ~TnTraceWriter();
  TnTraceWriter(const TnTraceWriter&) = delete;
  TnTraceWriter& operator=(const TnTraceWriter&) = delete;

  // Until Open or Disable, lines are held (events before the print starts:
  // messages, pictures).  Open writes them first.
  void Open(const std::string& path);
  void Disable();
  bool Enabled() const { return state_ != State::Disabled; }
  // Writes what is buffered and closes; raises when the disk refused it.
  void Close();

  void Page(int page);
  void Section(int page, int section, const TnpqPowerParam& vars,
               const std::vector<const TnpqLabel*>& labels);
  void Message(int kind, std::string_view text);
  void Chart(int section, std::string_view name, const TnChartData& chart);
  void Image(std::string_view name, size_t bytes);

 private:
  enum class State { Holding, Open, Disabled };
  struct Cached {
    const void* source = nullptr;
    uint64_t version = 0;
    std::string json;
  };

  void AppendVars(const TnpqPowerParam& vars);
  void AppendLabels(const std::vector<const TnpqLabel*>& labels);
  void EndLine();
  void Flush();

  State state_ = State::Holding;
  std::string path_;
  TnFile file_;
  std::string line_;
  std::string buffer_;
  std::vector<Cached> var_pieces_;
  uint64_t vars_version_ = 0;
  std::string vars_json_;
  // By the address of the section's label list, one piece per label.
  std::unordered_map<const void*, std::vector<Cached>> label_pieces_;
};

}  // namespace vireo
