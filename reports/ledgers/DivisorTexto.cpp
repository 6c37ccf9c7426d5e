#include "reports/ledgers/DivisorTexto.h"

#include "host/core/text.h"

namespace vireo {

std::vector<std::string> TDivisorTexto::GerarArrayPalavras(const std::string& ATexto) const {
  return StrToStrArray(ATexto, " ");
}

std::vector<std::string> TDivisorTexto::GerarArrayFragmentos(const std::string& APalavra,
                                                             int ATamMaximo) const {
  std::vector<std::string> fragmentos;
  const size_t tamanho = Utf8Length(APalavra);
  if (tamanho == 0) return fragmentos;
  // A width below one cannot cut anything; the word then stays whole.
  if (ATamMaximo < 1) return {APalavra};
  for (size_t inicio = 0; inicio < tamanho; inicio += ATamMaximo) {
    fragmentos.push_back(Utf8Substr(APalavra, inicio, ATamMaximo));
  }
  return fragmentos;
}

std::vector<std::string> TDivisorTexto::GerarArrayLinhas(const std::string& ATexto,
                                                         int ATamLinha) const {
  std::vector<std::string> linhas;
  std::string linha;
  for (const std::string& palavra : GerarArrayPalavras(ATexto)) {
    for (const std::string& fragmento : GerarArrayFragmentos(palavra, ATamLinha)) {
      if (Utf8Length(Trim(linha + " " + fragmento)) >= static_cast<size_t>(ATamLinha)) {
        // A piece that fills a line by itself arrives while the line is
        // still empty; an empty line would only print a blank history row.
        if (!Trim(linha).empty()) linhas.push_back(linha);
        linha.clear();
      }
      linha = Trim(linha + " " + fragmento);
    }
  }
  if (!Trim(linha).empty()) linhas.push_back(linha);
  return linhas;
}

}  // namespace vireo
