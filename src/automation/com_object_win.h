// The COM backend's wrapper of an automation object, open to tests that hand
// it an IDispatch of their own. Windows only.
#pragma once

#include <oaidl.h>

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace lk40::automation::detail {

// The system's words for a failure code, else "OLE error %.8x".
std::string hresultText(HRESULT code);

// Takes over the caller's reference to object.
std::shared_ptr<Dispatch> wrapComObject(IDispatch* object);

}  // namespace lk40::automation::detail
