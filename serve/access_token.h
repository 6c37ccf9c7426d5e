// The access token of a `vireo serve`: made at start, printed with the URL
// that opens the browser session, and required of every request (as a
// header, the session's cookie, or once in the URL that sets the cookie).
#pragma once

#include <string>
#include <string_view>

namespace vireo::serve {

class AccessToken {
 public:
  AccessToken();  // 32 random bytes from the system, as hex
  explicit AccessToken(std::string text) : text_(std::move(text)) {}

  const std::string& Text() const { return text_; }
  // Compares in a time that does not depend on where the texts differ.
  bool Matches(std::string_view candidate) const;

 private:
  std::string text_;
};

}  // namespace vireo::serve
