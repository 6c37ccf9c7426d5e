// Pieces the trial-balance reports share: the amount mask, the host's
// account-balance data module, the closing messages and the progress reset.
#pragma once

#include <memory>
#include <string>

namespace vireo {

class TnClientDataSet;
class TnDMPowerParam;
class TnrwReport;

// "Existe um filtro para lançamentos ativo. ..."
extern const char kMsgFiltroOrigem[];

// The absolute value with "##,###,##0.00"; a negative amount between
// parentheses, any other followed by one blank, so the digits of both line
// up in a right-aligned column.
std::string FormatarValorBalancete(double valor);

// The host's TnFprDPGerarSaldoContaIndividual, created by name.  Raises
// when the host has none or it is not a TnDMPowerParam.
std::unique_ptr<TnDMPowerParam> CriarDMSaldoConta();
// The module's result "nClientDataSet" (owned by the module).
TnClientDataSet* ResultadoDMSaldoConta(TnDMPowerParam& dm);

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
