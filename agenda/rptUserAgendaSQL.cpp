#include "agenda/rptUserAgendaSQL.h"

#include "host/data/sql.h"

namespace vireo {

std::string SelectAgendaUsuario(const TnFiltroAgendaUsuario& filtro) {
  std::string sql =
      "select * from AGENDAUSUARIO where cast(DATAHORAINICIO as date) <= :pDataFim and "
      "CODIGOUSUARIODEST = " +
      ValorParaSQL(filtro.CodigoUsuario);
  if (!filtro.MostrarConcluido) {
    sql += " and ((CONCLUIDA = " + ValorParaSQL(0) + ") or (CONCLUIDA is null))";
  }
  if (!filtro.VerOutrosUsuarios) {
    sql += " and CODIGOUSUARIODEST = " + ValorParaSQL(filtro.CodigoUsuarioLogado);
  }
  return sql;
}

}  // namespace vireo
