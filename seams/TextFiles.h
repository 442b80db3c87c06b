#pragma once
// The 8-bit text files of the program (datalog captures and conversions, setup
// archives): lines ended by CR LF, one byte a character.
//
// A file the operator names is written safely (SafeFileWriter): the text goes
// to a temporary file beside it, which replaces the named file only on
// commit(). A writer destroyed without commit() (an error part-way, the
// program ending) leaves any earlier file of that name as it was.

#include "SafeFileWriter.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// Texts of the program as 8-bit file text: Latin-1, with the few characters
// that regional number formats use beyond it mapped to their nearest Latin-1
// equivalent (narrow and thin no-break spaces to the no-break space, the
// minus sign to '-'); anything else that Latin-1 lacks becomes '?'.
QByteArray ToEightBit(const QString& text);
// Whether ToEightBit holds every character of the text (no '?' for one).
bool FitsEightBit(const QString& text);
// The text as 8-bit file text when it fits, else the fallback (an element's
// en_US form: a file never holds '?' for a character it cannot hold).
QByteArray EightBitOr(const QString& text, const QString& fallback);

class TextFileWriter {
public:
    // Raises AppError (file access) when the file cannot be created
    // (SafeFileWriter says which files are refused).
    explicit TextFileWriter(const QString& fileName);
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Writes the line and its CR LF; raises AppError on a write failure.
    void writeLine(const QByteArray& line);
    // Puts the file in place of any earlier one; raises AppError on failure.
    void commit();

    const QString& fileName() const { return file_.fileName(); }

private:
    SafeFileWriter file_;
    QByteArray buffer_;
};

// What ends a line of a file being read.
enum class LineEnds {
    // CR LF or LF; a CR elsewhere stays in the line.
    CrLfOrLf,
    // CR, LF or CR LF, each one line end: files from any system, a CR-only
    // file included.
    CrLfOrEither,
};

class TextFileReader {
public:
    // Raises AppError (file access) when the file cannot be opened.
    explicit TextFileReader(const QString& fileName, LineEnds lineEnds = LineEnds::CrLfOrLf);

    bool atEnd() const;
    // The next line without its line end; raises AppError on a read failure.
    QByteArray readLine();
    // Lines read so far.
    int64_t lineNumber() const { return lineNumber_; }
    const QString& fileName() const { return fileName_; }

private:
    QByteArray readChunk();

    QString fileName_;
    mutable QFile file_;
    LineEnds lineEnds_;
    // The rest of what the file gave up to its next LF, not yet returned as
    // lines (CR-ended lines come out of it one at a time).
    QByteArray pending_;
    qsizetype pendingAt_ = 0;
    int64_t lineNumber_ = 0;
};
