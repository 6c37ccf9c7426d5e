// Progress of a print on standard error.
//
// The engine's counter (CSLShowProgress) and the host's progress frame with
// two bars (CriarProgresso) draw a line or two on standard error, redrawn in
// place at most ten times a second, and only when standard error is a
// terminal: a print run by a script or a test writes nothing.  Whoever
// else follows a print (a browser page) sets an observer on the thread the
// print runs on and is told of every change.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/core/object.h"

namespace vireo {

// One bar of the progress frame.
struct VIREO_API TnProgressBar {
  std::string text;
  long long min = 0, max = 0, position = 0;
};

// The host's progress frame: a total bar and a partial bar.  There is one,
// owned by the host; CriarProgresso resets and hands it out.
class VIREO_API TnProgresso : public TObject {
 public:
  TnProgresso();
  ~TnProgresso() noexcept override;

  // Shows both bars (the form is the window the frame would cover).
  void MostrarMultiplo(TObject* form = nullptr);
  void ConfigurarProgressoTotal(long long min, long long max);
  void ConfigurarProgressoParcial(long long min, long long max);
  void SetProgressoTotal(long long position);
  void SetProgressoParcial(long long position);
  // Advances by `step`; 0 advances by one.
  void IncProgressoTotal(long long step = 0);
  void IncProgressoParcial(long long step = 0);
  void SetTextos(const std::string& total, const std::string& parcial);
  void Hide();

  bool Visible() const { return visible_; }
  const TnProgressBar& Total() const { return total_; }
  const TnProgressBar& Parcial() const { return parcial_; }
  void Reset();

 private:
  VIREO_LOCAL void Draw(bool force = false);

  TnProgressBar total_, parcial_;
  bool visible_ = false;
};

// The host's progress frame, reset; never freed by the caller.
VIREO_API TnProgresso* CriarProgresso(TObject* owner = nullptr);

// Someone besides the terminal following the progress of the prints that
// run on one thread (a print session handing it to a browser page).  Told of
// every change, not ten a second as the terminal is: keep the work cheap.
class VIREO_API TnProgressObserver {
 public:
  virtual ~TnProgressObserver();
  // The engine's counter moved (both 0 once it is cleared); `page` is the
  // page being composed.
  virtual void CounterChanged(long long position, long long total, int page) = 0;
  // The progress frame was shown, hidden, retitled or moved.
  virtual void FrameChanged(const TnProgresso& frame) = 0;
};

// Sets the observer of the calling thread (null for none) and returns the
// one it replaces.
VIREO_API TnProgressObserver* SetProgressObserver(TnProgressObserver* observer);
// The engine's counter moved: tells the calling thread's observer.
VIREO_API void NotifyCounterChanged(long long position, long long total, int page);

}  // namespace vireo
