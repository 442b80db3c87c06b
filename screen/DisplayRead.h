#pragma once
// Reading the instrument's display: "V0001" is answered with "v" and the
// 2048-byte pixel area in the field format (two hex digits a byte), laid out
// as the screen bitmap stores it (ScreenBitmap.h).

#include "Exchange.h"

#include <QByteArray>

namespace ScreenCapture {

// Sends the display read through the exchange and returns the 2048 bytes of
// the pixel area. The instrument's refusal, a reply of another kind, a pixel
// area of another length or a malformed digit raise AppError naming the
// command; errors of the exchange itself reach the caller unchanged.
QByteArray ReadDisplay(const Exchange& exchange);

}  // namespace ScreenCapture
