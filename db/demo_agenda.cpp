#include "db/demo_agenda.h"

#include <algorithm>
#include <optional>

#include "db/demo_context.h"

namespace vireo::demo {
namespace {

// The agenda's own random sequence, so the rest of the demo stays as it was.
constexpr uint32_t kSementeAgenda = 0x4A47u;
constexpr int kSemLabel = 536870912;
constexpr int kLabels[] = {kSemLabel, 0x6B73E8, 0xD59E6F, 0x7AC47A, 0x4FA6F0, 0x9EE0F5};
constexpr const char* kTitulos[] = {"Reunião com cliente",   "Visita ao fornecedor",
                                    "Conferência do caixa",  "Ligação para o banco",
                                    "Revisão de contratos",  "Almoço de negócios",
                                    "Treinamento da equipe", "Entrega de documentos ao contador"};
enum Tipo { kUnico = 0, kSerie = 1, kAlterada = 2, kExcluida = 3 };
enum Opcao { kDiaInteiro = 1, kLembrete = 2 };

struct Linha {
  int seq = 0;
  std::optional<int> pai;
  TDateTime inicio = 0, fim = 0;
  std::string titulo;
  int tipo = kUnico;
  int opcoes = 0;
  int label = kSemLabel;
  std::string regra;
  std::optional<int> indice;
  int usuario = 0;
  int concluida = 0;
  int multipla = 0;
  int pessoa_sorteio = 0, empresa_sorteio = 0, imovel_sorteio = 0;
};

TDateTime Dia(int y, int m, int d) { return EncodeDate(y, m, d); }
TDateTime Hora(int h, int m = 0) { return EncodeTime(h, m, 0); }

// The k-th given weekday (1 Sunday .. 7 Saturday) of a month.
TDateTime KesimoDiaSemana(int ano, int mes, int dia_semana, int k) {
  TDateTime d = Dia(ano, mes, 1);
  while (DayOfWeek(d) != dia_semana) d += 1;
  return d + 7 * (k - 1);
}

// Builds the rows and the lines they print, with one random sequence.
class Agenda {
 public:
  Agenda(uint32_t seed, int scale) : random_(seed + kSementeAgenda), scale_(scale) {}

  void Usuario(int u, std::optional<int> parceiro) {
    Unicos(u);
    DiasInteiros(u);
    Diaria(u);
    Semanal(u);
    Quinzenal(u);
    MensalDia31(u);
    MensalSegundaTerca(u);
    Anual(u);
    Concluidos(u);
    if (parceiro) Multipla(u, *parceiro);
  }

  std::vector<Linha> linhas;
  std::vector<AgendaLinha> plano;

 private:
  Linha& Nova(int u, TDateTime inicio, TDateTime fim, std::string titulo) {
    Linha l;
    l.seq = static_cast<int>(linhas.size()) + 1;
    l.usuario = u;
    l.inicio = inicio;
    l.fim = fim;
    l.titulo = std::move(titulo);
    l.label = random_.Pick(kLabels);
    l.pessoa_sorteio = random_.Between(0, 999);
    l.empresa_sorteio = random_.Between(0, 999);
    l.imovel_sorteio = random_.Between(0, 999);
    linhas.push_back(l);
    return linhas.back();
  }
  void Planejar(const Linha& l, TDateTime inicio, TDateTime fim) {
    if (DateOf(inicio) < AgendaInicio() || DateOf(inicio) > AgendaFim()) return;
    plano.push_back({l.usuario, inicio, fim, l.titulo, l.seq});
  }
  void Unico(const Linha& l) { Planejar(l, l.inicio, l.fim); }

  void Unicos(int u) {
    for (int i = 0; i < 2 + 2 * scale_; ++i) {
      const TDateTime d = AgendaInicio() + random_.Between(0, 91);
      const int h = random_.Between(8, 17);
      const int duracao = random_.Between(1, 2);
      Linha& l = Nova(u, d + Hora(h), d + Hora(h + duracao), random_.Pick(kTitulos));
      if (random_.Chance(30)) l.opcoes |= kLembrete;
      Unico(l);
    }
    const TDateTime noite = AgendaInicio() + random_.Between(0, 91);
    Unico(Nova(u, noite + Hora(22), noite + 1 + Hora(2), "Manutenção do servidor"));
  }

  void DiasInteiros(int u) {
    const TDateTime d1 = AgendaInicio() + random_.Between(0, 91);
    Linha& folga = Nova(u, d1, d1 + 1, "Dia de folga");
    folga.opcoes = kDiaInteiro;
    Unico(folga);
    const TDateTime d3 = AgendaInicio() + random_.Between(0, 88);
    Linha& viagem = Nova(u, d3, d3 + 3, "Viagem a São Paulo");
    viagem.opcoes = kDiaInteiro;
    Unico(viagem);
  }

