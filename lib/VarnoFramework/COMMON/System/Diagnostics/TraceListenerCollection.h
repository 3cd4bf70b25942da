// Ordered list of listeners. It never owns them: Trace::Cleanup deletes the program's.
#pragma once
#include "System/Collections/ICollection.h"
#include "System/Diagnostics/TraceListener.h"

#include <vector>

namespace Diagnostics {

class TraceListenerCollection : public Collections::ICollection {
public:
    constexpr TraceListenerCollection() = default;
    ~TraceListenerCollection() override;

    TCHAR* ToString() const override;

    // Returns the number of listeners after adding. A null listener is not added.
    int Add(TraceListener* listener);
    void AddRange(TraceListener* const* listeners, int count);
    void AddRange(const TraceListenerCollection& listeners);
    // An index outside 0..getCount() is ignored.
    void Insert(int index, TraceListener* listener);
    // Removes the first entry that is this very listener.
    void Remove(const TraceListener* listener);
    // Removes the first entry whose name equals the text exactly.
    void Remove(const TCHAR* name);
    void RemoveAt(int index);
    // Empties the collection without deleting the listeners.
    void Clear();
    bool Contains(const TraceListener* listener) const;
    int IndexOf(const TraceListener* listener) const;  // -1 when absent
    int getCount() const override;
    TraceListener* getItem(int index) const;  // null outside the range
    void CopyTo(Object** array, int index) const override;  // does nothing
    Collections::IEnumerator* GetEnumerator() const override;  // always null

private:
    std::vector<TraceListener*> m_items;
};

}  // namespace Diagnostics
