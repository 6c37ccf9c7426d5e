#include "db/demo_documents.h"

#include <string_view>

namespace vireo::demo {

namespace {

std::string Digits(DemoRandom& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Between(0, 9));
  return digits;
}

// Modulus 11 digit over the digits with weights running down to 2 and, for
// long numbers, starting again at 9 (the CNPJ rule; a CPF never wraps).
char Modulus11(const std::string& digits, int first_weight, bool wrap) {
  int sum = 0;
  int weight = first_weight;
  for (char c : digits) {
    sum += (c - '0') * weight;
    weight = (weight == 2 && wrap) ? 9 : weight - 1;
  }
  int rest = sum % 11;
  return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

// Pairs of a UTF-8 accented letter and its plain ASCII letter.
const std::pair<std::string_view, char> kPlainLetters[] = {
    {"á", 'a'}, {"à", 'a'}, {"â", 'a'}, {"ã", 'a'}, {"é", 'e'}, {"ê", 'e'}, {"í", 'i'},
    {"ó", 'o'}, {"ô", 'o'}, {"õ", 'o'}, {"ú", 'u'}, {"ü", 'u'}, {"ç", 'c'}, {"Á", 'a'},
    {"À", 'a'}, {"Â", 'a'}, {"Ã", 'a'}, {"É", 'e'}, {"Ê", 'e'}, {"Í", 'i'}, {"Ó", 'o'},
    {"Ô", 'o'}, {"Õ", 'o'}, {"Ú", 'u'}, {"Ç", 'c'}};

}  // namespace

std::string TaxCheckDigits(const std::string& digits) {
  bool cnpj = digits.size() == 12;
  int first = cnpj ? 5 : 10;
  char d1 = Modulus11(digits, first, cnpj);
  char d2 = Modulus11(digits + d1, first + 1, cnpj);
  return {d1, d2};
}

std::string Cpf(DemoRandom& random) {
  std::string d = Digits(random, 9);
  std::string check = TaxCheckDigits(d);
  return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + check;
}

std::string Cnpj(DemoRandom& random) {
  std::string d = Digits(random, 8) + "0001";
  std::string check = TaxCheckDigits(d);
  return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" +
         check;
}

std::string Cep(DemoRandom& random, const DemoTown& town) {
  return std::string(town.cep_prefix) + "-" + Digits(random, 3);
}

std::string Telephone(DemoRandom& random, const DemoTown& town, bool mobile) {
  std::string number = "(";
  number += town.area_code;
  number += ") ";
  number += mobile ? "9" : std::to_string(random.Between(2, 3));
  number += Digits(random, mobile ? 4 : 3);
  number += '-';
  number += Digits(random, 4);
  return number;
}

std::string AsciiWord(const std::string& text) {
  std::string out;
  std::string_view rest = text;
  while (!rest.empty()) {
    bool replaced = false;
    for (const auto& [accented, plain] : kPlainLetters) {
      if (rest.starts_with(accented)) {
        out += plain;
        rest.remove_prefix(accented.size());
        replaced = true;
        break;
      }
    }
    if (replaced) continue;
    char c = rest.front();
    rest.remove_prefix(1);
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
  }
  return out;
}

std::string EmailOf(const std::string& person_name, const std::string& domain) {
  size_t first_end = person_name.find(' ');
  size_t last_start = person_name.rfind(' ');
  std::string first = AsciiWord(person_name.substr(0, first_end));
  if (first_end == std::string::npos) return first + "@" + domain;
  return first + "." + AsciiWord(person_name.substr(last_start + 1)) + "@" + domain;
}

}  // namespace vireo::demo
