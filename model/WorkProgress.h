#pragma once

#include <cstdint>
#include <functional>

// How far a long piece of work has come (done of total units), told by the
// layer doing it to whoever shows it. Answering false asks the work to stop;
// work stops only where it can leave everything as it was, and says so.
using WorkProgress = std::function<bool(std::int64_t done, std::int64_t total)>;
