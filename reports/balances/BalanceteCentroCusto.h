// Pieces the cost-centre trial balances share: reading their parameters,
// the period check, the item line, the plain amount mask and the bold style
// of a line section.  The company query and its header are the host's
// (host/biz/empresa_relatorio.h); the report class the three trial
// balances derive from is in BalanceteCentroCustoRelatorio.h.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/biz/balancete.h"
#include "host/biz/empresa_relatorio.h"
#include "host/biz/plano_item.h"
#include "host/core/datetime.h"

namespace vireo {

class TField;
class TnClientDataSet;
class TnrwReport;

// pCodigoEscrit as an integer, 0 when it is not one.
int64_t LerCodigoEscrit(TnrwReport* report);
// A date of the panel; EnParam when it is empty or not a date.
TDateTime LerData(TnrwReport* report, const std::string& nome);
// A Boolean of the panel ("True"/"False", a whole number); EConvertError
// for any other text.
bool LerBooleano(TnrwReport* report, const std::string& nome);
// The same, false for a text that is not a Boolean.
bool LerBooleanoDef(TnrwReport* report, const std::string& nome);
// A selection of the panel, trimmed; EnParam naming the parameter when it
// is not a selection, so nothing runs on it.
std::string LerSelecao(TnrwReport* report, const std::string& nome);

// Raises the plain error of a final date before the initial date.
void VerificarPeriodo(TDateTime inicial, TDateTime final);

// The absolute value with "#,##0.00", nothing added.
std::string FormatarValorAbsoluto(double valor);

// The inputs of the balance entity, in the order it takes them.
struct TnEntradasBalancete {
  int64_t CodigoEscrit = 0;
  std::string CodigoConta;
  TnTipoMescla Tipo = 0;
  TDateTime DataInicial = 0;
  TDateTime DataFinal = 0;
  std::string OrigemDados;
  bool ImpSaldoZero = false;
  bool ListaContaSemRateio = false;
  std::string CodigoCentroCusto;
};
// A new entity with these inputs, processed.
std::unique_ptr<TnBalancete> ProcessarBalancete(const TnEntradasBalancete& entradas);

// Runs the print's body; afterwards, also when it fails, releases the
// datasets and lists the warning of an entry-origin filter.
void ImprimirComAvisoOrigem(TnrwReport* report, const std::string& origem,
                            const std::vector<TnClientDataSet**>& datasets,
                            const std::function<void()>& corpo);

// Each item of the list, then the items below it, depth first.
template <class Visitar>
void PercorrerPlano(const TnListaPlanoItem& itens, Visitar&& visitar) {
  TnEnumeradorPlanoItem item = itens.GetEnumerator();
  while (item.MoveNext()) {
    visitar(item.GetCurrent());
    PercorrerPlano(item.GetCurrent()->Filhos(), visitar);
  }
}

// The group break of a tree item: a new page when asked for and the first
// character of the classification differs from `classe`, which it then
// becomes; whether the page broke.
bool QuebrarGrupo(TnrwReport* report, bool quebrar, std::string& classe,
                  const std::string& classificacao);

// The line of a tree item: R3 := classification, two blanks and
// description; R4 and R7 := opening and closing balance (signed mask); R5 and
// R6 := debits and credits (plain mask).  An item without a balance view
// shows its opening balance as closing one.
void PreencherValoresItem(TnrwReport* report, IPlanoItem* item);

// R1 to R7 := empty text.
void LimparColunas(TnrwReport* report);

// Every label of the section bold, or without style.
void EstiloSecao(TnrwReport* report, int secao, bool negrito);

}  // namespace vireo
