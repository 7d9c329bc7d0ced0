#pragma once

#include <ole2.h>
#include <oleacc.h>

namespace rt {

// COM's interfaces have no virtual destructor: a COM object ends in its own
// Release, never by delete through one of them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// An accessible object of the runtime's own, counted as COM counts: it
// begins with its creator's reference and deletes itself when the last one
// is released.
class CountedAccessible : public IAccessible {
public:
    CountedAccessible(const CountedAccessible&) = delete;
    CountedAccessible& operator=(const CountedAccessible&) = delete;

    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    CountedAccessible() = default;
    virtual ~CountedAccessible() = default;

private:
    LONG m_references = 1;
};

#pragma GCC diagnostic pop

} // namespace rt
