// The query of the accounting entry check: one piece per origin kind of the
// generated entries (payables, receivables, settlements, service notes,
// sales, works budgets, purchase notes), joined by " union ", and the
// ordering clause.  Kept apart from the report so its text can be read and
// checked for every product and connection kind, not only the ones this
// host runs with.
#pragma once

#include <cstdint>
#include <string>

namespace vireo {

// Descriptions of the entry's accounts in the accounting chart.
extern const char* const kDescrContaDebCtb;
extern const char* const kDescrContaCredCtb;

// What the query depends on: the report's choices and the host's kinds.
struct TnFiltroConferenciaCtb {
  std::string Tipo;          // origin selection ("1;3", empty for all)
  std::string CodigoEscrit;  // company selection
  int64_t ContaContabil = 0;
  int Ordenacao = 0;
  bool SohExibirDiferenca = false;
  int Produto = 0;  // PegarProduto: 0 commercial receivables, other financial
  int TipoCon = 0;  // PegarTipoCon: 2 Microsoft SQL Server
  std::string DescrContaDeb = kDescrContaDebCtb;
  std::string DescrContaCred = kDescrContaCredCtb;
};

// The whole query: the pieces of the selected kinds and the ordering
// clause.  Markers :pDataInicial and :pDataFinal bind the period.  Empty
// when no kind is selected.
std::string MontarSQLConferenciaCtb(const TnFiltroConferenciaCtb& filtro);

// One piece (select list, source and conditions) of origin code `tipo`.
std::string MontarPecaConferenciaCtb(int tipo, const TnFiltroConferenciaCtb& filtro);

// " ORDER BY ..." of an ordering option.
std::string OrdenacaoConferenciaCtb(int ordenacao);

// The result column that, with the kind, the identifier and the company,
// keys a document: the entry date, or the document text for orderings
// other than 0 and 1.
std::string CampoOrdenarConferenciaCtb(int ordenacao);

}  // namespace vireo
