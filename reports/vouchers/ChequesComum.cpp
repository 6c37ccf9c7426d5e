#include "reports/vouchers/ChequesComum.h"

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "host/report/messages.h"

namespace vireo {

const char kMascaraValorCheque[] = "#,##0.00";
const char kMascaraNumeroCheque[] = "000000";
const char kMsgPeriodoCheque[] = "A data inicial não pode ser maior que a data final.";

namespace {

constexpr int kVariaveisLinha = 7;  // R1 to R7

}  // namespace

void LerFiltroCheques(const TnrwReport& report, TnFiltroCheques& filtro) {
  filtro.CodigoEscrit = Trim(report.RepParam("pCodigoEscrit"));
  filtro.NumeroCheque = StrToIntDef(Trim(report.RepParam("pNumeroChequeFpr")), 0);
  filtro.StatusCheque = Trim(report.RepParam("pStatusDoCheque"));
  filtro.DataInicial = report.GetParams()->FindParam("pDataInicial")->GetAsDate();
  filtro.DataFinal = report.GetParams()->FindParam("pDataFinal")->GetAsDate();
}

void ValidarPeriodoCheques(const TnFiltroCheques& filtro) {
  if (filtro.DataFinal < filtro.DataInicial) throw Exception(kMsgPeriodoCheque);
}

bool AbrirConsultasCheque(TnrwReport& report, const std::string& sql_empresas,
                          const std::string& sql_cheques, TnClientDataSet*& empresas,
                          TnClientDataSet*& cheques) {
  try {
    empresas = ExecutarSQL(sql_empresas, {}, true, false, -1, "", nullptr, true);
    cheques = ExecutarSQL(sql_cheques, {}, true, false, -1, "", nullptr, true);
    return true;
  } catch (const EDatabaseError& e) {
    DestruirSQL(empresas);
    DestruirSQL(cheques);
    report.MsgConfigurar({"Mensagem"}, 0);
    report.MsgMensagem(kMsgAviso, e.Message());
    return false;
  }
}

void CabecalhoEmpresaCheque(TnrwReport& report, const std::string& codigo_escrit,
                            const TMapEmp& empresa) {
  if (codigo_escrit.empty()) {
    report.SetValues("pNomeEmpresa", "");
    report.SetValues("pInscrFederal", "");
    return;
  }
  report.SetValues("pNomeEmpresa",
                   FormatFloat("0000", static_cast<double>(empresa.CODIGOPESSOAFIN->AsInteger())) +
                       " " + empresa.NOME->AsString());
  report.SetValues("pInscrFederal", "CNPJ: " + empresa.INSCFEDERAL->AsString());
}

void FiltrarChequesEmpresa(TnClientDataSet& cheques, const std::string& codigo_escrit,
                           int64_t empresa) {
  cheques.SetFiltered(false);
  if (codigo_escrit.empty()) return;
  cheques.SetFilter("CODIGOESCRIT = " + std::to_string(empresa));
  cheques.SetFiltered(true);
}

void EsvaziarLinhaCheque(TnrwReport& report) {
  for (int i = 1; i <= kVariaveisLinha; ++i) report.SetValues("R" + std::to_string(i), "");
}

void ImprimirTotalCheque(TnrwReport& report, int secao, const std::string& descricao,
                         double valor) {
  report.SetValues("T1", descricao);
  report.SetValues("T2", FormatFloat(kMascaraValorCheque, valor));
  report.RepPrintSection(secao);
}

void ImprimirTotalDataCheque(TnrwReport& report, int secao, TDateTime data, double valor) {
  EsvaziarLinhaCheque(report);
  ImprimirTotalCheque(report, secao, "Total em " + DateToStr(data), valor);
}

}  // namespace vireo
