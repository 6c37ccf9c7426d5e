#include "db/demo_names.h"

namespace vireo::demo {

namespace {

const char* const kMaleNames[] = {
    "João",    "José",     "Antônio", "Francisco", "Carlos",   "Paulo",   "Pedro",
    "Lucas",   "Luiz",     "Marcos",  "Luís",      "Gabriel",  "Rafael",  "Daniel",
    "Marcelo", "Bruno",    "Eduardo", "Felipe",    "Raimundo", "Rodrigo", "Sérgio",
    "Fábio",   "Vinícius", "André",   "Márcio",    "Otávio",   "Caio",    "Henrique"};
const char* const kFemaleNames[] = {
    "Maria",    "Ana",      "Francisca", "Antônia", "Adriana", "Juliana", "Márcia",
    "Fernanda", "Patrícia", "Aline",     "Sandra",  "Camila",  "Amanda",  "Bruna",
    "Jéssica",  "Letícia",  "Júlia",     "Luciana", "Vanessa", "Mariana", "Cecília",
    "Beatriz",  "Lúcia",    "Sônia",     "Helena",  "Renata",  "Débora",  "Gisele"};
const char* const kMaleSecondNames[] = {"Carlos", "Eduardo", "Henrique", "Augusto", "Gustavo"};
const char* const kFemaleSecondNames[] = {"Paula", "Cristina", "Aparecida", "Luiza", "Vitória"};
const char* const kSurnames[] = {
    "Silva",     "Santos",    "Oliveira",  "Souza",     "Rodrigues", "Ferreira",   "Alves",
    "Pereira",   "Lima",      "Gomes",     "Costa",     "Ribeiro",   "Martins",    "Carvalho",
    "Almeida",   "Lopes",     "Soares",    "Fernandes", "Vieira",    "Barbosa",    "Araújo",
    "Conceição", "Gonçalves", "Magalhães", "Simões",    "Brandão",   "Falcão",     "Assunção",
    "Damasceno", "Guimarães", "Nogueira",  "Peixoto",   "Monteiro",  "Cavalcânti", "Sá"};

const char* const kFirmWords[] = {
    "Alvorada",    "Horizonte",   "Aroeira",   "Jequitibá",   "Ipê",      "Boa Vista", "São Jorge",
    "Santa Luzia", "Estrela",     "Cruzeiro",  "Três Irmãos", "Paraná",   "Itaúna",    "Araguaia",
    "Serra Azul",  "Bandeirante", "Primavera", "Guarani",     "Pioneira", "Litoral"};
// Goods take a kind of trade in front ("Distribuidora de Alimentos");
// services stand alone ("Horizonte Engenharia").
const char* const kGoods[] = {"Materiais de Construção",
                              "Papelaria",
                              "Alimentos",
                              "Autopeças",
                              "Produtos Agropecuários",
                              "Equipamentos Elétricos",
                              "Móveis e Decoração",
                              "Embalagens",
                              "Produtos de Limpeza"};
const char* const kServices[] = {"Transportes",           "Informática",  "Limpeza e Conservação",
                                 "Serviços Gráficos",     "Engenharia",   "Contabilidade",
                                 "Segurança Patrimonial", "Refrigeração", "Consultoria"};
const char* const kTradeKinds[] = {"Comércio de", "Distribuidora de", "Indústria de"};
const char* const kFirmSuffixes[] = {"Ltda", "Ltda", "Ltda", "S.A.", "ME", "EIRELI"};

const char* const kStreets[] = {
    "Rua das Acácias",      "Avenida Brasil",           "Rua XV de Novembro",
    "Rua Sete de Setembro", "Avenida Paulista",         "Rua da Consolação",
    "Rua Marechal Deodoro", "Avenida Getúlio Vargas",   "Rua Dom Pedro II",
    "Rua São João",         "Travessa Ouro Preto",      "Alameda Santos",
    "Rua Tiradentes",       "Avenida Afonso Pena",      "Rua Barão do Rio Branco",
    "Rua Visconde de Mauá", "Avenida João Pessoa",      "Rua Conceição",
    "Rua Padre Anchieta",   "Avenida das Nações Unidas"};
const char* const kDistricts[] = {
    "Centro",     "Jardim América",  "Vila Mariana",  "Batel",         "Savassi",
    "Boa Vista",  "Santa Efigênia",  "Água Verde",    "Funcionários",  "Pinheiros",
    "Bela Vista", "Jardim Botânico", "São Francisco", "Cidade Jardim", "Vila Industrial"};

const DemoTown kTowns[] = {{"São Paulo", "SP", "11", "01310"},
                           {"Curitiba", "PR", "41", "80010"},
                           {"Belo Horizonte", "MG", "31", "30130"},
                           {"Campinas", "SP", "19", "13010"},
                           {"Londrina", "PR", "43", "86010"},
                           {"Uberlândia", "MG", "34", "38400"},
                           {"Florianópolis", "SC", "48", "88010"},
                           {"Porto Alegre", "RS", "51", "90010"},
                           {"Goiânia", "GO", "62", "74003"},
                           {"Ribeirão Preto", "SP", "16", "14010"},
                           {"Joinville", "SC", "47", "89201"},
                           {"Maringá", "PR", "44", "87013"},
                           {"São José dos Campos", "SP", "12", "12210"},
                           {"Vitória", "ES", "27", "29010"}};

}  // namespace

std::string PersonName(DemoRandom& random) {
  bool female = random.Chance(50);
  std::string name = female ? random.Pick(kFemaleNames) : random.Pick(kMaleNames);
  if (random.Chance(35)) {
    name += " ";
    name += female ? random.Pick(kFemaleSecondNames) : random.Pick(kMaleSecondNames);
  }
  if (random.Chance(20)) name += " de";
  if (random.Chance(40)) name += std::string(" ") + random.Pick(kSurnames);
  return name + " " + random.Pick(kSurnames);
}

std::string FirmName(DemoRandom& random) {
  std::string suffix = random.Pick(kFirmSuffixes);
  std::string name;
  if (random.Chance(30)) {
    std::string first = random.Pick(kSurnames);
    std::string second = random.Pick(kSurnames);
    name = first + " & " + second;
  } else {
    name = random.Pick(kFirmWords);
  }
  std::string activity;
  if (random.Chance(50)) {
    std::string kind = random.Pick(kTradeKinds);
    activity = kind + " " + random.Pick(kGoods);
  } else {
    activity = random.Pick(kServices);
  }
  return name + " " + activity + " " + suffix;
}

std::string FirmWord(const std::string& firm_name) {
  size_t blank = firm_name.find(' ');
  return blank == std::string::npos ? firm_name : firm_name.substr(0, blank);
}

const DemoTown& PickTown(DemoRandom& random) { return random.Pick(kTowns); }

std::span<const DemoTown> Towns() { return kTowns; }

std::string StreetName(DemoRandom& random) { return random.Pick(kStreets); }

std::string DistrictName(DemoRandom& random) { return random.Pick(kDistricts); }

}  // namespace vireo::demo
