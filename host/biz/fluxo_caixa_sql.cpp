#include "host/biz/fluxo_caixa_sql.h"

#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

const char kZero[] = "cast(0 as numeric(18,2))";
const char kEntrada[] = "case when C.TIPOMOVCAIXA = 1 then C.VALORCAIXA else 0 end";
const char kSaida[] = "case when C.TIPOMOVCAIXA = -1 then C.VALORCAIXA else 0 end";
const char kSaldo[] =
    "sum(case when C.TIPOMOVCAIXA = 1 then C.VALORCAIXA when C.TIPOMOVCAIXA = -1 then "
    "-C.VALORCAIXA else 0 end)";

bool TemRealizado(const TnFiltroFluxoCaixa& f) { return f.Modo != mfcPrevisto; }
bool TemPrevisto(const TnFiltroFluxoCaixa& f) { return f.Modo != mfcRealizado; }

std::string Inteiro(int64_t valor) { return ValorParaSQL(Variant(valor), TFieldKind::Integer); }

// The selections are checked here, before any text is built, so an error
// names the parameter the user typed it in.
void ConferirSelecoes(const TnFiltroFluxoCaixa& f) {
  ParseSelection(f.CodigoConta, "pCodigodaConta");
  ParseSelection(f.OrigemLcto, "pOrigemLctoCaixaCh");
  ParseSelection(f.TipoOperacao, "pTipoOper");
}

// Entries counted by the cash flow; `periodo` is the condition on
// C.DATACAIXA, `juncao` more tables joined to the entry.
std::string CaixasContados(const TnFiltroFluxoCaixa& f, const std::string& periodo,
                           const std::string& juncao = "") {
  std::string sql = "from FPRCAIXA C join FPRCONTA K on K.CODIGOCONTA = C.CODIGOCONTA " + juncao +
                    "where K.TIPOCONTA = 2 and K.MODALIDADECONTA <> 0 and " + periodo;
  if (f.CodigoEscrit != 0) sql += " and C.CODIGOESCRIT = " + Inteiro(f.CodigoEscrit);
  sql += FilterInterval("C.CODIGOCONTA", f.CodigoConta, {1}, true, 0);
  sql += FilterInterval("C.ORIGEMLCTOCAIXA", f.OrigemLcto, {1}, true, 0);
  return sql;
}

// Only entries of settlements of the chosen purposes; EXISTS keeps an entry
// tied to two settlement rows from counting twice.
std::string SoOperacoes(const TnFiltroFluxoCaixa& f) {
  if (ParseSelection(f.TipoOperacao).empty()) return "";
  return " and exists (select 1 from FPRACERTOCX AC join FPRACERTO A on A.CODIGOESCRIT = "
         "AC.CODIGOESCRIT and A.CODIGOACERTO = AC.CODIGOACERTO where AC.CODIGOESCRIT = "
         "C.CODIGOESCRIT and AC.CODIGOCAIXA = C.CODIGOCAIXA and " +
         FilterInterval("A.FINALIDADEACERTO", f.TipoOperacao, {1}, false, 0) + ")";
}

std::string CaixasDoPeriodo(const TnFiltroFluxoCaixa& f, const std::string& juncao = "") {
  return CaixasContados(f, "C.DATACAIXA between :pDataInicial and :pDataFinal", juncao) +
         SoOperacoes(f);
}

// The two title tables differ in their column suffix and key.
struct TnTabelaTitulo {
  const char* tabela;
  const char* sufixo;     // REC, PAG
  const char* cabecalho;  // key of the document
  const char* parcela;    // key of the installment
  bool receber;
};
const TnTabelaTitulo kReceber{"FPRCONTARECEBER", "REC", "CODIGORECEBERCAB", "CODIGORECEBER", true};
const TnTabelaTitulo kPagar{"FPRCONTAPAGAR", "PAG", "CODIGOPAGARCAB", "CODIGOPAGAR", false};

std::string Col(const TnTabelaTitulo& t, const char* nome) {
  return std::string("T.") + nome + t.sufixo;
}

