#include "host/biz/produto.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {

namespace {

std::optional<int>& Produto() {
  static std::optional<int> produto;
  return produto;
}

int ProdutoDoAmbiente() {
  const char* env = std::getenv("VIREO_PRODUTO");
  if (env == nullptr) return 0;
  return Trim(env) == "2" ? 2 : 0;
}

}  // namespace

int PegarProduto() {
  std::optional<int>& produto = Produto();
  if (!produto) produto = ProdutoDoAmbiente();
  return *produto;
}

void DefinirProduto(int produto) {
  if (produto != 0 && produto != 2) {
    throw Exception("Tipo de produto desconhecido: " + std::to_string(produto) + " (use 0 ou 2).");
  }
  Produto() = produto;
}

void RedefinirProduto() { Produto().reset(); }

}  // namespace vireo
