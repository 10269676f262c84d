#pragma once

#include <string>

namespace kwindel {

enum class ReadOutcome { Read, Missing, CannotOpen, ReadError };

// Reads a whole regular file into bytes; anything else (a folder, a FIFO, a
// device) cannot be opened as a file.
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace kwindel
