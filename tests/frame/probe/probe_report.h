// A small report used to test the plug-in frame and `vireo print`.
//
// TrptFrameProbe prints pLinhas lines of section 8 (an accented text and an
// amount), showing them on the engine's counter and the progress frame; it
// can be told to fail in its body (pFalhar), to raise a parameter error
// (pErroParam) or to run a query (pSQL).  It counts its instances so tests
// can see what the frame created and freed, and the instance that prints
// leaves the panel steps it went through in the variable pPassos, so tests
// can see their order and that they reached that very instance.
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
  void AntesConfigurar(TObject* parent) override;
  void DepoisConfigurar() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void ImprimirInterno() override;

 private:
  void MostrarLinhas(int linhas);

  std::string FMarca;   // set during a print; a new instance starts without it
  std::string FPassos;  // "AntesConfigurar;DoParamChange pLinhas;..."
};

}  // namespace vireo