  void Diaria(int u) {
    const TDateTime d = Dia(2025, 4, random_.Between(1, 20));
    Linha& l = Nova(u, d + Hora(7, 30), d + Hora(8), "Plantão de cobrança");
    l.tipo = kSerie;
    l.regra = "FREQ=DAILY;COUNT=5";
    for (int i = 0; i < 5; ++i) Planejar(l, l.inicio + i, l.fim + i);
  }

  // Mondays and Wednesdays from 3 February, open, with its exceptions.
  void Semanal(int u) {
    const int h = random_.Between(8, 10);
    const TDateTime base = Dia(2025, 2, 3);
    auto dia = [&](int i) { return base + 7 * (i / 2) + 2 * (i % 2); };
    const int serie = Nova(u, base + Hora(h), base + Hora(h + 1), "Reunião de equipe").seq;
    linhas[serie - 1].tipo = kSerie;
    linhas[serie - 1].regra = "RRULE:FREQ=WEEKLY;BYDAY=MO,WE";
    const int remarcada = 12, adiada = 15, excluida = 18, concluida = 21, fora = 23;
    for (int i = 0; dia(i) <= AgendaFim(); ++i) {
      if (i == remarcada || i == adiada || i == excluida || i == concluida || i == fora) continue;
      Planejar(linhas[serie - 1], dia(i) + Hora(h), dia(i) + Hora(h + 1));
    }
    auto excecao = [&](int i, TDateTime inicio, TDateTime fim, const char* titulo, int tipo) {
      Linha& l = Nova(u, inicio, fim, titulo);
      l.tipo = tipo;
      l.pai = serie;
      l.indice = i;
      return l.seq;
    };
    Unico(linhas[excecao(remarcada, dia(remarcada) + Hora(14), dia(remarcada) + Hora(15),
                         "Reunião de equipe (remarcada)", kAlterada) -
                 1]);
    Unico(linhas[excecao(adiada, Dia(2025, 4, 2) + Hora(16), Dia(2025, 4, 2) + Hora(17),
                         "Reunião de equipe (adiada para abril)", kAlterada) -
                 1]);
    excecao(excluida, dia(excluida) + Hora(h), dia(excluida) + Hora(h + 1), "Reunião de equipe",
            kExcluida);
    const int so_concluida = excecao(concluida, dia(concluida) + Hora(h),
                                     dia(concluida) + Hora(h + 1), "Reunião de equipe", kAlterada);
    linhas[so_concluida - 1].concluida = 1;
    excecao(fora, Dia(2025, 6, 10) + Hora(h), Dia(2025, 6, 10) + Hora(h + 1),
            "Reunião de equipe (levada a junho)", kAlterada);
  }

  void Quinzenal(int u) {
    const TDateTime d = Dia(2025, 3, 6);
    Linha& l = Nova(u, d + Hora(15), d + Hora(16), "Comitê de crédito");
    l.tipo = kSerie;
    l.regra = "FREQ=WEEKLY;INTERVAL=2;UNTIL=20250515";
    for (TDateTime x = d; x <= Dia(2025, 5, 15); x += 14) Planejar(l, x + Hora(15), x + Hora(16));
  }

  void MensalDia31(int u) {
    Linha& l =
        Nova(u, Dia(2025, 1, 31) + Hora(10), Dia(2025, 1, 31) + Hora(11), "Fechamento mensal");
    l.tipo = kSerie;
    l.regra = "FREQ=MONTHLY;BYMONTHDAY=31";
    for (int mes = 1; mes <= 12; ++mes) {
      if (DaysInAMonth(2025, mes) == 31) {
        Planejar(l, Dia(2025, mes, 31) + Hora(10), Dia(2025, mes, 31) + Hora(11));
      }
    }
  }

  void MensalSegundaTerca(int u) {
    const int terca = 3;
    const TDateTime d = KesimoDiaSemana(2025, 1, terca, 2);
    Linha& l = Nova(u, d + Hora(14), d + Hora(16), "Reunião de diretoria");
    l.tipo = kSerie;
    l.regra = "FREQ=MONTHLY;BYDAY=2TU;COUNT=6";
    for (int mes = 1; mes <= 6; ++mes) {
      const TDateTime x = KesimoDiaSemana(2025, mes, terca, 2);
      Planejar(l, x + Hora(14), x + Hora(16));
    }
  }

  void Anual(int u) {
    Linha& l =
        Nova(u, Dia(2023, 4, 15) + Hora(11), Dia(2023, 4, 15) + Hora(12), "Aniversário da empresa");
    l.tipo = kSerie;
    l.regra = "FREQ=YEARLY;UNTIL=20260101T000000Z";
    for (int ano = 2023; ano <= 2025; ++ano) {
      Planejar(l, Dia(ano, 4, 15) + Hora(11), Dia(ano, 4, 15) + Hora(12));
    }
  }

  void Concluidos(int u) {
    const TDateTime d = Dia(2025, 3, 3);
    Linha& serie = Nova(u, d + Hora(13), d + Hora(14), "Inventário (concluído)");
    serie.tipo = kSerie;
    serie.regra = "FREQ=DAILY;COUNT=10";
    serie.concluida = 1;
    const TDateTime x = AgendaInicio() + random_.Between(0, 91);
    Nova(u, x + Hora(9), x + Hora(10), "Pagamento de fornecedores (concluído)").concluida = 1;
  }

