// Cost centres (FPRCENTROCUSTO) and their configuration
// (FPRCFGCENTROCUSTO): three groups under the mask 9.99, whose second level
// widens (9.999, ...) when a group has more than 99 cost centres.
#include <algorithm>
#include <cstdio>
#include <string>

#include "db/demo_context.h"

namespace vireo::demo {

namespace {

struct CentreGroup {
  const char* name;
  int nature;
  std::initializer_list<const char*> centres;
};

const CentreGroup kGroups[] = {
    {"ADMINISTRATIVO",
     1,
     {"Diretoria", "Financeiro", "Recursos Humanos", "Tecnologia da Informação"}},
    {"OPERACIONAL", 1, {"Produção", "Manutenção", "Logística", "Obras"}},
    {"COMERCIAL", -1, {"Vendas", "Marketing", "Pós-venda"}}};

// Digits of the second level: two, or as many as the largest group needs.
int LevelDigits(int scale) {
  size_t most = 0;
  for (const CentreGroup& row : kGroups) most = std::max(most, row.centres.size());
  return std::max(2, static_cast<int>(std::to_string(most + std::max(0, scale - 1)).size()));
}

void WriteConfiguration(DemoContext& context) {
  const std::string mask = "9." + std::string(LevelDigits(context.Scale()), '9');
  std::vector<std::string> columns = {"CODIGOCFGCENTROCUSTO"};
  std::vector<Variant> values = {1};
  int group = 0;
  for (const CentreGroup& row : kGroups) {
    std::string n = std::to_string(++group);
    columns.insert(columns.end(), {"MASCGRUPO" + n, "NATURGRUPO" + n, "TIPOGRUPO" + n});
    values.insert(values.end(), {mask, row.nature, group});
  }
  context.Table("FPRCFGCENTROCUSTO", columns).Insert(values);
}

std::string Classification(int group, int centre, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%0*d", group, digits, centre);
  return text;
}

}  // namespace

void GenerateCostCentres(DemoContext& context) {
  WriteConfiguration(context);
  TableWriter& centres = context.Table("FPRCENTROCUSTO", {"CODIGOCENTROCUSTO", "DESCRCENTROCUSTO",
                                                          "CLASSIFCENTROCUSTO", "TIPOCENTROCUSTO"});
  const int digits = LevelDigits(context.Scale());
  int code = 0;
  int group = 0;
  for (const CentreGroup& row : kGroups) {
    ++group;
    centres.Insert({++code, row.name, std::to_string(group), 1});
    int centre = 0;
    for (const char* name : row.centres) {
      centres.Insert({++code, name, Classification(group, ++centre, digits), 2});
      context.Ids().cost_centres.push_back(code);
    }
    // At a larger scale, branches of the group's work.
    for (int branch = 2; branch <= context.Scale(); ++branch) {
      char name[64];
      std::snprintf(name, sizeof name, "%s - Filial %02d", row.centres.begin()[0], branch);
      centres.Insert({++code, name, Classification(group, ++centre, digits), 2});
      context.Ids().cost_centres.push_back(code);
    }
  }
  context.Ids().centres = code;
}

}  // namespace vireo::demo
