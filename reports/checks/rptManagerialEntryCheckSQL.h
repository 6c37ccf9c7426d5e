// The queries of the managerial entry check: the company heading, and the
// entries of every selected origin kind joined with their cost-centre
// allocations (one piece per kind, joined by "UNION ALL", then the ordering
// clause).  Kept apart from the report so their texts can be read and
// checked for every product and connection kind without a database.
#pragma once

#include <string>

namespace vireo {

// The select-list items of the account descriptions, with their aliases.
extern const char* const kDescrContaDebGerencial;
extern const char* const kDescrContaCredGerencial;

// What the queries depend on: the report's choices and the host's kinds.
struct TnFiltroLctoGerencial {
  int Produto = 0;  // PegarProduto: 0 commercial receivables, other financial
  int TipoCon = 0;  // PegarTipoCon: 0 Firebird
  std::string DescrContaDeb = kDescrContaDebGerencial;
  std::string DescrContaCred = kDescrContaCredGerencial;
  std::string Tipo;              // origin selection ("1;3", empty for all)
  std::string CodigoEscritorio;  // company selection
  int ContaContabil = 0;
  std::string CentroCustos;  // cost-centre selection, empty for all
  int Ordenacao = 0;
};

// Name and federal tax number of the selected companies.
std::string MontarSQLEscritorioGerencial(const TnFiltroLctoGerencial& filtro);

// The entries with their allocations: the pieces of the selected kinds and
// the ordering clause.  Markers :pDataInicial and :pDataFinal bind the
// period.  Empty when no kind is selected.
std::string MontarSQLLctoGerencial(const TnFiltroLctoGerencial& filtro);

// One piece (select list, source and conditions) of origin code `tipo`.
std::string MontarPecaLctoGerencial(int tipo, const TnFiltroLctoGerencial& filtro);

// " ORDER BY ..." of an ordering option; empty for options other than 0 to 3.
std::string OrdenacaoLctoGerencial(int ordenacao);

}  // namespace vireo
