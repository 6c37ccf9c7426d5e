#include "host/report/engine.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/selection.h"
#include "host/report/base_dll.h"
#include "host/report/chart.h"
#include "host/report/image.h"
#include "host/report/panel.h"
#include "host/report/progress.h"
#include "host/report/render/composer.h"
#include "host/report/render/output_set.h"
#include "host/report/render/render_cairo.h"
#include "host/report/render/sheet_outputs.h"
#include "host/report/render/spool.h"
#include "host/report/render/status_area.h"
#include "host/report/render/text_renderer.h"
#include "host/report/render/trace.h"

namespace vireo {

namespace {

// A handler that prints sections which call the handler again without end
// is stopped here instead of exhausting the stack.
constexpr int kMaxEventDepth = 64;

// One "{filter:COLUMN:pParam}" of the layout's query.
struct FilterMarker {
  size_t begin = 0, end = 0;  // [begin, end) in the query text
  std::string column, param;
};

std::vector<FilterMarker> FindFilters(const std::string& sql, const std::string& file) {
  std::vector<FilterMarker> out;
  size_t pos = 0;
  while ((pos = sql.find("{filter:", pos)) != std::string::npos) {
    size_t close = sql.find('}', pos);
    if (close == std::string::npos) {
      throw Exception(file + ": query: {filter:...} sem o fecho }");
    }
    std::vector<std::string> parts = StrToStrArray(sql.substr(pos + 8, close - pos - 8), ":");
    if (parts.size() != 2 || Trim(parts[0]).empty() || Trim(parts[1]).empty()) {
      throw Exception(file + ": query: escreva {filter:COLUNA:pParametro}, não " +
                      sql.substr(pos, close - pos + 1));
    }
    out.push_back({pos, close + 1, Trim(parts[0]), Trim(parts[1])});
    pos = close + 1;
  }
  return out;
}

// The value a query marker gets from a parameter, typed after its kind.
Variant MarkerValue(const TnpqParamItem& item) {
  switch (item.Kind()) {
    case TnParamKind::Date:
      return Variant::FromDateTime(item.GetAsDate());
    case TnParamKind::Integer:
    case TnParamKind::YesNo:
      return Variant(item.GetAsInteger());
    default:
      return Variant(item.Value());
  }
}

struct DepthGuard {
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  int& depth_;
};

struct FlagGuard {
  FlagGuard(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
  ~FlagGuard() { flag_ = old_; }
  bool& flag_;
  bool old_;
};

}  // namespace

// --- TnSectionPrintEvent -----------------------------------------------------

TnSectionPrintEvent& TnSectionPrintEvent::operator=(Handler handler) {
  handler_ = std::move(handler);
  owner_ = handler_ ? engine_->CurrentReport() : nullptr;
  return *this;
}

TnSectionPrintEvent& TnSectionPrintEvent::operator=(std::nullptr_t) {
  handler_ = nullptr;
  owner_ = nullptr;
  return *this;
}

void TnSectionPrintEvent::operator()(TObject* sender, int section) const {
  if (!handler_) return;
  Handler call = handler_;  // the handler may replace itself while it runs
  call(sender, section);
}

// --- construction --------------------------------------------------------------

TnrwReport::TnrwReport(TnLayout layout)
    : OnSectionPrint(this), layout_(std::move(layout)), trace_(std::make_unique<TnTraceWriter>()) {
  for (const TnParamDef& def : layout_.parameters) params_.Add(def);
  for (const std::string& name : layout_.variables) params_.Param(name);
  BuildObjects();
  panel_ = std::make_unique<TnPanel>(&params_);
  // The query's references are checked now, not when the print starts.
  for (const FilterMarker& f : FindFilters(layout_.query, layout_.file)) {
    if (params_.FindParam(f.param) == nullptr) {
      throw Exception(layout_.file + ": query: {filter:" + f.column + ":" + f.param + "} usa " +
                      f.param + ", que não é parâmetro do layout");
    }
  }
}

TnrwReport::~TnrwReport() {
  AbortPrint();
  for (TnrwBaseDll* report : reports_) report->EngineGone();
}

void TnrwReport::BuildObjects() {
  composer_ = std::make_unique<TnPageComposer>(
      layout_, params_, [this](const std::string& column) { return FieldText(column); });
  for (const TnSectionDef& section : layout_.sections) {
    TnSectionRuntime runtime;
    runtime.def = &section;
    for (const TnObjectDef& def : section.objects) {
      objects_.push_back(CreateLayoutObject(def, section.number));
      TnpqObject* obj = objects_.back().get();
      TnpqParamItem* var = nullptr;
      if (auto* label = dynamic_cast<TnpqLabel*>(obj)) {
        if (label->Source() == TnLabelSource::Variable) var = params_.Param(label->SourceName());
        runtime.labels.push_back(label);
      } else if (auto* image = dynamic_cast<TnpqImage*>(obj)) {
        image->OnImageSet = [this](const TnpqImage& img) {
          trace_->Image(img.Name(), img.Bytes().size());
        };
      }
      runtime.objects.push_back(obj);
      runtime.variables.push_back(var);
    }
    composer_->SetSection(section.number, std::move(runtime));
  }
}

// --- parameters ----------------------------------------------------------------------

std::string TnrwReport::RepParam(std::string_view name) const {
  const TnpqParamItem* item = params_.FindParam(name);
  if (item == nullptr) {
    throw Exception(layout_.file + ": o relatório lê o parâmetro " + std::string(name) +
                    ", que o layout não declara");
  }
  return item->Value();
}

std::vector<TnpqParamItem*> TnrwReport::Parametros() const {
  std::vector<TnpqParamItem*> out;
  for (int i = 0; i < params_.Count(); ++i) {
    if (params_.Items(i)->IsParameter()) out.push_back(params_.Items(i));
  }
  return out;
}

// --- sections and pages ---------------------------------------------------------

void TnrwReport::CheckSection(int section) const {
  if (composer_->Section(section) == nullptr) {
    throw Exception(layout_.file + ": a seção " + std::to_string(section) +
                    " não existe no layout");
  }
}

void TnrwReport::RepPrintSection(int section) {
  CheckSection(section);
  if (!printing_) BeginPrint();
  if (!zebra_explicit_ && zebra_source_ != CurrentReport()) LoadZebraLists();
  BeforeSection(section);
  if (!in_page_start_) {
    // A page end asked for on a page that holds no body yet would only
    // leave a page with headings: it is dropped.
    const bool asked = page_end_ && page_has_body_;
    bool new_page = !composer_->HasPage() || asked ||
                    (page_has_body_ && composer_->Height(section) > composer_->Remaining() + 1e-6);
    page_end_ = false;
    if (new_page) NewPage(asked);
    page_has_body_ = true;
  }
  const bool shaded = ShadeFor(section);
  composer_->Place(section, shaded, in_page_start_);
  FireSectionPrint(section);
}

// The report's hook, guarded like OnSectionPrint (with a count of its own,
// so each loop is named by what loops) against a hook that prints sections
// calling it again without end.
void TnrwReport::BeforeSection(int section) {
  TnrwBaseDll* report = CurrentReport();
  if (report == nullptr) return;
  if (before_depth_ >= kMaxEventDepth) {
    throw Exception(layout_.file +
                    ": DoBeforeSection imprime seções que o chamam de novo sem fim "
                    "(seção " +
                    std::to_string(section) + ")");
  }
  DepthGuard guard(before_depth_);
  report->DoBeforeSection(this, section);
}

void TnrwReport::NewPage(bool asked) {
  composer_->StartPage(asked);
  zebra_count_ = 0;
  page_has_body_ = false;
  page_end_ = false;
  if (composer_->Section(kSectionPageHeader) == nullptr) return;
  // Headings printed by the handler stay on this page whatever their size,
  // so a handler can never start another page from here.
  {
    FlagGuard guard(in_page_start_, true);
    FireSectionPrint(kSectionPageHeader);
  }
  page_end_ = false;  // asked for on a page that holds only its headings
}

void TnrwReport::FireSectionPrint(int section) {
  if (!OnSectionPrint) return;
  if (event_depth_ >= kMaxEventDepth) {
    throw Exception(layout_.file +
                    ": OnSectionPrint imprime seções que o chamam de novo sem fim "
                    "(seção " +
                    std::to_string(section) + ")");
  }
  DepthGuard guard(event_depth_);
  OnSectionPrint(this, section);
}

bool TnrwReport::CanPrintSection(const std::vector<int>& sections) const {
  double need = 0;
  for (int s : sections) {
    CheckSection(s);
    need += composer_->Height(s);
  }
  const bool fresh = !composer_->HasPage() || (page_end_ && page_has_body_);
  const double room = fresh ? composer_->RemainingOnNewPage() : composer_->Remaining();
  return need <= room + 1e-6;
}

int TnrwReport::PageNumber() const { return composer_->Page(); }

double TnrwReport::RemainingHeight() const { return composer_->Remaining(); }

// --- zebra ---------------------------------------------------------------------------

namespace {
std::vector<bool> SectionSet(const std::vector<int>& sections) {
  std::vector<bool> set;
  for (int s : sections) {
    if (s < 0) continue;
    if (set.size() <= static_cast<size_t>(s)) set.resize(s + 1);
    set[s] = true;
  }
  return set;
}
bool InSet(const std::vector<bool>& set, int s) {
  return s >= 0 && static_cast<size_t>(s) < set.size() && set[s];
}
}  // namespace

void TnrwReport::SetZebraSections(std::vector<int> sections) {
  zebra_ = SectionSet(sections);
  zebra_explicit_ = true;
}

void TnrwReport::SetTrocaCorSections(std::vector<int> sections) {
  troca_cor_ = SectionSet(sections);
  zebra_explicit_ = true;
}

void TnrwReport::LoadZebraLists() {
  TnrwBaseDll* report = CurrentReport();
  zebra_source_ = report;
  zebra_ =
      SectionSet(report != nullptr ? report->CriarListaSectionsParaZebrar() : std::vector<int>{});
  troca_cor_ =
      SectionSet(report != nullptr ? report->CriarListaSectionsTrocaCor() : std::vector<int>{});
}

void TnrwReport::ZebrarSecao(int) { zebra_shade_ = (zebra_count_++ % 2) == 1; }

bool TnrwReport::ShadeFor(int section) {
  if (InSet(troca_cor_, section)) zebra_count_ = 0;
  if (!InSet(zebra_, section)) return false;
  zebra_shade_ = false;
  if (TnrwBaseDll* report = CurrentReport()) {
    report->DoZebradoBeforeSection(this, section);
  } else {
    ZebrarSecao(section);
  }
  return zebra_shade_;
}

// --- progress and messages --------------------------------------------------------

void TnrwReport::CSLShowProgress(long long position, long long total) {
  progress_position_ = position;
  progress_total_ = total;
  NotifyCounterChanged(position, total, std::max(1, composer_->Page()));
  if (total <= 0 && position <= 0) {
    ClearStatus(TnStatusSlot::Engine);
    return;
  }
  ShowStatus(TnStatusSlot::Engine, {ProgressLine("Imprimindo", position, 0, total) + "  página " +
                                    std::to_string(std::max(1, composer_->Page()))});
}

void TnrwReport::MsgConfigurar(const std::vector<std::string>& titles, int options) {
  messages_.Configurar(titles, options);
}

void TnrwReport::MsgMensagem(int kind, const std::string& text) {
  messages_.Add(kind, text);
  trace_->Message(kind, text);
}

// --- layout objects ------------------------------------------------------------------

TnpqObject* TnrwReport::GetObjects(int i) const {
  if (i < 0 || i >= GetObjectCount()) {
    throw Exception(layout_.file + ": GetObjects(" + std::to_string(i) + ") fora de 0.." +
                    std::to_string(GetObjectCount() - 1));
  }
  return objects_[i].get();
}

TnpqLabel* TnrwReport::LabelByName(std::string_view name) const {
  for (const auto& obj : objects_) {
    if (obj->Kind() == TnObjectKind::Label && SameText(obj->Name(), name)) {
      return static_cast<TnpqLabel*>(obj.get());
    }
  }
  throw Exception("O layout " + layout_.file + " não tem o rótulo \"" + std::string(name) + "\".");
}

TnpqImage* TnrwReport::ImageByName(std::string_view name) const {
  for (const auto& obj : objects_) {
    if (obj->Kind() == TnObjectKind::Image && SameText(obj->Name(), name)) {
      return static_cast<TnpqImage*>(obj.get());
    }
  }
  throw Exception("O layout " + layout_.file + " não tem a imagem \"" + std::string(name) + "\".");
}

TnpqChart* TnrwReport::GraficoByName(std::string_view name) const {
  for (const auto& obj : objects_) {
    if (obj->Kind() == TnObjectKind::Chart && SameText(obj->Name(), name)) {
      return static_cast<TnpqChart*>(obj.get());
    }
  }
  throw Exception("O layout " + layout_.file + " não tem o gráfico \"" + std::string(name) + "\".");
}

// --- panel ---------------------------------------------------------------------------

TnFraControle* TnrwReport::EdFindFieldControl(std::string_view name) const {
  return panel_->FindControl(name);
}

void TnrwReport::EdEnabledField(std::string_view name, bool on) {
  TnFraControle* control = panel_->FindControl(name);
  if (control == nullptr) {
    throw Exception(layout_.file + ": o painel não tem o campo " + std::string(name));
  }
  control->SetEnabled(on);
}

void TnrwReport::EdRequiredField(std::string_view name, bool on) {
  TnFraControle* control = panel_->FindControl(name);
  if (control == nullptr) {
    throw Exception(layout_.file + ": o painel não tem o campo " + std::string(name));
  }
  control->SetRequired(on);
}

// --- the layout's query ---------------------------------------------------------------

TnMainQuery TnrwReport::MontarConsultaPrincipal() const {
  TnMainQuery query;
  const std::string& sql = layout_.query;
  size_t copied = 0;
  for (const FilterMarker& f : FindFilters(sql, layout_.file)) {
    query.sql += sql.substr(copied, f.begin - copied);
    query.sql += FilterInterval(f.column, params_.GetValues(f.param), {1}, true, 0);
    copied = f.end;
  }
  query.sql += sql.substr(copied);
  for (const std::string& marker : RewriteMarkers(query.sql).markers) {
    const TnpqParamItem* item = params_.FindParam(marker);
    if (item == nullptr) {
      throw Exception(layout_.file + ": query: o marcador :" + marker +
                      " não é parâmetro nem variável do layout");
    }
    query.params.Add(marker, MarkerValue(*item));
  }
  return query;
}

void TnrwReport::AbrirMainDataSet() {
  if (layout_.query.empty()) return;
  const TnMainQuery query = MontarConsultaPrincipal();
  try {
    main_dataset_.reset(ExecutarSQL(query.sql, query.params));
  } catch (const EDatabaseError& e) {
    throw EDatabaseError(layout_.file + ": consulta do layout: " + e.Message());
  }
  main_opened_ = true;
}

TnClientDataSet* TnrwReport::MainDataSet() {
  if (layout_.query.empty()) return nullptr;
  if (!main_opened_) AbrirMainDataSet();
  return main_dataset_.get();
}

std::string TnrwReport::FieldText(const std::string& column) {
  TnClientDataSet* rows = MainDataSet();
  if (rows == nullptr) {
    throw Exception(layout_.file + ": uma etiqueta mostra o campo " + column +
                    ", mas o layout não tem consulta (query)");
  }
  TField* field = rows->FindField(column);
  if (field == nullptr) {
    throw Exception(layout_.file + ": uma etiqueta mostra o campo " + column +
                    ", que a consulta do layout não traz");
  }
  return rows->IsEmpty() ? std::string() : field->AsString();
}

// --- the report instance -----------------------------------------------------------

void TnrwReport::AttachReport(TnrwBaseDll* report) { reports_.push_back(report); }

void TnrwReport::DetachReport(TnrwBaseDll* report) {
  if (OnSectionPrint.Owner() == report) OnSectionPrint = nullptr;
  reports_.erase(std::remove(reports_.begin(), reports_.end(), report), reports_.end());
  if (zebra_source_ == report) zebra_source_ = nullptr;
}

TnrwBaseDll* TnrwReport::CurrentReport() const {
  return reports_.empty() ? nullptr : reports_.back();
}

// --- the print -------------------------------------------------------------------------

void TnrwReport::BeginPrint(const TnPrintOutputs& outputs) {
  if (printing_ || page_count_ > 0) {
    throw Exception(layout_.file + ": este motor já imprimiu; cada impressão usa um motor novo");
  }
  outputs_ = std::make_unique<TnOutputSet>(outputs);
  try {
    spool_ = std::make_unique<TnPageSpool>();
    const std::string& trace = outputs_->Temporary().trace;
    if (trace.empty()) {
      trace_->Disable();
    } else {
      trace_->Open(trace);
    }
    composer_->SetOutput(spool_.get(), trace_.get());
    printing_ = true;
    if (!layout_.query.empty()) AbrirMainDataSet();
  } catch (...) {
    AbortPrint();
    throw;
  }
}

void TnrwReport::EndPrint(const std::vector<TnCanvas*>& more) {
  if (!printing_) throw Exception(layout_.file + ": EndPrint sem BeginPrint");
  try {
    composer_->Finish();
    page_count_ = composer_->Page();
    const TnPrintOutputs& temp = outputs_->Temporary();
    std::vector<std::unique_ptr<TnCanvas>> canvases;
    if (!temp.text.empty()) canvases.push_back(MakeTextCanvas(temp.text));
    if (!temp.pdf.empty()) canvases.push_back(MakePdfCanvas(temp.pdf));
    if (!temp.png.empty()) canvases.push_back(MakePngCanvas(temp.png));
    for (auto& c : MakeSheetCanvases(*spool_, layout_, temp)) canvases.push_back(std::move(c));
    std::vector<TnCanvas*> targets;
    for (auto& c : canvases) targets.push_back(c.get());
    targets.insert(targets.end(), more.begin(), more.end());
    if (!targets.empty()) spool_->Replay(layout_.page, targets);
    canvases.clear();
    trace_->Close();
    outputs_->Commit();
  } catch (...) {
    AbortPrint();
    throw;
  }
  ClosePrint();
}

void TnrwReport::AbortPrint() {
  trace_->Disable();
  ClosePrint();
}

void TnrwReport::ClosePrint() {
  ClearStatus(TnStatusSlot::Engine);
  composer_->SetOutput(nullptr, nullptr);
  spool_.reset();
  outputs_.reset();  // removes whatever was not committed
  if (printing_ && page_count_ == 0) page_count_ = composer_->Page();
  printing_ = false;
}

}  // namespace vireo
