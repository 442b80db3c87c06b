#pragma once
// What many tests share: files read and written whole, and a program run to
// its end as a script runs it.

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

inline QByteArray ReadWhole(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

inline void WriteWhole(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()) << name.toStdString();
}

// The lines of a file; every one must end with CR LF.
inline QList<QByteArray> Lines(const QString& name)
{
    QList<QByteArray> lines = ReadWhole(name).split('\n');
    EXPECT_TRUE(lines.takeLast().isEmpty()) << "the last line has no line end";
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

struct Ran {
    int code = -1;  // -1: it crashed or did not end
    QString out, err;
};

// One still running after the time given is killed.
inline Ran RunProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    EXPECT_TRUE(ended) << program.toStdString() << " " << arguments.join(' ').toStdString() << " did not run to its end";
    return {ended ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}
