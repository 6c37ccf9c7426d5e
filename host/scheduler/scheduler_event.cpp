#include "host/scheduler/scheduler_event.h"

#include "host/core/text.h"

namespace vireo {

Variant TcxSchedulerEvent::GetCustomFieldValueByName(const std::string& name) const {
  auto it = Custom.find(UpperCase(name));
  return it == Custom.end() ? Variant() : it->second;
}

void TcxSchedulerEvent::SetCustomFieldValueByName(const std::string& name, const Variant& value) {
  Custom[UpperCase(name)] = value;
}

}  // namespace vireo
