#pragma once
// The little the command line needs to know about its terminal, behind one
// boundary: whether a standard stream is a terminal (progress bars and
// questions only make sense on one), and a line typed by the operator.

#include <QString>
#include <cstdio>
#include <optional>

bool IsTerminal(std::FILE* stream);

// One line typed on standard input, without its line end; nothing at the end
// of the input.
std::optional<QString> ReadAnswerLine();
