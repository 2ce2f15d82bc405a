// Played boards in either notation, told apart by how the text begins: a
// PBN game file starts with a tag, a comment or commentary.
#include <string_view>

#include "ddsolver/PlayedBoard.h"

namespace ddsolver {

std::vector<PlayedBoard> readPlayedBoards(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t\r\n");
    const bool pbn = start != std::string_view::npos &&
                     std::string_view("[%{;").find(text[start]) != std::string_view::npos;
    return pbn ? readPbnGames(text) : readLinBoards(text);
}

}  // namespace ddsolver
