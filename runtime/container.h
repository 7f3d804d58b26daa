#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/edit_multi.h"
#include "runtime/element.h"

namespace lumi {

// A scheme: owns a fixed set of elements, creates them in order (each set up right
// after its creation), links their points, and destroys them in reverse order.
// A nested scheme also owns the TElEditMulti through which its outer scheme reaches
// it; that one goes last.
class Container {
 public:
  Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  virtual ~Container();

  // The inner side handed to the outer TElMultiElement; none for the main scheme.
  TElEditMulti* EditMulti() const { return edit_multi_.get(); }

 protected:
  template <class E, class... Args>
  E* Create(Args&&... args) {
    auto element = std::make_unique<E>(std::forward<Args>(args)...);
    E* raw = element.get();
    elements_.push_back(std::move(element));
    return raw;
  }

  // Creates the TElEditMulti with one OnWork per action point and one InVar per value
  // point of this scheme.
  TElEditMulti* CreateEditMulti(size_t work_count, size_t var_count);

 private:
  std::vector<std::unique_ptr<TElement>> elements_;
  std::unique_ptr<TElEditMulti> edit_multi_;
};

// Builds a nested scheme inside `parent` (the window control a panel lives in, or
// none) and hands it over.
using Creator = std::function<std::unique_ptr<Container>(TElement* parent)>;

template <class Scheme>
Creator CreatorOf() {
  return [](TElement* parent) -> std::unique_ptr<Container> { return std::make_unique<Scheme>(parent); };
}

}  // namespace lumi