  void Multipla(int u, int parceiro) {
    const TDateTime d = AgendaInicio() + random_.Between(0, 91);
    for (int usuario : {u, parceiro}) {
      Linha& l = Nova(usuario, d + Hora(16), d + Hora(17), "Reunião geral");
      l.multipla = 1;
      Unico(l);
    }
  }

  DemoRandom random_;
  int scale_;
};

Agenda Montar(uint32_t seed, int scale, const std::vector<int>& usuarios) {
  Agenda agenda(seed, scale);
  for (size_t i = 0; i < usuarios.size(); ++i) {
    std::optional<int> parceiro;
    if (i % 2 == 0 && i + 1 < usuarios.size()) parceiro = usuarios[i + 1];
    agenda.Usuario(usuarios[i], parceiro);
  }
  return agenda;
}

std::vector<int> ComAdministrador(const std::vector<int>& usuarios) {
  std::vector<int> todos{0};
  todos.insert(todos.end(), usuarios.begin(), usuarios.end());
  return todos;
}

Variant Sorteio(const std::vector<int>& codigos, int sorteio) {
  if (codigos.empty()) return Variant();
  return codigos[static_cast<size_t>(sorteio) % codigos.size()];
}

Variant Opcional(const std::optional<int>& v) { return v ? Variant(*v) : Variant(); }

}  // namespace

TDateTime AgendaInicio() { return Dia(2025, 3, 1); }
TDateTime AgendaFim() { return Dia(2025, 5, 31); }

std::vector<AgendaLinha> PlanoAgenda(uint32_t seed, int scale, const std::vector<int>& usuarios) {
  std::vector<AgendaLinha> plano = Montar(seed, scale, ComAdministrador(usuarios)).plano;
  std::stable_sort(plano.begin(), plano.end(), [](const AgendaLinha& a, const AgendaLinha& b) {
    if (a.usuario != b.usuario) return a.usuario < b.usuario;
    if (a.inicio != b.inicio) return a.inicio < b.inicio;
    return a.seq < b.seq;
  });
  return plano;
}

void GenerateAgenda(DemoContext& context, uint32_t seed) {
  DemoIds& ids = context.Ids();
  std::vector<int> empresas;
  for (const DemoCompany& c : ids.companies) empresas.push_back(c.code);
  std::vector<int> imoveis;
  for (int i = 1; i <= 4 * context.Scale(); ++i) imoveis.push_back(i);
  const Agenda agenda = Montar(seed, context.Scale(), ComAdministrador(ids.users));
  TableWriter& tabela = context.Table("AGENDAUSUARIO", {"SEQAGENDA",
                                                        "SEQAGENDAPAI",
                                                        "DATAHORAINICIO",
                                                        "DATAHORAFIM",
                                                        "TITULOTAREFA",
                                                        "LOCALIZACAOTAREFA",
                                                        "TIPOTAREFA",
                                                        "ESTADOTAREFA",
                                                        "OPCAOTAREFA",
                                                        "LABELCOR",
                                                        "INDICERECORRENCIATAREFA",
                                                        "INFORECORRENCIATAREFA",
                                                        "CODIGOUSUARIODEST",
                                                        "CODIGOUSUARIOORIG",
                                                        "CONCLUIDA",
                                                        "MULTIPLA",
                                                        "TIPOGRUPOPESSOA",
                                                        "CODIGOPESSOAFIN",
                                                        "CODIGOESCRIT",
                                                        "CODIGOIMOVEL",
                                                        "LEMBRETEMINUTOS"});
  for (const Linha& l : agenda.linhas) {
    const bool com_pessoa = l.pessoa_sorteio % 3 == 0;
    const bool com_imovel = l.imovel_sorteio % 5 == 0;
    tabela.Insert({l.seq,
                   Opcional(l.pai),
                   Variant::FromDateTime(l.inicio),
                   Variant::FromDateTime(l.fim),
                   l.titulo,
                   com_pessoa ? Variant("Escritório") : Variant(),
                   l.tipo,
                   2,
                   l.opcoes,
                   l.label == kSemLabel ? Variant() : Variant(l.label),
                   Opcional(l.indice),
                   l.regra.empty() ? Variant() : Variant(l.regra),
                   l.usuario,
                   0,
                   l.concluida,
                   l.multipla,
                   com_pessoa ? Variant(kCustomer) : Variant(),
                   com_pessoa ? Sorteio(ids.customers, l.pessoa_sorteio) : Variant(),
                   Sorteio(empresas, l.empresa_sorteio),
                   com_imovel ? Sorteio(imoveis, l.imovel_sorteio) : Variant(),
                   (l.opcoes & kLembrete) != 0 ? Variant(15) : Variant()});
  }
}

}  // namespace vireo::demo
