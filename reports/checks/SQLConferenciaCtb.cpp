#include "reports/checks/SQLConferenciaCtb.h"

#include "host/core/variant.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

const char* const kDescrContaDebCtb =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBDEB)";
const char* const kDescrContaCredCtb =
    "(SELECT PC.DESCRCONTA FROM PLANOESPEC PC WHERE PC.CODIGOEMPRESA = LC.CODIGOEMPRESA AND "
    "PC.CONTACTB = LC.CONTACTBCRED)";

namespace {

// Origin codes in the order their pieces enter the union.
constexpr int kOrdemPecas[] = {1, 0, 2, 3, 4, 5, 6, 7, 8};

// How one origin kind reaches its documents.
struct TnOrigemCtb {
  std::string Tabela;         // table linking entries to the documents
  std::string Alias;          // its alias; the difference uses Alias + "2"
  std::string Documento;      // DOCUMENTO
  std::string Identificador;  // IDENTIFICADOR
  std::string CodigoAcerto = "0";
  std::string MesmoDocumento;  // the difference's document match
  int Finalidade = 0;          // settlements: FPRACERTO.FINALIDADEACERTO
};

std::string DocumentoAcerto(int tipo_con) {
  if (tipo_con == 2) return "(select dbo.DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
  return "(select Documentos from DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO))";
}

TnOrigemCtb CodigoSimples(const std::string& tabela, const std::string& alias,
                          const std::string& coluna, int tamanho) {
  TnOrigemCtb o;
  o.Tabela = tabela;
  o.Alias = alias;
  o.Documento = "cast(" + alias + "." + coluna + " as varchar(" + std::to_string(tamanho) + "))";
  o.Identificador = o.Documento;
  o.MesmoDocumento = alias + "2." + coluna + " = " + alias + "." + coluna;
  return o;
}

TnOrigemCtb Origem(int tipo, const TnFiltroConferenciaCtb& filtro) {
  switch (tipo) {
    case 0:
      return filtro.Produto == 0
                 ? CodigoSimples("CONTARECEBERCTB", "CR", "NUMERODCTOCR", 20)
                 : CodigoSimples("FPRCONTARECEBERCABCTB", "CR", "CODIGORECEBERCAB", 20);
    case 1:
      return CodigoSimples("FPRCONTAPAGARCABCTB", "CP", "CODIGOPAGARCAB", 20);
    case 2:
    case 3:
    case 4: {
      TnOrigemCtb o;
      o.Tabela = "FPRACERTOCTB";
      o.Alias = "AC";
      o.Documento = DocumentoAcerto(filtro.TipoCon);
      o.Identificador = "cast(A.CODIGOACERTO as varchar(20))";
      o.CodigoAcerto = "A.CODIGOACERTO";
      o.MesmoDocumento = "AC2.CODIGOACERTO = AC.CODIGOACERTO";
      o.Finalidade = tipo - 1;
      return o;
    }
    case 5: {
      TnOrigemCtb o;
      o.Tabela = "SERVICONOTACTB";
      o.Alias = "SN";
      o.Documento =
          "cast(cast(SN.SERIENS as varchar(20)) || cast(SN.NUMERONS as varchar(20)) as "
          "varchar(20))";
      o.Identificador = o.Documento;
      o.MesmoDocumento = "SN2.SERIENS = SN.SERIENS and SN2.NUMERONS = SN.NUMERONS";
      return o;
    }
    case 6:
      return CodigoSimples("VENDACTB", "CP", "CODIGOVENDA", 20);
    case 7:
      return CodigoSimples("OBRAORCAMENTOCTB", "CP", "CODIGOOBRA", 10);
    default:
      return CodigoSimples("NOTAENTRADACTB", "CP", "CODIGONOTAENT", 10);
  }
}

// The document table joined to an entry table on company and entry key.
std::string JuntarDocumento(const std::string& tabela, const std::string& alias,
                            const std::string& lcto) {
  return "JOIN " + tabela + " " + alias + " ON (" + alias + ".CODIGOESCRIT = " + lcto +
         ".CODIGOESCRIT AND " + alias + ".FPRCHAVELCTOCTB = " + lcto + ".FPRCHAVELCTOCTB) ";
}

// Credits minus debits over every entry of the row's document.
std::string Diferenca(const TnOrigemCtb& o) {
  return "(select sum(case when LC2.CONTACTBCRED is not null then LC2.VALORLCTOCTB else 0 end) - "
         "sum(case when LC2.CONTACTBDEB is not null then LC2.VALORLCTOCTB else 0 end) from "
         "FPRLCTOCTB LC2 " +
         JuntarDocumento(o.Tabela, o.Alias + "2", "LC2") +
         " where LC2.CODIGOESCRIT = LC.CODIGOESCRIT " + "and " + o.MesmoDocumento + ")";
}

std::string Colunas(int tipo, const TnOrigemCtb& o, const TnFiltroConferenciaCtb& filtro) {
  return "SELECT LC.FPRCHAVELCTOCTB, LC.DATALCTOCTB, LC.CODIGOESCRIT, PF.NOME, PF.INSCFEDERAL, " +
         ValorParaSQL(Variant(tipo)) + " as TIPO, LC.VALORLCTOCTB, LC.CONTACTBDEB, " +
         filtro.DescrContaDeb + " as DESCRCONTADEB, LC.CONTACTBCRED, " + filtro.DescrContaCred +
         " as DESCRCONTACRED, " + o.CodigoAcerto + " as CODIGOACERTO, " + o.Documento +
         " as DOCUMENTO, " + o.Identificador + " as IDENTIFICADOR, LC.CodigoUsuario, " +
         "cast(coalesce(US.NomeUsuario, US.NomeUsuarioCompl) as varchar(50)) as NomeUsuario, " +
         (filtro.SohExibirDiferenca ? Diferenca(o) : std::string("0")) +
         " as Diferenca, LC.OrigemDado ";
}

std::string Origens(const TnOrigemCtb& o) {
  std::string sql = "FROM FPRLCTOCTB LC ";
  sql += "JOIN PESSOAFINANCEIRO PF ON (PF.CODIGOPESSOAFIN = LC.CODIGOESCRIT) ";
  sql += JuntarDocumento(o.Tabela, o.Alias, "LC");
  if (o.Finalidade != 0) {
    sql += "JOIN FPRACERTO A ON (A.CODIGOESCRIT = LC.CODIGOESCRIT ";
    sql += "AND A.CODIGOACERTO = AC.CODIGOACERTO) ";
  }
  sql += "left join Usuario US ";
  sql += "on US.CodigoUsuario = LC.CodigoUsuario ";
  return sql;
}

std::string Condicoes(const TnOrigemCtb& o, const TnFiltroConferenciaCtb& filtro) {
  std::string sql = "WHERE LC.DATALCTOCTB BETWEEN :pDataInicial AND :pDataFinal ";
  sql += FilterInterval("LC.CODIGOESCRIT", filtro.CodigoEscrit, {1}, true, 0);
  if (filtro.ContaContabil != 0) {
    const std::string conta = ValorParaSQL(Variant(filtro.ContaContabil));
    sql += " AND (LC.CONTACTBDEB = " + conta + " OR LC.CONTACTBCRED = " + conta + ")";
  }
  if (o.Finalidade != 0) sql += " and A.FINALIDADEACERTO = " + std::to_string(o.Finalidade);
  return sql;
}

}  // namespace

