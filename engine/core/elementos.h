#pragma once
// Small lists kept as text files, one item a line (the teams, the mail addresses): read
// item by item as comma-separated text input, written one trimmed item a line.

#include <string>
#include <string_view>
#include <vector>

namespace zendo {

// Items separated by commas or line ends; a quoted item runs to its closing quote (or the
// end of its line); unquoted items are trimmed on the right; empty lines hold no item.
std::vector<std::string> ParseaElementos(std::string_view contenido);

// The file text of a list: each item trimmed, quotes dropped, quoted when it holds a comma,
// then CR LF; it reads back as the same items.
std::string TextoElementos(const std::vector<std::string>& elementos);

}  // namespace zendo
