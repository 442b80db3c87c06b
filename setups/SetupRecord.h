#pragma once
// The setup record: the fixed sequence of typed fields in which the instrument
// sends a product setup (reply to "P1") and accepts one ("P0", "P2"). One
// field table serves both directions, so that a record the encoder writes is
// read back field for field by the decoder:
//
//   name (String), standard type (Int), searchable (Bool), read mode (Byte),
//   report interval (Int),
//   base distance, base - max distance, base - min distance (3 Single),
//   height trigger (Bool), slope, offset (2 Single),
//   spectrum (31 Single), target, reading of the standard, tracking plus,
//   tracking minus, scale tolerance plus, scale tolerance minus (6 x 3 Single),
//   index tolerance plus, minus (2 Single),
//   number of view entries n (Byte), then n view entries:
//     view index 0..7 (Byte), enabled (Bool), display type, ill/obs, colour
//     scale, colour index (4 Int), shade blocks (Byte), CF, lc (2 Single)
//
// The instrument keeps the two range limits as heights below the base, while
// the setup holds them as distances: the encoder sends base - max and
// base - min, the decoder turns them back.

#include "FieldCodec.h"
#include "ProductSetup.h"

#include <QByteArray>

// Bytes of a view entry after its view index (a Bool, four Ints, a Byte and
// two Singles): what the decoder skips for a view number outside 1..8.
inline constexpr int ViewEntryRestBytes = 26;
// Characters before the record in the reply to "P1" ("P2" and the setup index).
inline constexpr int ReadReplyPrefixLength = 4;

// Fills the setup from a record text. Reads every field in order; the base
// distance and the two range limits are rounded to whole numbers (halves to
// the even neighbour); a result outside 16 bits raises AppError 6 at that
// field. A view entry whose index is outside 0..7 is skipped; view 1 is always
// set enabled. Nothing is cleared first: fields the record does not reach,
// and views it does not name, keep their values, and when a read fails the
// fields read before it stay stored.
void DecodeProductSetup(ProductSetup& setup, const QByteArray& record, FieldCodec& codec = TheFieldCodec());

// Appends the setup as a record to the command that the caller has begun with
// BeginCommand (and whatever it appended after), and returns the whole command
// text. Always writes 8 view entries, indexes 0..7 in order, view 1 enabled.
// A range limit whose height (base - limit) leaves 16 bits raises AppError 6
// before anything is appended. The setup is not changed.
QByteArray EncodeProductSetup(const ProductSetup& setup, FieldCodec& codec = TheFieldCodec());

// "P1" with the setup index (setup number 1..250 less one).
QByteArray ReadSetupCommand(int setupNumber, FieldCodec& codec = TheFieldCodec());
// "P0" with the setup index, then the whole record of the setup.
QByteArray WriteSetupCommand(const ProductSetup& setup, int setupNumber, FieldCodec& codec = TheFieldCodec());
// The record in a reply to "P1": the reply from its fifth character on (an
// empty text for a reply of four characters or fewer).
QByteArray RecordOfReadReply(const QByteArray& reply);

// Raises AppError InstrumentRefused when the reply is the instrument's refusal
// ("?" and its error code); the description names the command.
void ThrowIfRefused(const QByteArray& reply, const QByteArray& command);
