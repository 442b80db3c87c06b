#pragma once
// A file the operator names, written safely: the bytes go to a temporary file
// in the same folder, which takes the named file's place only on commit(). A
// writer destroyed without commit() (an error part-way, the program ending)
// leaves any earlier file of that name as it was.
//
// Every write and the commit are checked, and a failure is an AppError (file
// access) naming the file and the system's reason ("No space left on
// device"). There is no writing in place: when the folder cannot take the
// temporary file, the file is refused with a message naming the folder,
// even where the named file itself could be written, because writing it in
// place would truncate it before knowing that the new text fits.
//
// A target that exists but is not a regular file (a device such as /dev/full,
// a FIFO, a folder) is refused before anything is written: such a file cannot
// be replaced, and what is written into it is not kept. CheckTargetFile()
// makes the same checks for an operation that must refuse the target before
// it starts its work (before asking the instrument anything).

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Raises AppError (file access) when the file cannot be written safely: it
// exists but is not a regular file, its folder does not exist, or the folder
// does not let a new file be made.
void CheckTargetFile(const QString& fileName);

// Copies the source file to the target, replacing any existing target, as a
// SafeFileWriter writes it. Raises AppError (file access) naming the file and
// the reason; nothing of the target is touched when the source cannot be read.
void CopyFileReplacing(const QString& source, const QString& target);

class SafeFileWriter {
public:
    // Raises AppError (file access) when the file cannot be created.
    explicit SafeFileWriter(const QString& fileName);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Writes all the bytes; raises AppError on a failure.
    void write(const QByteArray& bytes);
    // Puts the file in place of any earlier one; raises AppError on failure.
    void commit();

    const QString& fileName() const { return fileName_; }

    // The bytes written as the whole file, safely as above.
    static void WriteAll(const QString& fileName, const QByteArray& bytes);

private:
    [[noreturn]] void fail(const QString& what, const QString& reason);

    QString fileName_;
    QSaveFile file_;
    bool committed_ = false;
};
