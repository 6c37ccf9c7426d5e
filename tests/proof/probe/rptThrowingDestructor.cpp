// A report whose destructor raises, as one that releases a dataset or a
// business entity there may fail: the host must answer with that error and
// write nothing, not end the process.  With pFalhar the body fails first,
// and that error is the one the host reports.
#include "frame/nrwBaseDllReg.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/report/base_dll.h"
#include "host/report/engine.h"

namespace vireo {

class TrptThrowingDestructor : public TnrwBaseDll {
 public:
  using TnrwBaseDll::TnrwBaseDll;
  ~TrptThrowingDestructor() override { throw Exception("falha ao liberar o relatório de prova"); }

  void ImprimirInterno() override {
    for (int i = 1; i <= 3; ++i) {
      FReport->SetValues("R1", "Linha " + IntToStr(i));
      FReport->RepPrintSection(8);
    }
    if (FReport->GetValues("pFalhar") == "1") throw Exception("falha proposital do relatório");
  }
};

VIREO_REGISTER_REPORT(TrptThrowingDestructor)

}  // namespace vireo
