// FloatText.h: the text of 32-bit floats as the writers put them into files.
#pragma once

#include <string>

namespace easel {

// The shortest decimal text that reads back to exactly `f` (std::to_chars), e.g. "0.1",
// "-0", "1e-45". Non-finite values give "nan", "inf" or "-inf"; callers that write
// formats without such words check std::isfinite first.
std::string FloatText(float f);

// The double nearest FloatText(f), so that a JSON library printing doubles shortest-first
// writes the same short text, not the float's full binary expansion (0.1 rather than
// 0.10000000149011612). Converting the result to float always gives f again: where the
// short text would not survive the trip through double, f's exact value is returned.
double FloatAsShortDouble(float f);

}  // namespace easel
