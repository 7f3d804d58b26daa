#include "runtime/container.h"

#include "runtime/edit_multi.h"

namespace lumi {

Container::~Container() {
  while (!elements_.empty()) elements_.pop_back();
  edit_multi_.reset();
}

TElEditMulti* Container::CreateEditMulti(size_t work_count, size_t var_count) {
  edit_multi_ = std::make_unique<TElEditMulti>();
  edit_multi_->container = this;
  edit_multi_->OnWork.Resize(work_count);
  edit_multi_->InVar.Resize(var_count);
  return edit_multi_.get();
}

}  // namespace lumi
