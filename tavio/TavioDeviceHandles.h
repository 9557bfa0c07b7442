#pragma once
#include <windows.h>

#include <dbt.h>

extern "C" {
#include <hidsdi.h>
}

#include "framework/OwnedHandle.h"

struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { HidD_FreePreparsedData(h); }
};
struct DeviceNotificationTraits {
    using Handle = HDEVNOTIFY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { UnregisterDeviceNotification(h); }
};

using CPreparsedData = COwnedHandle<PreparsedDataTraits>;
using CDeviceNotification = COwnedHandle<DeviceNotificationTraits>;
