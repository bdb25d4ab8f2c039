// The root of the framework's classes and its event type.
#pragma once

#include <functional>

namespace fw {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event handler: a bound method taking the object that raised the event.
using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace fw
