#include "System/Collections/IEnumerator.h"

namespace Collections {
IEnumerator::~IEnumerator() = default;
}
