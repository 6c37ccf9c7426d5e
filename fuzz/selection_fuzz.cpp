// The selection syntax a user types (pCodigoEscrit = "1;3..5"): whatever it
// accepts becomes SQL made only of digits, the column, between, in, or, and,
// parentheses, commas and blanks; and CheckInInclusion agrees with it on
// whether it filters at all.
#include <cctype>

#include "fuzz/fuzz_support.h"
#include "host/core/variant.h"
#include "host/data/selection.h"

namespace {

const char kColumn[] = "C.CODIGOCONTA";

bool OnlyAllowedWords(const std::string& sql) {
  static const char* const kWords[] = {kColumn, "between", "in", "or", "and", "1=1"};
  size_t i = 0;
  while (i < sql.size()) {
    bool matched = false;
    for (const char* w : kWords) {
      const std::string word = w;
      if (sql.compare(i, word.size(), word) == 0) {
        i += word.size();
        matched = true;
        break;
      }
    }
    if (matched) continue;
    const char c = sql[i];
    if (c != ' ' && c != '(' && c != ')' && c != ',' && c != '-' &&
        !std::isdigit(static_cast<unsigned char>(c))) {
      return false;
    }
    ++i;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vireo;
  const std::string selection = fuzz::Text(data, size);
  fuzz::Refusable([&] {
    const std::string sql = FilterInterval(kColumn, selection, {1}, false, 0);
    if (!OnlyAllowedWords(sql)) fuzz::Broken("FilterInterval let through", selection + "\n" + sql);
    const std::string with_and = FilterInterval(kColumn, selection, {1}, true, 0);
    if (!OnlyAllowedWords(with_and)) fuzz::Broken("FilterInterval (and) let through", with_and);
    for (int64_t v : {int64_t{0}, int64_t{1}, int64_t{42}, int64_t{-1}}) {
      CheckInInclusion(Variant(v), selection);
    }
  });
  return 0;
}
