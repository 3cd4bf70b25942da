#include "System/Collections/ICollection.h"

namespace Collections {
ICollection::~ICollection() = default;
}
