#include "tests/support/probe.h"

namespace lumi::test {

TData Chain(std::initializer_list<TData> values) {
  TData chain;
  for (const TData& v : values) AppendChain(chain, v);
  return chain;
}

}  // namespace lumi::test
