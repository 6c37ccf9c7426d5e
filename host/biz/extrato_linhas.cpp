#include "host/biz/extrato_linhas.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "host/core/format.h"

namespace vireo {

namespace {

// A title or a settlement, placed in the statement.
struct Evento {
  const TnParcelaExtrato* parcela;
  TDateTime dia;
  const TnTituloExtrato* titulo;  // exactly one of titulo and baixa
  const TnBaixaExtrato* baixa;

  // Persons in code order; on one date titles before settlements, each
  // kind by title, and settlements of one title by settlement.
  auto Chave() const {
    const int64_t acerto = baixa != nullptr ? baixa->acerto : 0;
    const int64_t codigo = baixa != nullptr ? baixa->baixa : 0;
    return std::make_tuple(parcela->pessoa, dia, baixa != nullptr, parcela->cabecalho,
                           parcela->parcela, parcela->empresa, acerto, codigo);
  }
};

// Balances are summed in cents, so a balance that is zero on paper is
// zero here.
int64_t Centavos(double valor) { return std::llround(valor * 100); }

char OutroLado(char lado) { return lado == 'C' ? 'D' : 'C'; }

class Montagem {
 public:
  Montagem(TDateTime inicio, const TnLadosExtrato& lados)
      : inicio_(DateOf(inicio)), lados_(lados) {}

  // The events of one person, in statement order.
  void Pessoa(const std::vector<Evento>& eventos, std::vector<TnLinhaExtrato>& linhas) const {
    int64_t saldo = 0;
    bool no_periodo = false;
    int64_t empresa = eventos.front().parcela->empresa;
    for (const Evento& e : eventos) {
      empresa = std::min(empresa, e.parcela->empresa);
      if (e.dia < inicio_) {
        saldo += e.titulo != nullptr ? Centavos(e.titulo->valor) : -Centavos(e.baixa->valor);
      } else {
        no_periodo = true;
      }
    }
    if (saldo == 0 && !no_periodo) return;
    TnLinhaExtrato abertura = Linha(
        *eventos.front().parcela, inicio_ - 1, "Saldo anterior", "", std::llabs(saldo) / 100.0,
        saldo >= 0 ? lados_.lado_titulo : OutroLado(lados_.lado_titulo));
    abertura.empresa = empresa;
    linhas.push_back(std::move(abertura));
    for (const Evento& e : eventos) {
      if (e.dia < inicio_) continue;
      if (e.titulo != nullptr) {
        Titulo(*e.titulo, linhas);
      } else {
        Baixa(*e.baixa, linhas);
      }
    }
  }

 private:
  TnLinhaExtrato Linha(const TnParcelaExtrato& p, TDateTime data, std::string historico,
                       std::string complemento, double valor, char lado) const {
    TnLinhaExtrato linha;
    linha.pessoa = p.pessoa;
    linha.nome_pessoa = p.nome_pessoa;
    linha.empresa = p.empresa;
    linha.data = data;
    linha.historico = std::move(historico);
    linha.complemento = std::move(complemento);
    linha.valor = valor;
    linha.lado = lado;
    return linha;
  }

  void Titulo(const TnTituloExtrato& t, std::vector<TnLinhaExtrato>& linhas) const {
    linhas.push_back(Linha(t, DateOf(t.data), "Título " + t.documento, t.historico, t.valor,
                           lados_.lado_titulo));
  }

  // The amount paid on the settlement's side; interest and fine back on
  // the title's side and the discount on the settlement's, so that net the
  // settlement lowers the balance by VALORBAIXA.
  void Baixa(const TnBaixaExtrato& b, std::vector<TnLinhaExtrato>& linhas) const {
    const TDateTime dia = DateOf(b.data);
    const std::string acerto = "Acerto " + IntToStr(b.acerto);
    const char lado_baixa = OutroLado(lados_.lado_titulo);
    linhas.push_back(Linha(b, dia, lados_.nome_acerto + b.documento, acerto,
                           b.valor + b.juros + b.multa - b.desconto, lado_baixa));
    if (b.juros > 0) {
      linhas.push_back(Linha(b, dia, "Juros " + b.documento, acerto, b.juros, lados_.lado_titulo));
    }
    if (b.multa > 0) {
      linhas.push_back(Linha(b, dia, "Multa " + b.documento, acerto, b.multa, lados_.lado_titulo));
    }
    if (b.desconto > 0) {
      linhas.push_back(Linha(b, dia, "Desconto " + b.documento, acerto, b.desconto, lado_baixa));
    }
  }

  TDateTime inicio_;
  const TnLadosExtrato& lados_;
};

}  // namespace

std::vector<TnLinhaExtrato> MontarLinhasExtrato(std::vector<TnTituloExtrato> titulos,
                                                std::vector<TnBaixaExtrato> baixas,
                                                TDateTime inicio, TDateTime fim,
                                                const TnLadosExtrato& lados) {
  const TDateTime ultimo_dia = DateOf(fim);
  std::vector<Evento> eventos;
  eventos.reserve(titulos.size() + baixas.size());
  for (const TnTituloExtrato& t : titulos) {
    if (DateOf(t.data) <= ultimo_dia) eventos.push_back({&t, DateOf(t.data), &t, nullptr});
  }
  for (const TnBaixaExtrato& b : baixas) {
    if (DateOf(b.data) <= ultimo_dia) eventos.push_back({&b, DateOf(b.data), nullptr, &b});
  }
  std::sort(eventos.begin(), eventos.end(),
            [](const Evento& a, const Evento& b) { return a.Chave() < b.Chave(); });

  const Montagem montagem(inicio, lados);
  std::vector<TnLinhaExtrato> linhas;
  std::vector<Evento> da_pessoa;
  for (size_t i = 0; i < eventos.size(); ++i) {
    da_pessoa.push_back(eventos[i]);
    const bool ultimo =
        i + 1 == eventos.size() || eventos[i + 1].parcela->pessoa != eventos[i].parcela->pessoa;
    if (!ultimo) continue;
    montagem.Pessoa(da_pessoa, linhas);
    da_pessoa.clear();
  }
  return linhas;
}

}  // namespace vireo
