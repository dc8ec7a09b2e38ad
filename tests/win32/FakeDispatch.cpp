#include "tests/win32/FakeDispatch.h"

namespace telvane::win32::test {

void* FakeDispatch::FindInterface(REFIID iid) {
    return iid == IID_IUnknown ? static_cast<IDispatch*>(this) : FindDispatch(iid);
}

}  // namespace telvane::win32::test
