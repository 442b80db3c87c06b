#pragma once
// The 8-bit text files of the program (datalog captures and conversions, setup
// archives): lines ended by CR LF, one byte a character.
//
// A file the operator names is written safely: the text goes to a temporary
// file beside it, which replaces the named file only on commit(). A writer
// destroyed without commit() (an error part-way, the program ending) leaves
// any earlier file of that name as it was.

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
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
    // Raises AppError (file access) when the file cannot be created.
    explicit TextFileWriter(const QString& fileName);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Writes the line and its CR LF; raises AppError on a write failure.
    void writeLine(const QByteArray& line);
    // Puts the file in place of any earlier one; raises AppError on failure.
    void commit();

    const QString& fileName() const { return fileName_; }

private:
    [[noreturn]] void fail(const QString& what);

    QString fileName_;
    QSaveFile file_;
    QByteArray buffer_;
    bool committed_ = false;
};

class TextFileReader {
public:
    // Raises AppError (file access) when the file cannot be opened.
    explicit TextFileReader(const QString& fileName);

    bool atEnd() const;
    // The next line without its line end (CR LF or LF; a CR elsewhere stays
    // in the line); raises AppError on a read failure.
    QByteArray readLine();
    // Lines read so far.
    int64_t lineNumber() const { return lineNumber_; }
    const QString& fileName() const { return fileName_; }

private:
    QString fileName_;
    mutable QFile file_;
    int64_t lineNumber_ = 0;
};
