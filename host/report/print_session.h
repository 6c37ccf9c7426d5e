// One print of a report plug-in, run the way the host's panel runs it.
//
// A session holds the plug-in, the engine made from the layout and the
// report instance that prints.  The steps, in this order:
//
//   1. Prepare: the instance, ClassDll()->Instanciar(engine), then
//      AntesConfigurar(panel) and DepoisConfigurar() on it;
//   2. SetParameter for each value given, in the order given: the value
//      into the panel, then DoParamChange(panel, parameter);
//   3. Print: BeginPrint into the outputs, ImprimirInterno, the instance
//      freed, EndPrint.  The outputs appear only now and only when the whole
//      print succeeded; on failure none is left and the error passes on.  A
//      destructor of the instance that raises fails the print too, unless
//      the print had already failed: the first error is the one reported.
//
// A step asked for before the ones it needs runs them first, so a caller
// that only prints still gets the whole sequence.  Values set straight on
// Engine() before Prepare reach the instance as the layout's own values,
// without DoParamChange.  A session prints once; the engine stays to be
// read afterwards (messages, pages, the panel).  Errors are the host's
// exceptions: an unknown parameter or a badly written assignment is EUsage,
// a refused value EnParam or EConvertError.
//
// Progress: Print hands the engine's counter and the host's progress frame
// to a callback, on the thread that prints, as they change.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/core/export.h"
#include "host/report/layout.h"
#include "host/report/messages.h"
#include "host/report/outputs.h"
#include "host/report/progress.h"

namespace vireo {

class TnLoadedPlugin;
class TnrwBaseDll;
class TnrwReport;

// Parameter values by name, in the order they are given.
using TnParamValues = std::vector<std::pair<std::string, std::string>>;

// How a session runs the plug-in.  The host's panel and `vireo print`
// configure the instance; a host may also print a bare instance or call the
// Imprimir export, and tests hold all three to the same print.  Without a
// configured instance, SetParameter only sets the value.
enum class TnRunVia {
  kConfiguredInstance,  // the steps above
  kInstance,            // an instance without the configure steps
  kExport,              // Imprimir(engine): the frame makes and frees its own
};

// Where a print has got to.
struct VIREO_API TnPrintProgress {
  long long position = 0, total = 0;  // the engine's counter (0, 0 when cleared)
  int page = 0;                       // the page being composed
  bool frame_visible = false;         // the host's progress frame, when shown
  TnProgressBar frame_total, frame_partial;
};
using TnProgressCallback = std::function<void(const TnPrintProgress&)>;

// What a print handed back.
struct VIREO_API TnPrintResult {
  int pages = 0;
  std::vector<TnMessage> messages;
  TnPrintOutputs outputs;  // the files written
};

class VIREO_API TnPrintSession {
 public:
  // The engine is made now, from the layout file or from a layout already
  // read; the instance waits for Prepare.
  TnPrintSession(std::shared_ptr<const TnLoadedPlugin> plugin, const std::string& layout_file,
                 TnRunVia via = TnRunVia::kConfiguredInstance);
  TnPrintSession(std::shared_ptr<const TnLoadedPlugin> plugin, TnLayout layout,
                 TnRunVia via = TnRunVia::kConfiguredInstance);
  ~TnPrintSession();
  TnPrintSession(const TnPrintSession&) = delete;
  TnPrintSession& operator=(const TnPrintSession&) = delete;

  TnrwReport& Engine() const { return *engine_; }
  // The instance that will print (made and, if so run, configured now);
  // with kExport there is none and this raises.
  TnrwBaseDll& Prepare();

  // The panel's change of one parameter.  Dates are taken as dd/mm/yyyy or
  // yyyy-mm-dd and kept in the first form.
  void SetParameter(const std::string& name, const std::string& value);
  void SetParameters(const TnParamValues& values);
  // The same from "NAME=VALUE"; each is read when its turn comes, so an
  // earlier value is refused before a later one is found badly written.
  void SetAssignment(const std::string& assignment);
  void SetAssignments(const std::vector<std::string>& assignments);

  TnPrintResult Print(const TnPrintOutputs& outputs, const TnProgressCallback& progress = {});

 private:
  void RefuseAfterPrint() const;
  void Run();

  // Declared so that the instance goes first, then the engine, and the
  // plug-in that holds the instance's code last.
  std::shared_ptr<const TnLoadedPlugin> plugin_;
  std::unique_ptr<TnrwReport> engine_;
  std::unique_ptr<TnrwBaseDll> instance_;
  TnRunVia via_;
  bool printed_ = false;
};

}  // namespace vireo
