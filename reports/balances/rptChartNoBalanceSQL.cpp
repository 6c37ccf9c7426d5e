#include "reports/balances/rptChartNoBalanceSQL.h"

#include "host/core/text.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

const std::vector<int> kInclusaoInteiros = {1};

bool ContemWhere(const std::string& texto) {
  return UpperCase(texto).find("WHERE") != std::string::npos;
}

}  // namespace

std::string SelectContasIncluidas(const std::string& codigo_conta) {
  return "SELECT C.CODIGOCONTA ,C.TIPOCONTA ,C.CLASSIFCONTA FROM FPRCONTA C where " +
         FilterInterval("C.CODIGOCONTA", codigo_conta, kInclusaoInteiros, false, 0);
}

std::string CondicaoInclusao(const std::vector<TnContaIncluida>& contas) {
  if (contas.empty()) return "(1=0)";
  std::string condicao;
  for (const TnContaIncluida& conta : contas) {
    if (!condicao.empty()) condicao += "OR  ";
    if (conta.Sintetica) {
      condicao += "(C.CLASSIFCONTA LIKE " + ValorParaSQL(Variant(conta.Classificacao + "%")) + ")";
    } else {
      condicao += "(C.CODIGOCONTA = " + conta.Codigo + ")";
    }
  }
  return condicao;
}

std::string SelectContasPlano(const TnFiltroPlanoSemSaldo& filtro) {
  std::string where;
  if (filtro.SomenteSinteticas) where += "where C.TIPOCONTA = 1 ";
  if (!filtro.Inclusao.empty()) {
    where += (where.empty() ? "where " : "and ") + ("(" + filtro.Inclusao + ")");
  }
  if (filtro.ContaSemSaldo) {
    where += ContemWhere(where) ? "and" : "where";
    where +=
        " not exists (select CODIGOCONTA from FPRCONTASALDO SAL where SAL.CODIGOCONTA = "
        "C.CODIGOCONTA and SAL.VALORDEB <> SAL.VALORCRED)";
  }
  if (!filtro.CodigoEscrit.empty()) {
    where += where.empty() ? " where " : " and ";
    where +=
        "(" +
        FilterInterval("C.CodigoEscritorio", filtro.CodigoEscrit, kInclusaoInteiros, false, 0, -1) +
        " or (C.CodigoEscritorio is null)) ";
  }
  return "SELECT C.CODIGOCONTA ,C.TIPOCONTA ,C.CLASSIFCONTA ,C.DESCRCONTA ,C.NATURSALDO "
         ",C.MODALIDADECONTA ,C.CODIGOMOEDA ,C.CODIGOPESSOACONTA ,C.CODIGOCONTABANC "
         ",C.CODIGOESCRITORIO from FPRCONTA C " +
         where + " order by C.CLASSIFCONTA ";
}

std::string SelectMoedasPlano() {
  return "select   CODIGOMOEDA,   NOMEMOEDA from FPRMOEDA order by CODIGOMOEDA";
}

std::string SelectContasBancPlano() {
  return "select   PCB.CODIGOPESSOAFIN,   PCB.CODIGOCONTABANC,   AGE.CODIGOBANCO,   BAN.NOMEBANCO, "
         "  "
         "PCB.CODIGOAGENCIABANC,   PCB.NRCONTABANC,   AGE.NOMEAGENCIA from PESSOACONTABANC PCB "
         "join "
         "PessoaFinanceiro PES  on PES.CODIGOPESSOAFIN = PCB.CODIGOPESSOAFIN join ESCRITORIO EMP "
         "on "
         "EMP.CODIGOESCRIT = PES.CODIGOPESSOAFIN join AGENCIABANC AGE on PCB.CODIGOAGENCIABANC = "
         "AGE.CODIGOAGENCIABANC join BANCO BAN on BAN.CODIGOBANCO = AGE.CODIGOBANCO order by "
         "PCB.CODIGOPESSOAFIN, PCB.CODIGOCONTABANC";
}

std::string SelectEscritoriosPlano(const std::string& codigo_escrit) {
  std::string sql =
      "select distinct C.CODIGOESCRITORIO , PF.NOME , PF.INSCFEDERAL from FPRCONTA C join "
      "PESSOAFINANCEIRO  PF on PF.CODIGOPESSOAFIN = C.CODIGOESCRITORIO where C.CODIGOESCRITORIO is "
      "not null ";
  if (!codigo_escrit.empty()) {
    sql += FilterInterval("C.CODIGOESCRITORIO", codigo_escrit, kInclusaoInteiros, true, 0, -1);
  }
  return sql + "order by C.CODIGOESCRITORIO";
}

}  // namespace vireo
