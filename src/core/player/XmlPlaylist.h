#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"

namespace revuro {

// The references of an ASX or WPL list, in play order, as their bytes stand (after XML
// entities). ASX in the wild is seldom well-formed: tags and attributes in any case, bare '&'
// in URLs, unquoted attribute values, REF and ENTRYREF left open. All of it is read as a media
// player reads it; of several REF in one ENTRY (alternatives) the first counts.
class XmlPlaylist {
  public:
    struct Reference {
        std::string text;
        bool list = false;  // an ENTRYREF: names a further list, whatever its name
    };

    // Fails when the bytes are neither ASX nor WPL.
    static Result<std::vector<Reference>> References(std::string_view bytes);

    // The bytes with every tag made well-formed: attribute values quoted, the empty elements of
    // ASX closed, a '<' that opens no tag escaped. Text between tags is left alone.
    static std::string Tidy(std::string_view bytes);
};

}  // namespace revuro
