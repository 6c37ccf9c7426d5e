#include "host/scheduler/agenda_lookups.h"

namespace vireo {
namespace {

std::string& FiltroAcesso() {
  static std::string filtro;
  return filtro;
}

}  // namespace

std::vector<TnParamChoice> GetNomesValoresTipoPessoa() {
  return {{std::to_string(kGrupoPessoaTodos), "Todos"},
          {"1", "Cliente"},
          {"2", "Fornecedor"},
          {std::to_string(kGrupoPessoaInteressado), "Interessado"},
          {"4", "Funcionário"},
          {"5", "Banco"}};
}

std::string FiltroAcessoInteressadoImobiliario() { return FiltroAcesso(); }

void SetFiltroAcessoInteressadoImobiliario(const std::string& filtro) { FiltroAcesso() = filtro; }

}  // namespace vireo
