#pragma once

#include <memory>

#include "elements/window/group_box.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"

namespace lumi::test {

// A panel as an outer scheme holds it: inside a window of the test's own, reached
// through a TElMultiElement.
template <class Scheme>
class PanelHost {
 public:
  explicit PanelHost(size_t events = 0, size_t data = 0) {
    window = std::make_unique<TElGroupBox>(nullptr);
    window->Width = 600;
    window->Height = 700;
    window->Init();
    multi = std::make_unique<TElMultiElement>();
    multi->parent = window.get();
    multi->SetCreator(CreatorOf<Scheme>());
    multi->OnEvent.Resize(events);
    multi->InData.Resize(data);
  }
  ~PanelHost() {
    multi.reset();  // the panel's controls go before the window they live in
  }

  Scheme& operator*() const { return *static_cast<Scheme*>(multi->Inner()->container); }
  Scheme* operator->() const { return &**this; }

  void Work(uint16_t index, TData value) { multi->Work(value, index); }
  TData OutVar(uint16_t index) const {
    TData answer;
    multi->OutVar(answer, index);
    return answer;
  }

  std::unique_ptr<TElGroupBox> window;
  std::unique_ptr<TElMultiElement> multi;
};

}  // namespace lumi::test
