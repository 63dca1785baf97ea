#include "framework/Handles.h"

namespace handles {
namespace {
// One user-interface thread: plain counters are enough.
long live[2] = {0, 0};
}  // namespace

void Created(Kind kind) { ++live[static_cast<int>(kind)]; }
void Freed(Kind kind) { --live[static_cast<int>(kind)]; }
long Live(Kind kind) { return live[static_cast<int>(kind)]; }

}  // namespace handles
