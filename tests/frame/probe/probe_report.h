// A small report used to test the plug-in frame and `vireo print`.
//
// TrptFrameProbe prints pLinhas lines of section 8 (an accented text and an
// amount), can be told to fail in its body (pFalhar), to raise a parameter
// error (pErroParam) or to run a query (pSQL); it counts its instances so
// tests can see what the frame created and freed.
#pragma once

#include <string>

#include "host/report/base_dll.h"

namespace vireo {

struct ProbeCounters {
  int created = 0;
  int destroyed = 0;
};
ProbeCounters& ProbeCountersOf();

class TrptFrameProbe : public TnrwBaseDll {
 public:
  explicit TrptFrameProbe(TnrwReport* report);
  ~TrptFrameProbe() override;
  std::string Versao() override { return "[versao: 9.9.9.9]"; }
  std::vector<int> CriarListaSectionsParaZebrar() override { return {8}; }
  void ImprimirInterno() override;

 private:
  std::string FMarca;  // set during a print; a new instance starts without it
};

}  // namespace vireo
