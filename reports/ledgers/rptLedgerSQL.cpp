#include "reports/ledgers/rptLedgerSQL.h"

#include "host/core/format.h"
#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

std::string SelectCfgConta() {
  return "select CODIGOCFGCONTA , MASCGRUPO1 , NATURGRUPO1 , TIPOGRUPO1 , MASCGRUPO2 , "
         "NATURGRUPO2 , TIPOGRUPO2 , MASCGRUPO3 , NATURGRUPO3 , TIPOGRUPO3 , MASCGRUPO4 , "
         "NATURGRUPO4 , TIPOGRUPO4 , MASCGRUPO5 , NATURGRUPO5 , TIPOGRUPO5 , MASCGRUPO6 , "
         "NATURGRUPO6 , TIPOGRUPO6 , MASCGRUPO7 , NATURGRUPO7 , TIPOGRUPO7 , MASCGRUPO8 , "
         "NATURGRUPO8 , TIPOGRUPO8 , MASCGRUPO9 , NATURGRUPO9 , TIPOGRUPO9 from FPRCFGCONTA";
}

std::string SelectCaixas(const TnFiltroCaixas& filtro) {
  std::string sql =
      "select C.CODIGOESCRIT , C.CODIGOCAIXA , C.CODIGOCONTA , C.DATACAIXA , C.TIPOMOVCAIXA , "
      "C.VALORCAIXA , C.HISTORICOCAIXA , C.ORIGEMLCTOCAIXA , H.DESCRHISTCTB , T.NATURSALDO , "
      "AC.CODIGOACERTO , ";
  sql += filtro.EhRelMovCaixa ? "axc.codigoconta" : "0";
  sql += " CONTRAPARTIDA ";
  sql += "from FPRCAIXA C ";
  sql +=
      " left join FPRACERTOCX AC ON AC.CODIGOESCRIT = C.CODIGOESCRIT AND AC.CODIGOCAIXA = "
      "C.CODIGOCAIXA ";
  if (filtro.EhRelMovCaixa) {
    // The counterpart of a settled entry: the settlement's row of the other
    // origin (1 against 2) with the lowest cash code.
    sql +=
        "LEFT JOIN FPRACERTOCX AXC ON AXC.CODIGOESCRIT=AC.CODIGOESCRIT AND "
        "AXC.CODIGOACERTO=AC.CODIGOACERTO AND ((AC.ORIGEMCAIXA=1 AND AXC.CODIGOCAIXA=(SELECT "
        "MIN(CODIGOCAIXA) FROM FPRACERTOCX AXC_AUX WHERE AXC_AUX.CODIGOESCRIT=AXC.CODIGOESCRIT "
        "AND AXC_AUX.CODIGOACERTO=AXC.CODIGOACERTO AND AXC_AUX.ORIGEMCAIXA=2)) OR "
        "(AC.ORIGEMCAIXA=2 AND AXC.CODIGOCAIXA=(SELECT MIN(CODIGOCAIXA) FROM FPRACERTOCX AXC_AUX "
        "WHERE AXC_AUX.CODIGOESCRIT=AXC.CODIGOESCRIT AND AXC_AUX.CODIGOACERTO=AXC.CODIGOACERTO "
        "AND AXC_AUX.ORIGEMCAIXA=1))) ";
  }
  sql += " join FPRHISTORICO H on H.CODIGOHISTCTB = C.CODIGOHISTCTB ";
  sql += "join FPRCONTA T on T.CODIGOCONTA = C.CODIGOCONTA ";
  sql += "where DATACAIXA between " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataInicial), TFieldKind::Date) + " and " +
         ValorParaSQL(Variant::FromDateTime(filtro.DataFinal), TFieldKind::Date) + " ";
  if (filtro.EhRelMovCaixa) {
    sql +=
        " and T.MODALIDADECONTA <> " + ValorParaSQL(Variant(0)) + " and AC.ORIGEMCAIXA IN (1,2) ";
  }
  if (filtro.CodigoEscrit != 0) {
    sql += FilterInterval("C.CODIGOESCRIT", IntToStr(filtro.CodigoEscrit), {1}, true, 0);
  }
  sql += FilterInterval("C.CODIGOCONTA", IntToStr(filtro.CodigoConta), {1}, true, 0);
  if (!filtro.OrigemDados.empty()) {
    sql +=
        " and not (" + FilterInterval("C.ORIGEMLCTOCAIXA", filtro.OrigemDados, {1}, false, 0) + ")";
  }
  sql += filtro.Ordenar == tpTipoMoviCaixa ? "order by TIPOMOVCAIXA desc, DATACAIXA"
                                           : "ORDER BY DATACAIXA, TIPOMOVCAIXA desc";
  return sql;
}

}  // namespace vireo
