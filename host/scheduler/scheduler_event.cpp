#include "host/scheduler/scheduler_event.h"

#include <cctype>

namespace vireo {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

Variant TcxSchedulerEvent::GetCustomFieldValueByName(const std::string& name) const {
  auto it = Custom.find(Upper(name));
  return it == Custom.end() ? Variant() : it->second;
}

void TcxSchedulerEvent::SetCustomFieldValueByName(const std::string& name, const Variant& value) {
  Custom[Upper(name)] = value;
}

}  // namespace vireo
