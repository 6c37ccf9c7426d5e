// TnrwReport: the report engine a plug-in prints through.
//
// One engine per layout and print.  It is the report's parameter query (one
// collection of parameters and layout variables), composes pages from the
// sections the report prints, calls the report's OnSectionPrint handler,
// keeps the message list and the progress, and hands the panel controls and
// the layout's query rows (MainDataSet) to the report.
//
// The host drives a print like this:
//
//   TnrwReport engine(LoadLayout("rptLedger.json"));
//   engine.GetParams()->SetValues("pDataInicial", "01/01/2024");
//   std::unique_ptr<TnrwBaseDll> report = cls->Instanciar(&engine);
//   report->AntesConfigurar(engine.Panel());   // and DepoisConfigurar, DoParamChange
//   engine.BeginPrint({.pdf = "out.pdf", .trace = "out.trace"});
//   report->ImprimirInterno();
//   engine.EndPrint();                         // renders; outputs appear now
//   for (auto& m : engine.Messages().Items()) ...
//
// Page rules: section 1 heads every page and is followed by OnSectionPrint(1)
// so handlers can print column headings; section 2 is the title under it on
// the first page; section 3 is the footer at the bottom of every page (its
// texts may show "{pagina}" and "{paginas}").  A section that does not fit
// starts a new page; RepEndOfPage(true) and SetCSLIsPageEnd(true) put the
// next section on a new page.  Sections from the report's
// CriarListaSectionsParaZebrar get alternating light backgrounds.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/export.h"
#include "host/data/sql.h"
#include "host/report/labels.h"
#include "host/report/layout.h"
#include "host/report/messages.h"
#include "host/report/outputs.h"
#include "host/report/params.h"

namespace vireo {

class TnrwBaseDll;
class TnrwReport;
class TnpqImage;
class TnpqChart;
class TnPanel;
class TnFraControle;
class TnClientDataSet;
class TnPageComposer;
class TnPageSpool;
class TnCanvas;
class TnTraceWriter;
class TnOutputSet;

// The engine's OnSectionPrint event.  Assigning a handler records which
// report instance set it, so the engine can drop the handler when that
// instance is freed and never call into a dead report.
class VIREO_API TnSectionPrintEvent {
 public:
  using Handler = std::function<void(TObject* sender, int section)>;
  explicit TnSectionPrintEvent(const TnrwReport* engine) : engine_(engine) {}
  TnSectionPrintEvent(const TnSectionPrintEvent&) = delete;
  TnSectionPrintEvent& operator=(const TnSectionPrintEvent&) = delete;

  TnSectionPrintEvent& operator=(Handler handler);
  TnSectionPrintEvent& operator=(std::nullptr_t);
  explicit operator bool() const { return static_cast<bool>(handler_); }
  void operator()(TObject* sender, int section) const;
  // The report instance that set the handler (null when the host did).
  const TnrwBaseDll* Owner() const { return owner_; }

 private:
  const TnrwReport* engine_;
  Handler handler_;
  const TnrwBaseDll* owner_ = nullptr;
};

// The layout's query as it will run: parameters bound, selections expanded.
struct VIREO_API TnMainQuery {
  std::string sql;
  TnSQLParams params;
};

class VIREO_API TnrwReport : public TnpqPowerQuery {
 public:
  explicit TnrwReport(TnLayout layout);
  ~TnrwReport() override;

  const TnLayout& Layout() const { return layout_; }

  // --- parameters and variables --------------------------------------------
  // A parameter's text; raises when the layout has no such name.
  std::string RepParam(std::string_view name) const;
  // The text of a parameter or variable, "" when there is none.
  std::string GetValues(std::string_view name) const { return params_.GetValues(name); }
  // Sets a variable or parameter; a new name becomes a variable.
  void SetValues(std::string_view name, const std::string& text) { params_.SetValues(name, text); }
  // The panel's parameters, in layout order.
  std::vector<TnpqParamItem*> Parametros() const;

  // --- sections and pages -----------------------------------------------------
  // Prints section n now, with the variables as they are.
  void RepPrintSection(int section);
  void RepEndOfPage(bool on) { page_end_ = on; }
  void SetCSLIsPageEnd(bool on) { page_end_ = on; }
  bool GetCSLIsPageEnd() const { return page_end_; }
  // Whether these sections, one under the other, still fit on the page.
  bool CanPrintSection(const std::vector<int>& sections) const;
  bool CanPrintSection(std::initializer_list<int> sections) const {
    return CanPrintSection(std::vector<int>(sections));
  }
  // The page being composed (0 before the first section).
  int PageNumber() const;
  // Height left for body sections on the current page.
  double RemainingHeight() const;

  // Called after each printed section, and after the page header of every
  // new page; `sender` is the engine.
  TnSectionPrintEvent OnSectionPrint;

