// A cursor over a collection: it only remembers the current element.
#pragma once
#include "System/Object.h"

namespace Collections {

class IEnumerator : public Object {
public:
    constexpr IEnumerator() = default;
    explicit IEnumerator(Object* current) : m_pCurrent(current) {}
    ~IEnumerator() override;

    Object* getCurrent() const { return m_pCurrent; }
    // The name is kept as the framework has always spelled it.
    void setCurren(Object* current) { m_pCurrent = current; }

private:
    Object* m_pCurrent = nullptr;
};

}  // namespace Collections
