#include "host/report/messages.h"

namespace vireo {

void TnMessageList::Configurar(const std::vector<std::string>& titles, int) { titles_ = titles; }

void TnMessageList::Add(int kind, const std::string& text) { items_.push_back({kind, text}); }

const char* TnMessageList::KindName(int kind) {
  switch (kind) {
    case kMsgInformacao:
      return "Informação";
    case kMsgAviso:
      return "Aviso";
    case kMsgObservacao:
      return "Observação";
    default:
      return "Mensagem";
  }
}

}  // namespace vireo