  // --- zebra --------------------------------------------------------------------
  // Sections printed with alternating backgrounds; by default the bound
  // report's CriarListaSectionsParaZebrar.
  void SetZebraSections(std::vector<int> sections);
  // Sections that restart the alternation (CriarListaSectionsTrocaCor).
  void SetTrocaCorSections(std::vector<int> sections);
  // Shades the next print of a zebra section when its turn says so; the
  // report's DoZebradoBeforeSection calls it (the base class does).
  void ZebrarSecao(int section);

  // --- progress -----------------------------------------------------------------
  void CSLShowProgress(long long position, long long total);
  long long ProgressPosition() const { return progress_position_; }
  long long ProgressTotal() const { return progress_total_; }

  // --- messages -----------------------------------------------------------------
  void MsgConfigurar(const std::vector<std::string>& titles, int options);
  void MsgMensagem(int kind, const std::string& text);
  const TnMessageList& Messages() const { return messages_; }

  // --- layout objects -------------------------------------------------------------
  // Raises Exception naming the layout and the label when the layout has no
  // label of that name: a misspelt name must not silently change nothing.
  TnpqLabel* LabelByName(std::string_view name) const;
  int GetObjectCount() const { return static_cast<int>(objects_.size()); }
  TnpqObject* GetObjects(int i) const;
  TnpqImage* ImageByName(std::string_view name) const;
  TnpqChart* GraficoByName(std::string_view name) const;
  // A state reports hold at false while they rearrange labels; changes
  // apply to the sections printed afterwards either way.
  bool GetAtualizarLayout() const { return atualizar_layout_; }
  void SetAtualizarLayout(bool on) { atualizar_layout_ = on; }

  // --- panel ----------------------------------------------------------------------
  TnPanel* Panel() const { return panel_.get(); }
  TnFraControle* EdFindFieldControl(std::string_view name) const;
  void EdEnabledField(std::string_view name, bool on);
  void EdRequiredField(std::string_view name, bool on);

  // --- the layout's query -------------------------------------------------------
  // Rows of the layout's query, opened by BeginPrint (or on first use);
  // null when the layout has no query.
  TnClientDataSet* MainDataSet();
  // Runs the query again with the parameters as they are now.
  void AbrirMainDataSet();
  TnMainQuery MontarConsultaPrincipal() const;

  // --- the report instance ------------------------------------------------------
  // TnrwBaseDll binds itself on construction and unbinds when freed.
  void AttachReport(TnrwBaseDll* report);
  void DetachReport(TnrwBaseDll* report);
  TnrwBaseDll* CurrentReport() const;

  // --- the print ------------------------------------------------------------------
  // Starts a print into these outputs (any may be empty).  A section printed
  // before BeginPrint starts a print with no outputs.
  void BeginPrint(const TnPrintOutputs& outputs = {});
  // Renders the pages (to the outputs and to `more` canvases, such as a
  // viewer's) and moves the outputs into place.  On failure no output is
  // left and the error passes on.
  void EndPrint(const std::vector<TnCanvas*>& more = {});
  // Drops the print and its outputs (also done when the engine is freed).
  void AbortPrint();
  bool Printing() const { return printing_; }
  // Pages printed (final after EndPrint).
  int PageCount() const { return page_count_; }

 private:
  VIREO_LOCAL void BuildObjects();
  VIREO_LOCAL void BuildPanel();
  VIREO_LOCAL std::string FieldText(const std::string& column);
  VIREO_LOCAL void CheckSection(int section) const;
  VIREO_LOCAL void LoadZebraLists();
  VIREO_LOCAL void BeforeSection(int section);
  VIREO_LOCAL void NewPage(bool asked);
  VIREO_LOCAL bool ShadeFor(int section);
  VIREO_LOCAL void FireSectionPrint(int section);
  VIREO_LOCAL void ClosePrint();

  TnLayout layout_;
  std::vector<std::unique_ptr<TnpqObject>> objects_;
  std::unique_ptr<TnPanel> panel_;
  std::unique_ptr<TnPageComposer> composer_;
  std::unique_ptr<TnPageSpool> spool_;
  std::unique_ptr<TnTraceWriter> trace_;
  std::unique_ptr<TnOutputSet> outputs_;
  std::unique_ptr<TnClientDataSet> main_dataset_;
  TnMessageList messages_;
  std::vector<TnrwBaseDll*> reports_;

  std::vector<bool> zebra_;      // by section number
  std::vector<bool> troca_cor_;  // by section number
  bool zebra_explicit_ = false;
  const TnrwBaseDll* zebra_source_ = nullptr;
  int zebra_count_ = 0;
  bool zebra_shade_ = false;

  bool printing_ = false;
  bool page_end_ = false;
  bool page_has_body_ = false;
  bool in_page_start_ = false;
  int event_depth_ = 0;
  int before_depth_ = 0;
  int page_count_ = 0;
  bool main_opened_ = false;
  bool atualizar_layout_ = true;
  long long progress_position_ = 0;
  long long progress_total_ = 0;
};

}  // namespace vireo
