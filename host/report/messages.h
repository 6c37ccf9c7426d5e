// The message list: warnings and notes a report gives during the print,
// listed to the user when it ends (kinds 0 information, 1 warning, 4 note).
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"

namespace vireo {

enum TnMessageKind { kMsgInformacao = 0, kMsgAviso = 1, kMsgObservacao = 4 };

struct VIREO_API TnMessage {
  int kind = 0;
  std::string text;
};

class VIREO_API TnMessageList {
 public:
  // Column titles of the list; messages already given are kept.
  void Configurar(const std::vector<std::string>& titles, int options);
  void Add(int kind, const std::string& text);

  const std::vector<std::string>& Titles() const { return titles_; }
  const std::vector<TnMessage>& Items() const { return items_; }
  bool Empty() const { return items_.empty(); }
  // The name of a kind as the host lists it ("Informação", "Aviso", ...).
  static const char* KindName(int kind);

 private:
  std::vector<std::string> titles_;
  std::vector<TnMessage> items_;
};

}  // namespace vireo
