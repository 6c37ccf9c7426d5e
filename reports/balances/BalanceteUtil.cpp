#include "reports/balances/BalanceteUtil.h"

#include <cmath>

#include "host/biz/empresas.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/report/engine.h"

namespace vireo {

std::string FormatarValorBalancete(double valor) {
  const std::string texto = FormatFloat("##,###,##0.00", std::fabs(valor));
  return valor < 0 ? "(" + texto + ")" : texto + " ";
}

void MostrarMensagensBalancete(TnrwReport* report, const std::string& msg_erro,
                               const std::string& origem_lcto_caixa) {
  const bool filtro_origem = !Trim(origem_lcto_caixa).empty();
  if (msg_erro.empty() && !filtro_origem) return;
  report->MsgConfigurar({"Mensagem"}, 0);
  if (filtro_origem) report->MsgMensagem(1, kMsgFiltroOrigem);
  if (!Trim(msg_erro).empty()) report->MsgMensagem(0, msg_erro);
}

TnZerarProgresso::~TnZerarProgresso() { report_->CSLShowProgress(0, 0); }

}  // namespace vireo
