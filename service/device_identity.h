#pragma once

#include <QString>

namespace velora {

// The device identity sent with directory requests and listener messages: the hardware
// address of the first network adapter that is up, running, not loopback and has a
// non-zero address, as six upper-case hex pairs joined by "-"; "00-00-00-00-00-00"
// when there is none.
QString GetMacAddress();

}  // namespace velora