std::string MontarPecaConferenciaCtb(int tipo, const TnFiltroConferenciaCtb& filtro) {
  const TnOrigemCtb o = Origem(tipo, filtro);
  return Colunas(tipo, o, filtro) + Origens(o) + Condicoes(o, filtro);
}

std::string OrdenacaoConferenciaCtb(int ordenacao) {
  if (ordenacao == 0) return " ORDER BY 3, 2, 5, 11, 9";
  if (ordenacao == 1) return " ORDER BY 3, 5, 11, 9";
  return " ORDER BY 3, 11, 5, 9";
}

std::string CampoOrdenarConferenciaCtb(int ordenacao) {
  return ordenacao == 0 || ordenacao == 1 ? "DATALCTOCTB" : "DOCUMENTO";
}

std::string MontarSQLConferenciaCtb(const TnFiltroConferenciaCtb& filtro) {
  std::string sql;
  for (int tipo : kOrdemPecas) {
    if (!CheckInInclusion(Variant(tipo), filtro.Tipo, {1})) continue;
    if (!sql.empty()) sql += " union ";
    sql += MontarPecaConferenciaCtb(tipo, filtro);
  }
  if (sql.empty()) return sql;
  return sql + OrdenacaoConferenciaCtb(filtro.Ordenacao);
}

}  // namespace vireo