std::string TitulosAbertos(const TnFiltroFluxoCaixa& f, const TnTabelaTitulo& t) {
  std::string sql = std::string("from ") + t.tabela + " T where " + Col(t, "SITUACAO") +
                    " in (1, 2) and " + Col(t, "DATAVENCIMENTO") +
                    " between :pDataInicial and :pDataFinal";
  if (f.CodigoEscrit != 0) sql += " and T.CODIGOESCRIT = " + Inteiro(f.CodigoEscrit);
  return sql;
}

// The open amount in the column of its side, zero in the other three.
std::string ColunasTitulo(const TnTabelaTitulo& t, const std::string& valor) {
  return (t.receber ? valor : kZero) + " as RECEBER, " + kZero + " as RECEBIDO, " +
         (t.receber ? kZero : valor) + " as PAGAR, " + kZero + " as PAGO";
}

std::string TotaisTitulos(const TnFiltroFluxoCaixa& f, const TnTabelaTitulo& t) {
  const std::string vencimento = Col(t, "DATAVENCIMENTO");
  return "select " + vencimento + " as DATA, " +
         ColunasTitulo(t, "sum(coalesce(" + Col(t, "SALDO") + ", 0))") + " " +
         TitulosAbertos(f, t) + " group by " + vencimento;
}

std::string TotaisCaixas(const TnFiltroFluxoCaixa& f) {
  return std::string("select C.DATACAIXA as DATA, ") + kZero + " as RECEBER, sum(" + kEntrada +
         ") as RECEBIDO, " + kZero + " as PAGAR, sum(" + kSaida + ") as PAGO " +
         CaixasDoPeriodo(f) + " group by C.DATACAIXA";
}

// The person of an entry: its own, else that of its settlement.  The order
// is on an expression: ordered by the bare key, the engine walks every
// settlement in key order for each entry (minutes on a large book) instead
// of reaching the entry's links through their index.
const char kPessoaCaixa[] =
    "coalesce(nullif(C.CODIGOPESSOAFIN, 0), (select first 1 A.CODIGOPESSOAFIN from FPRACERTOCX "
    "AC join FPRACERTO A on A.CODIGOESCRIT = AC.CODIGOESCRIT and A.CODIGOACERTO = "
    "AC.CODIGOACERTO where AC.CODIGOESCRIT = C.CODIGOESCRIT and AC.CODIGOCAIXA = C.CODIGOCAIXA "
    "and A.CODIGOPESSOAFIN > 0 order by AC.CODIGOACERTO + 0))";

// A row of the detail before grouping: K0 to K3 tell rows without a person
// apart (source and key), and are null for rows with a person, which the
// grouping then sums per day.
std::string Chave(const std::string& pessoa, const std::string& valor) {
  return "case when " + pessoa + " is null then " + valor + " end";
}

std::string DetalheCaixas(const TnFiltroFluxoCaixa& f) {
  return "select X.DATA, X.PESSOA, " + Chave("X.PESSOA", "1") + " as K0, " +
         Chave("X.PESSOA", "X.ESCRIT") + " as K1, " + Chave("X.PESSOA", "X.CAIXA") +
         " as K2, cast(null as integer) as K3, " + kZero + " as RECEBER, X.RECEBIDO, " + kZero +
         " as PAGAR, X.PAGO, X.TEXTO, X.DESCRHIST from (select C.DATACAIXA as DATA, " +
         kPessoaCaixa + " as PESSOA, C.CODIGOESCRIT as ESCRIT, C.CODIGOCAIXA as CAIXA, " +
         kEntrada + " as RECEBIDO, " + kSaida +
         " as PAGO, cast(C.HISTORICOCAIXA as varchar(500)) as TEXTO, cast(H.DESCRHISTCTB as "
         "varchar(100)) as DESCRHIST " +
         CaixasDoPeriodo(f, "left join FPRHISTORICO H on H.CODIGOHISTCTB = C.CODIGOHISTCTB ") +
         ") X";
}

std::string DetalheTitulos(const TnFiltroFluxoCaixa& f, const TnTabelaTitulo& t) {
  const std::string pessoa = "nullif(T.CODIGOPESSOAFIN, 0)";
  return "select " + Col(t, "DATAVENCIMENTO") + " as DATA, " + pessoa + " as PESSOA, " +
         Chave(pessoa, t.receber ? "2" : "3") + " as K0, " + Chave(pessoa, "T.CODIGOESCRIT") +
         " as K1, " + Chave(pessoa, std::string("T.") + t.cabecalho) + " as K2, " +
         Chave(pessoa, std::string("T.") + t.parcela) + " as K3, " +
         ColunasTitulo(t, "coalesce(" + Col(t, "SALDO") + ", 0)") + ", cast(" +
         Col(t, "HISTORICO") +
         " as varchar(500)) as TEXTO, cast(null as varchar(100)) as "
         "DESCRHIST " +
         TitulosAbertos(f, t);
}

