#pragma once
// The option word of a "*?ID" reply, as the meters that report their installed options send it:
// "*ID", three characters nobody reads, then the word in hexadecimal. Each family maps the
// word's bits onto its own option flags.
#include <cstdint>
#include <string_view>

namespace cv {

// The hexadecimal number from the reply's seventh character on (blanks before it skipped). A
// reply too short to hold it, or with no hexadecimal digit there, gives false and word 0; a
// number of more than eight digits keeps its low 32 bits, where the option bits sit.
bool ReadOptionWord(std::string_view reply, uint32_t& word);

}  // namespace cv
