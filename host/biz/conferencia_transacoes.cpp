#include "host/biz/conferencia_transacoes.h"

#include <map>
#include <mutex>
#include <unordered_map>

#include "host/core/exception.h"
#include "host/core/variant.h"
#include "host/data/dataset.h"
#include "host/data/mapper.h"
#include "host/data/selection.h"
#include "host/data/sql.h"

namespace vireo {

namespace {

const std::vector<int> kInclusaoInteiros = {1};

// A selection checked under the name of the parameter it comes from, then
// turned into a condition.
std::string Selecao(const std::string& coluna, const std::string& selecao,
                    const std::string& parametro) {
  ParseSelection(selecao, parametro);
  return FilterInterval(coluna, selecao, kInclusaoInteiros, true, 0);
}

const char* ChaveOrdem(int ordenar) {
  switch (ordenar) {
    case otAcerto:
      return "A.CODIGOACERTO";
    case otValor:
      return "A.VALORACERTO, A.CODIGOACERTO";
    default:
      return "A.DATAACERTO, A.CODIGOACERTO";
  }
}

int ListaDaOrigem(int64_t origem) {
  switch (origem) {
    case kOrigemCaixaConta:
      return lcCaixa;
    case kOrigemCaixaTitulos:
      return lcTitulos;
    default:
      return lcOutras;
  }
}

struct TnMapperAcerto {
  TField* CODIGOESCRIT{};
  TField* CODIGOACERTO{};
  TField* DATAACERTO{};
  TField* VALORACERTO{};
  TField* FINALIDADEACERTO{};
  VIREO_MAPPER(TnMapperAcerto, CODIGOESCRIT, CODIGOACERTO, DATAACERTO, VALORACERTO,
               FINALIDADEACERTO)
};

struct TnMapperAcertoConta {
  TField* CODIGOESCRIT{};
  TField* CODIGOACERTO{};
  TField* ORIGEMCAIXA{};
  TField* CODIGOCONTA{};
  TField* VALORCAIXA{};
  TField* TIPOMOVCAIXA{};
  TField* CLASSIFCONTA{};
  TField* DESCRCONTA{};
  VIREO_MAPPER(TnMapperAcertoConta, CODIGOESCRIT, CODIGOACERTO, ORIGEMCAIXA, CODIGOCONTA,
               VALORCAIXA, TIPOMOVCAIXA, CLASSIFCONTA, DESCRCONTA)
};

struct ChaveTransacao {
  int64_t escrit, acerto;
  bool operator==(const ChaveTransacao&) const = default;
};
struct HashChave {
  size_t operator()(const ChaveTransacao& c) const {
    return std::hash<int64_t>()(c.escrit * 1000003 + c.acerto);
  }
};

TnSQLParams Parametros(const TnConferenciaTransacoes& c) {
  TnSQLParams params;
  params.Add("pDataInicial", Variant::FromDateTime(DateOf(c.DataInicial)));
  params.Add("pDataFinal", Variant::FromDateTime(DateOf(c.DataFinal)));
  params.Add("pValorMinimo", Variant(c.ValorMinimo));
  if (c.ValorMaximo > 0) params.Add("pValorMaximo", Variant(c.ValorMaximo));
  return params;
}

}  // namespace

std::string TnConferenciaTransacoes::Condicoes() const {
  std::string sql = " where A.DATAACERTO between :pDataInicial and :pDataFinal";
  sql += Selecao("A.CODIGOESCRIT", CodigoEscritIncl, "pCodigoEscrit");
  sql += Selecao("A.FINALIDADEACERTO", TipoOperacaoIncl, "pTipoOperacao");
  sql += Selecao("A.CODIGOACERTO", CodigoAcertoIncl, "pCodigoAcerto");
  sql += " and A.VALORACERTO >= :pValorMinimo";
  if (ValorMaximo > 0) sql += " and A.VALORACERTO <= :pValorMaximo";
  return sql;
}

std::string TnConferenciaTransacoes::SQLAcertos() const {
  return "select A.CODIGOESCRIT, A.CODIGOACERTO, A.DATAACERTO, A.VALORACERTO, "
         "A.FINALIDADEACERTO from FPRACERTO A" +
         Condicoes() + " order by A.CODIGOESCRIT, " + ChaveOrdem(Ordenar);
}

std::string TnConferenciaTransacoes::SQLContas() const {
  return "select AC.CODIGOESCRIT, AC.CODIGOACERTO, AC.ORIGEMCAIXA, CX.CODIGOCONTA, "
         "CX.VALORCAIXA, CX.TIPOMOVCAIXA, CT.CLASSIFCONTA, CT.DESCRCONTA "
         "from FPRACERTO A "
         "join FPRACERTOCX AC on AC.CODIGOESCRIT = A.CODIGOESCRIT and AC.CODIGOACERTO = "
         "A.CODIGOACERTO "
         "join FPRCAIXA CX on CX.CODIGOESCRIT = AC.CODIGOESCRIT and CX.CODIGOCAIXA = "
         "AC.CODIGOCAIXA "
         "left join FPRCONTA CT on CT.CODIGOCONTA = CX.CODIGOCONTA" +
         Condicoes() + " order by AC.CODIGOESCRIT, AC.CODIGOACERTO, AC.CODIGOCAIXA";
}

std::unique_ptr<TListaTransacoes> TnConferenciaTransacoes::Consultar() const {
  const TnSQLParams params = Parametros(*this);
  auto lista = std::make_unique<TListaTransacoes>();
  std::unordered_map<ChaveTransacao, size_t, HashChave> posicao;
  {
    TnClientDataSet* acertos = ExecutarSQL(SQLAcertos(), params);
    TnSQLGuard guarda(acertos);
    const TnMapperAcerto& a = *acertos->GetMapper<TnMapperAcerto>();
    lista->reserve(acertos->RecordCount());
    for (acertos->First(); !acertos->Eof(); acertos->Next()) {
      TTransacao t;
      t.CodigoEscrit = a.CODIGOESCRIT->AsInteger();
      t.Numero = a.CODIGOACERTO->AsInteger();
      t.Data = a.DATAACERTO->AsDateTime();
      t.Valor = a.VALORACERTO->AsFloat();
      t.TipoOperacao = static_cast<int>(a.FINALIDADEACERTO->AsInteger());
      posicao.emplace(ChaveTransacao{t.CodigoEscrit, t.Numero}, lista->size());
      lista->push_back(std::move(t));
    }
  }
  TnClientDataSet* contas = ExecutarSQL(SQLContas(), params);
  TnSQLGuard guarda(contas);
  const TnMapperAcertoConta& c = *contas->GetMapper<TnMapperAcertoConta>();
  for (contas->First(); !contas->Eof(); contas->Next()) {
    auto it = posicao.find({c.CODIGOESCRIT->AsInteger(), c.CODIGOACERTO->AsInteger()});
    if (it == posicao.end()) continue;
    TConta conta;
    conta.CodigoConta = c.CODIGOCONTA->AsInteger();
    conta.Classificacao = c.CLASSIFCONTA->AsString();
    conta.Descricao = c.DESCRCONTA->AsString();
    conta.Valor = c.VALORCAIXA->AsFloat();
    conta.Natureza = c.TIPOMOVCAIXA->AsInteger() == 1 ? kNaturezaDebito : kNaturezaCredito;
    (*lista)[it->second].Contas[ListaDaOrigem(c.ORIGEMCAIXA->AsInteger())].push_back(
        std::move(conta));
  }
  return lista;
}

// --- the registry -------------------------------------------------------------------

namespace {

struct Registro {
  std::mutex mutex;
  std::map<int64_t, const TListaTransacoes*> listas;
  int64_t ultimo = 0;
};

Registro& TheRegistro() {
  static Registro registro;
  return registro;
}

}  // namespace

int64_t RegistrarTransacoes(const TListaTransacoes* lista) {
  if (lista == nullptr) throw Exception("RegistrarTransacoes: lista nula");
  Registro& r = TheRegistro();
  std::lock_guard<std::mutex> lock(r.mutex);
  const int64_t handle = ++r.ultimo;
  r.listas.emplace(handle, lista);
  return handle;
}

void RemoverTransacoes(int64_t handle) {
  Registro& r = TheRegistro();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.listas.erase(handle);
}

const TListaTransacoes& TransacoesPorHandle(int64_t handle) {
  Registro& r = TheRegistro();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.listas.find(handle);
  if (it == r.listas.end()) {
    throw EnParam("pObjetoTransacoes",
                  "Parâmetro \"pObjetoTransacoes\": nenhuma lista de "
                  "transações registrada com o número " +
                      std::to_string(handle) + ".");
  }
  return *it->second;
}

}  // namespace vireo
