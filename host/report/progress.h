// Progress of a print on standard error.
//
// The engine's counter (CSLShowProgress) and the host's progress frame with
// two bars (CriarProgresso) draw a line or two on standard error, redrawn in
// place at most ten times a second, and only when standard error is a
// terminal: a print run by a script or a test writes nothing.
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
  ~TnProgresso() override;

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

}  // namespace vireo
