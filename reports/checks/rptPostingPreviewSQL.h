// The query of the posting preview: one piece per included origin kind,
// each the entries of one company and month joined to the document they
// came from and its value.  Kept apart from the report so its text can be
// read and checked for every product kind and origin selection without a
// database.
#pragma once

#include <string>

namespace vireo {

// The select-list expressions of the account descriptions.
extern const char* const kDescrContaDebPrevia;
extern const char* const kDescrContaCredPrevia;

// What the query depends on: the report's choices and the host's kind.
struct TnFiltroPrevia {
  int Produto = 0;   // PegarProduto: 2 financial receivables, 0 also service notes
  std::string Tipo;  // origin selection ("1;3", empty for all)
  std::string DescrContaDeb = kDescrContaDebPrevia;
  std::string DescrContaCred = kDescrContaCredPrevia;
};

// The whole query: the pieces of the included kinds.  Markers
// :pCODIGOESCRIT, :pDataIni and :pDataFim bind the company and the month.
// Empty when no kind is included.
std::string MontarSQLPrevia(const TnFiltroPrevia& filtro);

// One piece (select list, joins and conditions) of origin code `tipo`.
std::string MontarPecaPrevia(int tipo, const TnFiltroPrevia& filtro);

// Whether the piece of origin code `tipo` enters the query.
bool IncluirTipoPrevia(int tipo, const TnFiltroPrevia& filtro);

}  // namespace vireo
