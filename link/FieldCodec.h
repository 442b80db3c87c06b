#pragma once
// The field codec builds command texts from typed fields and reads typed fields
// back out of reply texts. Its text format is the instrument's (docs/protocol.md):
//
//   text   = code fields
//   code   = the leading run of characters that are not upper-case hex digits
//   fields = fixed-width binary values, big-endian, two upper-case hex digits
//            per byte
//
//   Bool 1 byte (00 false, anything else true) | Byte 1 | Int 2 (signed)
//   Word 2 (unsigned) | Long 4 (signed) | Single 8 (IEEE binary64)
//   String: one Byte length n, then n bytes of 8-bit text
//
// Skip passes over fields it does not read, but they must still be fields:
// a skipped stretch that is not upper-case hex is malformed.
//
// Positions and Skip count bytes after the code. Texts are 8-bit (Latin-1) byte
// strings, so any byte of a product name survives unchanged both ways.
// Every malformed input raises an AppError naming what was expected and where.

#include <QByteArray>
#include <cstdint>

class FieldCodec {
public:
    // Building.
    void BeginCommand(const QByteArray& code);
    void AppendBool(bool value);
    void AppendByte(int value);       // 0..255, else overflow
    void AppendInt(int value);        // -32768..32767, else overflow
    void AppendWord(int64_t value);   // 0..65535, else overflow
    void AppendLong(int32_t value);
    void AppendSingle(float value);   // widened exactly to binary64
    void AppendString(const QByteArray& text);  // at most 255 bytes
    const QByteArray& GetText() const { return text_; }

    // Decoding.
    void SetText(const QByteArray& text);
    QByteArray GetCommand() const { return text_.left(codeLength_); }
    void ResetPosition() { position_ = codeLength_; }
    void Skip(int bytes);
    bool ReadBool();
    int16_t ReadByte();
    int16_t ReadInt();
    int32_t ReadWord();   // narrowed to 16 bits: above 32767 is an overflow
    int32_t ReadLong();
    float ReadSingle();
    QByteArray ReadString();

    // Bytes read since the code, and bytes left to read.
    int BytePosition() const { return (position_ - codeLength_) / 2; }
    int BytesLeft() const { return (text_.size() - position_) / 2; }
    // The text after the read position, not yet read.
    QByteArray Unread() const { return text_.mid(position_); }

private:
    uint64_t readUnsigned(int bytes, const char* kind);
    void appendUnsigned(uint64_t value, int bytes);
    [[noreturn]] void malformed(const QString& what) const;

    QByteArray text_;
    int codeLength_ = 0;
    int position_ = 0;  // in characters of text_
};

// The one codec that every window and engine shares, created on first use.
FieldCodec& TheFieldCodec();

// Length of the command code at the head of a text (see the format above).
int CommandCodeLength(const QByteArray& text);
