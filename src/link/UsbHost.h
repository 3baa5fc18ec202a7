#pragma once
// Which HID host the transport talks to: the Linux hidraw host, or one a test installs.

#include "link/hid/HidPlatform.h"

/** The HID host that a new transport uses: the one given to setUsbHost, otherwise the Linux hidraw host
    (made on first use and kept for the rest of the program). */
hid::Host& usbHost();

/** Installs `host` (not owned; it must outlive every transport made while it is installed) for the
    transports made from now on; null returns to the Linux host. Call it while no transport exists. */
void setUsbHost (hid::Host* host);
