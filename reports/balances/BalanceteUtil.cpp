#include "reports/balances/BalanceteUtil.h"

#include <cmath>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/report/data_module.h"
#include "host/report/engine.h"

namespace vireo {

const char kMsgFiltroOrigem[] =
    "Existe um filtro para lançamentos ativo. Cuidado com as informações apresentadas pois houve "
    "lançamentos ignorados.";

namespace {
const char kNomeDMSaldoConta[] = "TnFprDPGerarSaldoContaIndividual";
}  // namespace

std::string FormatarValorBalancete(double valor) {
  const std::string texto = FormatFloat("##,###,##0.00", std::fabs(valor));
  return valor < 0 ? "(" + texto + ")" : texto + " ";
}

std::unique_ptr<TnDMPowerParam> CriarDMSaldoConta() {
  std::unique_ptr<TnDataModule> dm(CriarDMNovo(kNomeDMSaldoConta));
  auto* power = dynamic_cast<TnDMPowerParam*>(dm.get());
  if (power == nullptr) {
    throw Exception(std::string("O módulo de dados ") + kNomeDMSaldoConta +
                    " não é um TnDMPowerParam.");
  }
  dm.release();
  return std::unique_ptr<TnDMPowerParam>(power);
}

TnClientDataSet* ResultadoDMSaldoConta(TnDMPowerParam& dm) {
  auto* cds = dynamic_cast<TnClientDataSet*>(dm.FindComponent("nClientDataSet"));
  if (cds == nullptr) {
    throw Exception(std::string("O módulo de dados ") + kNomeDMSaldoConta +
                    " não tem nClientDataSet.");
  }
  return cds;
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
