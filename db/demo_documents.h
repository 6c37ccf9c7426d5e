// Document numbers and contact texts of the demo data: federal tax numbers
// with valid check digits, postal codes, telephones and e-mail addresses.
#pragma once

#include <string>

#include "db/demo_names.h"
#include "db/demo_random.h"

namespace vireo::demo {

// "123.456.789-09": a CPF (natural person) with its two check digits.
std::string Cpf(DemoRandom& random);
// "12.345.678/0001-95": a CNPJ (legal person), head office, check digits.
std::string Cnpj(DemoRandom& random);
// The check digits of a tax number's leading digits: CPF for 9 digits,
// CNPJ for 12.
std::string TaxCheckDigits(const std::string& digits);

// "01310-123", in the town's range.
std::string Cep(DemoRandom& random, const DemoTown& town);
// "(41) 3345-6789", or "(41) 98765-4321" for a mobile.
std::string Telephone(DemoRandom& random, const DemoTown& town, bool mobile);
// Lower-case ASCII without accents or blanks: "São José" -> "saojose".
std::string AsciiWord(const std::string& text);
// "ana.souza@email.com.br" from "Ana Paula Souza" and a domain.
std::string EmailOf(const std::string& person_name, const std::string& domain);

}  // namespace vireo::demo
