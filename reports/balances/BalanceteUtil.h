// Pieces the trial-balance reports share: the amount mask, the rows of the
// chart and of the account-balance module, the closing messages and the
// progress reset.
#pragma once

#include <string>

#include "host/biz/mapper_contas.h"
#include "host/biz/saldo_conta_individual.h"
#include "host/data/mapper.h"

namespace vireo {

class TField;
class TnrwReport;

// Rows of the chart query (FPRCONTA).
struct TnMapperPlanoContas {
  TField* CodigoConta{};
  TField* TipoConta{};
  TField* ClassifConta{};
  TField* DescrConta{};
  VIREO_MAPPER(TnMapperPlanoContas, CodigoConta, TipoConta, ClassifConta, DescrConta)
};

// Rows of the account-balance data module.
using TnMapperDadosContas = TnMapperContas;

// The absolute value with "##,###,##0.00"; a negative amount between
// parentheses, any other followed by one blank, so the digits of both line
// up in a right-aligned column.
std::string FormatarValorBalancete(double valor);

// Lists the module's message and the warning about an entry-origin filter
// after the print; nothing when there is neither.
void MostrarMensagensBalancete(TnrwReport* report, const std::string& msg_erro,
                               const std::string& origem_lcto_caixa);

// Sets the engine's two progress counters back to 0 when the scope ends,
// also when it ends by an exception.
class TnZerarProgresso {
 public:
  explicit TnZerarProgresso(TnrwReport* report) : report_(report) {}
  ~TnZerarProgresso();
  TnZerarProgresso(const TnZerarProgresso&) = delete;
  TnZerarProgresso& operator=(const TnZerarProgresso&) = delete;

 private:
  TnrwReport* report_;
};

}  // namespace vireo
