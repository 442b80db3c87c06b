#pragma once
// Whole message boxes and file choices compared in one expectation, so that a
// test states what the operator saw as one value and a failure prints it.

#include "ScriptedEnvironment.h"

#include <ostream>

inline bool operator==(const ShownMessage& a, const ShownMessage& b)
{
    return a.text == b.text && a.buttons == b.buttons && a.icon == b.icon && a.title == b.title;
}

inline void PrintTo(const ShownMessage& m, std::ostream* os)
{
    *os << '"' << m.text.toStdString() << "\" buttons " << int(m.buttons) << " icon " << int(m.icon) << " title \""
        << m.title.toStdString() << '"';
}

inline bool operator==(const FileChoice& a, const FileChoice& b)
{
    return a.title == b.title && a.kind == b.kind && a.filter == b.filter;
}

inline void PrintTo(const FileChoice& c, std::ostream* os)
{
    *os << '"' << c.title.toStdString() << "\" " << (c.kind == FileDialogKind::Save ? "save" : "open") << " \""
        << c.filter.toStdString() << '"';
}
