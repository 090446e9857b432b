// JsonDump.h: the JSON dump of a document, a public format that holds the whole document
// exactly (see FORMATS.md). Reading a dump back gives a document for which SameDocument
// holds; later versions of the format only add fields, and the reader ignores fields it
// does not know.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "document/Document.h"

namespace easel {

// A dump that cannot be read. what() names the bad field by its path from the root, e.g.
// "layers[0].art[3].segments[2].p: expected an array of 2 numbers".
class DumpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

nlohmann::json DumpDocument(const Document& doc);

// Pretty-printed with a 2-space indent and a final newline. Names that are not valid UTF-8
// have their bad bytes replaced by U+FFFD, since JSON text must be UTF-8.
std::string DumpDocumentText(const Document& doc);

// A new document: ids numbered afresh from 1 in load order (layer art bottom layer first,
// then layers 1, 2, ...), symbol art with id 0 (it is not live art). Views, swatches,
// graphic styles and the current paint come from the dump when it carries them, else from
// NewDocument(colorModel), the view centred on the loaded page. Throws DumpError.
Document LoadDocument(const nlohmann::json& dump);

// Parses the text and loads it; a syntax error is a DumpError too.
Document LoadDocumentText(std::string_view text);

}  // namespace easel
