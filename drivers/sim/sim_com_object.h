// The simulated driver as a COM object: IDispatch over the same member
// dispatch that the plugin boundary exports, so both serve one model.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace lk40::sim::com {

// The class of AddIn.DrvTarvo as this server registers it.
extern const CLSID kClassId;

// Creates an object and hands out the interface asked for (IUnknown or
// IDispatch); E_NOINTERFACE for any other.
HRESULT createObject(REFIID interfaceId, void** object);

// Objects and server locks alive, for DllCanUnloadNow.
void lockServer(bool lock);
bool serverInUse();

}  // namespace lk40::sim::com
