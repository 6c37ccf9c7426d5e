// Cost centres (FPRCENTROCUSTO) and their configuration
// (FPRCFGCENTROCUSTO): three groups under the mask 9.99.
#include <cstdio>

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

void WriteConfiguration(DemoContext& context) {
  std::vector<std::string> columns = {"CODIGOCFGCENTROCUSTO"};
  std::vector<Variant> values = {1};
  int group = 0;
  for (const CentreGroup& row : kGroups) {
    std::string n = std::to_string(++group);
    columns.insert(columns.end(), {"MASCGRUPO" + n, "NATURGRUPO" + n, "TIPOGRUPO" + n});
    values.insert(values.end(), {"9.99", row.nature, group});
  }
  context.Table("FPRCFGCENTROCUSTO", columns).Insert(values);
}

std::string Classification(int group, int centre) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", group, centre);
  return text;
}

}  // namespace

void GenerateCostCentres(DemoContext& context) {
  WriteConfiguration(context);
  TableWriter& centres = context.Table("FPRCENTROCUSTO", {"CODIGOCENTROCUSTO", "DESCRCENTROCUSTO",
                                                          "CLASSIFCENTROCUSTO", "TIPOCENTROCUSTO"});
  int code = 0;
  int group = 0;
  for (const CentreGroup& row : kGroups) {
    ++group;
    centres.Insert({++code, row.name, std::to_string(group), 1});
    int centre = 0;
    for (const char* name : row.centres) {
      centres.Insert({++code, name, Classification(group, ++centre), 2});
      context.Ids().cost_centres.push_back(code);
    }
    // At a larger scale, branches of the group's work.
    for (int branch = 2; branch <= context.Scale(); ++branch) {
      char name[64];
      std::snprintf(name, sizeof name, "%s - Filial %02d", row.centres.begin()[0], branch);
      centres.Insert({++code, name, Classification(group, ++centre), 2});
      context.Ids().cost_centres.push_back(code);
    }
  }
  context.Ids().centres = code;
}

}  // namespace vireo::demo
