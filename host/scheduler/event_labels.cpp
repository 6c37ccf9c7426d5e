#include "host/scheduler/event_labels.h"

#include "host/scheduler/scheduler_event.h"

namespace vireo {
namespace {

// The base labels; none of them is red (255), the property-visit colour
// (12250516) or the completed-appointment yellow (65535), which the agenda
// gives meanings of its own.
const std::vector<TcxEventLabel>& BaseLabels() {
  static const std::vector<TcxEventLabel> labels = {
      {kSemLabel, "Nenhum"},       {0x6B73E8, "Importante"},
      {0xD59E6F, "Negócios"},      {0x7AC47A, "Pessoal"},
      {0xC4C4C4, "Férias"},        {0x4FA6F0, "Deve comparecer"},
      {0xE6C67F, "Requer viagem"}, {0x80B9D6, "Preparar"},
      {0xC98BBF, "Aniversário"},   {0xA0A07F, "Aniversário de casamento"},
      {0x9EE0F5, "Telefonar"}};
  return labels;
}

}  // namespace

TcxEventLabels::TcxEventLabels() : items_(BaseLabels()) {}

int TcxEventLabels::IndexOfColor(int color) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Color == color) return static_cast<int>(i);
  }
  return -1;
}

void TcxEventLabels::Add(int color, const std::string& caption) {
  items_.push_back({color, caption});
}

void TcxEventLabels::Reset() { items_ = BaseLabels(); }

TcxEventLabels& EventLabels() {
  static TcxEventLabels labels;
  return labels;
}

}  // namespace vireo
