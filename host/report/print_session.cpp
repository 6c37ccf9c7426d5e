#include "host/report/print_session.h"

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"
#include "host/report/loaded_plugin.h"
#include "host/report/panel.h"
#include "host/report/params.h"

namespace vireo {

namespace {

// Dates are accepted as dd/mm/yyyy and yyyy-mm-dd; the panel keeps the first.
std::string PanelValue(const TnpqParamItem& item, const std::string& value) {
  if (item.Kind() == TnParamKind::Date && value.find('-') != std::string::npos) {
    TDateTime d;
    if (TryStrToDate(value, d)) return FormatDateTime("dd/mm/yyyy", d);
  }
  return value;
}

// Hands the progress of the prints on this thread to a callback while it
// lives.
class ProgressForwarder : public TnProgressObserver {
 public:
  explicit ProgressForwarder(const TnProgressCallback& callback) : callback_(callback) {
    if (callback_) previous_ = SetProgressObserver(this);
  }
  ~ProgressForwarder() override {
    if (callback_) SetProgressObserver(previous_);
  }

  void CounterChanged(long long position, long long total, int page) override {
    state_.position = position;
    state_.total = total;
    state_.page = page;
    callback_(state_);
  }
  void FrameChanged(const TnProgresso& frame) override {
    state_.frame_visible = frame.Visible();
    state_.frame_total = frame.Total();
    state_.frame_partial = frame.Parcial();
    callback_(state_);
  }

 private:
  const TnProgressCallback& callback_;
  TnProgressObserver* previous_ = nullptr;
  TnPrintProgress state_;
};

}  // namespace

TnPrintSession::TnPrintSession(std::shared_ptr<const TnLoadedPlugin> plugin,
                               const std::string& layout_file, TnRunVia via)
    : TnPrintSession(std::move(plugin), LoadLayout(layout_file), via) {}

TnPrintSession::TnPrintSession(std::shared_ptr<const TnLoadedPlugin> plugin, TnLayout layout,
                               TnRunVia via)
    : plugin_(std::move(plugin)),
      engine_(std::make_unique<TnrwReport>(std::move(layout))),
      via_(via) {}

TnPrintSession::~TnPrintSession() { FreeReportQuietly(instance_); }

void TnPrintSession::RefuseAfterPrint() const {
  if (printed_)
    throw Exception(engine_->Layout().file +
                    ": esta sessão já imprimiu; cada impressão usa uma nova");
}

TnrwBaseDll& TnPrintSession::Prepare() {
  RefuseAfterPrint();
  if (via_ == TnRunVia::kExport)
    throw Exception(engine_->Layout().file +
                    ": a impressão pela exportação Imprimir não tem instância");
  if (!instance_) {
    std::unique_ptr<TnrwBaseDll> instance = plugin_->ClassDll()->Instanciar(engine_.get());
    if (via_ == TnRunVia::kConfiguredInstance) {
      try {
        instance->AntesConfigurar(engine_->Panel());
        instance->DepoisConfigurar();
      } catch (...) {
        FreeReportQuietly(instance);
        throw;
      }
    }
    instance_ = std::move(instance);
  }
  return *instance_;
}

void TnPrintSession::SetParameter(const std::string& name, const std::string& value) {
  TnrwBaseDll* configured = via_ == TnRunVia::kConfiguredInstance ? &Prepare() : nullptr;
  TnpqParamItem* item = engine_->GetParams()->FindParam(name);
  if (!item || !item->IsParameter())
    throw EUsage("Parâmetro desconhecido: " + name + " (veja `vireo params`)");
  item->SetValue(PanelValue(*item, value));
  if (configured) configured->DoParamChange(engine_->Panel(), item);
}

void TnPrintSession::SetParameters(const TnParamValues& values) {
  for (const auto& [name, value] : values) SetParameter(name, value);
}

void TnPrintSession::SetAssignment(const std::string& assignment) {
  if (via_ == TnRunVia::kConfiguredInstance) Prepare();
  size_t eq = assignment.find('=');
  if (eq == std::string::npos || eq == 0)
    throw EUsage("Parâmetro mal escrito: \"" + assignment + "\" (use -p NOME=VALOR)");
  SetParameter(Trim(assignment.substr(0, eq)), assignment.substr(eq + 1));
}

void TnPrintSession::SetAssignments(const std::vector<std::string>& assignments) {
  for (const std::string& a : assignments) SetAssignment(a);
}

TnPrintResult TnPrintSession::Print(const TnPrintOutputs& outputs,
                                    const TnProgressCallback& progress) {
  RefuseAfterPrint();
  if (via_ != TnRunVia::kExport) Prepare();
  printed_ = true;
  ProgressForwarder forwarder(progress);
  try {
    engine_->BeginPrint(outputs);
    Run();
    // As the frame frees its own: pages render with no report bound.  A
    // destructor that raises fails the print before any output is written.
    if (instance_) FreeReport(instance_);
    engine_->EndPrint();
  } catch (...) {
    FreeReportQuietly(instance_);  // the first error is the one reported
    engine_->AbortPrint();
    throw;
  }
  return {engine_->PageCount(), engine_->Messages().Items(), outputs};
}

void TnPrintSession::Run() {
  if (via_ == TnRunVia::kExport) {
    plugin_->Imprimir(static_cast<TObject*>(engine_.get()));
  } else {
    instance_->ImprimirInterno();
  }
}

}  // namespace vireo