// The parts of the mode, joined by "union all".
template <class Caixas, class Titulos>
std::string Partes(const TnFiltroFluxoCaixa& f, Caixas caixas, Titulos titulos) {
  std::string sql;
  auto juntar = [&sql](const std::string& parte) {
    sql += (sql.empty() ? "" : " union all ") + parte;
  };
  if (TemRealizado(f)) juntar(caixas(f));
  if (TemPrevisto(f)) {
    juntar(titulos(f, kReceber));
    juntar(titulos(f, kPagar));
  }
  return sql;
}

}  // namespace

std::string SelectTotaisDia(const TnFiltroFluxoCaixa& filtro) {
  ConferirSelecoes(filtro);
  return "select M.DATA, coalesce(sum(M.RECEBER), 0) as RECEBER, coalesce(sum(M.RECEBIDO), 0) as "
         "RECEBIDO, coalesce(sum(M.PAGAR), 0) as PAGAR, coalesce(sum(M.PAGO), 0) as PAGO from (" +
         Partes(filtro, TotaisCaixas, TotaisTitulos) + ") M group by M.DATA order by M.DATA";
}

std::string SelectDetalheDia(const TnFiltroFluxoCaixa& filtro) {
  ConferirSelecoes(filtro);
  return "select E.DATA, coalesce(E.PESSOA, 0) as CODIGOPESSOAFIN, cast(max(case when E.PESSOA "
         "is null then E.TEXTO else P.NOME end) as varchar(500)) as NOME, coalesce(sum(E.RECEBER), "
         "0) as RECEBER, coalesce(sum(E.RECEBIDO), 0) as RECEBIDO, coalesce(sum(E.PAGAR), 0) as "
         "PAGAR, coalesce(sum(E.PAGO), 0) as PAGO, max(E.DESCRHIST) as DESCRHISTCTB from (" +
         Partes(filtro, DetalheCaixas, DetalheTitulos) +
         ") E left join PESSOAFINANCEIRO P on P.CODIGOPESSOAFIN = E.PESSOA group by E.DATA, "
         "E.PESSOA, E.K0, E.K1, E.K2, E.K3 order by 1, 2, E.K0, E.K1, E.K2, E.K3";
}

std::string SelectSaldoAnterior(const TnFiltroFluxoCaixa& filtro) {
  ConferirSelecoes(filtro);
  return std::string("select coalesce(") + kSaldo + ", 0) as SALDOANTERIOR " +
         CaixasContados(filtro, "C.DATACAIXA < :pDataInicial");
}

std::string SelectContasCorrentes(const TnFiltroFluxoCaixa& filtro) {
  ConferirSelecoes(filtro);
  std::string sql = std::string(
                        "select K.CODIGOCONTA, K.DESCRCONTA, coalesce(K.LIMITECREDITO, 0) as "
                        "LIMITECREDITO, coalesce(S.SALDO, 0) as SALDO from FPRCONTA K left join "
                        "(select C.CODIGOCONTA, ") +
                    kSaldo + " as SALDO " + CaixasContados(filtro, "C.DATACAIXA < :pDataInicial") +
                    " group by C.CODIGOCONTA) S on S.CODIGOCONTA = K.CODIGOCONTA where "
                    "K.TIPOCONTA = 2 and K.MODALIDADECONTA <> 0" +
                    FilterInterval("K.CODIGOCONTA", filtro.CodigoConta, {1}, true, 0);
  if (filtro.CodigoEscrit != 0) {
    const std::string empresa = Inteiro(filtro.CodigoEscrit);
    sql += " and (K.CODIGOESCRITORIO = " + empresa +
           " or K.CODIGOESCRITORIO is null or K.CODIGOESCRITORIO = 0)";
  }
  return sql + " order by K.CODIGOCONTA";
}

}  // namespace vireo
