#include "serve/access_token.h"

#include <sys/random.h>

#include <array>
#include <cstdio>
#include <stdexcept>

namespace vireo::serve {

AccessToken::AccessToken() {
  std::array<unsigned char, 32> bytes{};
  size_t got = 0;
  while (got < bytes.size()) {
    ssize_t n = getrandom(bytes.data() + got, bytes.size() - got, 0);
    if (n <= 0) throw std::runtime_error("vireo serve: o sistema não deu bytes aleatórios");
    got += static_cast<size_t>(n);
  }
  char hex[3];
  for (unsigned char b : bytes) {
    std::snprintf(hex, sizeof hex, "%02x", b);
    text_ += hex;
  }
}

bool AccessToken::Matches(std::string_view candidate) const {
  if (candidate.size() != text_.size()) return false;
  unsigned char diff = 0;
  for (size_t i = 0; i < text_.size(); ++i)
    diff |= static_cast<unsigned char>(text_[i] ^ candidate[i]);
  return diff == 0;
}

}  // namespace vireo::serve
