#include "Environment.h"

#include <stdexcept>

namespace {
Environment* current = nullptr;
}

Environment& Env()
{
    if (!current) throw std::logic_error("no Environment installed");
    return *current;
}

void InstallEnvironment(Environment* environment) { current = environment; }
