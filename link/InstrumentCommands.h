#pragma once
// The instrument's command codes in one place (docs/protocol.md has the
// transcript of each exchange). Literal commands are sent exactly as written;
// codes are the heads of commands that the field codec completes.

namespace Command {
// Link control and identification.
inline constexpr const char* Reset = "R";
inline constexpr const char* RemoteOn = "+1";
inline constexpr const char* RemoteOff = "+";
inline constexpr const char* Identify = "#";
// Status block 1: last standardization time first, datalog count at byte 26.
inline constexpr const char* Status = "D0001";
// Clock: "X000" Long seconds [Byte flags]; the literal below clears the
// datalog and leaves the clock alone.
inline constexpr const char* SetClock = "X000";
inline constexpr const char* ClearDatalog = "X000FFFFFFFF01";
// Datalog record: "S1" Word index (from 0).
inline constexpr const char* DatalogRecord = "S1";
// Product setups: "P1" Word index reads; "P0" Word index + record writes;
// "P2" Byte index + record (the reply to "P1", sent back by a restore) writes.
inline constexpr const char* ReadSetup = "P1";
inline constexpr const char* WriteSetup = "P0";
inline constexpr const char* WriteSetupAsRead = "P2";
// Run configuration queries: units (1 inches, 0 millimetres) and variant
// (1 distance, 2 height).
inline constexpr const char* QueryUnits = "Q10001";
inline constexpr const char* QueryRunConfigVariant = "Q10002";
// Display read: the 2048-byte pixel area of the 128 x 128 one-bit screen.
inline constexpr const char* ReadDisplay = "V0001";
}  // namespace Command

// The first character of the reply to each command.
namespace ReplyCode {
inline constexpr char Reset = 'r';
inline constexpr char Remote = '+';
inline constexpr char Identify = '#';
inline constexpr char Status = 'd';
inline constexpr char Clock = 'x';
inline constexpr char DatalogRecord = 's';
inline constexpr char SetupWritten = 'p';
inline constexpr char Query = 'q';
inline constexpr char Display = 'v';
inline constexpr char Refused = '?';
}  // namespace ReplyCode
