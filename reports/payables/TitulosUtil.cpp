#include "reports/payables/TitulosUtil.h"

#include "host/biz/exibe_empresa.h"
#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"

namespace vireo {

const char kMascaraValorTitulo[] = "##,###,##0.00";

std::string FormatarValorTitulo(double valor) { return FormatFloat(kMascaraValorTitulo, valor); }

std::string FormatarDataTitulo(const TField* campo) {
  return campo->IsNull() ? std::string() : FormatDateTime("dd/mm/yyyy", campo->AsDateTime());
}

int LerParamInteiro(const TnrwReport& report, const std::string& nome) {
  const std::string texto = report.RepParam(nome);
  int valor = 0;
  if (!TryStrToInt(texto, valor)) {
    throw EConvertError("Parâmetro " + nome + ": \"" + texto + "\" não é um número inteiro.");
  }
  return valor;
}

int LerParamInteiroDef(const TnrwReport& report, const std::string& nome) {
  return StrToIntDef(report.RepParam(nome), 0);
}

TDateTime LerParamData(const TnrwReport& report, const std::string& nome) {
  return StrToDateDef(report.RepParam(nome), 0);
}

void ValidarTipoQuebra(int tipo_quebra) {
  if (tipo_quebra == tqPessoa || tipo_quebra == tqData) return;
  throw EnParam("pOrdenar", "Parâmetro pOrdenar: agrupamento " + std::to_string(tipo_quebra) +
                                " desconhecido; use 0 (por pessoa) ou 1 (por data).");
}

void ValidarPeriodo(TDateTime inicial, TDateTime final_) {
  if (final_ < inicial) throw Exception("A data inicial não pode ser maior que a data final.");
}

std::string SufixoModelo(int modelo) {
  switch (modelo) {
    case mtContabil:
      return " - Modelo Contábil";
    case mtFinanceiro:
      return " - Modelo Financeiro";
    default:
      return "";
  }
}

std::string DataSQL(TDateTime data) {
  return ValorParaSQL(Variant::FromDateTime(data), TFieldKind::Date);
}

std::string InteiroSQL(int valor) { return ValorParaSQL(valor, TFieldKind::Integer); }

std::string TiposContatoTelefone() {
  std::string lista;
  for (int tipo : {1, 2, 3, 5, 0, 4}) {
    if (!lista.empty()) lista += ",";
    lista += InteiroSQL(tipo);
  }
  return lista;
}

void PreencherEmpresa(TnrwReport& report, const std::string& codigo_escrit, const TField* nome,
                      const TField* inscr_federal) {
  const bool exibir = ExibeEmpresaRel(codigo_escrit);
  report.SetValues("pNomeEmpresa", exibir ? nome->AsString() : "");
  report.SetValues("pInscrFederal", exibir ? inscr_federal->AsString() : "");
}

}  // namespace vireo
