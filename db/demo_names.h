// Names for the demo data: persons, firms, streets and towns that read like
// a Brazilian register, accents included.
#pragma once

#include <span>
#include <string>

#include "db/demo_random.h"

namespace vireo::demo {

struct DemoTown {
  const char* name;
  const char* state;       // two-letter abbreviation
  const char* area_code;   // telephone area code
  const char* cep_prefix;  // first five digits of the postal codes
};

// "Ana Paula Souza", "José Carlos de Oliveira".
std::string PersonName(DemoRandom& random);
// "Horizonte Materiais de Construção Ltda", "Santos & Araújo Transportes ME".
std::string FirmName(DemoRandom& random);
// The firm's short name, for e-mail domains: its first word.
std::string FirmWord(const std::string& firm_name);

const DemoTown& PickTown(DemoRandom& random);
// The towns in a fixed order, the large capitals first.
std::span<const DemoTown> Towns();
std::string StreetName(DemoRandom& random);
std::string DistrictName(DemoRandom& random);

}  // namespace vireo::demo
