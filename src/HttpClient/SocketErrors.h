#pragma once

#include <string>

namespace lotto {

// The text of a socket error number as the client reports it ("Connection refused" for
// 10061); "Not a WinSock error" for numbers outside the table.
std::string socketErrorText(int number);

} // namespace lotto
