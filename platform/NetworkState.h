#pragma once

// Whether the computer is online: a network interface that is up and is
// not the loopback one.
bool InternetGetConnectedState();
