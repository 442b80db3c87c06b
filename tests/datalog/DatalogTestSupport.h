#pragma once
// What the datalog tests share besides TestFiles.h: a datalog that answers
// "S1" with records in the instrument's own encoding.

#include "Exchange.h"
#include "SimDatalog.h"
#include "TestFiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

// Failures print bytes as text.
inline void PrintTo(const QByteArray& bytes, std::ostream* out) { *out << '"' << bytes.toStdString() << '"'; }

// Answers each "S1" request with its record ("s" and the fields), or with the
// reply put in place of that record's; keeps every command.
struct FakeDatalog {
    std::vector<SimDatalogRecord> records;
    std::map<int, QByteArray> replaced;
    QList<QByteArray> commands;
    std::function<void(int)> afterCommand;  // given the number of commands so far

    Exchange exchange()
    {
        return [this](const QByteArray& command) {
            commands << command;
            const int index = command.mid(2).toInt(nullptr, 16);
            const QByteArray reply = replaced.count(index)
                                         ? replaced[index]
                                         : "s" + EncodeDatalogReplyFields(records.at(size_t(index)), index);
            if (afterCommand) afterCommand(int(commands.size()));
            return reply;
        };
    }
};
